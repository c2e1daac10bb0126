#include "tools/formc/FormSource.h"

#include <stdexcept>

#include "tools/formc/Files.h"
#include "tools/formc/FormCheck.h"

namespace formc {

namespace {

std::runtime_error AllOf(const std::vector<std::string>& problems) {
  std::string all;
  for (const std::string& problem : problems) all += (all.empty() ? "" : "\n") + problem;
  return std::runtime_error(all);
}

// "Line 3: what" of the source compiler as "<file>:3: what".
std::runtime_error SourceError(const std::string& source, const wdx::EParserError& error) {
  const std::string& message = error.Message();
  if (message.rfind("Line ", 0) == 0) {
    const size_t colon = message.find(": ");
    if (colon != std::string::npos) {
      return std::runtime_error(source + ":" + message.substr(5, colon - 5) +
                                message.substr(colon));
    }
  }
  return std::runtime_error(source + ": " + message);
}

}  // namespace

std::vector<uint8_t> CompileForm(const std::string& source, const TProgramClasses& classes,
                                 wdx::TFormSourceMap& map) {
  std::vector<uint8_t> stream;
  try {
    stream = wdx::ObjectTextToBinary(ReadFile(source), &map);
  } catch (const wdx::EParserError& error) {
    throw SourceError(source, error);
  }
  const std::vector<std::string> problems =
      WithLanguageLibrary([&] { return CheckForm(source, stream, map, classes); });
  if (!problems.empty()) throw AllOf(problems);
  return stream;
}

TProgramClasses ReadClassFiles(const std::vector<std::string>& files) {
  std::vector<std::pair<std::string, std::string>> read;
  for (const std::string& file : files) read.emplace_back(file, ReadFile(file));
  std::vector<std::string> problems;
  TProgramClasses classes = ReadProgramClasses(read, problems);
  if (!problems.empty()) throw AllOf(problems);
  return classes;
}

}  // namespace formc
