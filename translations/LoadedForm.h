// A form read from its stream into live objects, as a program loads it, for reading and changing
// its language data. Any program's form is read, not only the setup dialog: the root becomes a
// plain form (a program's own form class adds handlers and fields, which hold no texts), its
// components are the framework's standard controls and the language control, and handler names
// are left unresolved.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "translations/FormReadScope.h"

namespace wdx {

class TComponent;
class TLangControl;
class TLanguageManager;

// It is read in a FormReadScope, so that the slots are those of the stream. Errors that the
// language control reports while loading fail the load, and so does a form without exactly one
// language control.
class LoadedForm {
 public:
  explicit LoadedForm(const std::vector<uint8_t>& bytes);
  LoadedForm(const LoadedForm&) = delete;
  LoadedForm& operator=(const LoadedForm&) = delete;

  TComponent* Root() const { return root_.get(); }
  TLanguageManager& Manager() const;
  // The stream it was read from with the language control's language data as the writer
  // writes it now; every other byte stays as it was.
  std::vector<uint8_t> Write() const;

 private:
  std::vector<uint8_t> bytes_;
  FormReadScope scope_;  // outlives the form, which is released first
  std::unique_ptr<TComponent> root_;
  TLangControl* control_ = nullptr;
};

}  // namespace wdx
