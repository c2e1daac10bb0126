#include "framework/rtl/CodePage.h"

#include <gtest/gtest.h>

namespace wdx {
namespace {

constexpr int kCodePages[] = {874,  1250, 1251, 1252, 1253, 1254, 1255,  1256,
                              1257, 1258, 932,  936,  949,  950,  20127, 28591};

// Any bytes, defined or not, read as a text that can be stored again. In the single-byte code
// pages that text stores the same bytes (but in 1258, whose pairs of letter and tone mark read
// as one letter, whose text is stable instead).
TEST(CodePage, AnyBytesReadAsATextThatCanBeStoredAgain) {
  std::string bytes;
  for (int b = 0; b < 256; ++b) bytes.push_back(static_cast<char>(b));
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      bytes += static_cast<char>(lead);
      bytes += static_cast<char>(trail);
    }
  }
  for (const int codePage : kCodePages) {
    SCOPED_TRACE(codePage);
    const std::string text = CodePageToUtf8(bytes, codePage);
    const std::optional<std::string> stored = Utf8ToCodePage(text, codePage);
    ASSERT_TRUE(stored);
    if (codePage == 1258) {
      EXPECT_TRUE(CodePageToUtf8(*stored, codePage) == text);
    } else if (codePage < 932 || codePage > 20000) {
      EXPECT_TRUE(*stored == bytes);
    }
  }
}

TEST(CodePage, TextsOfTheLanguagesTakeTheirWindowsBytes) {
  const struct {
    int codePage;
    const char* text;
    const char* bytes;
  } kCases[] = {
      {1251, "Сохранить", "\xD1\xEE\xF5\xF0\xE0\xED\xE8\xF2\xFC"},
      {1250, "Zapisz ł", "Zapisz \xB3"},
      {1253, "Αποθήκευση", "\xC1\xF0\xEF\xE8\xDE\xEA\xE5\xF5\xF3\xE7"},
      {1254, "ş", "\xFE"},
      {1255, "שמור", "\xF9\xEE\xE5\xF8"},
      {1256, "حفظ", "\xCD\xDD\xD9"},
      {874, "บันทึก", "\xBA\xD1\xB9\xB7\xD6\xA1"},
      {932, "保存", "\x95\xDB\x91\xB6"},
      {936, "保存", "\xB1\xA3\xB4\xE6"},
      {949, "저장", "\xC0\xFA\xC0\xE5"},
      {950, "儲存", "\xC0\x78\xA6\x73"},
      {1252, "€é", "\x80\xE9"},
      {28591, "é", "\xE9"},
      // Vietnamese: a letter the code page has no byte for is a base letter and a tone mark.
      {1258, "Lưu ế", "L\xFDu \xEA\xEC"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Utf8ToCodePage(c.text, c.codePage), c.bytes);
    EXPECT_EQ(CodePageToUtf8(c.bytes, c.codePage), c.text);
  }
}

TEST(CodePage, ACharacterTheCodePageLacksOrBrokenUtf8IsRefusedAndNamed) {
  char32_t missing = 0;
  EXPECT_EQ(Utf8ToCodePage("Zapisz ł", 1252, &missing), std::nullopt);
  EXPECT_EQ(missing, U'ł');
  EXPECT_EQ(CharacterName(missing), "ł (U+0142)");
  EXPECT_EQ(Utf8ToCodePage("保存", 1251, &missing), std::nullopt);
  EXPECT_EQ(Utf8ToCodePage("a\xC3", 1252, &missing), std::nullopt);
  EXPECT_EQ(missing, 0xFFFDu);
  EXPECT_EQ(Utf8ToCodePage("a\xC3", kCodePageUtf8), std::nullopt);
  EXPECT_EQ(Utf8ToCodePage("ł保", kCodePageUtf8), "ł保");
  EXPECT_EQ(CodePageName(1251), "Windows-1251");
  EXPECT_EQ(Utf8ToCodePage("€", kCodePageLatin1, &missing), std::nullopt);
  EXPECT_EQ(Utf8ToCodePage("é", kCodePageUsAscii, &missing), std::nullopt);
  EXPECT_EQ(CodePageName(kCodePageUsAscii), "US-ASCII");
}

TEST(CodePage, WindowsGivesEachLanguageItsAnsiCodePage) {
  EXPECT_EQ(AnsiCodePageOfLanguage(0x19), 1251);    // Russian
  EXPECT_EQ(AnsiCodePageOfLanguage(0x15), 1250);    // Polish
  EXPECT_EQ(AnsiCodePageOfLanguage(0x0C1A), 1251);  // Serbian, Cyrillic
  EXPECT_EQ(AnsiCodePageOfLanguage(0x081A), 1250);  // Serbian, Latin
  EXPECT_EQ(AnsiCodePageOfLanguage(0x0404), 950);   // Chinese, Taiwan
  EXPECT_EQ(AnsiCodePageOfLanguage(0x0804), 936);   // Chinese, PRC
  EXPECT_EQ(AnsiCodePageOfLanguage(0x11), 932);
  EXPECT_EQ(AnsiCodePageOfLanguage(0x07), 1252);
  EXPECT_EQ(AnsiCodePageOfLanguage(0x3FF), 1252);  // unknown
}

}  // namespace
}  // namespace wdx
