// Feeds arbitrary text to the form source compiler. Text that it refuses must end in its
// EParserError; for a stream that it writes, the form source written from the stream must
// compile back to the same bytes. Anything else (a crash, a sanitizer report, another
// exception) is a fault and ends the run.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "framework/components/ObjectText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> stream;
  try {
    stream = wdx::ObjectTextToBinary(std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const wdx::EParserError&) {
    return 0;
  }
  const std::string text = wdx::ObjectBinaryToText(stream);
  if (wdx::ObjectTextToBinary(text) != stream) {
    std::fprintf(stderr, "object_text_fuzz: the source written compiles to other bytes:\n%s\n",
                 text.c_str());
    std::abort();
  }
  return 0;
}
