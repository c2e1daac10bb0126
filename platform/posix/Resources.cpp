#include "platform/Resources.h"

#include <map>

#include "framework/rtl/Format.h"
#include "framework/rtl/StrUtils.h"

namespace wdx {

namespace {

struct Blob {
  const uint8_t* data;
  size_t size;
};

std::map<std::string, Blob>& Embedded() {
  static auto* resources = new std::map<std::string, Blob>();
  return *resources;
}

}  // namespace

bool RegisterEmbeddedResource(const char* name, const uint8_t* data, size_t size) {
  Embedded()[AsciiUpper(name)] = Blob{data, size};
  return true;
}

std::vector<uint8_t> LoadResourceData(const std::string& name) {
  const auto it = Embedded().find(AsciiUpper(name));
  if (it == Embedded().end()) throw EResNotFound(Format("Resource %s not found", name.c_str()));
  return std::vector<uint8_t>(it->second.data, it->second.data + it->second.size);
}

}  // namespace wdx
