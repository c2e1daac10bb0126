#include "framework/components/Reader.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <unordered_set>

#include "framework/components/Collection.h"
#include "framework/components/Component.h"
#include "framework/components/Extended80.h"
#include "framework/components/FormDecoding.h"
#include "framework/rtl/CodePage.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Format.h"
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

std::string ObjectName(const TPersistent* instance) {
  if (const auto* component = ObjectCast<TComponent>(instance)) {
    if (!component->Name().empty()) return component->Name();
  }
  return instance->ClassName();
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

using form_decoding::InvalidValue;

TReader::TReader(TStream& stream) : TFiler(stream) {
  start_ = stream.Position();
  memory_ = dynamic_cast<TMemoryStream*>(&stream);
  std::span<const uint8_t> bytes = stream.Contents();
  if (!bytes.empty() || memory_) {
    inPlace_ = !memory_;
    bytes = bytes.subspan(std::min(bytes.size(), static_cast<size_t>(start_)));
  } else {
    // Only what the stream holds is read, so its size bounds the copy.
    copy_ = ReadRemaining(stream);
    stream.SetPosition(start_);
    bytes = copy_;
  }
  in_ = ByteCursor(bytes);
}

void TReader::NoteProgress() {
  // A stream read in place hears, a megabyte at a time, how far reading has come.
  if (!inPlace_ || in_.Position() < consumedStep_) return;
  consumedStep_ = in_.Position() + kConsumedStep;
  stream_.Consumed(start_ + static_cast<int64_t>(in_.Position()));
}

TReader::~TReader() {
  SyncStream();
}

void TReader::SyncStream() {
  const int64_t position = start_ + static_cast<int64_t>(in_.Position());
  if (memory_) {
    memory_->TMemoryStream::Seek(position, TSeekOrigin::soBeginning);  // no virtual call
  } else {
    stream_.SetPosition(position);
  }
}

std::string TReader::ReadStr() {
  const Synced synced{*this};
  return std::string(in_.ShortString());
}

// ---------------------------------------------------------------------------------------------
// Tagged values

TValueType TReader::ReadValue() {
  const Synced synced{*this};
  return static_cast<TValueType>(in_.Byte());
}

TValueType TReader::NextValue() {
  return static_cast<TValueType>(in_.Peek());
}

bool TReader::EndOfList() {
  return NextValue() == vaNull;
}

void TReader::ReadListBegin() {
  const Synced synced{*this};
  form_decoding::ExpectTag(in_, vaList, depth_);
}

void TReader::ReadListEnd() {
  const Synced synced{*this};
  form_decoding::ExpectTag(in_, vaNull, depth_);
}

int32_t TReader::ReadInteger() {
  const Synced synced{*this};
  return IntegerValue();
}

int32_t TReader::IntegerValue() {
  return form_decoding::IntegerPayload(in_, TakeTag());
}

int64_t TReader::ReadInt64() {
  const Synced synced{*this};
  const TValueType tag = TakeTag();
  if (tag == vaInt64) return static_cast<int64_t>(in_.U64());
  return form_decoding::IntegerPayload(in_, tag);
}

double TReader::ReadFloat() {
  const Synced synced{*this};
  const TValueType tag = TakeTag();
  if (tag == vaExtended) return Extended80ToDouble(form_decoding::ExtendedPayload(in_));
  return form_decoding::IntegerPayload(in_, tag);
}

float TReader::ReadSingle() {
  const Synced synced{*this};
  const TValueType tag = TakeTag();
  if (tag == vaSingle) return std::bit_cast<float>(in_.U32());
  return static_cast<float>(form_decoding::IntegerPayload(in_, tag));
}

int64_t TReader::ReadCurrency() {
  const Synced synced{*this};
  const TValueType tag = TakeTag();
  if (tag == vaCurrency) return static_cast<int64_t>(in_.U64());
  return int64_t{form_decoding::IntegerPayload(in_, tag)} * 10000;
}

double TReader::ReadDate() {
  const Synced synced{*this};
  const TValueType tag = TakeTag();
  if (tag == vaDate) return std::bit_cast<double>(in_.U64());
  return form_decoding::IntegerPayload(in_, tag);
}

std::string TReader::ReadString() {
  const Synced synced{*this};
  const TValueType tag = TakeTag();
  if (tag == vaWString) return Utf16ToUtf8(form_decoding::WideStringPayload(in_));
  return CodePageToUtf8(form_decoding::StringPayload(in_, tag), kStreamCodePage);
}

std::u16string TReader::ReadWideString() {
  const Synced synced{*this};
  const TValueType tag = TakeTag();
  if (tag == vaWString) return form_decoding::WideStringPayload(in_);
  return Utf8ToUtf16(CodePageToUtf8(form_decoding::StringPayload(in_, tag), kStreamCodePage));
}

char TReader::ReadChar() {
  const Synced synced{*this};
  if (TakeTag() != vaString || in_.Byte() != 1) InvalidValue();
  return static_cast<char>(in_.Byte());
}

int32_t TReader::ReadCharCode(bool wide) {
  const Synced synced{*this};
  const TValueType tag = TakeTag();
  if (tag == vaString) {
    if (in_.Byte() != 1) InvalidValue();
    return in_.Byte();
  }
  // A wide character above 255 is written as a wide string of one code unit.
  if (tag != vaWString || !wide || in_.U32() != 1) InvalidValue();
  return in_.U16();
}

std::string_view TReader::ReadIdentView() {
  const TValueType tag = TakeTag();
  if (tag == vaIdent) return in_.ShortString();
  const char* special = SpecialIdentName(tag);
  if (!special) InvalidValue();
  return special;
}

std::string TReader::ReadIdent() {
  const Synced synced{*this};
  return std::string(ReadIdentView());
}

bool TReader::ReadBoolean() {
  const Synced synced{*this};
  const TValueType tag = TakeTag();
  if (tag != vaFalse && tag != vaTrue) InvalidValue();
  return tag == vaTrue;
}

int32_t TReader::ReadSet(const TTypeInfo& setType) {
  const Synced synced{*this};
  if (TakeTag() != vaSet || !setType.CompType) InvalidValue();
  const TTypeInfo& element = setType.CompType->Base();
  uint32_t bits = 0;
  for (;;) {
    const std::string_view name = in_.ShortString();
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
  const Synced synced{*this};
  const TValueType tag = TakeTag();
  switch (tag) {
    case vaNil:
      return Variant();
    case vaNull:
      return Variant::Null();
    case vaInt8: {
      // A negative 8-bit value does not fit a byte; it keeps its value as a small integer.
      const int32_t value = form_decoding::IntegerPayload(in_, tag);
      if (value < 0) return Variant::Smallint(static_cast<int16_t>(value));
      return Variant::Byte(static_cast<uint8_t>(value));
    }
    case vaInt16:
      return Variant::Smallint(static_cast<int16_t>(form_decoding::IntegerPayload(in_, tag)));
    case vaInt32:
      return Variant(form_decoding::IntegerPayload(in_, tag));
    case vaExtended:
      return Variant(Extended80ToDouble(form_decoding::ExtendedPayload(in_)));
    case vaSingle:
      return Variant::Single(std::bit_cast<float>(in_.U32()));
    case vaCurrency:
      return Variant::Currency(static_cast<int64_t>(in_.U64()));
    case vaDate:
      return Variant::Date(std::bit_cast<double>(in_.U64()));
    case vaWString:
      return Variant::Wide(form_decoding::WideStringPayload(in_));
    case vaFalse:
    case vaTrue:
      return Variant(tag == vaTrue);
    case vaString:
    case vaLString:
      return Variant(CodePageToUtf8(form_decoding::StringPayload(in_, tag), kStreamCodePage));
    default:
      ThrowStreamReadError();
  }
}

void TReader::ReadCollection(TCollection* collection) {
  const Synced synced{*this};
  const DepthGuard depth(depth_, DepthGuard::kReading);
  if (!EndOfList()) collection->Clear();
  while (!EndOfList()) {
    NoteProgress();
    if (IsIntegerTag(NextValue())) IntegerValue();  // the item's order: not used
    ReadListBegin();
    ReadProperties(collection->Add());
  }
  ReadListEnd();
}

// ---------------------------------------------------------------------------------------------
// Skipping

void TReader::SkipValue() {
  const Synced synced{*this};
  form_decoding::SkipValue(in_, depth_);
}

void TReader::SkipProperty() {
  const Synced synced{*this};
  in_.ShortString();
  SkipValue();
}

// ---------------------------------------------------------------------------------------------
// Custom properties

bool TReader::TakeOffer(std::string_view name, bool readData) {
  if (propFound_ || !readData || !SameText(name, propName_)) return false;
  propFound_ = true;
  return true;
}

void TReader::OfferDone() {
  // Nested reads may have offered other names meanwhile; this one is done.
  propName_ = {};
  propFound_ = true;
}

std::span<const uint8_t> TReader::BinaryValue() {
  form_decoding::ExpectTag(in_, vaBinary, depth_);
  return in_.Take(in_.U32());
}

void TReader::DefineProperty(std::string_view name, TReaderProc readData, TWriterProc, bool) {
  if (!TakeOffer(name, static_cast<bool>(readData))) return;
  readData(*this);
  OfferDone();
}

void TReader::DefineBinaryProperty(std::string_view name, TStreamProc readData, TStreamProc, bool) {
  if (!TakeOffer(name, static_cast<bool>(readData))) return;
  const std::span<const uint8_t> bytes = BinaryValue();
  TMemoryStream data(std::vector<uint8_t>(bytes.begin(), bytes.end()));
  readData(data);
  OfferDone();
}

void TReader::DefineBinaryProperty(std::string_view name, TBytesProc readData, TStreamProc, bool) {
  if (!TakeOffer(name, static_cast<bool>(readData))) return;
  ByteCursor data(BinaryValue());
  readData(data);
  OfferDone();
}

// ---------------------------------------------------------------------------------------------
// Object records

void TReader::ReadSignature() {
  const Synced synced{*this};
  if (in_.Remaining() < 4 || std::memcmp(in_.Take(4).data(), kSignature, 4) != 0) {
    throw EReadError(msg::kInvalidStreamFormat);
  }
}

void TReader::ReadPrefix(uint8_t& flags, int32_t& childPos) {
  flags = 0;
  childPos = -1;
  if ((NextValue() & 0xF0) != 0xF0) return;
  flags = in_.Byte() & 0x0F;
  if (flags & ffChildPos) childPos = IntegerValue();
}

TComponent* TReader::ReadRootComponent(TComponent* root) {
  if (!root) throw EReadError(msg::kInvalidStreamFormat);
  root_ = root;
  if (!globalScope_) globalScope_ = root->Owner();
  fixups_.clear();
  loaded_.clear();
  try {
    const Synced synced{*this};
    ReadSignature();
    const DepthGuard depth(depth_, DepthGuard::kReading);
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
    SyncStream();
    FixupReferences();
  } catch (...) {
    SyncStream();
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
  if (!cls || !cls->InheritsFrom(TComponent::CachedClass()) || !cls->CanCreate()) {
    throw EClassNotFound(Format(msg::kClassNotFound, className.c_str()));
  }
  return cls;
}

TComponent* TReader::ReadComponent(TComponent* parent) {
  const DepthGuard depth(depth_, DepthGuard::kReading);
  NoteProgress();
  recordOffset_ = in_.Position();
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
    if (Contains(component, parent, root_)) ThrowStreamReadError();
  } else {
    const TMetaClass* cls = FindComponentClass(className);
    TObject* object = cls->Create(root_);
    component = ObjectCast<TComponent>(object);
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
    if (created) NameComponent(component, name);
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

void TReader::NameComponent(TComponent* component, const std::string& name) {
  try {
    component->Rename(name);
  } catch (const Exception& error) {
    // A name taken already, or no name at all: the hook may let the component go on unnamed.
    if (!OnError || !OnError(error.Message())) throw;
  }
}

// ---------------------------------------------------------------------------------------------
// Property records

void TReader::ReadProperties(TPersistent* instance) {
  const DepthGuard depth(depth_, DepthGuard::kReading);
  while (!EndOfList()) ReadProperty(instance);
  ReadListEnd();
}

void TReader::ReadProperty(TPersistent* instance) {
  const size_t start = in_.Position();
  recordOffset_ = start;
  const std::string_view path = in_.ShortString();
  const size_t valueStart = in_.Position();
  try {
    ReadPropertyValue(instance, path);
  } catch (const Exception& error) {
    const std::string message = Format(msg::kPropertyException, ObjectName(instance).c_str(), ".",
                                       std::string(path).c_str(), error.Message().c_str());
    recordOffset_ = start;  // the records read inside the value are done with
    if (!OnError || !OnError(message)) throw EReadError(message);
    // Ignored: go on after the whole value, wherever the failed read stopped.
    in_.SetPosition(valueStart);
    try {
      SkipValue();
    } catch (const Exception& skipError) {
      throw EReadError(Format(msg::kPropertyException, ObjectName(instance).c_str(), ".",
                              std::string(path).c_str(), skipError.Message().c_str()));
    }
  }
}

void TReader::ReadPropertyValue(TPersistent* instance, std::string_view path) {
  // No published name holds a dot, so the whole path is looked up first: most paths are one
  // name, and need no search for dots.
  const TPropInfo* prop = instance->ClassType().FindProperty(path);
  TPersistent* target = instance;
  std::string_view last = path;
  if (!prop) {
    TraversePath(target, last);
    if (last.size() != path.size()) prop = target->ClassType().FindProperty(last);
  }
  if (prop) {
    if (!prop->Writable) {
      SkipValue();
      throw EReadError(msg::kReadOnlyProperty);
    }
    ReadPropValue(target, *prop);
    return;
  }

  propName_ = last;
  propFound_ = false;
  target->DefineProperties(this);
  const bool found = propFound_;
  propName_ = {};
  propFound_ = false;
  if (!found) {
    SkipValue();
    throw EReadError(msg::kUnknownProperty);
  }
}

void TReader::TraversePath(TPersistent*& target, std::string_view& path) {
  // A record gives a sub-object's properties one after the other ("Font.Color", "Font.Height",
  // ...): the first name of the last path, with its dot, is kept with its class and property,
  // so that the next path of that class that starts the same needs no search for either.
  const TMetaClass* const cls = &target->ClassType();
  const TPropInfo* known = nullptr;
  size_t dot = std::string_view::npos;
  if (cls == headClass_ && path.size() > head_.size() &&
      SameBytes(path.data(), head_.data(), head_.size())) {
    known = headProp_;
    dot = head_.size() - 1;
  } else {
    dot = path.find('.');
  }
  size_t start = 0;
  for (; dot != std::string_view::npos; dot = path.find('.', start)) {
    const TPropInfo* prop =
        known ? known : target->ClassType().FindProperty(path.substr(start, dot - start));
    if (start == 0 && prop && !known) {
      headClass_ = cls;
      headProp_ = prop;
      head_.assign(path.data(), dot + 1);
    }
    known = nullptr;
    start = dot + 1;
    if (!prop) {
      SkipValue();
      throw EReadError(msg::kUnknownProperty);
    }
    const TTypeInfo* type = prop->PropType();
    TPersistent* next = nullptr;
    if (type && type->Kind == tkClass && prop->GetObject) {
      next = ObjectCast<TPersistent>(prop->GetObject(target));
    }
    if (!next) {
      SkipValue();
      throw EReadError(msg::kInvalidPropertyPath);
    }
    target = next;
  }
  path = path.substr(start);
}

void TReader::ReadPropValue(TPersistent* target, const TPropInfo& prop) {
  const TTypeInfo* type = prop.PropType();
  if (!type) InvalidValue();
  switch (type->Kind) {
    case tkInteger: {
      int32_t value = 0;
      if (NextValue() == vaIdent) {
        if (!type->ValueOf(ReadIdentView(), value)) InvalidValue();
      } else {
        value = IntegerValue();
      }
      SetOrdProp(target, prop, value);
      break;
    }
    case tkChar:
    case tkWChar:
      SetOrdProp(target, prop, ReadCharCode(type->Kind == tkWChar));
      break;
    case tkEnumeration: {
      const std::string_view ident = ReadIdentView();
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
        TakeTag();
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
      TakeTag();
      SetObjectProp(target, prop, nullptr);
      return;
    case vaCollection: {
      TakeTag();
      // An empty collection value leaves the collection as it is, so it is not asked for: an
      // object that makes a collection when it is first needed need not make this one.
      const TMetaClass* cls = prop.PropType()->ClassType;
      if (EndOfList() && cls && cls->InheritsFrom(TCollection::CachedClass())) {
        ReadListEnd();
        return;
      }
      auto* collection = ObjectCast<TCollection>(prop.GetObject ? prop.GetObject(target) : nullptr);
      if (!collection) {
        form_decoding::SkipCollection(in_, depth_);
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
      if (cls && !cls->InheritsFrom(TComponent::CachedClass())) InvalidValue();
      fixups_.push_back(Fixup{target->Handle(), &prop, ReadIdent()});
      return;
    }
    default:
      InvalidValue();
  }
}

// ---------------------------------------------------------------------------------------------
// Completion

TComponent* TReader::ResolveReference(std::string_view name) const {
  // The dotted parts are taken in place: a reference is resolved once per fix-up.
  const auto part = [name](size_t& start) {
    const size_t dot = std::min(name.find('.', start), name.size());
    const std::string_view text = name.substr(start, dot - start);
    start = dot + 1;
    return text;
  };
  size_t start = 0;
  const std::string_view first = part(start);
  const bool more = start <= name.size();
  TComponent* current = nullptr;
  if (SameText(first, "Owner")) {
    current = root_;
  } else {
    current = root_->FindComponent(first);
    if (!current && more && globalScope_) current = globalScope_->FindComponent(first);
  }
  while (current && start <= name.size()) {
    // "X.Owner" names X itself: a component whose owner has no name.
    const std::string_view next = part(start);
    if (!SameText(next, "Owner")) current = current->FindComponent(next);
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
    if (auto* component = ObjectCast<TComponent>(live_objects::Find(handle))) {
      component->Loaded();
    }
  }
}

}  // namespace wdx
