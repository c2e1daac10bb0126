// Objects that can be assigned from one another and stored in form streams.
#pragma once

#include <string>

#include "framework/rtti/Object.h"

namespace wdx {

class TFiler;

class TPersistent : public TObject {
 public:
  WDX_CLASS(TPersistent)

  // Copies the contents of `source`; the default asks the source to assign itself to this
  // object and raises EConvertError "Cannot assign a %s to a %s" when neither knows how.
  virtual void Assign(const TPersistent* source);
  // Declares the properties that the object stores in form streams beyond its published ones.
  // Overrides call the inherited definitions first.
  virtual void DefineProperties(TFiler* filer);
  virtual TPersistent* GetOwner() const { return nullptr; }

 protected:
  virtual void AssignTo(TPersistent* dest) const;
};

}  // namespace wdx
