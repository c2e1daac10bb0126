// A class's published defaults (WithDefault in its table) are the initial values of its objects:
// its constructor applies them. So each default is written down once, and the form writer, which
// leaves out a value equal to the default, can never lose a value that a fresh object lacks.
#pragma once

namespace wdx {

class TMetaClass;
class TObject;

// Gives `object` the defaults that `cls` itself declares (not its ancestors').
void ApplyDeclaredDefaults(TObject& object, const TMetaClass& cls);

}  // namespace wdx
