#include "framework/components/Writer.h"

#include <bit>
#include <limits>

#include "framework/components/Collection.h"
#include "framework/components/Component.h"
#include "framework/components/Extended80.h"
#include "framework/rtl/CodePage.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/LittleEndian.h"
#include "framework/rtl/StrUtils.h"
#include "framework/rtl/Streams.h"
#include "framework/rtl/Utf8.h"
#include "framework/rtti/MetaClass.h"
#include "framework/rtti/PropAccess.h"

namespace wdx {

namespace {

[[noreturn]] void StreamWriteError() {
  throw EWriteError(msg::kStreamWriteError);
}

}  // namespace

// Nested objects that lead back to themselves would otherwise recurse without end.
class TWriter::DepthGuard {
 public:
  explicit DepthGuard(TWriter& writer) : writer_(writer) {
    if (writer_.depth_ >= kMaxFilerDepth) StreamWriteError();
    ++writer_.depth_;
  }
  ~DepthGuard() { --writer_.depth_; }
  DepthGuard(const DepthGuard&) = delete;
  DepthGuard& operator=(const DepthGuard&) = delete;

 private:
  TWriter& writer_;
};

void TWriter::WriteBytes(const void* data, int64_t size) {
  stream_.WriteBuffer(data, size);
}

void TWriter::WriteLittleEndian(uint64_t value, int bytes) {
  uint8_t buffer[8];
  PutLittleEndian(buffer, value, bytes);
  WriteBytes(buffer, bytes);
}

void TWriter::WriteValue(TValueType tag) {
  const uint8_t byte = tag;
  WriteBytes(&byte, 1);
}

void TWriter::WriteSignature() {
  WriteBytes("TPF0", 4);
}

void TWriter::WriteRootComponent(TComponent* root) {
  root_ = root;
  propPath_.clear();
  WriteSignature();
  WriteComponent(root);
}

void TWriter::WriteComponent(TComponent* component) {
  DepthGuard depth(*this);
  WriteStr(component->ClassName());
  WriteStr(component->Name());
  WriteProperties(component);
  WriteListEnd();
  component->GetChildren([this](TComponent* child) { WriteComponent(child); }, root_);
  WriteListEnd();
}

void TWriter::WriteInteger(int32_t value) {
  if (value >= -128 && value <= 127) {
    WriteValue(vaInt8);
    WriteLittleEndian(static_cast<uint8_t>(value), 1);
  } else if (value >= -32768 && value <= 32767) {
    WriteValue(vaInt16);
    WriteLittleEndian(static_cast<uint16_t>(value), 2);
  } else {
    WriteValue(vaInt32);
    WriteLittleEndian(static_cast<uint32_t>(value), 4);
  }
}

void TWriter::WriteInt64(int64_t value) {
  if (value >= std::numeric_limits<int32_t>::min() &&
      value <= std::numeric_limits<int32_t>::max()) {
    WriteInteger(static_cast<int32_t>(value));
    return;
  }
  WriteValue(vaInt64);
  WriteLittleEndian(static_cast<uint64_t>(value), 8);
}

void TWriter::WriteFloat(double value) {
  WriteValue(vaExtended);
  const TExtended80 bytes = DoubleToExtended80(value);
  WriteBytes(bytes.data(), static_cast<int64_t>(bytes.size()));
}

void TWriter::WriteSingle(float value) {
  WriteValue(vaSingle);
  WriteLittleEndian(std::bit_cast<uint32_t>(value), 4);
}

void TWriter::WriteCurrency(int64_t amountTimes10000) {
  WriteValue(vaCurrency);
  WriteLittleEndian(static_cast<uint64_t>(amountTimes10000), 8);
}

void TWriter::WriteDate(double value) {
  WriteValue(vaDate);
  WriteLittleEndian(std::bit_cast<uint64_t>(value), 8);
}

void TWriter::WriteString(const std::string& value) {
  if (IsAscii(value)) {
    WriteStreamString(value);
    return;
  }
  // A text the stream's code page cannot hold goes as a wide string, which holds any.
  if (const std::optional<std::string> bytes = Utf8ToCodePage(value, kStreamCodePage)) {
    WriteStreamString(*bytes);
  } else {
    WriteWideString(Utf8ToUtf16(value));
  }
}

void TWriter::WriteStreamString(const std::string& value) {
  if (value.size() <= 255) {
    WriteValue(vaString);
    WriteStr(value);
    return;
  }
  if (value.size() > std::numeric_limits<uint32_t>::max()) StreamWriteError();
  WriteValue(vaLString);
  WriteLittleEndian(value.size(), 4);
  WriteBytes(value.data(), static_cast<int64_t>(value.size()));
}

void TWriter::WriteWideString(const std::u16string& value) {
  if (value.size() > std::numeric_limits<uint32_t>::max() / 2) StreamWriteError();
  WriteValue(vaWString);
  WriteLittleEndian(value.size(), 4);
  for (const char16_t unit : value) WriteLittleEndian(unit, 2);
}

void TWriter::WriteChar(char value) {
  WriteValue(vaString);
  const uint8_t bytes[2] = {1, static_cast<uint8_t>(value)};
  WriteBytes(bytes, 2);
}

void TWriter::WriteIdent(const std::string& ident) {
  if (SameText(ident, "False")) {
    WriteValue(vaFalse);
  } else if (SameText(ident, "True")) {
    WriteValue(vaTrue);
  } else if (SameText(ident, "Null")) {
    WriteValue(vaNull);
  } else if (SameText(ident, "nil")) {
    WriteValue(vaNil);
  } else {
    WriteValue(vaIdent);
    WriteStr(ident);
  }
}

void TWriter::WriteBoolean(bool value) {
  WriteValue(value ? vaTrue : vaFalse);
}

void TWriter::WriteStr(const std::string& value) {
  const size_t length = value.size() > 255 ? 255 : value.size();
  const uint8_t byte = static_cast<uint8_t>(length);
  WriteBytes(&byte, 1);
  WriteBytes(value.data(), static_cast<int64_t>(length));
}

void TWriter::WriteSet(const TTypeInfo& setType, int32_t bits) {
  WriteValue(vaSet);
  if (setType.CompType) {
    const std::vector<std::string>& names = setType.CompType->Base().NameList;
    for (size_t i = 0; i < 32 && i < names.size(); ++i) {
      if ((static_cast<uint32_t>(bits) >> i) & 1u) WriteStr(names[i]);
    }
  }
  WriteStr("");
}

void TWriter::WriteBinary(const void* data, int64_t size) {
  if (size < 0 || size > std::numeric_limits<uint32_t>::max()) StreamWriteError();
  WriteValue(vaBinary);
  WriteLittleEndian(static_cast<uint64_t>(size), 4);
  WriteBytes(data, size);
}

void TWriter::WriteCollection(const TCollection* collection) {
  DepthGuard depth(*this);
  // Item properties are named from the item, not from the object holding the collection.
  const std::string savedPath = propPath_;
  propPath_.clear();
  WriteValue(vaCollection);
  try {
    if (collection) {
      for (int i = 0; i < collection->Count(); ++i) {
        WriteListBegin();
        WriteProperties(collection->Items(i));
        WriteListEnd();
      }
    }
  } catch (...) {
    propPath_ = savedPath;
    throw;
  }
  propPath_ = savedPath;
  WriteListEnd();
}

void TWriter::WriteVariant(const Variant& value) {
  if (value.IsArray()) StreamWriteError();
  switch (value.VType()) {
    case varEmpty:
      WriteValue(vaNil);
      break;
    case varNull:
      WriteValue(vaNull);
      break;
    case varSmallint:
    case varInteger:
    case varByte:
      WriteInteger(static_cast<int32_t>(value.RawInt()));
      break;
    case varSingle:
      WriteSingle(static_cast<float>(value.RawReal()));
      break;
    case varDouble:
      WriteFloat(value.RawReal());
      break;
    case varCurrency:
      WriteCurrency(value.RawInt());
      break;
    case varDate:
      WriteDate(value.RawReal());
      break;
    case varOleStr:
      WriteWideString(value.RawWide());
      break;
    case varBoolean:
      WriteBoolean(value.RawInt() != 0);
      break;
    case varString:
      WriteString(value.RawString());
      break;
    default:
      WriteString(value.ToString());
      break;
  }
}

void TWriter::WritePrefix(uint8_t flags, int32_t childPos) {
  if (flags == 0) return;
  const uint8_t byte = static_cast<uint8_t>(0xF0 | (flags & 0x0F));
  WriteBytes(&byte, 1);
  if (flags & ffChildPos) WriteInteger(childPos);
}

void TWriter::WritePropName(const std::string& name) {
  WriteStr(propPath_ + name);
}

void TWriter::DefineProperty(const std::string& name, const TReaderProc&,
                             const TWriterProc& writeData, bool hasData) {
  if (!hasData || !writeData) return;
  WritePropName(name);
  writeData(*this);
}

void TWriter::DefineBinaryProperty(const std::string& name, const TStreamProc&,
                                   const TStreamProc& writeData, bool hasData) {
  if (!hasData || !writeData) return;
  TMemoryStream data;
  writeData(data);
  WritePropName(name);
  WriteBinary(data.Bytes().data(), static_cast<int64_t>(data.Bytes().size()));
}

// ---------------------------------------------------------------------------------------------
// Properties

void TWriter::WriteProperties(TPersistent* instance) {
  DepthGuard depth(*this);
  for (const TPropInfo* prop : instance->ClassType().Properties()) {
    if (prop->Readable && prop->Writable && prop->IsStored(instance)) {
      WriteProperty(instance, *prop);
    }
  }
  instance->DefineProperties(this);
}

void TWriter::WriteProperty(TPersistent* instance, const TPropInfo& prop) {
  const TTypeInfo* type = prop.PropType();
  if (!type) return;
  const auto isDefault = [&](int32_t value) { return prop.HasDefault && value == prop.Default; };
  switch (type->Kind) {
    case tkInteger: {
      const int32_t value = GetOrdProp(instance, prop);
      if (isDefault(value)) return;
      WritePropName(prop.Name);
      if (const char* ident = type->IdentOf(value)) {
        WriteIdent(ident);
      } else {
        WriteInteger(value);
      }
      return;
    }
    case tkChar:
    case tkWChar: {
      const int32_t value = GetOrdProp(instance, prop);
      if (isDefault(value)) return;
      WritePropName(prop.Name);
      if (value >= 0 && value <= 255) {
        WriteChar(static_cast<char>(value));
      } else {
        WriteWideString(std::u16string(1, static_cast<char16_t>(value)));
      }
      return;
    }
    case tkEnumeration: {
      const int32_t value = GetOrdProp(instance, prop);
      if (isDefault(value)) return;
      const std::vector<std::string>& names = type->Base().NameList;
      // A value without a name could not be read back.
      if (value < 0 || static_cast<size_t>(value) >= names.size()) StreamWriteError();
      WritePropName(prop.Name);
      WriteIdent(names[static_cast<size_t>(value)]);
      return;
    }
    case tkSet: {
      const int32_t value = GetOrdProp(instance, prop);
      if (isDefault(value)) return;
      WritePropName(prop.Name);
      WriteSet(*type, value);
      return;
    }
    case tkFloat: {
      const double value = GetFloatProp(instance, prop);
      if (value == 0) return;
      WritePropName(prop.Name);
      WriteFloat(value);
      return;
    }
    case tkInt64: {
      const int64_t value = GetInt64Prop(instance, prop);
      if (value == 0) return;
      WritePropName(prop.Name);
      WriteInt64(value);
      return;
    }
    case tkString:
    case tkLString:
    case tkWString: {
      const std::string value = GetStrProp(instance, prop);
      if (value.empty()) return;
      WritePropName(prop.Name);
      WriteString(value);
      return;
    }
    case tkMethod: {
      const TNotifyEvent value = GetMethodProp(instance, prop);
      // Only a handler that the root publishes can be found again by name.
      if (!value.Code || !root_ || !root_->ClassType().FindMethod(value.Code)) return;
      WritePropName(prop.Name);
      WriteValue(vaIdent);
      WriteStr(value.Code->Name);
      return;
    }
    case tkVariant: {
      const Variant value = GetVariantProp(instance, prop);
      if (value.IsEmpty()) return;
      if (value.IsArray()) StreamWriteError();
      WritePropName(prop.Name);
      WriteVariant(value);
      return;
    }
    case tkClass:
      WriteObjectProp(instance, prop);
      return;
    default:
      return;
  }
}

void TWriter::WriteObjectProp(TPersistent* instance, const TPropInfo& prop) {
  TObject* value = GetObjectProp(instance, prop);
  if (!value) return;
  if (const auto* component = dynamic_cast<const TComponent*>(value)) {
    const std::string name = ReferenceName(component);
    if (name.empty()) return;
    // Always tag 7: a component may be called nil or True.
    WritePropName(prop.Name);
    WriteValue(vaIdent);
    WriteStr(name);
    return;
  }
  if (const auto* collection = dynamic_cast<const TCollection*>(value)) {
    WritePropName(prop.Name);
    WriteCollection(collection);
    return;
  }
  if (auto* nested = dynamic_cast<TPersistent*>(value)) {
    const std::string savedPath = propPath_;
    propPath_ += prop.Name + ".";
    try {
      WriteProperties(nested);
    } catch (...) {
      propPath_ = savedPath;
      throw;
    }
    propPath_ = savedPath;
  }
}

std::string TWriter::ReferenceName(const TComponent* component) const {
  if (component->Owner() && component->Owner() == root_) return component->Name();
  if (component == root_) return "Owner";
  if (component->Name().empty()) return "";
  const TComponent* owner = component->Owner();
  if (owner && !owner->Name().empty()) return owner->Name() + "." + component->Name();
  return component->Name() + ".Owner";
}

}  // namespace wdx
