#include "framework/components/Reader.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <unordered_set>

#include "framework/components/Collection.h"
#include "framework/components/Component.h"
#include "framework/components/Extended80.h"
#include "framework/rtl/CodePage.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Format.h"
#include "framework/rtl/LittleEndian.h"
#include "framework/rtl/StrUtils.h"
#include "framework/rtl/Streams.h"
#include "framework/rtl/Utf8.h"
#include "framework/rtti/ClassRegistry.h"
#include "framework/rtti/LiveObjects.h"
#include "framework/rtti/MetaClass.h"
#include "framework/rtti/PropAccess.h"

namespace wdx {

namespace {

constexpr char kSignature[4] = {'T', 'P', 'F', '0'};

[[noreturn]] void StreamReadError() {
  throw EReadError(msg::kStreamReadError);
}

std::string ObjectName(const TPersistent* instance) {
  if (const auto* component = dynamic_cast<const TComponent*>(instance)) {
    if (!component->Name().empty()) return component->Name();
  }
  return instance->ClassName();
}

bool IsIntegerTag(TValueType tag) {
  return tag == vaInt8 || tag == vaInt16 || tag == vaInt32;
}

std::vector<std::string> SplitPath(const std::string& path) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    const size_t dot = path.find('.', start);
    if (dot == std::string::npos) break;
    parts.push_back(path.substr(start, dot - start));
    start = dot + 1;
  }
  parts.push_back(path.substr(start));
  return parts;
}

// Whether `target` is `component` or lies inside it, following the children the writer would put
// in its record. The visited set keeps even a damaged tree from looping.
bool Contains(TComponent* component, const TComponent* target, TComponent* root) {
  std::vector<TComponent*> pending{component};
  std::unordered_set<const TComponent*> visited;
  while (!pending.empty()) {
    TComponent* current = pending.back();
    pending.pop_back();
    if (current == target) return true;
    if (!visited.insert(current).second) continue;
    current->GetChildren([&pending](TComponent* child) { pending.push_back(child); }, root);
  }
  return false;
}

}  // namespace

// Counts one level of nesting for as long as it lives; too deep a stream is a damaged one.
class TReader::DepthGuard {
 public:
  explicit DepthGuard(TReader& reader) : reader_(reader) {
    if (reader_.depth_ >= kMaxFilerDepth) StreamReadError();
    ++reader_.depth_;
  }
  ~DepthGuard() { --reader_.depth_; }
  DepthGuard(const DepthGuard&) = delete;
  DepthGuard& operator=(const DepthGuard&) = delete;

 private:
  TReader& reader_;
};

TReader::TReader(TStream& stream) : TFiler(stream) {}

TReader::~TReader() = default;

// ---------------------------------------------------------------------------------------------
// Raw bytes

void TReader::Need(int64_t count) {
  if (count < 0 || count > stream_.Remaining()) StreamReadError();
}

void TReader::ReadBytes(void* buffer, int64_t count) {
  Need(count);
  stream_.ReadBuffer(buffer, count);
}

void TReader::SkipBytes(int64_t count) {
  Need(count);
  stream_.Seek(count, TSeekOrigin::soCurrent);
}

uint8_t TReader::ReadByte() {
  uint8_t byte = 0;
  ReadBytes(&byte, 1);
  return byte;
}

uint64_t TReader::ReadUnsigned(int bytes) {
  uint8_t buffer[8] = {};
  ReadBytes(buffer, bytes);
  uint64_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | buffer[i];
  return value;
}

uint32_t TReader::ReadLength() {
  return static_cast<uint32_t>(ReadUnsigned(4));
}

std::string TReader::ReadBytesAsString(int64_t count) {
  Need(count);  // before the allocation
  std::string text(static_cast<size_t>(count), '\0');
  if (count > 0) stream_.ReadBuffer(text.data(), count);
  return text;
}

std::string TReader::ReadStr() {
  return ReadBytesAsString(ReadByte());
}

void TReader::InvalidValue() {
  throw EReadError(msg::kInvalidPropertyValue);
}

// ---------------------------------------------------------------------------------------------
// Tagged values

TValueType TReader::ReadValue() {
  return static_cast<TValueType>(ReadByte());
}

TValueType TReader::NextValue() {
  const TValueType tag = ReadValue();
  stream_.Seek(-1, TSeekOrigin::soCurrent);
  return tag;
}

bool TReader::EndOfList() {
  return NextValue() == vaNull;
}

void TReader::ReadListBegin() {
  const TValueType tag = ReadValue();
  if (tag != vaList) {
    SkipValueOf(tag);
    InvalidValue();
  }
}

void TReader::ReadListEnd() {
  const TValueType tag = ReadValue();
  if (tag != vaNull) {
    SkipValueOf(tag);
    InvalidValue();
  }
}

int32_t TReader::IntegerPayload(TValueType tag) {
  switch (tag) {
    case vaInt8:
      return static_cast<int8_t>(ReadUnsigned(1));
    case vaInt16:
      return static_cast<int16_t>(ReadUnsigned(2));
    case vaInt32:
      return static_cast<int32_t>(ReadUnsigned(4));
    default:
      InvalidValue();
  }
}

std::string TReader::StringPayload(TValueType tag) {
  switch (tag) {
    case vaString:
      return ReadStr();
    case vaLString:
      return ReadBytesAsString(ReadLength());
    default:
      InvalidValue();
  }
}

int32_t TReader::ReadInteger() {
  return IntegerPayload(ReadValue());
}

int64_t TReader::ReadInt64() {
  const TValueType tag = ReadValue();
  if (tag == vaInt64) return static_cast<int64_t>(ReadUnsigned(8));
  return IntegerPayload(tag);
}

double TReader::ReadFloat() {
  const TValueType tag = ReadValue();
  if (tag == vaExtended) {
    TExtended80 bytes{};
    ReadBytes(bytes.data(), static_cast<int64_t>(bytes.size()));
    return Extended80ToDouble(bytes);
  }
  return IntegerPayload(tag);
}

float TReader::ReadSingle() {
  const TValueType tag = ReadValue();
  if (tag == vaSingle) {
    return std::bit_cast<float>(static_cast<uint32_t>(ReadUnsigned(4)));
  }
  return static_cast<float>(IntegerPayload(tag));
}

int64_t TReader::ReadCurrency() {
  const TValueType tag = ReadValue();
  if (tag == vaCurrency) return static_cast<int64_t>(ReadUnsigned(8));
  return int64_t{IntegerPayload(tag)} * 10000;
}

double TReader::ReadDate() {
  const TValueType tag = ReadValue();
  if (tag == vaDate) {
    return std::bit_cast<double>(ReadUnsigned(8));
  }
  return IntegerPayload(tag);
}

std::string TReader::ReadString() {
  const TValueType tag = ReadValue();
  if (tag == vaWString) return Utf16ToUtf8(WideStringPayload());
  return CodePageToUtf8(StringPayload(tag), kStreamCodePage);
}

std::u16string TReader::ReadWideString() {
  const TValueType tag = ReadValue();
  if (tag != vaWString) return Utf8ToUtf16(CodePageToUtf8(StringPayload(tag), kStreamCodePage));
  return WideStringPayload();
}

std::u16string TReader::WideStringPayload() {
  const uint32_t count = ReadLength();
  Need(int64_t{count} * 2);
  std::u16string text(count, u'\0');
  for (uint32_t i = 0; i < count; ++i) text[i] = static_cast<char16_t>(ReadUnsigned(2));
  return text;
}

char TReader::ReadChar() {
  if (ReadValue() != vaString || ReadByte() != 1) InvalidValue();
  return static_cast<char>(ReadByte());
}

int32_t TReader::ReadCharCode(bool wide) {
  const TValueType tag = ReadValue();
  if (tag == vaString) {
    if (ReadByte() != 1) InvalidValue();
    return ReadByte();
  }
  // A wide character above 255 is written as a wide string of one code unit.
  if (tag != vaWString || !wide || ReadLength() != 1) InvalidValue();
  return static_cast<int32_t>(ReadUnsigned(2));
}

std::string TReader::ReadIdent() {
  switch (ReadValue()) {
    case vaIdent:
      return ReadStr();
    case vaFalse:
      return "False";
    case vaTrue:
      return "True";
    case vaNil:
      return "nil";
    case vaNull:
      return "Null";
    default:
      InvalidValue();
  }
}

bool TReader::ReadBoolean() {
  const TValueType tag = ReadValue();
  if (tag != vaFalse && tag != vaTrue) InvalidValue();
  return tag == vaTrue;
}

int32_t TReader::ReadSet(const TTypeInfo& setType) {
  if (ReadValue() != vaSet || !setType.CompType) InvalidValue();
  const TTypeInfo& element = setType.CompType->Base();
  uint32_t bits = 0;
  for (;;) {
    const std::string name = ReadStr();
    if (name.empty()) break;
    size_t ordinal = 0;
    while (ordinal < element.NameList.size() && !SameText(element.NameList[ordinal], name)) {
      ++ordinal;
    }
    if (ordinal == element.NameList.size()) InvalidValue();
    if (ordinal <= 31) bits |= uint32_t{1} << ordinal;
  }
  return static_cast<int32_t>(bits);
}

Variant TReader::ReadVariant() {
  const TValueType tag = ReadValue();
  switch (tag) {
    case vaNil:
      return Variant();
    case vaNull:
      return Variant::Null();
    case vaInt8: {
      // A negative 8-bit value does not fit a byte; it keeps its value as a small integer.
      const int32_t value = IntegerPayload(tag);
      if (value < 0) return Variant::Smallint(static_cast<int16_t>(value));
      return Variant::Byte(static_cast<uint8_t>(value));
    }
    case vaInt16:
      return Variant::Smallint(static_cast<int16_t>(IntegerPayload(tag)));
    case vaInt32:
      return Variant(IntegerPayload(tag));
    case vaExtended:
      stream_.Seek(-1, TSeekOrigin::soCurrent);
      return Variant(ReadFloat());
    case vaSingle:
      stream_.Seek(-1, TSeekOrigin::soCurrent);
      return Variant::Single(ReadSingle());
    case vaCurrency:
      return Variant::Currency(static_cast<int64_t>(ReadUnsigned(8)));
    case vaDate:
      stream_.Seek(-1, TSeekOrigin::soCurrent);
      return Variant::Date(ReadDate());
    case vaWString:
      stream_.Seek(-1, TSeekOrigin::soCurrent);
      return Variant::Wide(ReadWideString());
    case vaFalse:
    case vaTrue:
      return Variant(tag == vaTrue);
    case vaString:
    case vaLString:
      return Variant(CodePageToUtf8(StringPayload(tag), kStreamCodePage));
    default:
      StreamReadError();
  }
}

void TReader::ReadCollection(TCollection* collection) {
  DepthGuard depth(*this);
  if (!EndOfList()) collection->Clear();
  while (!EndOfList()) {
    if (IsIntegerTag(NextValue())) ReadInteger();  // the item's order: not used
    ReadListBegin();
    ReadProperties(collection->Add());
  }
  ReadListEnd();
}

// ---------------------------------------------------------------------------------------------
// Skipping

void TReader::SkipValue() {
  SkipValueOf(ReadValue());
}

void TReader::SkipProperty() {
  ReadStr();
  SkipValue();
}

void TReader::SkipValueOf(uint8_t tag) {
  switch (static_cast<TValueType>(tag & 0x7F)) {
    case vaList: {
      DepthGuard depth(*this);
      while (!EndOfList()) SkipValue();
      ReadListEnd();
      break;
    }
    case vaInt8:
      SkipBytes(1);
      break;
    case vaInt16:
      SkipBytes(2);
      break;
    case vaInt32:
    case vaSingle:
      SkipBytes(4);
      break;
    case vaExtended:
      SkipBytes(10);
      break;
    case vaString:
    case vaIdent:
      SkipBytes(ReadByte());
      break;
    case vaBinary:
    case vaLString:
      SkipBytes(ReadLength());
      break;
    case vaSet:
      for (uint8_t length = ReadByte(); length != 0; length = ReadByte()) SkipBytes(length);
      break;
    case vaCollection:
      SkipCollection();
      break;
    case vaCurrency:
    case vaDate:
    case vaInt64:
      SkipBytes(8);
      break;
    case vaWString:
      SkipBytes(int64_t{ReadLength()} * 2);
      break;
    default:  // 0, 8, 9, 13 and the unassigned tags carry nothing
      break;
  }
}

void TReader::SkipCollection() {
  DepthGuard depth(*this);
  while (!EndOfList()) {
    if (IsIntegerTag(NextValue())) SkipValue();
    ReadListBegin();
    {
      DepthGuard item(*this);
      while (!EndOfList()) SkipProperty();
    }
    ReadListEnd();
  }
  ReadListEnd();
}

// ---------------------------------------------------------------------------------------------
// Custom properties

void TReader::DefineProperty(const std::string& name, const TReaderProc& readData,
                             const TWriterProc&, bool) {
  if (propFound_ || !readData || !SameText(name, propName_)) return;
  propFound_ = true;
  readData(*this);
  // Nested reads may have offered other names meanwhile; this one is done.
  propName_.clear();
  propFound_ = true;
}

void TReader::DefineBinaryProperty(const std::string& name, const TStreamProc& readData,
                                   const TStreamProc&, bool) {
  if (propFound_ || !readData || !SameText(name, propName_)) return;
  propFound_ = true;
  const TValueType tag = ReadValue();
  if (tag != vaBinary) {
    SkipValueOf(tag);
    InvalidValue();
  }
  const uint32_t length = ReadLength();
  Need(length);
  std::vector<uint8_t> bytes(length);
  if (length > 0) stream_.ReadBuffer(bytes.data(), length);
  TMemoryStream data(std::move(bytes));
  readData(data);
  propName_.clear();
  propFound_ = true;
}

// ---------------------------------------------------------------------------------------------
// Object records

void TReader::ReadSignature() {
  char signature[4] = {};
  if (stream_.Remaining() < 4) throw EReadError(msg::kInvalidStreamFormat);
  ReadBytes(signature, 4);
  if (std::memcmp(signature, kSignature, 4) != 0) throw EReadError(msg::kInvalidStreamFormat);
}

void TReader::ReadPrefix(uint8_t& flags, int32_t& childPos) {
  flags = 0;
  childPos = -1;
  if ((NextValue() & 0xF0) != 0xF0) return;
  flags = ReadByte() & 0x0F;
  if (flags & ffChildPos) childPos = ReadInteger();
}

TComponent* TReader::ReadRootComponent(TComponent* root) {
  if (!root) throw EReadError(msg::kInvalidStreamFormat);
  root_ = root;
  if (!globalScope_) globalScope_ = root->Owner();
  fixups_.clear();
  loaded_.clear();
  try {
    ReadSignature();
    DepthGuard depth(*this);
    uint8_t flags = 0;
    int32_t childPos = -1;
    ReadPrefix(flags, childPos);
    ReadStr();  // the class name: the root object exists already
    const std::string name = ReadStr();
    root->BeginLoading();
    loaded_.push_back(root->Handle());
    root->Rename(UniqueRootName(root, name));
    ReadProperties(root);
    while (!EndOfList()) ReadComponent(root);
    ReadListEnd();
    FixupReferences();
  } catch (...) {
    fixups_.clear();
    loaded_.clear();
    throw;
  }
  CallLoaded();
  return root;
}

std::string TReader::UniqueRootName(TComponent* root, const std::string& name) const {
  std::string candidate = name;
  if (!globalScope_) return candidate;
  // The scope holds finitely many components, so a free number is found.
  for (int i = 1;; ++i) {
    const TComponent* existing = globalScope_->FindComponent(candidate);
    if (!existing || existing == root) return candidate;
    candidate = Format("%s_%d", name.c_str(), i);
  }
}

const TMetaClass* TReader::FindComponentClass(const std::string& className) {
  const TMetaClass* cls = OnFindClass ? OnFindClass(className) : nullptr;
  if (!cls) cls = FindRegisteredClass(className);
  if (!cls || !cls->InheritsFrom(TComponent::StaticClass()) || !cls->CanCreate()) {
    throw EClassNotFound(Format(msg::kClassNotFound, className.c_str()));
  }
  return cls;
}

TComponent* TReader::ReadComponent(TComponent* parent) {
  DepthGuard depth(*this);
  uint8_t flags = 0;
  int32_t childPos = -1;
  ReadPrefix(flags, childPos);
  const std::string className = ReadStr();
  const std::string name = ReadStr();

  TComponent* component = nullptr;
  bool created = false;
  if (flags & ffInherited) {
    component = root_->FindComponent(name);
    if (!component) throw EReadError(Format(msg::kAncestorNotFound, name.c_str()));
    // Moved into its own record or one inside it, it would become its own ancestor.
    if (Contains(component, parent, root_)) StreamReadError();
  } else {
    const TMetaClass* cls = FindComponentClass(className);
    TObject* object = cls->Create(root_);
    component = dynamic_cast<TComponent*>(object);
    if (!component) {
      delete object;
      throw EClassNotFound(Format(msg::kClassNotFound, className.c_str()));
    }
    created = true;
  }
  const uint32_t handle = component->Handle();
  try {
    component->BeginLoading();
    // Handles are never reused, so a component created here cannot be listed yet; only an
    // inherited record can name one that is.
    if (created || std::find(loaded_.begin(), loaded_.end(), handle) == loaded_.end()) {
      loaded_.push_back(handle);
    }
    if (created) component->Rename(name);
    component->SetParentComponent(parent);
    ReadProperties(component);
    while (!EndOfList()) ReadComponent(component);
    ReadListEnd();
  } catch (...) {
    if (created) {
      std::erase(loaded_, handle);
      delete component;
    }
    throw;
  }
  return component;
}

// ---------------------------------------------------------------------------------------------
// Property records

void TReader::ReadProperties(TPersistent* instance) {
  DepthGuard depth(*this);
  while (!EndOfList()) ReadProperty(instance);
  ReadListEnd();
}

void TReader::ReadProperty(TPersistent* instance) {
  const std::string path = ReadStr();
  const int64_t valueStart = stream_.Position();
  try {
    ReadPropertyValue(instance, path);
  } catch (const Exception& error) {
    const std::string message = Format(msg::kPropertyException, ObjectName(instance).c_str(), ".",
                                       path.c_str(), error.Message().c_str());
    if (!OnError || !OnError(message)) throw EReadError(message);
    // Ignored: go on after the whole value, wherever the failed read stopped.
    stream_.SetPosition(valueStart);
    try {
      SkipValue();
    } catch (const Exception& skipError) {
      throw EReadError(Format(msg::kPropertyException, ObjectName(instance).c_str(), ".",
                              path.c_str(), skipError.Message().c_str()));
    }
  }
}

void TReader::ReadPropertyValue(TPersistent* instance, const std::string& path) {
  const std::vector<std::string> parts = SplitPath(path);
  TPersistent* target = instance;
  for (size_t i = 0; i + 1 < parts.size(); ++i) {
    const TPropInfo* prop = target->ClassType().FindProperty(parts[i]);
    if (!prop) {
      SkipValue();
      throw EReadError(msg::kUnknownProperty);
    }
    const TTypeInfo* type = prop->PropType();
    TPersistent* next = nullptr;
    if (type && type->Kind == tkClass && prop->GetObject) {
      next = dynamic_cast<TPersistent*>(prop->GetObject(target));
    }
    if (!next) {
      SkipValue();
      throw EReadError(msg::kInvalidPropertyPath);
    }
    target = next;
  }

  if (const TPropInfo* prop = target->ClassType().FindProperty(parts.back())) {
    if (!prop->Writable) {
      SkipValue();
      throw EReadError(msg::kReadOnlyProperty);
    }
    ReadPropValue(target, *prop);
    return;
  }

  propName_ = parts.back();
  propFound_ = false;
  target->DefineProperties(this);
  const bool found = propFound_;
  propName_.clear();
  propFound_ = false;
  if (!found) {
    SkipValue();
    throw EReadError(msg::kUnknownProperty);
  }
}

void TReader::ReadPropValue(TPersistent* target, const TPropInfo& prop) {
  const TTypeInfo* type = prop.PropType();
  if (!type) InvalidValue();
  switch (type->Kind) {
    case tkInteger: {
      int32_t value = 0;
      if (NextValue() == vaIdent) {
        if (!type->ValueOf(ReadIdent(), value)) InvalidValue();
      } else {
        value = ReadInteger();
      }
      SetOrdProp(target, prop, value);
      break;
    }
    case tkChar:
    case tkWChar:
      SetOrdProp(target, prop, ReadCharCode(type->Kind == tkWChar));
      break;
    case tkEnumeration: {
      const std::string ident = ReadIdent();
      const std::vector<std::string>& names = type->Base().NameList;
      int32_t value = -1;
      for (size_t i = 0; i < names.size(); ++i) {
        if (SameText(names[i], ident)) {
          value = static_cast<int32_t>(i);
          break;
        }
      }
      if (value < type->MinValue || value > type->MaxValue) InvalidValue();
      SetOrdProp(target, prop, value);
      break;
    }
    case tkFloat:
      SetFloatProp(target, prop, ReadFloat());
      break;
    case tkString:
    case tkLString:
    case tkWString:
      SetStrProp(target, prop, ReadString());
      break;
    case tkSet:
      SetOrdProp(target, prop, ReadSet(*type));
      break;
    case tkClass:
      ReadObjectProp(target, prop);
      break;
    case tkMethod: {
      if (NextValue() == vaNil) {
        ReadValue();
        SetMethodProp(target, prop, TNotifyEvent{});
        break;
      }
      // A handler may be called False, True or Null: the writer's identifier routine gives
      // those names tags 8, 9 and 0.
      const std::string name = ReadIdent();
      const TMethodInfo* method = root_ ? root_->ClassType().FindMethod(name) : nullptr;
      if (!method) {
        if (OnMethodNotFound && OnMethodNotFound(name)) break;
        InvalidValue();
      }
      SetMethodProp(target, prop, TNotifyEvent{method, root_});
      break;
    }
    case tkVariant:
      SetVariantProp(target, prop, ReadVariant());
      break;
    case tkInt64:
      SetInt64Prop(target, prop, ReadInt64());
      break;
    default:
      InvalidValue();
  }
}

void TReader::ReadObjectProp(TPersistent* target, const TPropInfo& prop) {
  switch (NextValue()) {
    case vaNil:
      ReadValue();
      SetObjectProp(target, prop, nullptr);
      return;
    case vaCollection: {
      ReadValue();
      // An empty collection value leaves the collection as it is, so it is not asked for: an
      // object that makes a collection when it is first needed need not make this one.
      const TMetaClass* cls = prop.PropType()->ClassType;
      if (EndOfList() && cls && cls->InheritsFrom(TCollection::StaticClass())) {
        ReadListEnd();
        return;
      }
      auto* collection =
          dynamic_cast<TCollection*>(prop.GetObject ? prop.GetObject(target) : nullptr);
      if (!collection) {
        SkipCollection();
        InvalidValue();
      }
      ReadCollection(collection);
      return;
    }
    case vaIdent:
    case vaFalse:
    case vaTrue:
    case vaNull: {
      // A component may be called False, True or Null (tags 8, 9 and 0 of an identifier).
      const TMetaClass* cls = prop.PropType()->ClassType;
      if (cls && !cls->InheritsFrom(TComponent::StaticClass())) InvalidValue();
      fixups_.push_back(Fixup{target->Handle(), &prop, ReadIdent()});
      return;
    }
    default:
      InvalidValue();
  }
}

// ---------------------------------------------------------------------------------------------
// Completion

TComponent* TReader::ResolveReference(const std::string& name) const {
  const std::vector<std::string> parts = SplitPath(name);
  TComponent* current = nullptr;
  if (SameText(parts[0], "Owner")) {
    current = root_;
  } else {
    current = root_->FindComponent(parts[0]);
    if (!current && parts.size() > 1 && globalScope_)
      current = globalScope_->FindComponent(parts[0]);
  }
  for (size_t i = 1; current && i < parts.size(); ++i) {
    // "X.Owner" names X itself: a component whose owner has no name.
    if (!SameText(parts[i], "Owner")) current = current->FindComponent(parts[i]);
  }
  return current;
}

void TReader::FixupReferences() {
  std::vector<Fixup> fixups;
  fixups.swap(fixups_);
  for (const Fixup& fixup : fixups) {
    TObject* instance = live_objects::Find(fixup.instance);
    if (!instance) continue;
    TComponent* component = ResolveReference(fixup.name);
    // A name that finds nothing, or a component of another class, leaves the property alone.
    if (!component || !FitsObjectProp(*fixup.prop, component)) continue;
    SetObjectProp(instance, *fixup.prop, component);
  }
}

void TReader::CallLoaded() {
  std::vector<uint32_t> loaded;
  loaded.swap(loaded_);
  for (const uint32_t handle : loaded) {
    // A Loaded routine may destroy other components; those are skipped.
    if (auto* component = dynamic_cast<TComponent*>(live_objects::Find(handle))) {
      component->Loaded();
    }
  }
}

}  // namespace wdx
