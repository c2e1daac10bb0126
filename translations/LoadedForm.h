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

#include "framework/controls/Application.h"

namespace wdx {

class TComponent;
class TLangControl;
class TLanguageManager;

// While it lives, the language frames are cleared: the user's language (or that of a form
// loaded earlier) must not switch the form away from the language it was stored in, or the
// slots would not be those of the stream. Errors that the language control reports while
// loading fail the load, and so does a form without exactly one language control.
class LoadedForm {
 public:
  explicit LoadedForm(const std::vector<uint8_t>& bytes);
  ~LoadedForm();
  LoadedForm(const LoadedForm&) = delete;
  LoadedForm& operator=(const LoadedForm&) = delete;

  TComponent* Root() const { return root_.get(); }
  TLanguageManager& Manager() const;
  // The stream it was read from with the language control's language data as the writer
  // writes it now; every other byte stays as it was.
  std::vector<uint8_t> Write() const;

 private:
  void Release();

  std::vector<uint8_t> bytes_;
  std::unique_ptr<TComponent> root_;
  TApplication::ExceptionHandler previousHandler_;
  TLangControl* control_ = nullptr;
  bool hadFrames_ = false;
  bool released_ = false;
  std::string remembered_;
  std::vector<std::string> errors_;  // reported by the language control while loading
};

}  // namespace wdx
