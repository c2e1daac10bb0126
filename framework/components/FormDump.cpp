#include "framework/components/FormDump.h"

#include <bit>

#include "framework/components/Extended80.h"
#include "framework/components/Filer.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Format.h"
#include "framework/rtl/LittleEndian.h"
#include "framework/rtl/NumberText.h"

namespace wdx {

namespace {

const char* const kTagNames[] = {
    "vaNull",       "vaList",   "vaInt8",     "vaInt16",  "vaInt32",   "vaExtended", "vaString",
    "vaIdent",      "vaFalse",  "vaTrue",     "vaBinary", "vaSet",     "vaLString",  "vaNil",
    "vaCollection", "vaSingle", "vaCurrency", "vaDate",   "vaWString", "vaInt64"};

// Text as the form source spells it: quoted runs, with #n for control and non-ASCII codes.
std::string Quoted(const std::u16string& text) {
  std::string out;
  bool open = false;
  for (char16_t c : text) {
    if (c >= 32 && c < 127) {
      if (!open) out += '\'';
      open = true;
      if (c == '\'') out += '\'';
      out += static_cast<char>(c);
    } else {
      if (open) out += '\'';
      open = false;
      out += "#" + std::to_string(c);
    }
  }
  if (open) out += '\'';
  return out.empty() ? "''" : out;
}

class Dumper {
 public:
  Dumper(const std::vector<uint8_t>& bytes, std::string& out) : bytes_(bytes), out_(out) {}

  void Run() {
    if (bytes_.size() < 4 || bytes_[0] != 'T' || bytes_[1] != 'P' || bytes_[2] != 'F' ||
        bytes_[3] != '0') {
      throw EReadError(msg::kInvalidStreamFormat);
    }
    pos_ = 4;
    Object(0);
    if (pos_ != bytes_.size()) {
      out_ += "(" + std::to_string(bytes_.size() - pos_) + " bytes after the root object)\n";
    }
  }

  // Where reading stands: after an error, the byte at which it failed.
  size_t Position() const { return pos_; }

 private:
  void Need(uint64_t count) const {
    if (count > bytes_.size() - pos_) throw EReadError(msg::kStreamReadError);
  }
  uint8_t Byte() {
    Need(1);
    return bytes_[pos_++];
  }
  uint64_t Unsigned(int width) {
    Need(static_cast<uint64_t>(width));
    const uint64_t value = GetLittleEndian(bytes_.data() + pos_, width);
    pos_ += static_cast<size_t>(width);
    return value;
  }
  uint32_t Length() { return static_cast<uint32_t>(Unsigned(4)); }
  std::string Bytes(uint64_t count) {
    Need(count);
    std::string text(bytes_.begin() + static_cast<std::ptrdiff_t>(pos_),
                     bytes_.begin() + static_cast<std::ptrdiff_t>(pos_ + count));
    pos_ += count;
    return text;
  }
  std::string ShortString() { return Bytes(Byte()); }
  uint8_t PeekByte() const {
    Need(1);
    return bytes_[pos_];
  }

  static std::string Indent(int depth) { return std::string(static_cast<size_t>(depth) * 2, ' '); }
  void Deeper(int depth) const {
    if (depth > kMaxFilerDepth) throw EReadError(msg::kStreamReadError);
  }

  // One object record and its children, written line by line as they are read.
  void Object(int depth) {
    Deeper(depth);
    std::string suffix;
    if (PeekByte() >= 0xF0) {
      const uint8_t flags = Byte() & 0x0F;
      suffix = Format(" [flags %u", flags);
      if (flags & ffChildPos) suffix += ", position " + Value(depth);
      suffix += "]";
    }
    const std::string className = ShortString();
    const std::string name = ShortString();
    out_ += Indent(depth) + "object " + (name.empty() ? className : name + ": " + className) +
            suffix + "\n";
    while (PeekByte() != 0) out_ += Property(depth + 1);
    ++pos_;
    while (PeekByte() != 0) Object(depth + 1);
    ++pos_;
    out_ += Indent(depth) + "end\n";
  }

  std::string Property(int depth) {
    const std::string name = ShortString();
    return Indent(depth) + name + " = " + Value(depth) + "\n";
  }

  // The value's tag and its text; nested parts are written as lines of their own. As for the
  // reader's skip, only the low seven bits of the tag byte count.
  std::string Value(int depth) {
    Deeper(depth);
    const uint8_t byte = Byte();
    const uint8_t tag = byte & 0x7F;
    std::string tagName = tag < std::size(kTagNames) ? kTagNames[tag] : Format("tag %u", tag);
    if (byte != tag) tagName += Format(" (tag byte %02X)", byte);
    switch (tag) {
      case vaNull:
      case vaFalse:
      case vaTrue:
      case vaNil:
        return tagName;
      case vaInt8:
        return tagName + " " + IntToStr(static_cast<int8_t>(Unsigned(1)));
      case vaInt16:
        return tagName + " " + IntToStr(static_cast<int16_t>(Unsigned(2)));
      case vaInt32:
        return tagName + " " + IntToStr(static_cast<int32_t>(Unsigned(4)));
      case vaInt64:
        return tagName + " " + IntToStr(static_cast<int64_t>(Unsigned(8)));
      case vaExtended: {
        Need(10);
        TExtended80 raw;
        for (uint8_t& b : raw) b = Byte();
        return tagName + " " + FloatToStr(Extended80ToDouble(raw));
      }
      case vaSingle:
        return tagName + " " +
               FloatToStr(std::bit_cast<float>(static_cast<uint32_t>(Unsigned(4))), 7);
      case vaCurrency:
        return tagName + " " + CurrToStr(static_cast<int64_t>(Unsigned(8)));
      case vaDate:
        return tagName + " " + FloatToStr(std::bit_cast<double>(Unsigned(8)));
      case vaString:
      case vaIdent:
      case vaLString: {
        const std::string text = tag == vaLString ? Bytes(Length()) : ShortString();
        if (tag == vaIdent) return tagName + " " + text;
        return tagName + " " + Quoted(std::u16string(text.begin(), text.end()));
      }
      case vaWString: {
        const uint32_t count = Length();
        Need(uint64_t{count} * 2);
        std::u16string text;
        for (uint32_t i = 0; i < count; ++i) text.push_back(static_cast<char16_t>(Unsigned(2)));
        return tagName + " " + Quoted(text);
      }
      case vaSet: {
        std::string members;
        for (std::string member = ShortString(); !member.empty(); member = ShortString()) {
          members += (members.empty() ? "" : ", ") + member;
        }
        return tagName + " [" + members + "]";
      }
      case vaBinary:
        return tagName + Binary(depth);
      case vaList:
        return tagName + List(depth);
      case vaCollection:
        return tagName + Collection(depth);
      default:
        return tagName + " (not a value tag)";
    }
  }

  std::string Binary(int depth) {
    const std::string data = Bytes(Length());
    std::string text = " " + std::to_string(data.size()) + " bytes";
    for (size_t i = 0; i < data.size(); ++i) {
      if (i % 32 == 0) text += "\n" + Indent(depth + 1);
      text += Format("%02X", static_cast<unsigned char>(data[i]));
    }
    return text;
  }

  std::string List(int depth) {
    std::string text = " (";
    while (PeekByte() != 0) text += "\n" + Indent(depth + 1) + Value(depth + 1);
    ++pos_;
    return text + ")";
  }

  std::string Collection(int depth) {
    std::string text = " <";
    while (PeekByte() != 0) {
      text += "\n" + Indent(depth + 1) + "item";
      const uint8_t first = PeekByte();
      if (first == vaInt8 || first == vaInt16 || first == vaInt32) {
        text += " [order " + Value(depth + 1) + "]";
      }
      // An item must begin with its list tag; the reader refuses it otherwise.
      if (Byte() != vaList) throw EReadError(msg::kInvalidPropertyValue);
      text += "\n";
      while (PeekByte() != 0) text += Property(depth + 2);
      ++pos_;
      text += Indent(depth + 1) + "end";
    }
    ++pos_;
    return text + ">";
  }

  const std::vector<uint8_t>& bytes_;
  std::string& out_;
  size_t pos_ = 0;
};

}  // namespace

std::string DumpFormStream(const std::vector<uint8_t>& bytes) {
  std::string text;
  size_t offset = 0;
  DumpFormStream(bytes, text, offset);
  return text;
}

void DumpFormStream(const std::vector<uint8_t>& bytes, std::string& text, size_t& offset) {
  Dumper dumper(bytes, text);
  try {
    dumper.Run();
  } catch (const EReadError&) {
    offset = dumper.Position();
    throw;
  }
}

}  // namespace wdx
