// The machine registry as Apache's detection reads it on 64-bit Windows: the 32-bit view first,
// where Apache's 32-bit installers write, and the 64-bit view for keys the 32-bit one lacks.
// The keys are written with reg.exe, as an administrator would.
#include <gtest/gtest.h>

#include <string>

#include "platform/Registry.h"
#include "tests/win32/WineTools.h"

namespace wdx {
namespace {

const char kApache[] = "SOFTWARE\\Apache Group\\Apache";

class RegistryViewTest : public ::testing::Test {
 protected:
  void SetUp() override { RemoveApache(); }
  void TearDown() override { RemoveApache(); }

  static void RemoveApache() {
    for (const wchar_t* view : {L"/reg:32", L"/reg:64"}) {
      RunTool(std::wstring(L"reg delete \"HKLM\\SOFTWARE\\Apache Group\" /f ") + view);
    }
  }
  // `serverRoot` holds no blank: it is passed unquoted, since a quoted value ending in a
  // backslash would escape its closing quote.
  static void AddApache(const wchar_t* view, const std::wstring& version,
                        const std::wstring& serverRoot) {
    ASSERT_EQ(RunTool(L"reg add \"HKLM\\SOFTWARE\\Apache Group\\Apache\\" + version +
                      L"\" /v ServerRoot /d " + serverRoot + L" /f " + view),
              0);
  }
  // The server root that detection finds: the first version subkey's ServerRoot, or "(none)".
  static std::string DetectedServerRoot() {
    auto registry = CreateMachineRegistry();
    if (!registry->KeyExists(kApache)) return "(none)";
    registry->OpenKeyReadOnly(kApache);
    const std::vector<std::string> versions = registry->GetKeyNames();
    registry->CloseKey();
    if (versions.empty()) return "(none)";
    registry->OpenKeyReadOnly(std::string(kApache) + "\\" + versions.front());
    return versions.front() + " " + registry->ReadString("ServerRoot");
  }
};

TEST_F(RegistryViewTest, ApacheIsFoundInEitherViewAndThe32BitViewComesFirst) {
  EXPECT_EQ(DetectedServerRoot(), "(none)");
  AddApache(L"/reg:64", L"2.2", L"C:\\Apache64\\");
  EXPECT_EQ(DetectedServerRoot(), "2.2 C:\\Apache64\\");
  AddApache(L"/reg:32", L"1.3.27", L"C:\\Apache32\\");
  EXPECT_EQ(DetectedServerRoot(), "1.3.27 C:\\Apache32\\");
  RunTool(L"reg delete \"HKLM\\SOFTWARE\\Apache Group\" /f /reg:64");
  EXPECT_EQ(DetectedServerRoot(), "1.3.27 C:\\Apache32\\");
}

TEST_F(RegistryViewTest, KeyNamesAndValuesInAnyScriptAreReadAsUtf8) {
  AddApache(L"/reg:32", L"2.4-β", L"C:\\Апач\\アパッチ\\");
  EXPECT_EQ(DetectedServerRoot(), "2.4-β C:\\Апач\\アパッチ\\");
}

}  // namespace
}  // namespace wdx
