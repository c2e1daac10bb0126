// Bytes of memory per translated label: loads a synthetic form of n labels (default 100,000)
// in three languages and prints what the form holds per label, once after loading and once
// after switching three times round German, Spanish and English. Three figures each:
//
//   store    the object store's blocks in use (objects, the containers inside them and the
//            stored language values), as requested;
//   other    the rest of the C library's heap: strings and containers outside the store, and
//            the store's own slack (the part of its chunks not handed out);
//   in all   the two together: everything the form adds to the heap (mallinfo2).
//
// and last the process's peak resident memory (what `/usr/bin/time -f %M` reports), which
// scripts/bench.sh takes at two sizes for the peak per label. The form is read from a file
// mapped into memory, as a program reads a large form file: the reader reads it in place and
// the pages it is done with leave resident memory, so the stream is not part of the peak.
//
//   build/native/bin/label_memory [n]
#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "LangControl/Source/LangControl.h"
#include "bench/MappedFileStream.h"
#include "bench/SyntheticForm.h"
#include "framework/components/Reader.h"
#include "framework/controls/Application.h"
#include "framework/controls/Form.h"
#include "framework/controls/Register.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Streams.h"
#include "framework/rtti/ClassRegistry.h"
#include "framework/rtti/ObjectStore.h"

namespace wdx {
namespace {

struct Usage {
  double store = 0;
  double heap = 0;
};

Usage Now() {
  const struct mallinfo2 info = mallinfo2();
  return {static_cast<double>(object_store::BytesInUse()),
          static_cast<double>(info.uordblks + info.hblkhd)};
}

void Print(const char* when, const Usage& from, const Usage& to, long n) {
  const double store = (to.store - from.store) / static_cast<double>(n);
  const double all = (to.heap - from.heap) / static_cast<double>(n);
  std::printf("  %-16s store %7.1f   other %7.1f   in all %7.1f  B/label\n", when, store,
              all - store, all);
}

int Run(long n) {
  StartupLanguageLibrary("English");
  RegisterStandardControls();
  RegisterClass(TLangControl::StaticClass());
  bool failed = false;
  Application().SetOnException([&failed](TObject*, const Exception& error) {
    std::fprintf(stderr, "%s\n", error.Message().c_str());
    failed = true;
  });
  const std::string path = bench::WriteTemporaryFile(bench::TranslatedFormStream(n, "frmMemory"));
  bench::TMappedFileStream stream(path);
  unlink(path.c_str());
  const Usage empty = Now();
  auto form = std::make_unique<TForm>(&Application());
  TReader reader(stream);
  reader.SetGlobalScope(&Application());
  reader.ReadRootComponent(form.get());
  const Usage loaded = Now();
  auto* control = dynamic_cast<TLangControl*>(form->FindComponent("LangControl"));
  if (!control) return 1;
  for (int round = 0; round < 3; ++round) {
    for (const char* language : {"German", "Spanish", "English"}) control->SetLanguage(language);
  }
  const Usage switched = Now();
  std::printf("%ld labels, three languages:\n", n);
  Print("after loading", empty, loaded, n);
  Print("after switching", empty, switched, n);
  struct rusage usage {};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("  peak resident    %ld KB\n", usage.ru_maxrss);
  form.reset();
  ShutdownLanguageLibrary();
  return failed ? 1 : 0;
}

}  // namespace
}  // namespace wdx

int main(int argc, char** argv) {
  const long n = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 100'000;
  if (n <= 0) {
    std::fprintf(stderr, "usage: label_memory [labels]\n");
    return 1;
  }
  return wdx::Run(n);
}
