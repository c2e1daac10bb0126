// The form stream reader: creates components from object records, applies their property
// records, resolves component references once the whole stream is read and then completes
// every loaded component. Every read is checked against the bytes that remain, so a damaged
// stream ends in EReadError "Stream read error" rather than in a crash or a huge allocation.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/components/Filer.h"
#include "framework/rtl/ByteCursor.h"
#include "framework/rtl/Variant.h"

namespace wdx {

class TCollection;
class TMetaClass;
class TObject;
class TMemoryStream;
class TPersistent;
struct TPropInfo;
struct TTypeInfo;

class TReader : public TFiler {
 public:
  // Receives the message of an error raised while a property was read, or while a component
  // read was given its name; returning true skips that property (the component goes on without
  // a name) and goes on with the next one.
  using TErrorHook = std::function<bool(const std::string& message)>;
  // Maps a class name of the stream to a class; nullptr defers to the class registry.
  using TFindClassHook = std::function<const TMetaClass*(const std::string& className)>;

  // Receives a handler name that the root's class does not publish; returning true leaves the
  // handler unset rather than failing the property (a tool reading a program's form without
  // the program's form class).
  using TMethodNotFoundHook = std::function<bool(const std::string& name)>;

  explicit TReader(TStream& stream);
  ~TReader() override;

  TErrorHook OnError;
  TFindClassHook OnFindClass;
  TMethodNotFoundHook OnMethodNotFound;

  // The component that owns the application's top-level components: the root's name is made
  // unique among them, and "A.B" references look for A there. Without one the root's owner
  // serves.
  void SetGlobalScope(TComponent* scope) { globalScope_ = scope; }

  // Where the object or property record being read begins, counted from the first byte the
  // reader reads: a hook may tell where in the stream its record lies.
  size_t RecordOffset() const { return recordOffset_; }

  // Raises "Invalid stream format" unless the next four bytes are the signature.
  void ReadSignature();
  // Reads a whole stream (signature, root record with its children) into the existing `root`,
  // resolves references and calls Loaded on every component read.
  TComponent* ReadRootComponent(TComponent* root);

  // Values. Each raises "Invalid property value" when the tag does not fit.
  TValueType ReadValue();
  // The next tag without consuming it.
  TValueType NextValue();
  bool EndOfList();
  void ReadListBegin();
  void ReadListEnd();
  int32_t ReadInteger();
  int64_t ReadInt64();
  double ReadFloat();
  float ReadSingle();
  int64_t ReadCurrency();  // amount times 10000
  double ReadDate();
  // A string value (tag 6, 12 or 18) as UTF-8.
  std::string ReadString();
  std::u16string ReadWideString();
  char ReadChar();
  // The code of a character property's value: a one-character string, or for a wide
  // character also a wide string of one code unit.
  int32_t ReadCharCode(bool wide);
  // Tag 7, or 8, 9, 13 and 0 as "False", "True", "nil" and "Null".
  std::string ReadIdent();
  bool ReadBoolean();
  // A short string without tag (names of classes, objects and properties).
  std::string ReadStr();
  // The member bits of a set value of type `setType`.
  int32_t ReadSet(const TTypeInfo& setType);
  Variant ReadVariant();
  // The items of a collection value whose tag 14 has been read.
  void ReadCollection(TCollection* collection);

  void SkipValue();
  void SkipProperty();

  void DefineProperty(std::string_view name, TReaderProc readData, TWriterProc writeData,
                      bool hasData) override;
  void DefineBinaryProperty(std::string_view name, TStreamProc readData, TStreamProc writeData,
                            bool hasData) override;
  void DefineBinaryProperty(std::string_view name, TBytesProc readData, TStreamProc writeData,
                            bool hasData) override;

 private:
  struct Fixup {
    uint32_t instance;  // live-object handle: the instance may be gone by fix-up time
    const TPropInfo* prop;
    std::string name;
  };
  // The next tag, taken; the integer value it starts. For reads inside others, which leave the
  // stream to the outermost.
  TValueType TakeTag() { return static_cast<TValueType>(in_.Byte()); }
  int32_t IntegerValue();
  // Tag 7 in place, or the name that tag 8, 9, 13 or 0 stands for.
  std::string_view ReadIdentView();
  // Whether `name` is the custom property being offered and `readData` is there to read it;
  // when it is, the offer is taken.
  bool TakeOffer(std::string_view name, bool readData);
  // The offer is done, whatever nested reads offered meanwhile.
  void OfferDone();
  // The bytes of a binary value (tag 10).
  std::span<const uint8_t> BinaryValue();
  // Puts the stream where reading stands.
  void SyncStream();
  // Puts the stream where reading stands when the outermost public read returns, so that its
  // caller finds the stream after the value; reads made inside another (a whole form, a
  // collection, a custom property's reader) leave the stream alone until then.
  struct Synced {
    explicit Synced(TReader& owner) : reader(owner) { ++reader.calls_; }
    ~Synced() {
      if (--reader.calls_ == 0) reader.SyncStream();
    }
    Synced(const Synced&) = delete;
    Synced& operator=(const Synced&) = delete;
    TReader& reader;
  };

  void ReadPrefix(uint8_t& flags, int32_t& childPos);
  TComponent* ReadComponent(TComponent* parent);
  void NameComponent(TComponent* component, const std::string& name);
  const TMetaClass* FindComponentClass(const std::string& className);
  void ReadProperties(TPersistent* instance);
  void ReadProperty(TPersistent* instance);
  void ReadPropertyValue(TPersistent* instance, std::string_view path);
  // Follows the object properties that the dotted names of `path` give, from `target`: leaves
  // in `target` the object the last name belongs to and in `path` that name.
  void TraversePath(TPersistent*& target, std::string_view& path);
  void ReadPropValue(TPersistent* target, const TPropInfo& prop);
  void ReadObjectProp(TPersistent* target, const TPropInfo& prop);
  std::string UniqueRootName(TComponent* root, const std::string& name) const;
  TComponent* ResolveReference(std::string_view name) const;
  void FixupReferences();
  void CallLoaded();

  // Tells a stream read in place (other than a memory stream, which has no use for it) that the
  // bytes read so far are done with, once a step further than the last time.
  void NoteProgress();
  static constexpr size_t kConsumedStep = size_t{1} << 20;

  TMemoryStream* memory_ = nullptr;  // the stream, when it is a memory stream
  bool inPlace_ = false;             // another stream whose contents are read in place
  size_t consumedStep_ = kConsumedStep;
  std::vector<uint8_t> copy_;  // the bytes of a stream that holds none in memory
  ByteCursor in_;
  int64_t start_ = 0;  // the stream's position at the cursor's first byte
  TComponent* globalScope_ = nullptr;
  int depth_ = 0;
  size_t recordOffset_ = 0;
  int calls_ = 0;              // public reads under way
  std::string_view propName_;  // the custom property name being offered to definitions
  bool propFound_ = false;
  // The first name of the last dotted path with its dot, its class and property (TraversePath).
  std::string head_;
  const TMetaClass* headClass_ = nullptr;
  const TPropInfo* headProp_ = nullptr;
  std::vector<Fixup> fixups_;
  std::vector<uint32_t> loaded_;
};

}  // namespace wdx
