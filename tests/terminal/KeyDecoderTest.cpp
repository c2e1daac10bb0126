#include "framework/ui/terminal/KeyDecoder.h"

#include <gtest/gtest.h>

#include <clocale>
#include <deque>
#include <string>
#include <vector>

#include "framework/rtl/Utf8.h"

namespace wdx::terminal {
namespace {

using F = TFunctionKey;

// A terminal that has sent `inputs`: each read takes the next one; once they are used up, a wait
// with a limit sees nothing and a wait without one sees the key Other (the test's end marker).
class Terminal {
 public:
  explicit Terminal(std::vector<TInput> inputs) : inputs_(inputs.begin(), inputs.end()) {}
  static Terminal Bytes(const std::string& bytes) {
    std::vector<TInput> inputs;
    for (unsigned char c : bytes) inputs.push_back(TInput::OfByte(c));
    return Terminal(inputs);
  }

  // The keys decoded until the end marker.
  std::vector<TKey> Keys() {
    TKeyDecoder decoder([this](int waitMs) {
      if (inputs_.empty()) return waitMs < 0 ? TInput::OfKey(F::Other) : TInput::Nothing();
      const TInput input = inputs_.front();
      inputs_.pop_front();
      return input;
    });
    std::vector<TKey> keys;
    for (TKey key = decoder.Next(); !key.Is(F::Other); key = decoder.Next()) keys.push_back(key);
    return keys;
  }

 private:
  std::deque<TInput> inputs_;
};

std::string Chars(const std::vector<TKey>& keys) {
  std::string text;
  for (const TKey& key : keys)
    if (key.Is(F::None)) {
      AppendUtf8(text, static_cast<char32_t>(key.Char));
    } else {
      text += "<key>";
    }
  return text;
}

class KeyDecoder : public ::testing::Test {
 protected:
  void UseLocale(const char* name) {
    if (!std::setlocale(LC_CTYPE, name)) GTEST_SKIP() << "the locale " << name << " is missing";
  }
  void TearDown() override { std::setlocale(LC_CTYPE, "C"); }
};

TEST_F(KeyDecoder, Utf8CharactersBecomeTheirKeys) {
  UseLocale("C.UTF-8");
  // é, €, a Cyrillic letter, a character beyond 16 bits, then ASCII.
  EXPECT_EQ(Chars(Terminal::Bytes("é€Ж😀a").Keys()), "é€Ж😀a");
}

TEST_F(KeyDecoder, BytesTheLocaleCannotDecodeGiveOneQuestionMarkAndNeverStall) {
  UseLocale("C");
  // A UTF-8 terminal under the C locale: é and ü, each one key.
  EXPECT_EQ(Chars(Terminal::Bytes("\xC3\xA9x\xC3\xBC\t").Keys()), "?x?\t");
  UseLocale("C.UTF-8");
  // A character cut off by silence, by a key or by a byte that cannot continue it.
  EXPECT_EQ(Chars(Terminal({TInput::OfByte(0xE2), TInput::Nothing(), TInput::OfByte('a')}).Keys()),
            "?a");
  EXPECT_EQ(Chars(Terminal({TInput::OfByte(0xC3), TInput::OfKey(F::End)}).Keys()), "?<key>");
  EXPECT_EQ(Chars(Terminal::Bytes("\xC3"
                                  "b\xFF"
                                  "c")
                      .Keys()),
            "?b?c");
}

TEST_F(KeyDecoder, EscapeAloneIsAKeyAndUnknownSequencesAreDroppedWhole) {
  UseLocale("C");
  EXPECT_EQ(Chars(Terminal({TInput::OfByte(27), TInput::Nothing(), TInput::OfByte('a')}).Keys()),
            "\033a");
  // A control sequence, a single shift, Alt with a letter, Alt with a key.
  EXPECT_EQ(Chars(Terminal::Bytes("\033[99;9~a\033OQb\033xc").Keys()), "abc");
  EXPECT_EQ(Chars(Terminal({TInput::OfByte(27), TInput::OfKey(F::Up), TInput::OfByte('d')}).Keys()),
            "d");
  // A sequence broken off by a key, or by a control character, keeps that key.
  EXPECT_EQ(Chars(Terminal({TInput::OfByte(27), TInput::OfByte('['), TInput::OfByte('1'),
                            TInput::OfByte('\t')})
                      .Keys()),
            "\t");
  // Keys the terminal's description names pass through.
  const std::vector<TKey> keys =
      Terminal({TInput::OfKey(F::CtrlTab), TInput::OfKey(F::End)}).Keys();
  ASSERT_EQ(keys.size(), 2u);
  EXPECT_TRUE(keys[0].Is(F::CtrlTab));
  EXPECT_TRUE(keys[1].Is(F::End));
}

}  // namespace
}  // namespace wdx::terminal
