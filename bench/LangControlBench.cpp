// How the language control scales with the size of a form: loading a form of n translated
// labels, one switch of language, and destroying the form. Each step is timed on its own with
// a steady clock; the preparation of each step (building or loading the form it needs) is not
// counted. After the run the growth from 10,000 to 100,000 labels is printed for each step:
// linear growth gives about 10.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <unistd.h>

#include "LangControl/Source/LangControl.h"
#include "bench/SyntheticForm.h"
#include "framework/components/Filer.h"
#include "framework/components/Reader.h"
#include "framework/controls/Application.h"
#include "framework/controls/Form.h"
#include "framework/controls/Register.h"
#include "framework/controls/StdCtrls.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/LittleEndian.h"
#include "framework/rtl/Streams.h"
#include "framework/rtti/ClassRegistry.h"

namespace wdx {
namespace {

using Clock = std::chrono::steady_clock;

using bench::kLanguages;
using bench::kSizes;
using bench::LabelName;

const std::vector<uint8_t>& FormStream(int64_t n) {
  static std::map<int64_t, std::vector<uint8_t>> streams;
  auto found = streams.find(n);
  if (found == streams.end())
    found = streams.emplace(n, bench::TranslatedFormStream(n, "frmBench")).first;
  return found->second;
}

std::vector<std::string> errors;

// Every timed step starts with the processor caches holding other data, whatever the form's
// size: otherwise a small form that was just built is still in the cache when it is destroyed
// while a large one is not, and the figures would compare cache sizes rather than the work.
void EvictCaches() {
  static std::vector<uint64_t> buffer(size_t{1536} << 20 >> 3);
  uint64_t sum = 0;
  for (size_t i = 0; i < buffer.size(); i += 8) sum += ++buffer[i];
  benchmark::DoNotOptimize(sum);
}

// Reads the form stream of `n` labels into a new form owned by the application.
std::unique_ptr<TForm> LoadForm(int64_t n, double* seconds = nullptr) {
  TMemoryStream stream(FormStream(n));
  auto form = std::make_unique<TForm>(&Application());
  TReader reader(stream);
  reader.SetGlobalScope(&Application());
  if (seconds) EvictCaches();
  const auto start = Clock::now();
  reader.ReadRootComponent(form.get());
  const auto stop = Clock::now();
  if (seconds) *seconds = std::chrono::duration<double>(stop - start).count();
  return form;
}

TLangControl* ControlOf(TForm* form) {
  return dynamic_cast<TLangControl*>(form->FindComponent("LangControl"));
}

std::string CaptionOf(TForm* form, int64_t i) {
  auto* label = dynamic_cast<TLabel*>(form->FindComponent(LabelName(i)));
  return label ? label->Caption() : "<missing>";
}

// Whether the first and last labels show `language` and the control reports it.
bool Shows(TForm* form, int64_t n, int language) {
  TLangControl* control = ControlOf(form);
  if (!control || control->Language() != kLanguages[language]) return false;
  for (int64_t i : {int64_t{0}, n - 1}) {
    if (CaptionOf(form, i) != bench::LabelText(language, i)) return false;
  }
  return true;
}

bool Failed(benchmark::State& state, bool ok, const char* what) {
  if (ok && errors.empty()) return false;
  const std::string message = errors.empty() ? std::string(what) : what + (": " + errors.front());
  state.SkipWithError(message.c_str());
  errors.clear();
  return true;
}

// Every form starts from English: a form loaded while its frame shows another language
// would take that one.
void ResetFrameLanguage(int64_t n) {
  std::unique_ptr<TForm> form = LoadForm(std::min<int64_t>(n, 1));
  if (TLangControl* control = ControlOf(form.get())) control->SetLanguage("English");
}

void BM_LoadForm(benchmark::State& state) {
  const int64_t n = state.range(0);
  FormStream(n);
  ResetFrameLanguage(n);
  for (auto _ : state) {
    double seconds = 0;
    std::unique_ptr<TForm> form = LoadForm(n, &seconds);
    state.SetIterationTime(seconds);
    const bool ok = Shows(form.get(), n, 0);
    form.reset();
    if (Failed(state, ok, "the loaded form does not show English")) break;
  }
  state.counters["labels"] = static_cast<double>(n);
}

void BM_SwitchLanguage(benchmark::State& state) {
  const int64_t n = state.range(0);
  ResetFrameLanguage(n);
  std::unique_ptr<TForm> form = LoadForm(n);
  TLangControl* control = ControlOf(form.get());
  if (Failed(state, control && Shows(form.get(), n, 0), "the loaded form does not show English")) {
    return;
  }
  // German, Spanish, English, German, ...: every write really changes the language.
  int language = 0;
  for (auto _ : state) {
    language = (language + 1) % 3;
    const std::string name = kLanguages[language];
    EvictCaches();
    const auto start = Clock::now();
    control->SetLanguage(name);
    const auto stop = Clock::now();
    state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
    if (Failed(state, Shows(form.get(), n, language), "the switch did not reach every label")) {
      break;
    }
  }
  state.counters["labels"] = static_cast<double>(n);
  control->SetLanguage("English");
}

void BM_DestroyForm(benchmark::State& state) {
  const int64_t n = state.range(0);
  ResetFrameLanguage(n);
  for (auto _ : state) {
    std::unique_ptr<TForm> form = LoadForm(n);
    if (Failed(state, Shows(form.get(), n, 0), "the loaded form does not show English")) break;
    EvictCaches();
    const auto start = Clock::now();
    form.reset();
    const auto stop = Clock::now();
    state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
  }
  state.counters["labels"] = static_cast<double>(n);
}

// Every iteration first evicts the caches, which takes far longer than a step on a small form;
// a fixed number of iterations per size keeps the run short whatever the step costs.
int64_t IterationsFor(int64_t n) {
  return n <= 1'000 ? 20 : n <= 10'000 ? 10 : 4;
}

void RegisterSteps() {
  const std::pair<const char*, void (*)(benchmark::State&)> steps[] = {
      {"BM_LoadForm", BM_LoadForm},
      {"BM_SwitchLanguage", BM_SwitchLanguage},
      {"BM_DestroyForm", BM_DestroyForm},
  };
  for (const auto& [name, step] : steps) {
    for (int64_t n : kSizes) {
      benchmark::RegisterBenchmark(name, step)
          ->Arg(n)
          ->Iterations(IterationsFor(n))
          ->UseManualTime()
          ->Unit(benchmark::kMillisecond);
    }
  }
}

// The console report, remembering the time per iteration of every benchmark and size: the
// median over repetitions when there are several.
class GrowthReporter : public benchmark::ConsoleReporter {
 public:
  GrowthReporter() : ConsoleReporter(isatty(fileno(stdout)) ? OO_ColorTabular : OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred || run.iterations == 0) continue;
      const double perIteration = run.real_accumulated_time / static_cast<double>(run.iterations);
      Sample& sample = samples_[run.run_name.function_name][std::stoll(run.run_name.args)];
      if (run.run_type == Run::RT_Iteration) {
        sample.repetitions.push_back(perIteration);
      } else if (run.aggregate_name == "median") {
        sample.median = perIteration;
      }
    }
  }

  // Prints the ratio of the 100,000-label time to the 10,000-label time of each benchmark;
  // false when one exceeds `limit`.
  bool PrintGrowth(double limit) const {
    bool within = true;
    std::printf("\nGrowth from 10,000 to 100,000 labels (linear: about 10, limit %.0f):\n", limit);
    for (const auto& [name, bySize] : samples_) {
      const auto small = bySize.find(10'000);
      const auto large = bySize.find(100'000);
      if (small == bySize.end() || large == bySize.end()) continue;
      const double from = small->second.Time();
      const double to = large->second.Time();
      if (from <= 0 || to <= 0) continue;
      const double ratio = to / from;
      within = within && ratio <= limit;
      std::printf("  %-20s %8.3f ms -> %9.3f ms  ratio %6.2f%s\n", name.c_str(), from * 1e3,
                  to * 1e3, ratio, ratio <= limit ? "" : "  (above the limit)");
    }
    std::fflush(stdout);
    return within;
  }

 private:
  struct Sample {
    std::vector<double> repetitions;
    double median = 0;
    // The reported median, else the median of the repetitions seen; 0 without any.
    double Time() const {
      if (median > 0 || repetitions.empty()) return median;
      std::vector<double> sorted = repetitions;
      std::sort(sorted.begin(), sorted.end());
      const size_t mid = sorted.size() / 2;
      return sorted.size() % 2 ? sorted[mid] : (sorted[mid - 1] + sorted[mid]) / 2;
    }
  };
  std::map<std::string, std::map<int64_t, Sample>> samples_;
};

}  // namespace
}  // namespace wdx

int main(int argc, char** argv) {
  using namespace wdx;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  StartupLanguageLibrary("English");
  RegisterStandardControls();
  RegisterClass(TLangControl::StaticClass());
  RegisterSteps();
  Application().SetOnException(
      [](TObject*, const Exception& error) { errors.push_back(error.Message()); });
  GrowthReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const bool within = reporter.PrintGrowth(12.0);
  benchmark::Shutdown();
  ShutdownLanguageLibrary();
  return within ? 0 : 2;
}
