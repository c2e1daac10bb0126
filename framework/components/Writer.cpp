#include "framework/components/Writer.h"

#include <bit>
#include <limits>

#include "framework/components/Collection.h"
#include "framework/components/Component.h"
#include "framework/components/Extended80.h"
#include "framework/components/FormEncoder.h"
#include "framework/rtl/CodePage.h"
#include "framework/rtl/Exceptions.h"
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

template <class Encode>
void TWriter::Emit(Encode&& encode) {
  buffer_.clear();
  FormEncoder out(buffer_);
  encode(out);
  stream_.WriteBuffer(buffer_.data(), static_cast<int64_t>(buffer_.size()));
}

void TWriter::WriteValue(TValueType tag) {
  Emit([tag](FormEncoder& out) { out.Tag(tag); });
}

void TWriter::WriteSignature() {
  Emit([](FormEncoder& out) { out.Signature(); });
}

void TWriter::WriteRootComponent(TComponent* root) {
  root_ = root;
  propPath_.clear();
  WriteSignature();
  WriteComponent(root);
}

void TWriter::WriteComponent(TComponent* component) {
  const DepthGuard depth(depth_, DepthGuard::kWriting);
  WriteStr(component->ClassName());
  WriteStr(component->Name());
  WriteProperties(component);
  WriteListEnd();
  component->GetChildren([this](TComponent* child) { WriteComponent(child); }, root_);
  WriteListEnd();
}

void TWriter::WriteInteger(int32_t value) {
  Emit([value](FormEncoder& out) { out.Integer(value); });
}

void TWriter::WriteInt64(int64_t value) {
  Emit([value](FormEncoder& out) { out.Integer(value); });
}

void TWriter::WriteFloat(double value) {
  Emit([value](FormEncoder& out) { out.Extended(DoubleToExtended80(value)); });
}

void TWriter::WriteSingle(float value) {
  Emit([value](FormEncoder& out) { out.SingleBits(std::bit_cast<uint32_t>(value)); });
}

void TWriter::WriteCurrency(int64_t amountTimes10000) {
  Emit([amountTimes10000](FormEncoder& out) { out.Currency(amountTimes10000); });
}

void TWriter::WriteDate(double value) {
  Emit([value](FormEncoder& out) { out.DateBits(std::bit_cast<uint64_t>(value)); });
}

void TWriter::WriteString(const std::string& value) {
  Emit([&value](FormEncoder& out) {
    if (IsAscii(value)) {
      out.String(value);
      return;
    }
    // A text the stream's code page cannot hold goes as a wide string, which holds any.
    if (const std::optional<std::string> bytes = Utf8ToCodePage(value, kStreamCodePage)) {
      out.String(*bytes);
    } else {
      out.WideString(Utf8ToUtf16(value));
    }
  });
}

void TWriter::WriteWideString(const std::u16string& value) {
  Emit([&value](FormEncoder& out) { out.WideString(value); });
}

void TWriter::WriteChar(char value) {
  Emit([value](FormEncoder& out) {
    out.Tag(vaString);
    out.ShortString(std::string_view(&value, 1));
  });
}

void TWriter::WriteIdent(const std::string& ident) {
  Emit([&ident](FormEncoder& out) { out.Ident(ident); });
}

void TWriter::WriteBoolean(bool value) {
  Emit([value](FormEncoder& out) { out.Boolean(value); });
}

void TWriter::WriteStr(const std::string& value) {
  Emit([&value](FormEncoder& out) { out.ShortString(value); });
}

void TWriter::WriteSet(const TTypeInfo& setType, int32_t bits) {
  Emit([&setType, bits](FormEncoder& out) {
    out.Tag(vaSet);
    if (setType.CompType) {
      const std::vector<std::string>& names = setType.CompType->Base().NameList;
      for (size_t i = 0; i < 32 && i < names.size(); ++i) {
        if ((static_cast<uint32_t>(bits) >> i) & 1u) out.ShortString(names[i]);
      }
    }
    out.ShortString("");
  });
}

void TWriter::WriteBinary(const void* data, int64_t size) {
  if (size < 0) StreamWriteError();
  Emit([data, size](FormEncoder& out) {
    out.Binary(std::span(static_cast<const uint8_t*>(data), static_cast<size_t>(size)));
  });
}

void TWriter::WriteCollection(const TCollection* collection) {
  const DepthGuard depth(depth_, DepthGuard::kWriting);
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
  Emit([flags, childPos](FormEncoder& out) {
    out.Tag(static_cast<TValueType>(0xF0 | (flags & 0x0F)));
    if (flags & ffChildPos) out.Integer(childPos);
  });
}

void TWriter::WritePropName(const std::string& name) {
  WriteStr(propPath_ + name);
}

void TWriter::DefineProperty(std::string_view name, TReaderProc, TWriterProc writeData,
                             bool hasData) {
  if (!hasData || !writeData) return;
  WritePropName(std::string(name));
  writeData(*this);
}

void TWriter::DefineBinaryProperty(std::string_view name, TStreamProc, TStreamProc writeData,
                                   bool hasData) {
  if (!hasData || !writeData) return;
  TMemoryStream data;
  writeData(data);
  WritePropName(std::string(name));
  WriteBinary(data.Bytes().data(), static_cast<int64_t>(data.Bytes().size()));
}

// ---------------------------------------------------------------------------------------------
// Properties

void TWriter::WriteProperties(TPersistent* instance) {
  const DepthGuard depth(depth_, DepthGuard::kWriting);
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
      if (const std::string_view ident = type->IdentOf(value); !ident.empty()) {
        WriteIdent(std::string(ident));
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
      Emit([&value](FormEncoder& out) { out.PlainIdent(value.Code->Name); });
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
  if (const auto* component = ObjectCast<TComponent>(value)) {
    const std::string name = ReferenceName(component);
    if (name.empty()) return;
    // Always tag 7: a component may be called nil or True.
    WritePropName(prop.Name);
    Emit([&name](FormEncoder& out) { out.PlainIdent(name); });
    return;
  }
  if (const auto* collection = ObjectCast<TCollection>(value)) {
    WritePropName(prop.Name);
    WriteCollection(collection);
    return;
  }
  if (auto* nested = ObjectCast<TPersistent>(value)) {
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
