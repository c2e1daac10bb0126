// The classes a form may hold, registered by name for the form reader: the framework's standard
// controls and the language control. A program registers its own form class and any control
// classes of its own besides.
#pragma once

namespace wdx {

// Registers them; calling it again changes nothing.
void RegisterFormClasses();

}  // namespace wdx
