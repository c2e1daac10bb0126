// Data embedded in the program: the form stream of each form, by the form class's upper-case
// name. The Windows build keeps them as RCDATA resources of the executable; the POSIX build
// links them in as byte arrays that register themselves.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "framework/rtl/Exceptions.h"

namespace wdx {

WDX_EXCEPTION(EResNotFound, Exception);

// The bytes of the resource `name`; raises EResNotFound "Resource %s not found".
std::vector<uint8_t> LoadResourceData(const std::string& name);

// Used by the byte arrays that the build generates (POSIX build only).
bool RegisterEmbeddedResource(const char* name, const uint8_t* data, size_t size);

}  // namespace wdx
