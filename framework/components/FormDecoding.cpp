#include "framework/components/FormDecoding.h"

#include "framework/rtl/Exceptions.h"

namespace wdx::form_decoding {

void InvalidValue() {
  throw EReadError(msg::kInvalidPropertyValue);
}

int32_t IntegerPayload(ByteCursor& in, uint8_t tag) {
  switch (tag) {
    case vaInt8:
      return static_cast<int8_t>(in.Byte());
    case vaInt16:
      return static_cast<int16_t>(in.U16());
    case vaInt32:
      return static_cast<int32_t>(in.U32());
    default:
      InvalidValue();
  }
}

std::string_view StringPayload(ByteCursor& in, uint8_t tag) {
  switch (tag) {
    case vaString:
      return in.ShortString();
    case vaLString:
      return in.View(in.U32());
    default:
      InvalidValue();
  }
}

std::u16string WideStringPayload(ByteCursor& in) {
  const uint32_t count = in.U32();
  in.Need(uint64_t{count} * 2);  // before the allocation
  std::u16string text(count, u'\0');
  for (char16_t& unit : text) unit = static_cast<char16_t>(in.U16());
  return text;
}

TExtended80 ExtendedPayload(ByteCursor& in) {
  TExtended80 bytes{};
  in.Read(bytes.data(), bytes.size());
  return bytes;
}

void ExpectTag(ByteCursor& in, TValueType tag, int& depth) {
  const uint8_t read = in.Byte();
  if (read != tag) {
    SkipPayload(in, read, depth);
    InvalidValue();
  }
}

void SkipPayload(ByteCursor& in, uint8_t tag, int& depth) {
  switch (static_cast<TValueType>(tag & 0x7F)) {
    case vaList: {
      const DepthGuard guard(depth, DepthGuard::kReading);
      while (in.Peek() != vaNull) SkipValue(in, depth);
      in.Byte();
      break;
    }
    case vaInt8:
      in.Skip(1);
      break;
    case vaInt16:
      in.Skip(2);
      break;
    case vaInt32:
    case vaSingle:
      in.Skip(4);
      break;
    case vaExtended:
      in.Skip(10);
      break;
    case vaString:
    case vaIdent:
      in.Skip(in.Byte());
      break;
    case vaBinary:
    case vaLString:
      in.Skip(in.U32());
      break;
    case vaSet:
      for (uint8_t length = in.Byte(); length != 0; length = in.Byte()) in.Skip(length);
      break;
    case vaCollection:
      SkipCollection(in, depth);
      break;
    case vaCurrency:
    case vaDate:
    case vaInt64:
      in.Skip(8);
      break;
    case vaWString:
      in.Skip(uint64_t{in.U32()} * 2);
      break;
    default:  // 0, 8, 9, 13 and the unassigned tags carry nothing
      break;
  }
}

void SkipCollection(ByteCursor& in, int& depth) {
  const DepthGuard guard(depth, DepthGuard::kReading);
  while (in.Peek() != vaNull) {
    if (IsIntegerTag(in.Peek())) SkipValue(in, depth);
    ExpectTag(in, vaList, depth);
    {
      const DepthGuard item(depth, DepthGuard::kReading);
      while (in.Peek() != vaNull) {
        in.ShortString();
        SkipValue(in, depth);
      }
    }
    in.Byte();
  }
  in.Byte();
}

}  // namespace wdx::form_decoding
