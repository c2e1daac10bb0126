#include "framework/ui/terminal/KeyDecoder.h"

#include <cwchar>
#include <string>

namespace wdx::terminal {

namespace {

constexpr int kEscape = 27;
// Longer than any sequence a terminal sends for one key.
constexpr int kMaxSequence = 64;

bool IsContinuation(const TInput& input) {
  return input.Kind == TInput::kByte && input.Byte >= 0x80 && input.Byte < 0xC0;
}

}  // namespace

TInput TKeyDecoder::Take(int waitMs) {
  if (pending_) {
    const TInput input = *pending_;
    pending_.reset();
    return input;
  }
  return source_(waitMs);
}

TKey TKeyDecoder::Next() {
  while (true) {
    const TInput input = Take(-1);
    if (input.Kind == TInput::kKey) return TKey::Named(input.Key);
    if (input.Kind != TInput::kByte) continue;
    if (input.Byte != kEscape) {
      return input.Byte < 0x80 ? TKey::Character(input.Byte) : Multibyte(input.Byte);
    }
    // Escape alone is the Escape key. Anything that came with it is a sequence the terminal's
    // description does not name, or Alt with a key; neither means anything here.
    const TInput after = Take(0);
    if (after.Kind == TInput::kNothing) return TKey::Character(kEscape);
    if (after.Kind == TInput::kByte) SkipSequence(after);
  }
}

// Reads the rest of an escape sequence: a control sequence ("ESC [" parameters, intermediates,
// one final byte), a single shift ("ESC O" and one byte), or Alt with a character.
void TKeyDecoder::SkipSequence(const TInput& introducer) {
  if (introducer.Byte == 'O') {
    const TInput final = Take(kPartWaitMs);
    if (final.Kind == TInput::kKey) Unread(final);
    return;
  }
  if (introducer.Byte != '[') return;
  for (int i = 0; i < kMaxSequence; ++i) {
    const TInput part = Take(kPartWaitMs);
    if (part.Kind == TInput::kNothing) return;
    if (part.Kind != TInput::kByte || part.Byte < 0x20 || part.Byte > 0x7E) {
      Unread(part);  // not part of a sequence: a key of its own
      return;
    }
    if (part.Byte >= 0x40) return;  // the final byte
  }
}

TKey TKeyDecoder::Multibyte(int first) {
  std::mbstate_t state{};
  wchar_t wide = 0;
  char byte = static_cast<char>(first);
  size_t result = std::mbrtowc(&wide, &byte, 1, &state);
  if (result == static_cast<size_t>(-1)) {
    // A byte the locale has no character for, most likely a terminal sending UTF-8 to a program
    // whose locale says otherwise: the bytes that belong to it go with it, and the user sees one
    // "?" for the one key.
    TInput more = Take(0);
    while (IsContinuation(more)) more = Take(0);
    if (more.Kind != TInput::kNothing) Unread(more);
    return TKey::Character('?');
  }
  while (result == static_cast<size_t>(-2)) {
    const TInput more = Take(kPartWaitMs);
    if (more.Kind != TInput::kByte) {
      if (more.Kind == TInput::kKey) Unread(more);
      return TKey::Character('?');
    }
    byte = static_cast<char>(more.Byte);
    result = std::mbrtowc(&wide, &byte, 1, &state);
    if (result == static_cast<size_t>(-1)) {
      Unread(more);  // it breaks the character off and may start the next one
      return TKey::Character('?');
    }
  }
  return TKey::Character(static_cast<int>(wide));
}

}  // namespace wdx::terminal
