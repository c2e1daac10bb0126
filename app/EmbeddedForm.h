// Reading a form from its stream into a live form object, as a program creates its forms: the
// form classes registered (FormClasses.h), the components created and owned by the form, event
// handlers found among the published methods of the form's class, and references to components
// outside the form looked up among the application's.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace wdx {

class TComponent;

// Reads `stream` into `form`; raises the reader's errors (EReadError, EClassNotFound, ...).
void ReadFormStream(TComponent& form, const std::vector<uint8_t>& stream);
// The same from the stream the program embeds for the form's class: the resource named after
// the class in capitals, as wendrix_add_form embeds it. Raises EResNotFound when there is none.
// When the environment variable WENDRIX_TRANSLATIONS names a folder, the PO files in it are taken
// into the stream first, on top of the translations built in: a translator's preview without a
// rebuild. Their problems are told on standard error, and the rest of them is taken.
void ReadEmbeddedForm(TComponent& form);

// A new form of class `Form` owned by `owner`, read from its embedded stream.
template <class Form>
std::unique_ptr<Form> CreateEmbeddedForm(TComponent* owner) {
  auto form = std::make_unique<Form>(owner);
  ReadEmbeddedForm(*form);
  return form;
}

}  // namespace wdx
