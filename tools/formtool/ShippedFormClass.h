// The class of a form that formtool ships (the setup dialog's) as formtool knows it without the
// program's code: a form class of the name the shipped stream gives its root, whose published
// methods are the event handlers that stream names, doing nothing. "load" reads the dialog into
// it as the program reads it into its own class: the handlers resolve, and the class name and the
// handlers are written back as they were read. Nothing but the form's data ties formtool to the
// program.
#pragma once

#include <string>

namespace wdx {

class TMetaClass;

// The class, made on first use; nullptr when formtool ships no form whose root class is
// `className` (compared ignoring ASCII case).
const TMetaClass* ShippedFormClass(const std::string& className);

}  // namespace wdx
