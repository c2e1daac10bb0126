// Feeds arbitrary text to the IIS stand-in reader. Text that is no stand-in file must end in
// EMetabaseError; anything else (a crash, a sanitizer report, a leak, a hang, another exception)
// is a fault and ends the run.
//
// An accepted file must write back byte for byte, and stay a stand-in file with its other lines
// unchanged when a section and a value are added to it.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/metabase/MetabaseText.h"

namespace {

[[noreturn]] void Fail(const char* what, const std::string& detail) {
  std::fprintf(stderr, "metabase_fuzz: %s%s\n", what, detail.c_str());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  wdx::TMetabase metabase;
  try {
    metabase = wdx::TMetabase::Parse(text, "fuzz.ini");
  } catch (const wdx::EMetabaseError&) {
    return 0;
  }
  if (metabase.Text() != text) Fail("the text writes back otherwise:\n", text);
  const bool existed = metabase.Has("IIS://fuzz/added");
  metabase.Set("IIS://fuzz/added", "Marker", "1");
  const std::string written = metabase.Text();
  if (!existed && written.compare(0, text.size(), text) != 0) {
    Fail("an added section changed the lines before it:\n", written);
  }
  try {
    const wdx::TMetabase again = wdx::TMetabase::Parse(written, "written.ini");
    std::string value;
    if (!again.Get("iis://FUZZ/added", "marker", value) || value != "1") {
      Fail("the added value does not read back:\n", written);
    }
  } catch (const wdx::Exception& error) {
    Fail("the written text does not read: ", error.Message());
  }
  return 0;
}
