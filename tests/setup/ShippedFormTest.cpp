// The dialog's form source compiles to a stream that holds the records other programs and the
// language data rely on, byte for byte.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "framework/components/ObjectText.h"

namespace wdx {
namespace {

template <size_t N>
std::string B(const char (&literal)[N]) {
  return std::string(literal, N - 1);
}

std::string ShippedStream() {
  std::ifstream file(WDX_SOURCE_DIR "/setup/WendrixSetup.frm", std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  const auto bytes = ObjectTextToBinary(text.str());
  return std::string(bytes.begin(), bytes.end());
}

TEST(ShippedForm, HoldsTheSaveButtonRecord) {
  const std::string expected =
      B("\x07TButton\x04"
        "btOk\x04Left\x03\x70\x01\x03Top\x03\x8c\x01\x05Width\x02\x4b"
        "\x06Height\x02\x17\x07"
        "Anchors\x0b\x07"
        "akRight\x08"
        "akBottom\x00"
        "\x07"
        "Caption\x06\x04Save\x07"
        "Default\x09\x08TabOrder\x02\x00"
        "\x07OnClick\x07\x09"
        "btOkClick\x00\x00");
  EXPECT_NE(ShippedStream().find(expected), std::string::npos);
}

TEST(ShippedForm, HoldsTheLanguageData) {
  const std::string stream = ShippedStream();
  EXPECT_EQ(stream.substr(0, 4), "TPF0");
  std::string langs = B("\x15LanguageManager_Langs\x0e");
  const char* names[] = {"English", "German", "Spanish"};
  for (int i = 0; i < 3; ++i) {
    const std::string name = names[i];
    langs += B("\x01\x04Name\x06") + std::string(1, static_cast<char>(name.size())) + name +
             B("\x08SubIndex\x02") + std::string(1, static_cast<char>(i)) + B("\x00");
  }
  langs += B("\x00");
  EXPECT_NE(stream.find(langs), std::string::npos);
  const std::string cancelEntry =
      B("\x01\x05Items\x0e\x00\x05Props\x0e\x01\x04Name\x06\x07"
        "Caption\x04Kind\x07\x09"
        "tkLString\x05"
        "Count\x02\x03\x06Values\x0a\x1c\x00\x00\x00"
        "\x0a\x00\x00\x00\x00\x01\x00\x00"
        "Cancel\x0a\x00\x00\x00\x00\x01\x00\x00"
        "Cancel"
        "\x00\x00\x07SubType\x0b\x0fstPubPropObject\x00\x03Ref\x07\x08"
        "btCancel\x00");
  EXPECT_NE(stream.find(cancelEntry), std::string::npos);
  const std::string tail = B("\x16LanguageManager_Values\x06\x00\x00\x00\x00");
  ASSERT_GE(stream.size(), tail.size());
  EXPECT_EQ(stream.substr(stream.size() - tail.size()), tail);
}

}  // namespace
}  // namespace wdx
