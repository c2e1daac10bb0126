// Feeds arbitrary text to the IIS stand-in reader. Text that is no stand-in file must end in
// EOleException; anything else (a crash, a sanitizer report, a leak, a hang, another exception)
// is a fault and ends the run.
//
// The text written for an accepted file must read again and write the same text.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/DirectoryService.h"
#include "platform/posix/Metabase.h"

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
  } catch (const wdx::EOleException&) {
    return 0;
  }
  const std::string written = metabase.Text();
  wdx::TMetabase again;
  try {
    again = wdx::TMetabase::Parse(written, "written.ini");
  } catch (const wdx::Exception& error) {
    Fail("the written text does not read: ", error.Message());
  }
  if (again.Text() != written) Fail("the written text reads back otherwise:\n", written);
  return 0;
}
