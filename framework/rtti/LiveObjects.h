// Every live object has a 32-bit handle (given when it is first asked for). Object references and
// method values travel as text made of handles, and text from form data can only name an object
// that is still alive: a handle of a destroyed object is never reused and never found.
#pragma once

#include <cstdint>

namespace wdx {

class TObject;

namespace live_objects {

uint32_t Register(TObject* object);
void Unregister(uint32_t handle);
// The live object with this handle, or nullptr (0 names no object).
TObject* Find(uint32_t handle);

}  // namespace live_objects
}  // namespace wdx
