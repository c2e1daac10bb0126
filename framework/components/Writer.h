// The form stream writer: writes a root component with its stored properties and children,
// choosing for every value the tag a reader expects.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "framework/components/Filer.h"
#include "framework/rtl/Variant.h"

namespace wdx {

class TCollection;
class TPersistent;
struct TPropInfo;
struct TTypeInfo;

class TWriter : public TFiler {
 public:
  explicit TWriter(TStream& stream) : TFiler(stream) {}

  void WriteSignature();
  // The signature, then the record of `root` with everything it yields as children.
  void WriteRootComponent(TComponent* root);
  // One object record: prefix-free header, stored properties, custom properties, children.
  void WriteComponent(TComponent* component);

  // Values.
  void WriteValue(TValueType tag);
  void WriteInteger(int32_t value);  // the smallest of tags 2, 3, 4
  void WriteInt64(int64_t value);    // tag 19 only outside the 32-bit range
  void WriteFloat(double value);
  void WriteSingle(float value);
  void WriteCurrency(int64_t amountTimes10000);
  void WriteDate(double value);
  // UTF-8 text in the stream's code page: tag 6 below 256 bytes, else tag 12; a text the code
  // page cannot hold as a wide string (tag 18).
  void WriteString(const std::string& value);
  void WriteWideString(const std::u16string& value);
  void WriteChar(char value);
  // Tag 7, except False, True, Null and nil (any case), which become tags 8, 9, 0 and 13.
  void WriteIdent(const std::string& ident);
  void WriteBoolean(bool value);
  // A short string without tag, cut to its first 255 bytes.
  void WriteStr(const std::string& value);
  void WriteSet(const TTypeInfo& setType, int32_t bits);
  void WriteBinary(const void* data, int64_t size);
  // Tag 14, every item as a list of its properties, then tag 0.
  void WriteCollection(const TCollection* collection);
  // Raises EWriteError "Stream write error" for a variant array.
  void WriteVariant(const Variant& value);
  void WriteListBegin() { WriteValue(vaList); }
  void WriteListEnd() { WriteValue(vaNull); }
  void WritePrefix(uint8_t flags, int32_t childPos);
  // The name with the path of the nested object being written ("Font.").
  void WritePropName(const std::string& name);

  // The published and custom properties of `instance`, without the closing tag.
  void WriteProperties(TPersistent* instance);

  void DefineProperty(std::string_view name, TReaderProc readData, TWriterProc writeData,
                      bool hasData) override;
  void DefineBinaryProperty(std::string_view name, TStreamProc readData, TStreamProc writeData,
                            bool hasData) override;
  void DefineBinaryProperty(std::string_view name, TBytesProc, TStreamProc writeData,
                            bool hasData) override {
    DefineBinaryProperty(name, TStreamProc(), writeData, hasData);
  }

 private:
  // Encodes what `encode` gives to a FormEncoder and writes it to the stream in one piece.
  template <class Encode>
  void Emit(Encode&& encode);
  void WriteProperty(TPersistent* instance, const TPropInfo& prop);
  void WriteObjectProp(TPersistent* instance, const TPropInfo& prop);
  std::string ReferenceName(const TComponent* component) const;

  std::string propPath_;
  int depth_ = 0;
  std::vector<uint8_t> buffer_;  // the value being written
};

}  // namespace wdx
