// Files, the shipped form and formtool runs for the tests of the translation tools.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "framework/components/ObjectText.h"
#include "platform/Resources.h"
#include "tools/formtool/FormTool.h"

namespace wdx::tooltest {

inline std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

inline bool Exists(const std::string& path) {
  return std::ifstream(path).good();
}

inline void WriteText(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// A file of the running test's own: ctest runs the tests in parallel processes.
inline std::string TempPath(const std::string& name) {
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  return ::testing::TempDir() + "po_" + (test ? test->name() : "") + "_" + name;
}

// The dialog's form as the build made it, with whatever translations setup/po/ holds.
inline std::vector<uint8_t> EmbeddedStream() {
  return LoadResourceData("TFRMWENDRIXSETUP");
}

// The dialog's form with the German and Spanish it has always shipped, whatever setup/po/ holds:
// the tests' own copy (tests/setup/WendrixSetup.bin, which its source and tests/setup/po/
// compile to).
inline std::vector<uint8_t> ShippedStream() {
  const std::string bytes = ReadText(WDX_SOURCE_DIR "/tests/setup/WendrixSetup.bin");
  return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

// The same as form source, the translations' data included.
inline std::string ShippedSource() {
  return ObjectBinaryToText(ShippedStream());
}

inline std::string AsString(const std::vector<uint8_t>& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

inline std::vector<uint8_t> AsBytes(const std::string& text) {
  return std::vector<uint8_t>(text.begin(), text.end());
}

// `text` with the first `from` replaced by `to` (a test failure when there is none).
inline std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  const size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

struct ToolResult {
  int code;
  std::string out, err;
};

inline ToolResult FormTool(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int code = RunFormTool(args, out, err);
  return {code, out.str(), err.str()};
}

// Whether gettext's command-line tools are on the PATH (scripts/install-deps.sh installs them).
inline bool HaveGettextTools() {
  return std::system("msgfmt --version > /dev/null 2>&1") == 0 &&
         std::system("msgmerge --version > /dev/null 2>&1") == 0;
}

// Runs a shell command; its exit status, with standard output and error in `output`.
inline int Shell(const std::string& command, std::string* output = nullptr) {
  const std::string captured = TempPath("shell.txt");
  const int status = std::system((command + " > " + captured + " 2>&1").c_str());
  if (output) *output = ReadText(captured);
  return status;
}

}  // namespace wdx::tooltest
