// Feeds arbitrary bytes to the reader of text catalogues (the translations of a program's code
// texts, embedded beside its form). Text that is no catalogue must end in EReadError; a catalogue
// it reads must come back the same through its writer.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/TextCatalogue.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace wdx::text_catalogue;
  std::vector<TEntry> entries;
  try {
    entries = Decode(std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const wdx::EReadError&) {
    return 0;
  }
  const std::vector<TEntry> again = Decode(Encode(entries));
  bool same = again.size() == entries.size();
  for (size_t i = 0; same && i < entries.size(); ++i) {
    same = again[i].Language == entries[i].Language && again[i].Name == entries[i].Name &&
           again[i].Text == entries[i].Text;
  }
  if (!same) {
    std::fprintf(stderr, "text_catalogue_fuzz: a catalogue reads back otherwise\n");
    std::abort();
  }
  return 0;
}
