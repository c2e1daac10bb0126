// How the IIS stand-in file's model scales with the file: reading a file of n sections (three
// values each, a comment before every tenth), writing it back, and one edit as a SetInfo makes it
// (a new section at the end, a value rewritten in the middle, a tree removed) followed by the
// write. Linear growth: the time per section (the "Complexity" lines) stays flat, and 32,000
// sections read in milliseconds.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/metabase/MetabaseText.h"

namespace wdx {
namespace {

std::string SectionPath(int64_t i) {
  return "IIS://localhost/W3SVC/1/Root/app" + std::to_string(i);
}

std::string StandInText(int64_t sections) {
  std::string text = "[IIS://localhost/W3SVC/1/Root]\r\nClass=IIsWebVirtualDir\r\n";
  for (int64_t i = 0; i < sections; ++i) {
    if (i % 10 == 0) text += "; application " + std::to_string(i) + "\r\n";
    text += "\r\n[" + SectionPath(i) + "]\r\nClass=IIsWebVirtualDir\r\nPath=C:\\apps\\" +
            std::to_string(i) + "\r\nEnableDefaultDoc=True\r\n";
  }
  return text;
}

void BM_Read(benchmark::State& state) {
  const std::string text = StandInText(state.range(0));
  for (auto _ : state) {
    TMetabase metabase = TMetabase::Parse(text, "iis.ini");
    benchmark::DoNotOptimize(metabase);
  }
  state.SetComplexityN(state.range(0));
}

void BM_Write(benchmark::State& state) {
  const TMetabase metabase = TMetabase::Parse(StandInText(state.range(0)), "iis.ini");
  for (auto _ : state) benchmark::DoNotOptimize(metabase.Text());
  state.SetComplexityN(state.range(0));
}

void BM_EditAndWrite(benchmark::State& state) {
  const int64_t n = state.range(0);
  const std::string text = StandInText(n);
  for (auto _ : state) {
    state.PauseTiming();
    TMetabase metabase = TMetabase::Parse(text, "iis.ini");
    state.ResumeTiming();
    metabase.Set(SectionPath(n / 2), "Path", "D:\\moved");
    metabase.Set(SectionPath(n) + "/cgi-bin", "Class", "IIsWebVirtualDir");
    metabase.RemoveTree(SectionPath(n / 3));
    benchmark::DoNotOptimize(metabase.Text());
  }
  state.SetComplexityN(n);
}

BENCHMARK(BM_Read)->RangeMultiplier(4)->Range(1000, 64000)->Complexity(benchmark::oN);
BENCHMARK(BM_Write)->RangeMultiplier(4)->Range(1000, 64000)->Complexity(benchmark::oN);
BENCHMARK(BM_EditAndWrite)->RangeMultiplier(4)->Range(1000, 64000)->Complexity(benchmark::oN);

}  // namespace
}  // namespace wdx

BENCHMARK_MAIN();
