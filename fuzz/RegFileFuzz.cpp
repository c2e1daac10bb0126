// Feeds arbitrary bytes to the .reg reader as a whole file. Bytes that are no registry export
// must end in ERegistryException; anything else (a crash, a sanitizer report, a leak, a hang,
// another exception) is a fault and ends the run.
//
// The tree of an accepted file is walked, and every key must be found again by its path built
// from the names as written.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/rtl/StrUtils.h"
#include "platform/Registry.h"
#include "platform/posix/RegFile.h"

namespace {

// Paths are built and looked up only until they add up to this many bytes: a deep chain of keys
// has paths whose lengths grow with the depth, and building all of them would take time
// quadratic in the file's size. The rest of the tree is still walked.
constexpr size_t kPathBudget = size_t{1} << 18;

[[noreturn]] void Fail(const char* what, const std::string& detail) {
  std::fprintf(stderr, "reg_file_fuzz: %s%s\n", what, detail.c_str());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  std::unique_ptr<wdx::TRegKey> root;
  try {
    root = wdx::ParseRegFile(bytes, "fuzz.reg");
  } catch (const wdx::ERegistryException&) {
    return 0;
  }
  if (!root) Fail("an accepted file gave no tree", "");

  // Walked without recursion, so that a deep tree does not exhaust this program's stack.
  struct Pending {
    const wdx::TRegKey* key;
    std::string path;
    bool withPath;
  };
  std::vector<Pending> pending;
  pending.push_back({root.get(), "", true});
  size_t pathBytes = 0;
  while (!pending.empty()) {
    Pending item = std::move(pending.back());
    pending.pop_back();
    const bool withPath = item.withPath && pathBytes <= kPathBudget;
    if (withPath) {
      pathBytes += item.path.size();
      if (wdx::FindRegKey(*root, item.path) != item.key) {
        Fail("a key is not found by its path: ", item.path);
      }
    }
    for (const auto& [upper, child] : item.key->Subkeys) {
      if (!child) Fail("an empty subkey entry below: ", item.path);
      if (upper != wdx::AsciiUpper(child->Name)) {
        Fail("a subkey is filed under another name: ", child->Name);
      }
      std::string path;
      if (withPath) path = item.path.empty() ? child->Name : item.path + "\\" + child->Name;
      pending.push_back({child.get(), std::move(path), withPath});
    }
  }
  return 0;
}
