#include "framework/components/FormStreamDecoder.h"

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/LittleEndian.h"

namespace wdx {

void FormStreamDecoder::Need(uint64_t count) const {
  if (count > bytes_.size() - pos_) throw EReadError(msg::kStreamReadError);
}

uint8_t FormStreamDecoder::Byte() {
  Need(1);
  return bytes_[pos_++];
}

uint8_t FormStreamDecoder::PeekByte() const {
  Need(1);
  return bytes_[pos_];
}

uint64_t FormStreamDecoder::Unsigned(int width) {
  Need(static_cast<uint64_t>(width));
  const uint64_t value = GetLittleEndian(bytes_.data() + pos_, width);
  pos_ += static_cast<size_t>(width);
  return value;
}

std::string FormStreamDecoder::Bytes(uint64_t count) {
  Need(count);  // before anything is allocated
  std::string text(reinterpret_cast<const char*>(bytes_.data() + pos_), count);
  pos_ += count;
  return text;
}

void FormStreamDecoder::Deeper(int depth) {
  if (depth > kMaxFilerDepth) throw EReadError(msg::kStreamReadError);
}

void FormStreamDecoder::Signature() {
  pos_ = 0;
  if (bytes_.size() < 4 || bytes_[0] != 'T' || bytes_[1] != 'P' || bytes_[2] != 'F' ||
      bytes_[3] != '0') {
    throw EReadError(msg::kInvalidStreamFormat);
  }
  pos_ = 4;
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
  if (PeekByte() >= 0xF0) {
    header.hasPrefix = true;
    header.prefix = Byte();
    if (header.prefix & ffChildPos) header.position.push_back(ReadValue(depth));
  }
  header.className = ShortString();
  header.name = ShortString();
  return header;
}

void FormStreamDecoder::Object(FormStreamVisitor& visitor, int depth) {
  visitor.BeginObject(Header(depth), depth);
  while (PeekByte() != 0) {
    const size_t begin = pos_;
    const FormProperty property = Property(depth + 1);
    visitor.Property(property, depth, begin, pos_);
  }
  visitor.EndProperties(depth, pos_);
  ++pos_;
  while (PeekByte() != 0) Object(visitor, depth + 1);
  ++pos_;
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
  value.tagByte = Byte();
  Payload(value, depth);
  return value;
}

// As for the reader's skip, only the low seven bits of the tag byte count.
void FormStreamDecoder::Payload(FormValue& value, int depth) {
  switch (value.Tag()) {
    case vaInt8:
      value.integer = static_cast<int8_t>(Unsigned(1));
      break;
    case vaInt16:
      value.integer = static_cast<int16_t>(Unsigned(2));
      break;
    case vaInt32:
      value.integer = static_cast<int32_t>(Unsigned(4));
      break;
    case vaInt64:
    case vaCurrency:
      value.integer = static_cast<int64_t>(Unsigned(8));
      break;
    case vaSingle:
      value.bits = Unsigned(4);
      break;
    case vaDate:
      value.bits = Unsigned(8);
      break;
    case vaExtended:
      Need(value.extended.size());
      for (uint8_t& b : value.extended) b = Byte();
      break;
    case vaString:
    case vaIdent:
      value.bytes = ShortString();
      break;
    case vaLString:
    case vaBinary:
      value.bytes = Bytes(Unsigned(4));
      break;
    case vaWString: {
      const uint64_t count = Unsigned(4);
      Need(count * 2);
      value.wide.reserve(count);
      for (uint64_t i = 0; i < count; ++i) value.wide.push_back(static_cast<char16_t>(Unsigned(2)));
      break;
    }
    case vaSet:
      for (std::string member = ShortString(); !member.empty(); member = ShortString()) {
        value.members.push_back(std::move(member));
      }
      break;
    case vaList:
      while (PeekByte() != 0) value.list.push_back(ReadValue(depth + 1));
      ++pos_;
      break;
    case vaCollection:
      while (PeekByte() != 0) {
        FormItem& item = value.items.emplace_back();
        const uint8_t first = PeekByte();
        if (first == vaInt8 || first == vaInt16 || first == vaInt32) {
          item.order.push_back(ReadValue(depth + 1));
        }
        // An item must begin with its list tag; the reader refuses it otherwise.
        if (Byte() != vaList) throw EReadError(msg::kInvalidPropertyValue);
        while (PeekByte() != 0) item.properties.push_back(Property(depth + 2));
        ++pos_;
      }
      ++pos_;
      break;
    default:  // 0, 8, 9, 13 and the unassigned tags carry nothing
      break;
  }
}

}  // namespace wdx
