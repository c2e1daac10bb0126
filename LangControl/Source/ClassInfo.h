// TClassInfo: a cursor over the published properties of one object that reads and writes them
// as variants. Browse mode lists every property sorted by name; single-property mode is bound to
// one descriptor recorded earlier.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Variant.h"
#include "framework/rtti/Object.h"
#include "framework/rtti/PropInfo.h"
#include "framework/rtti/TypeInfo.h"

namespace wdx {

WDX_EXCEPTION(EObjectBrowseError, Exception);

// Reads hexadecimal text: an optional leading "-", then an optional marker ("h"/"H" at the
// end, else "$" at the start, else "0x"/"0X"), then at most 32 bits of hexadecimal digits.
// Anything else raises EConvertError "'%s' is not a valid integer value".
int32_t HexTextToInt(const std::string& text);

class TClassInfo : public TObject {
 public:
  WDX_CLASS(TClassInfo)

  // Browse mode over `object` (may be null).
  explicit TClassInfo(TObject* object);
  // Single-property mode over `object` and `prop`.
  TClassInfo(TObject* object, const TPropInfo* prop);
  ~TClassInfo() override;

  bool Select(int32_t index);
  int32_t Count() const { return count_; }
  TTypeKind Kind() const { return kind_; }
  const TPropInfo* PropRef() const;
  std::string Name() const;
  std::string Typ() const;
  Variant GetValue() const;
  void SetValue(const Variant& value);
  TObject* GetAsObject() const;

 private:
  void Attach(TObject* object, const TPropInfo* prop);
  void Clear();
  void CheckSelection(const char* operation) const;
  void CheckAccess(const char* operation, bool write) const;
  [[noreturn]] void Fail(const std::string& text) const;

  TObject* object_ = nullptr;
  const TMetaClass* classType_ = nullptr;
  std::vector<const TPropInfo*> list_;
  bool browse_ = false;
  const TPropInfo* current_ = nullptr;
  const TTypeInfo* currentType_ = nullptr;
  int32_t count_ = 0;
  int32_t selected_ = -1;
  TTypeKind kind_ = tkUnknown;
  bool canRead_ = false;
  bool canWrite_ = false;
};

}  // namespace wdx
