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
  try {
    ObjectTextToBinary("object A: TForm\n  X = [a,]\nend\n");
    FAIL();
  } catch (const EParserError& e) {
    EXPECT_STREQ(e.what(), "Line 2: identifier expected");
  }
  EXPECT_THROW(ObjectTextToBinary("object A: TForm\n X = 'open\nend\n"), EParserError);
  EXPECT_THROW(ObjectTextToBinary("object A: TForm\n X = {abc}\nend\n"), EParserError);
  EXPECT_THROW(ObjectTextToBinary("thing A: TForm\nend\n"), EParserError);
  EXPECT_THROW(ObjectTextToBinary("object A: TForm\nend\nextra"), EParserError);
}

}  // namespace
}  // namespace wdx
