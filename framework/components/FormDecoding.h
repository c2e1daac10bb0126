// The payloads of form stream values, read from a byte cursor, and the skip of a value of any
// tag. A payload that runs past the end raises EReadError "Stream read error"; a tag that does
// not fit what is asked for raises EReadError "Invalid property value".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "framework/components/Extended80.h"
#include "framework/components/FormValues.h"
#include "framework/rtl/ByteCursor.h"

namespace wdx::form_decoding {

[[noreturn]] void InvalidValue();

// The integer of tag 2, 3 or 4.
int32_t IntegerPayload(ByteCursor& in, uint8_t tag);
// The stored bytes of a string of tag 6 or 12, in place.
std::string_view StringPayload(ByteCursor& in, uint8_t tag);
// The code units of a wide string (tag 18).
std::u16string WideStringPayload(ByteCursor& in);
TExtended80 ExtendedPayload(ByteCursor& in);

// Skips the payload of a value whose tag byte has been read; only its low seven bits count.
// Lists and collections count their nesting in `depth`.
void SkipPayload(ByteCursor& in, uint8_t tag, int& depth);
inline void SkipValue(ByteCursor& in, int& depth) {
  const uint8_t tag = in.Byte();
  SkipPayload(in, tag, depth);
}
// Consumes the tag `tag` (list begin, list end, binary); any other tag's value is skipped and then
// refused.
void ExpectTag(ByteCursor& in, TValueType tag, int& depth);
// The items of a collection whose tag 14 has been read, each item's properties as name and
// value, and the closing tag 0.
void SkipCollection(ByteCursor& in, int& depth);

}  // namespace wdx::form_decoding
