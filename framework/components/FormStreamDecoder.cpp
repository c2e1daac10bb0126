#include "framework/components/FormStreamDecoder.h"

#include <cstring>

#include "framework/components/FormDecoding.h"
#include "framework/rtl/Exceptions.h"

namespace wdx {

void FormStreamDecoder::Deeper(int depth) {
  if (depth > kMaxFilerDepth) throw EReadError(msg::kStreamReadError);
}

void FormStreamDecoder::Signature() {
  in_.SetPosition(0);
  if (in_.Remaining() < 4 || std::memcmp(in_.Take(4).data(), "TPF0", 4) != 0) {
    in_.SetPosition(0);
    throw EReadError(msg::kInvalidStreamFormat);
  }
}

void FormStreamDecoder::Walk(FormStreamVisitor& visitor) {
  Signature();
  Object(visitor, 0);
}

FormObjectHeader FormStreamDecoder::ReadRootHeader() {
  Signature();
  return Header(0);
}

FormObjectHeader FormStreamDecoder::Header(int depth) {
  Deeper(depth);
  FormObjectHeader header;
  if (in_.Peek() >= 0xF0) {
    header.hasPrefix = true;
    header.prefix = in_.Byte();
    if (header.prefix & ffChildPos) header.position.push_back(ReadValue(depth));
  }
  header.className = ShortString();
  header.name = ShortString();
  return header;
}

void FormStreamDecoder::Object(FormStreamVisitor& visitor, int depth) {
  visitor.BeginObject(Header(depth), depth);
  while (in_.Peek() != 0) {
    const size_t begin = in_.Position();
    const FormProperty property = Property(depth + 1);
    visitor.Property(property, depth, begin, in_.Position());
  }
  visitor.EndProperties(depth, in_.Position());
  in_.Byte();
  while (in_.Peek() != 0) Object(visitor, depth + 1);
  in_.Byte();
  visitor.EndObject(depth);
}

FormProperty FormStreamDecoder::Property(int depth) {
  FormProperty property;
  property.name = ShortString();
  property.value = ReadValue(depth);
  return property;
}

FormValue FormStreamDecoder::ReadValue(int depth) {
  Deeper(depth);
  FormValue value;
  value.tagByte = in_.Byte();
  Payload(value, depth);
  return value;
}

// As for the reader's skip, only the low seven bits of the tag byte count.
void FormStreamDecoder::Payload(FormValue& value, int depth) {
  switch (value.Tag()) {
    case vaInt8:
    case vaInt16:
    case vaInt32:
      value.integer = form_decoding::IntegerPayload(in_, value.Tag());
      break;
    case vaInt64:
    case vaCurrency:
      value.integer = static_cast<int64_t>(in_.U64());
      break;
    case vaSingle:
      value.bits = in_.U32();
      break;
    case vaDate:
      value.bits = in_.U64();
      break;
    case vaExtended:
      value.extended = form_decoding::ExtendedPayload(in_);
      break;
    case vaString:
    case vaIdent:
      value.bytes = ShortString();
      break;
    case vaLString:
    case vaBinary:
      value.bytes = std::string(in_.View(in_.U32()));
      break;
    case vaWString:
      value.wide = form_decoding::WideStringPayload(in_);
      break;
    case vaSet:
      for (std::string member = ShortString(); !member.empty(); member = ShortString()) {
        value.members.push_back(std::move(member));
      }
      break;
    case vaList:
      while (in_.Peek() != 0) value.list.push_back(ReadValue(depth + 1));
      in_.Byte();
      break;
    case vaCollection:
      while (in_.Peek() != 0) {
        FormItem& item = value.items.emplace_back();
        const uint8_t first = in_.Peek();
        if (IsIntegerTag(first)) {
          item.order.push_back(ReadValue(depth + 1));
        }
        // An item must begin with its list tag; the reader refuses it otherwise.
        if (in_.Byte() != vaList) form_decoding::InvalidValue();
        while (in_.Peek() != 0) item.properties.push_back(Property(depth + 2));
        in_.Byte();
      }
      in_.Byte();
      break;
    default:  // 0, 8, 9, 13 and the unassigned tags carry nothing
      break;
  }
}

}  // namespace wdx
