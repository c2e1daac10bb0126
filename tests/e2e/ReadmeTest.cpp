// The README's example of unattended use, run as written: in a folder that holds only the
// program, each "$ " line is a command, and the lines under it are what it prints.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/e2e/E2eHarness.h"

namespace wdx::e2e {
namespace {

// The fenced block that follows the README's marker of the tested example.
Lines TestedExample() {
  std::ifstream readme(WDX_SOURCE_DIR "/README.md");
  std::string line;
  while (std::getline(readme, line) &&
         line != "<!-- tests/e2e/ReadmeTest.cpp runs this example as written. -->") {
  }
  Lines block;
  if (!std::getline(readme, line) || line != "```") return block;
  while (std::getline(readme, line) && line != "```") block.push_back(line);
  return block;
}

struct Step {
  std::string command;
  Lines expected;
};

std::vector<Step> Steps(const Lines& block) {
  std::vector<Step> steps;
  for (const std::string& line : block) {
    if (line.rfind("$ ", 0) == 0) {
      steps.push_back({line.substr(2), {}});
    } else if (!steps.empty()) {
      steps.back().expected.push_back(line);
    }
  }
  return steps;
}

// A terminal shows a line that ends in CR LF as the line.
Lines AsShown(Lines lines) {
  for (std::string& line : lines) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
  }
  return lines;
}

TEST(ReadmeExample, PrintsWhatTheReadmeShowsInAFolderHoldingOnlyTheProgram) {
  const std::vector<Step> steps = Steps(TestedExample());
  ASSERT_GE(steps.size(), 2u) << "README.md has no tested example";
  char folder[] = "/tmp/wdx-readme-XXXXXX";
  ASSERT_NE(::mkdtemp(folder), nullptr);
  const std::string program = ProgramPath();
  std::filesystem::copy_file(
      program, std::string(folder) + "/" + std::filesystem::path(program).filename().string());
  for (const Step& step : steps) {
    SCOPED_TRACE(step.command);
    std::string command = step.command;
    // Under wine the folder holds the Windows program, which wine runs.
    const size_t at = command.find("./WDXConfig ");
    if (UnderWine() && at != std::string::npos) {
      command.replace(at, 11, std::string("'") + WDX_E2E_WINE_RUN + "' ./WDXConfig.exe");
    }
    const Outcome run = RunShell(command, folder);
    EXPECT_EQ(AsShown(run.lines), step.expected);
  }
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace wdx::e2e
