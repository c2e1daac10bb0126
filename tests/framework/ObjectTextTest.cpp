#include "framework/components/ObjectText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace wdx {
namespace {

std::string Bytes(const std::vector<uint8_t>& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

// A byte string from a literal that may hold zero bytes.
template <size_t N>
std::string B(const char (&literal)[N]) {
  return std::string(literal, N - 1);
}

std::string Compiled(const std::string& body) {
  return Bytes(ObjectTextToBinary("object Form1: TForm\n" + body + "end\n")).substr(4);
}

const std::string kHeader =
    B("\x05TForm\x05"
      "Form1");

TEST(ObjectText, IntegersTakeTheSmallestTag) {
  EXPECT_EQ(Compiled("A = 127\nB = -128\nC = 128\nD = -129\nE = 32768\nF = $FF\n"),
            kHeader + B("\x01"
                        "A\x02\x7f"
                        "\x01"
                        "B\x02\x80"
                        "\x01"
                        "C\x03\x80\x00"
                        "\x01"
                        "D\x03\x7f\xff"
                        "\x01"
                        "E\x04\x00\x80\x00\x00"
                        "\x01"
                        "F\x03\xff\x00"
                        "\x00\x00"));
}

TEST(ObjectText, StringsIdentifiersAndSpecialNames) {
  EXPECT_EQ(Compiled("S = 'it''s'#13#10 + 'x'\nI = akLeft\nT = True\nN = nil\nZ = Null\n"),
            kHeader + B("\x01S\x06\x07it's\r\nx"
                        "\x01I\x07\x06"
                        "akLeft"
                        "\x01T\x09"
                        "\x01N\x0d"
                        "\x01Z\x00"
                        "\x00\x00"));
  const std::string longText(256, 'a');
  const std::string compiled = Compiled("L = '" + longText + "'\n");
  EXPECT_EQ(compiled.substr(12, 7), B("\x01L\x0c\x00\x01\x00\x00"));
}

TEST(ObjectText, SetsCollectionsBinariesAndChildren) {
  EXPECT_EQ(Compiled("E = []\nS = [a, b]\nC = <>\nD = <\n item [5]\n X = 1\n end>\nB = {0aFF}\n"
                     "object B1: TButton\nend\n"),
            kHeader + B("\x01"
                        "E\x0b\x00"
                        "\x01S\x0b\x01"
                        "a\x01"
                        "b\x00"
                        "\x01"
                        "C\x0e\x00"
                        "\x01"
                        "D\x0e\x02\x05\x01\x01X\x02\x01\x00\x00"
                        "\x01"
                        "B\x0a\x02\x00\x00\x00\x0a\xff"
                        "\x00"
                        "\x07TButton\x02"
                        "B1\x00\x00"
                        "\x00"));
}

TEST(ObjectText, ErrorsNameTheLine) {
  const struct {
    std::string source;
    const char* message;
  } cases[] = {
      {"object A: TForm\n  X = [a,]\nend\n", "Line 2: identifier expected"},
      {"object A: TForm\n X = 'open\nend\n", "Line 2: unterminated string"},
      {"object A: TForm\n X = {abc}\nend\n", "Line 2: odd number of hexadecimal digits"},
      {"thing A: TForm\nend\n", "Line 1: 'object' expected"},
      {"object A: TForm\n X = (1 Null)\nend\n", "Line 2: Null cannot be an element of a list"},
      {"object A: TForm\nend\nextra", "Line 3: end of text expected"},
      // An empty name would end the property list or the set that holds it.
      {"object A: TForm\n '' = 1\nend\n", "Line 2: property name expected"},
      {"object A: TForm\n S = [a, '']\nend\n", "Line 2: set member expected"},
      // A missing 'end': where the indentation puts it, else on the last line that has text.
      {"object A: TForm\n  object B: TButton\n  object C: TButton\n  end\nend\n",
       "Line 3: 'end' of B (line 2) expected before this line"},
      {"object A: TForm\nobject B: TButton\nend\n\n", "Line 3: 'end' of A (line 1) expected"},
      // A class name's length byte of 0xF0 or more would be read as a prefix.
      {"object A: " + std::string(240, 'T') + "\nend\n",
       "Line 1: class name longer than 239 characters"},
  };
  for (const auto& c : cases) {
    try {
      ObjectTextToBinary(c.source);
      ADD_FAILURE() << c.source;
    } catch (const EParserError& e) {
      EXPECT_STREQ(e.what(), c.message) << c.source;
    }
  }
}

// A root record "object A: T" with one property P whose value is `value`.
std::string WithValue(const std::string& value) {
  return B("TPF0\x01T\x01"
           "A\x01P") +
         value + B("\x00\x00");
}

std::string Source(const std::string& stream) {
  return ObjectBinaryToText(std::vector<uint8_t>(stream.begin(), stream.end()));
}

TEST(ObjectText, TheSourceOfAStreamCompilesBackToItsBytes) {
  // Values whose plain spelling would compile to other bytes name their tag.
  const std::pair<std::string, std::string> kValues[] = {
      {B("\x03\x05\x00"), "Int16(5)"},
      {B("\x04\xfb\xff\xff\xff"), "Int32(-5)"},
      {B("\x13\x05\x00\x00\x00\x00\x00\x00\x00"), "Int64(5)"},
      {B("\x0c\x02\x00\x00\x00"
         "ab"),
       "LString('ab')"},
      {B("\x12\x02\x00\x00\x00\xe9\x00\x01\x01"), "#233#257"},
      {B("\x12\x01\x00\x00\x00"
         "a\x00"),
       "WString('a')"},
      {B("\x07\x04True"), "Ident('True')"},
      {B("\x07\x02"
         "1a"),
       "Ident('1a')"},
      {B("\x06\x02\xe9'"), "#233''''"},
      {B("\x0f\x00\x00\xc0\x3f"), "Single(1.5)"},
      {B("\x0f\x01\x00\xc0\x7f"), "Single($7FC00001)"},
      {B("\x11\x00\x00\x00\x00\x08\xf9\xe5\x40"), "Date(45000.25)"},
      {B("\x10\x08\xe2\x01\x00\x00\x00\x00\x00"), "Currency(12.34)"},
      {B("\x05\x00\x00\x00\x00\x00\x00\x00\xc0\xff\x3f"), "1.5"},
      {B("\x05\x01\x00\x00\x00\x00\x00\x00\x80\xff\x3f"), "Extended($3FFF8000000000000001)"},
      {B("\x0e\x04\x07\x00\x00\x00\x01\x00\x00"), "<\n    item [Int32(7)]\n    end>"},
  };
  for (const auto& [value, spelling] : kValues) {
    const std::string text = Source(WithValue(value));
    EXPECT_NE(text.find("  P = " + spelling + "\n"), std::string::npos) << text;
    EXPECT_EQ(Bytes(ObjectTextToBinary(text)), WithValue(value)) << text;
  }
  // Prefixes that no keyword spells, child positions in a wider tag, bytes after the root.
  const std::pair<std::string, std::string> kRecords[] = {
      {B("TPF0\xf0\x01T\x01"
         "A\x00\x00"),
       "object A: T flags 0\n"},
      {B("TPF0\x01T\x01"
         "A\x00\xfa\x03\x05\x00\x01T\x01"
         "B\x00\x00\x00"),
       "  object B: T [Int16(5)] flags 10\n"},
      {B("TPF0\x01T\x00\x00\x00\x01\x02"), "object T\nend\n// The bytes that follow"},
      {B("TPF0\x03T x\x01"
         "A\x03"
         "end\x0b\x02"
         "a.\x00\x00\x00"),
       "object A: 'T x'\n  'end' = ['a.']\n"},
  };
  for (const auto& [stream, spelling] : kRecords) {
    const std::string text = Source(stream);
    EXPECT_NE(text.find(spelling), std::string::npos) << text;
    EXPECT_EQ(Bytes(ObjectTextToBinary(text)), stream) << text;
  }
  for (const std::string& unspellable : {WithValue(B("\x86\x01x")), WithValue(B("\x14"))}) {
    EXPECT_THROW(Source(unspellable), Exception);
  }
}

// Marks in any order compile to the entries the language data writes: an entry per component in
// the order of its first mark, the lines of a list in a sub-entry of their own.
TEST(ObjectText, MarksCompileToTheFullEntries) {
  const std::string marks =
      "translate cbColour.Items[0]\ntranslate Form1.Caption\ntranslate cbColour.Hint\n"
      "translate cbColour.Items[01]\n";
  const std::string full = R"(LanguageManager_Comps = <
  item
    Items = <
      item
        Name = 'Items'
        Items = <>
        Props = <
          item
            Name = 'Items[0]'
            Kind = tkLString
          end
          item
            Name = 'Items[1]'
            Kind = tkLString
          end>
        SubType = [stTStringsObject]
      end>
    Props = <
      item
        Name = 'Hint'
        Kind = tkLString
      end>
    SubType = [stPubPropObject]
    Ref = cbColour
  end
  item
    Items = <>
    Props = <
      item
        Name = 'Caption'
        Kind = tkLString
      end>
    SubType = [stPubPropObject]
    Ref = Owner
  end>
)";
  EXPECT_EQ(Compiled(marks), Compiled(full));
}

}  // namespace
}  // namespace wdx
