#include "platform/Resources.h"

#include <windows.h>

#include "framework/rtl/Format.h"

namespace wdx {

bool RegisterEmbeddedResource(const char*, const uint8_t*, size_t) {
  return false;
}

std::vector<uint8_t> LoadResourceData(const std::string& name) {
  HRSRC info = FindResourceA(nullptr, name.c_str(), MAKEINTRESOURCEA(10));  // RT_RCDATA
  HGLOBAL handle = info ? LoadResource(nullptr, info) : nullptr;
  const void* data = handle ? LockResource(handle) : nullptr;
  if (!data) throw EResNotFound(Format("Resource %s not found", name.c_str()));
  const auto* bytes = static_cast<const uint8_t*>(data);
  return std::vector<uint8_t>(bytes, bytes + SizeofResource(nullptr, info));
}

}  // namespace wdx
