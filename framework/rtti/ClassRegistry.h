// Classes registered by name, so that the form reader can create an object from the class name
// that a stream names.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace wdx {

class TMetaClass;

void RegisterClass(const TMetaClass& cls);
// The registered class of that name (ignoring ASCII case), or nullptr.
const TMetaClass* FindRegisteredClass(std::string_view name);
// Every registered class, in no particular order.
std::vector<const TMetaClass*> RegisteredClasses();

}  // namespace wdx
