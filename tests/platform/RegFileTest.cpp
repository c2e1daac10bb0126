#include "platform/posix/RegFile.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/Registry.h"

namespace wdx {
namespace {

std::string Utf16(const std::string& ascii) {
  std::string bytes = "\xFF\xFE";
  for (char c : ascii) bytes += std::string{c, '\0'};
  return bytes;
}

const char* const kExport =
    "Windows Registry Editor Version 5.00\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Apache Group\\Apache\\2.0]\r\n"
    "\"ServerRoot\"=\"C:\\\\Apache\\\\\"\r\n"
    "\"Quote\"=\"say \\\"hi\\\"\"\r\n"
    "\"Count\"=dword:0000001f\r\n"
    "\"Expand\"=hex(2):25,00,53,00,00,00,41,00\r\n"
    "\"Broken\"=hex(2):25,00,5\r\n"
    "\"Long\"=hex:01,02,\\\r\n"
    "  03\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Apache Group\\Apache\\1.3]\r\n"
    "[hkey_local_machine\\software\\apache group\\Apache\\apple]\r\n"
    "@=\"default\"\r\n"
    "[HKEY_CURRENT_USER\\Software\\Other]\r\n"
    "\"Ignored\"=\"x\"\r\n";

TEST(RegFile, ReadsAUnicodeExportIntoOneTreeWithCaseFoldedNames) {
  const auto root = ParseRegFile(Utf16(kExport), "test.reg");
  const TRegKey* apache = FindRegKey(*root, "SOFTWARE\\APACHE GROUP\\apache");
  ASSERT_NE(apache, nullptr);
  std::vector<std::string> names;
  for (const auto& [upper, key] : apache->Subkeys) names.push_back(key->Name);
  EXPECT_EQ(names, (std::vector<std::string>{"1.3", "2.0", "apple"}));  // sorted ignoring case
  const TRegKey* v2 = FindRegKey(*root, "SOFTWARE\\Apache Group\\Apache\\2.0");
  EXPECT_EQ(v2->Values.at("SERVERROOT").Text, "C:\\Apache\\");
  EXPECT_EQ(v2->Values.at("QUOTE").Text, "say \"hi\"");
  EXPECT_EQ(v2->Values.at("COUNT").Type, TRegType::Dword);
  EXPECT_EQ(v2->Values.at("EXPAND").Type, TRegType::ExpandSz);
  EXPECT_EQ(v2->Values.at("EXPAND").Text, std::string("%S\0A", 4));
  EXPECT_FALSE(v2->Values.at("BROKEN").Readable);
  EXPECT_EQ(v2->Values.at("LONG").Type, TRegType::Binary);
  EXPECT_EQ(FindRegKey(*root, "Software\\Other"), nullptr);  // other hives are not kept
  EXPECT_EQ(FindRegKey(*root, "SOFTWARE\\Apache Group\\Apache\\apple")->Values.at("").Text,
            "default");
}

TEST(RegFile, ReadsEightBitExportsAndDeletions) {
  const auto root = ParseRegFile(
      "REGEDIT4\n[HKEY_LOCAL_MACHINE\\A\\B]\n\"X\"=hex(1):41,42,00,43\n\"Y\"=\"y\"\n\"Y\"=-\n"
      "[HKEY_LOCAL_MACHINE\\A\\C]\n[-HKEY_LOCAL_MACHINE\\A\\C]\n",
      "old.reg");
  const TRegKey* b = FindRegKey(*root, "A\\B");
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->Values.at("X").Text, std::string("AB\0C", 4));
  EXPECT_EQ(b->Values.count("Y"), 0u);
  EXPECT_EQ(FindRegKey(*root, "A\\C"), nullptr);
}

TEST(RegFile, RefusesTextThatIsNoExportAndNamesTheLine) {
  auto message = [](const std::string& text) {
    try {
      ParseRegFile(text, "bad.reg");
    } catch (const ERegistryException& e) {
      return std::string(e.what());
    }
    return std::string("no error");
  };
  EXPECT_EQ(message("hello\n"),
            "bad.reg, line 1: not a registry file (the first line must name its version)");
  EXPECT_EQ(message(""),
            "bad.reg, line 1: not a registry file (the first line must name its version)");
  EXPECT_EQ(message("REGEDIT4\n\"X\"=\"y\"\n"), "bad.reg, line 2: a value before the first key");
  EXPECT_EQ(message("REGEDIT4\n[HKEY_LOCAL_MACHINE\\A\n"),
            "bad.reg, line 2: a key name must end with ']'");
  EXPECT_EQ(message("REGEDIT4\n[HKLM\\A]\nX=1\n"), "bad.reg, line 3: a value name must be quoted");
  EXPECT_EQ(message("REGEDIT4\n[HKLM\\A]\n\"X\"=what\n"), "bad.reg, line 3: unknown value data");
  std::string deep = "REGEDIT4\n[HKLM";
  for (int i = 0; i < 513; ++i) deep += "\\k";
  EXPECT_EQ(message(deep + "]\n"), "bad.reg, line 2: a key nested deeper than 512 levels");
  EXPECT_EQ(message("REGEDIT4\n[HKLM\\A]\n\"X\"=hex(zz):00\n"),
            "bad.reg, line 3: a value type in hexadecimal expected");
}

}  // namespace
}  // namespace wdx
