// Turns what a terminal sends into keys. Characters are decoded the way the user's locale
// (LC_CTYPE) says the terminal encodes them and narrowed to the program's code page, "?" standing
// for what the code page lacks or the locale cannot decode; an escape sequence that names no key
// is read whole and dropped. The rest of a character or sequence is waited for only a moment, so
// nothing the terminal sends can stall the input.
#pragma once

#include <functional>
#include <optional>
#include <utility>

#include "framework/ui/terminal/Key.h"

namespace wdx::terminal {

// One thing the terminal sent: a byte, a key the terminal's description names, or nothing within
// the time waited.
struct TInput {
  enum TKind { kNothing, kByte, kKey };
  TKind Kind = kNothing;
  int Byte = 0;
  TFunctionKey Key = TFunctionKey::None;

  static TInput Nothing() { return {}; }
  static TInput OfByte(int byte) { return {kByte, byte, TFunctionKey::None}; }
  static TInput OfKey(TFunctionKey key) { return {kKey, 0, key}; }
};

// What the terminal sends next, waiting up to `waitMs` milliseconds (without end when negative).
using TInputSource = std::function<TInput(int waitMs)>;

// How long the rest of a character or of an escape sequence may take to arrive.
constexpr int kPartWaitMs = 50;

class TKeyDecoder {
 public:
  explicit TKeyDecoder(TInputSource source) : source_(std::move(source)) {}

  // Waits for the next key.
  TKey Next();

 private:
  TInput Take(int waitMs);
  void Unread(const TInput& input) { pending_ = input; }
  void SkipSequence(const TInput& introducer);
  TKey Multibyte(int first);

  TInputSource source_;
  std::optional<TInput> pending_;
};

}  // namespace wdx::terminal
