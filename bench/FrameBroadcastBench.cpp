// How a language change through one frame scales with the frame's members: a frame of n
// member routines switches back and forth between two languages. Each member does nothing,
// so the time is the frame's own work per member; linear growth keeps the time per member
// (the "per member" counter) flat from size to size.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "LangControl/Source/LangControlFrames.h"
#include "framework/rtti/Object.h"

namespace wdx {
namespace {

// A member that takes part in its frame and does nothing when called.
class Member : public TObject {
 public:
  Member() { JoinLanguageDomain("", false, Routine()); }
  ~Member() override { LeaveLanguageDomains(Routine()); }
  TMethod Routine() { return LanguageRoutine(kCode, this); }

 private:
  static bool Apply(TObject*, const std::string&, int) { return true; }
  static constexpr TLanguageRoutineCode kCode{&Member::Apply};
};

void BM_FrameBroadcast(benchmark::State& state) {
  StartupLanguageFrames("English");
  std::vector<std::unique_ptr<Member>> members;
  for (int64_t i = 0; i < state.range(0); ++i) members.push_back(std::make_unique<Member>());
  const TMethod initiator = members.front()->Routine();
  bool german = false;
  for (auto _ : state) {
    german = !german;
    SetGlobalLanguage(german ? "German" : "English", initiator);
  }
  members.clear();
  ShutdownLanguageFrames();
  state.counters["per member"] = benchmark::Counter(
      static_cast<double>(state.iterations() * state.range(0)),
      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.SetComplexityN(state.range(0));
}

BENCHMARK(BM_FrameBroadcast)->RangeMultiplier(4)->Range(1 << 10, 1 << 16)->Complexity();

}  // namespace
}  // namespace wdx

BENCHMARK_MAIN();
