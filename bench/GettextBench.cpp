// One change of language on a form of n translated labels, done two ways:
//
//   controller  the form's language control switches its Language (the texts of every
//               language live in the form's language data and are exchanged in place);
//   gettext     the way a program built on GNU gettext retranslates its widgets: the catalogue
//               of the new language is selected (LANGUAGE, then textdomain) and every label's
//               caption is looked up again with gettext() by its English text and assigned.
//
// The catalogues hold the same n texts in three languages; they are written as .po files and
// compiled with msgfmt into a temporary directory when the benchmark starts. Both ways write
// into the captions of TLabel objects and go round English, German, Spanish, English, ...; the
// first and last labels are checked after every switch. After the run, both times and their
// ratio are printed for each n, and the run exits with 2 when a ratio is above 0.1.
#include <benchmark/benchmark.h>
#include <libintl.h>
#include <unistd.h>

#include <chrono>
#include <clocale>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

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

// The largest ratio of the controller's time to gettext's that the run accepts.
constexpr double kGoal = 0.1;

using bench::kLanguages;
using bench::kSizes;
using bench::LabelName;
const char* const kCodes[] = {"en", "de", "es"};
const char* const kDomain = "wdxbench";

std::string Text(int language, int64_t i) {
  return bench::LabelText(language, i);
}

std::vector<uint8_t> BuildForm(int64_t n) {
  return bench::TranslatedFormStream(n, "frmGettextBench");
}

std::vector<std::string> errors;

std::unique_ptr<TForm> LoadForm(int64_t n) {
  TMemoryStream stream(BuildForm(n));
  auto form = std::make_unique<TForm>(&Application());
  TReader reader(stream);
  reader.SetGlobalScope(&Application());
  reader.ReadRootComponent(form.get());
  return form;
}

std::vector<TLabel*> LabelsOf(TForm* form, int64_t n) {
  std::vector<TLabel*> labels;
  for (int64_t i = 0; i < n; ++i) {
    labels.push_back(dynamic_cast<TLabel*>(form->FindComponent(LabelName(i))));
  }
  return labels;
}

// Whether the first and the last label show `language`.
bool Shows(const std::vector<TLabel*>& labels, int language) {
  const int64_t last = static_cast<int64_t>(labels.size()) - 1;
  for (int64_t i : {int64_t{0}, last}) {
    if (!labels[static_cast<size_t>(i)] ||
        labels[static_cast<size_t>(i)]->Caption() != Text(language, i)) {
      return false;
    }
  }
  return true;
}

// ---------------------------------------------------------------------------------------------
// The gettext catalogues: <dir>/<code>/LC_MESSAGES/wdxbench.mo for every language and size.

std::string PoString(const std::string& s) {
  return "\"" + s + "\"";  // the generated texts hold no character that needs an escape
}

std::filesystem::path catalogueRoot;

// The directory bound to the domain for `n` labels.
std::filesystem::path CatalogueDir(int64_t n) {
  return catalogueRoot / std::to_string(n);
}

bool MakeCatalogues() {
  catalogueRoot = std::filesystem::temp_directory_path() /
                  ("wdx_gettext_bench_" + std::to_string(static_cast<long>(::getpid())));
  for (int64_t n : kSizes) {
    for (int language = 0; language < 3; ++language) {
      const std::filesystem::path dir = CatalogueDir(n) / kCodes[language] / "LC_MESSAGES";
      std::filesystem::create_directories(dir);
      const std::filesystem::path po = dir / "bench.po";
      {
        std::ofstream out(po);
        out << "msgid \"\"\nmsgstr \"\"\n\"Language: " << kCodes[language]
            << "\\n\"\n\"MIME-Version: 1.0\\n\"\n"
               "\"Content-Type: text/plain; charset=UTF-8\\n\"\n"
               "\"Content-Transfer-Encoding: 8bit\\n\"\n";
        for (int64_t i = 0; i < n; ++i) {
          out << "\nmsgid " << PoString(Text(0, i)) << "\nmsgstr " << PoString(Text(language, i))
              << "\n";
        }
      }
      const std::string command = "msgfmt -o '" + (dir / (std::string(kDomain) + ".mo")).string() +
                                  "' '" + po.string() + "'";
      if (std::system(command.c_str()) != 0) {
        std::fprintf(stderr, "msgfmt failed: %s\n", command.c_str());
        return false;
      }
    }
  }
  return true;
}

// Selects the catalogue of `language`: the language list, then textdomain, which makes gettext
// forget what it found for the previous one.
void SelectCatalogue(int language) {
  setenv("LANGUAGE", kCodes[language], 1);
  textdomain(kDomain);
}

// ---------------------------------------------------------------------------------------------
// The benchmarks

bool Failed(benchmark::State& state, bool ok, const char* what) {
  if (ok && errors.empty()) return false;
  const std::string message = errors.empty() ? std::string(what) : what + (": " + errors.front());
  state.SkipWithError(message.c_str());
  errors.clear();
  return true;
}

void BM_ControllerSwitch(benchmark::State& state) {
  const int64_t n = state.range(0);
  StartupLanguageLibrary("English");
  {
    std::unique_ptr<TForm> form = LoadForm(n);
    const std::vector<TLabel*> labels = LabelsOf(form.get(), n);
    auto* control = dynamic_cast<TLangControl*>(form->FindComponent("LangControl"));
    if (Failed(state, control && Shows(labels, 0), "the loaded form does not show English")) {
      ShutdownLanguageLibrary();
      return;
    }
    int language = 0;
    for (auto _ : state) {
      language = (language + 1) % 3;
      const std::string name = kLanguages[language];
      const auto start = Clock::now();
      control->SetLanguage(name);
      const auto stop = Clock::now();
      state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
      if (Failed(state, Shows(labels, language), "the switch did not reach every label")) break;
    }
  }
  ShutdownLanguageLibrary();
  state.counters["labels"] = static_cast<double>(n);
}

void BM_GettextSwitch(benchmark::State& state) {
  const int64_t n = state.range(0);
  StartupLanguageLibrary("English");
  {
    // The same labels, without language data: gettext holds the translations.
    TForm form(&Application());
    std::vector<TLabel*> labels;
    std::vector<std::string> sources;  // the msgid of every label: its English text
    for (int64_t i = 0; i < n; ++i) {
      auto* label = new TLabel(&form);
      label->SetCaption(Text(0, i));
      labels.push_back(label);
      sources.push_back(Text(0, i));
    }
    bindtextdomain(kDomain, CatalogueDir(n).c_str());
    bind_textdomain_codeset(kDomain, "UTF-8");
    // Each catalogue once before the clock runs, as the controller's data is loaded too.
    bool hit = true;
    for (int language : {1, 2, 0}) {
      SelectCatalogue(language);
      hit = hit && gettext(sources.back().c_str()) == Text(language, n - 1) &&
            gettext(sources.front().c_str()) == Text(language, 0);
    }
    const bool ready = !Failed(state, hit, "gettext does not find the catalogue's texts");
    int language = 0;
    for (auto _ : state) {
      if (!ready) break;
      language = (language + 1) % 3;
      const auto start = Clock::now();
      SelectCatalogue(language);
      for (size_t i = 0; i < labels.size(); ++i) labels[i]->SetCaption(gettext(sources[i].c_str()));
      const auto stop = Clock::now();
      state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
      if (Failed(state, Shows(labels, language), "gettext did not retranslate every label")) {
        break;
      }
    }
  }
  ShutdownLanguageLibrary();
  state.counters["labels"] = static_cast<double>(n);
}

void Sizes(benchmark::internal::Benchmark* b) {
  for (int64_t n : kSizes) b->Arg(n);
  b->UseManualTime()->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_ControllerSwitch)->Apply(Sizes);
BENCHMARK(BM_GettextSwitch)->Apply(Sizes);

// The console report, remembering the mean time of every benchmark and size (the median when
// the run has repetitions).
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred || run.iterations == 0) continue;
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (run.run_type == Run::RT_Aggregate && !median) continue;
      auto& slot = times_[run.run_name.function_name][std::stoll(run.run_name.args)];
      if (median || slot.second == false) {
        slot = {run.real_accumulated_time / static_cast<double>(run.iterations), median};
      }
    }
  }

  // Prints both times and their ratio for every size; false when a ratio is above kGoal, or a
  // figure is missing.
  bool PrintRatios() const {
    bool within = true;
    std::printf("\nOne switch of language, controller against gettext re-lookup:\n");
    std::printf("  %8s %14s %14s %8s\n", "labels", "controller", "gettext", "ratio");
    for (int64_t n : kSizes) {
      const double controller = Time("BM_ControllerSwitch", n);
      const double gettextTime = Time("BM_GettextSwitch", n);
      if (controller <= 0 || gettextTime <= 0) {
        std::printf("  %8lld  (not measured)\n", static_cast<long long>(n));
        within = false;
        continue;
      }
      const double ratio = controller / gettextTime;
      within = within && ratio <= kGoal;
      std::printf("  %8lld %11.3f ms %11.3f ms %8.2f%s\n", static_cast<long long>(n),
                  controller * 1e3, gettextTime * 1e3, ratio,
                  ratio <= kGoal ? "" : "  (above the goal)");
    }
    std::fflush(stdout);
    return within;
  }

 private:
  double Time(const std::string& name, int64_t n) const {
    const auto byName = times_.find(name);
    if (byName == times_.end()) return 0;
    const auto bySize = byName->second.find(n);
    return bySize == byName->second.end() ? 0 : bySize->second.first;
  }

  std::map<std::string, std::map<int64_t, std::pair<double, bool>>> times_;
};

}  // namespace
}  // namespace wdx

int main(int argc, char** argv) {
  using namespace wdx;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  // A locale that exists; with plain "C" gettext would ignore LANGUAGE.
  if (!std::setlocale(LC_ALL, "C.UTF-8")) {
    std::fprintf(stderr, "the locale C.UTF-8 is missing\n");
    return 1;
  }
  if (!MakeCatalogues()) return 1;
  RegisterStandardControls();
  RegisterClass(TLangControl::StaticClass());
  Application().SetOnException(
      [](TObject*, const Exception& error) { errors.push_back(error.Message()); });
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const bool within = reporter.PrintRatios();
  benchmark::Shutdown();
  std::error_code ignored;
  std::filesystem::remove_all(catalogueRoot, ignored);
  return within ? 0 : 2;
}
