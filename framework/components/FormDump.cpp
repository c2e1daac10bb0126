#include "framework/components/FormDump.h"

#include <bit>

#include "framework/components/FormStreamDecoder.h"
#include "framework/components/ObjectText.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Format.h"
#include "framework/rtl/NumberText.h"

namespace wdx {

namespace {

std::string Indent(int depth) {
  return std::string(static_cast<size_t>(depth) * 2, ' ');
}

// A value's tag and its text; nested parts are written as lines of their own.
std::string ValueText(const FormValue& value, int depth) {
  const TValueType tag = value.Tag();
  const char* name = ValueTypeName(tag);
  std::string text = name ? name : Format("tag %u", tag);
  if (value.tagByte != tag) text += Format(" (tag byte %02X)", value.tagByte);
  switch (tag) {
    case vaNull:
    case vaFalse:
    case vaTrue:
    case vaNil:
      return text;
    case vaInt8:
    case vaInt16:
    case vaInt32:
    case vaInt64:
      return text + " " + IntToStr(value.integer);
    case vaExtended:
      return text + " " + FloatToStr(Extended80ToDouble(value.extended));
    case vaSingle:
      return text + " " + FloatToStr(std::bit_cast<float>(static_cast<uint32_t>(value.bits)), 7);
    case vaCurrency:
      return text + " " + CurrToStr(value.integer);
    case vaDate:
      return text + " " + FloatToStr(std::bit_cast<double>(value.bits));
    case vaIdent:
      return text + " " + value.bytes;
    case vaString:
    case vaLString:
      return text + " " + QuoteObjectText(value.bytes);
    case vaWString:
      return text + " " + QuoteObjectText(value.wide);
    case vaSet: {
      std::string members;
      for (const std::string& member : value.members) {
        members += (members.empty() ? "" : ", ") + member;
      }
      return text + " [" + members + "]";
    }
    case vaBinary: {
      text += " " + std::to_string(value.bytes.size()) + " bytes";
      for (size_t i = 0; i < value.bytes.size(); ++i) {
        if (i % 32 == 0) text += "\n" + Indent(depth + 1);
        text += Format("%02X", static_cast<unsigned char>(value.bytes[i]));
      }
      return text;
    }
    case vaList:
      text += " (";
      for (const FormValue& element : value.list) {
        text += "\n" + Indent(depth + 1) + ValueText(element, depth + 1);
      }
      return text + ")";
    case vaCollection:
      text += " <";
      for (const FormItem& item : value.items) {
        text += "\n" + Indent(depth + 1) + "item";
        if (!item.order.empty())
          text += " [order " + ValueText(item.order.front(), depth + 1) + "]";
        text += "\n";
        for (const FormProperty& property : item.properties) {
          text += Indent(depth + 2) + property.name + " = " + ValueText(property.value, depth + 2) +
                  "\n";
        }
        text += Indent(depth + 1) + "end";
      }
      return text + ">";
    default:
      return text + " (not a value tag)";
  }
}

// Each record is written as soon as it is read, so that a damaged stream shows what came
// before the damage.
class Dumper : public FormStreamVisitor {
 public:
  explicit Dumper(std::string& out) : out_(out) {}

  void BeginObject(const FormObjectHeader& header, int depth) override {
    std::string suffix;
    if (header.hasPrefix) {
      const unsigned flags = header.prefix & 0x0F;
      suffix = Format(" [flags %u", flags);
      if (!header.position.empty()) {
        suffix += ", position " + ValueText(header.position.front(), depth);
      }
      suffix += "]";
    }
    out_ += Indent(depth) + "object " +
            (header.name.empty() ? header.className : header.name + ": " + header.className) +
            suffix + "\n";
  }
  void Property(const FormProperty& property, int depth, size_t, size_t) override {
    out_ += Indent(depth + 1) + property.name + " = " + ValueText(property.value, depth + 1) + "\n";
  }
  void EndObject(int depth) override { out_ += Indent(depth) + "end\n"; }

 private:
  std::string& out_;
};

}  // namespace

std::string DumpFormStream(const std::vector<uint8_t>& bytes) {
  std::string text;
  size_t offset = 0;
  DumpFormStream(bytes, text, offset);
  return text;
}

void DumpFormStream(const std::vector<uint8_t>& bytes, std::string& text, size_t& offset) {
  FormStreamDecoder decoder(bytes);
  Dumper dumper(text);
  try {
    decoder.Walk(dumper);
  } catch (const EReadError&) {
    offset = decoder.Position();
    throw;
  }
  if (decoder.Position() != bytes.size()) {
    text +=
        "(" + std::to_string(bytes.size() - decoder.Position()) + " bytes after the root object)\n";
  }
}

}  // namespace wdx
