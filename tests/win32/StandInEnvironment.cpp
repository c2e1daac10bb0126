// The Windows build's side of the directory-service tests: the variables live in the process
// environment, where the provider reads them, and the provider is registered with regsvr32
// before any test runs, in whatever wine prefix the tests run in.
#include "tests/platform/StandInEnvironment.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "tests/win32/WineTools.h"

namespace wdx {

void SetVariable(const std::string& name, const std::string& value) {
  SetEnvironmentVariableA(name.c_str(), value.empty() ? nullptr : value.c_str());
}

bool LookupReportsMalformedFile() {
  return false;
}

namespace {

class ProviderRegistration : public ::testing::Environment {
 public:
  void SetUp() override {
    const std::wstring provider = BesideProgram(L"iis-standin.dll");
    ASSERT_EQ(RunTool(L"regsvr32 /s \"" + provider + L"\""), 0) << "regsvr32 failed";
  }
};

[[maybe_unused]] ::testing::Environment* const kRegistration =
    ::testing::AddGlobalTestEnvironment(new ProviderRegistration);

}  // namespace

}  // namespace wdx
