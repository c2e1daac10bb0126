// Reads the shipped dialog's form stream into a form, as the program does at start-up, a given
// number of times (default 1), and prints the stream's size. Run under callgrind to count what
// reading costs per byte:
//
//   valgrind --tool=callgrind --toggle-collect='wdx::TReader::ReadRootComponent*'
//            build/native/bin/form_read_cost 10
//
// and divide the instructions by ten times the size.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "LangControl/Source/LangControlFrames.h"
#include "app/FormClasses.h"
#include "framework/components/Reader.h"
#include "framework/controls/Application.h"
#include "framework/controls/Form.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Streams.h"
#include "platform/Resources.h"

namespace wdx {
namespace {

int Run(long rounds) {
  RegisterFormClasses();
  StartupLanguageFrames("");
  bool failed = false;
  Application().SetOnException([&failed](TObject*, const Exception& error) {
    std::fprintf(stderr, "%s\n", error.Message().c_str());
    failed = true;
  });
  const std::vector<uint8_t> bytes = LoadResourceData("TFRMWENDRIXSETUP");
  for (long i = 0; i < rounds && !failed; ++i) {
    auto form = std::make_unique<TForm>(&Application());
    TMemoryStream stream(bytes);
    TReader reader(stream);
    reader.SetGlobalScope(&Application());
    // The form class is the program's; its handlers are not needed to read the form.
    reader.OnMethodNotFound = [](const std::string&) { return true; };
    reader.ReadRootComponent(form.get());
  }
  std::printf("%zu bytes read %ld times\n", bytes.size(), rounds);
  return failed ? 1 : 0;
}

}  // namespace
}  // namespace wdx

int main(int argc, char** argv) {
  try {
    return wdx::Run(argc > 1 ? std::atol(argv[1]) : 1);
  } catch (const wdx::Exception& error) {
    std::fprintf(stderr, "%s\n", error.Message().c_str());
    return 1;
  }
}
