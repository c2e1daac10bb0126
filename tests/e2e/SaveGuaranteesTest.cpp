// What a Save guarantees an administrator: links written through, owner and mode kept, nothing
// replaced that the user may not write, no temporary file left for long, and bounded memory.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "tests/e2e/E2eHarness.h"

namespace wdx::e2e {
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif

class E2eGuaranteesTest : public E2eTest {
 protected:
  void SetUp() override {
    E2eTest::SetUp();
    UseRegistry("REGEDIT4\r\n");
  }
  Outcome SaveWith(const Limits& limits = {}) {
    return RunSetup({"click btOk", "answer OK", "answer OK"}, limits);
  }
  std::string ConfigReport(const std::string& message) const {
    return ErrorReport(message + " " +
                       Doubled(InstallDir() + "\\www\\wendrix\\cgi-bin\\application.cfg") + ".");
  }
};

TEST_F(E2eGuaranteesTest, EveryFileIsWrittenThroughItsLink) {
  ::mkdir(Inst("real").c_str(), 0755);
  WriteBytes(Inst("real/application.cfg"), "http_root\n");
  ASSERT_EQ(::symlink("../../../real/application.cfg", ConfigPath().c_str()), 0);
  WriteBytes(Inst("real/start.url"), "old");
  ASSERT_EQ(::symlink("real/start.url", Inst(kStartPageFile).c_str()), 0);
  const std::string conf = InstallApache("Listen 80\n");
  ::rename(conf.c_str(), (Inst("real") + "/httpd.conf").c_str());
  ASSERT_EQ(::symlink((Inst("real") + "/httpd.conf").c_str(), conf.c_str()), 0);
  // Dangling: the backup is created where it points. Wine shows no Linux link as a link, so
  // under wine the backup is a plain file next to httpd.conf.
  const std::string backup = UnderWine() ? conf + ".korvane" : Inst("real") + "/httpd.conf.korvane";
  if (!UnderWine()) {
    ASSERT_EQ(::symlink(backup.c_str(), (conf + ".korvane").c_str()), 0);
  }

  const Outcome run = RunSetup({"click btOk", "answer Yes"});
  EXPECT_EQ(run.lines, Lines({kApacheQuestion, "closed"}));
  EXPECT_EQ(ReadBytes(Inst("real/application.cfg")),
            "          'http_root'=>'http://" + ComputerName() + "',\r\n");
  EXPECT_EQ(ReadBytes(Inst("real/start.url")),
            Shortcut("http://" + ComputerName() + "/wendrix/cgi-bin/bastrel.exe?action=start"));
  EXPECT_EQ(ReadBytes(backup), "Listen 80\n");
  EXPECT_EQ(ReadBytes(Inst("real/httpd.conf")),
            "Listen 80\r\n" + ApacheBlock(InstallDir()) + "\r\n");
  for (const std::string& link : {ConfigPath(), Inst(kStartPageFile), conf}) {
    struct stat info {};
    EXPECT_EQ(::lstat(link.c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode)) << link;
  }
  struct stat info {};
  EXPECT_EQ(::lstat((conf + ".korvane").c_str(), &info), 0);
  EXPECT_EQ(S_ISLNK(info.st_mode), !UnderWine());
}

TEST_F(E2eGuaranteesTest, TheIisStandInIsWrittenThroughItsLinkAndKeepsItsOwnerAndMode) {
  WDX_E2E_NATIVE_ONLY("a Linux link, owner and mode are nothing a Windows program sees");
  if (::geteuid() != 0) GTEST_SKIP() << "giving a file another owner needs the superuser";
  WriteBytes(ConfigPath(), "");
  const std::string real = Root() + "/iis/metabase.ini";
  WriteBytes(real, "[IIS://localhost/W3SVC/1/Root]\nClass=IIsWebVirtualDir\n");
  ASSERT_EQ(::chown(real.c_str(), 33, 33), 0);
  ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
  ::unlink(MetabaseFile().c_str());
  ASSERT_EQ(::symlink(real.c_str(), MetabaseFile().c_str()), 0);
  const Outcome run = RunSetup({"click btOk", "answer Yes"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_NE(ReadBytes(real).find("[IIS://localhost/W3SVC/1/Root/wendrix]"), std::string::npos);
  struct stat info {};
  ASSERT_EQ(::stat(real.c_str(), &info), 0);
  EXPECT_EQ(info.st_uid, 33u);
  EXPECT_EQ(info.st_gid, 33u);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  ASSERT_EQ(::lstat(MetabaseFile().c_str(), &info), 0);
  EXPECT_TRUE(S_ISLNK(info.st_mode));
}

TEST_F(E2eGuaranteesTest, AUserWhoMayNotWriteTheConfigCannotReplaceItThroughItsFolder) {
  WDX_E2E_NATIVE_ONLY("wine runs as the user who owns its prefix");
  if (::geteuid() != 0) GTEST_SKIP() << "running the program as another user needs the superuser";
  WriteBytes(ConfigPath(), "http_root\n");  // the superuser's, 0644
  ::chmod(Root().c_str(), 0755);
  ::chown(Inst().c_str(), 65534, 65534);  // the installation folder is the user's
  ::chown(CgiBin().c_str(), 65534, 65534);
  const Outcome run = SaveWith({.asUser = 65534});
  EXPECT_EQ(run.lines, Lines({kUnableWarning, ConfigReport("Cannot create file"),
                              "script: ended with the dialog open"}));
  EXPECT_EQ(ReadBytes(ConfigPath()), "http_root\n");
  EXPECT_EQ(FolderNames(CgiBin()), Lines({"application.cfg"}));
}

TEST_F(E2eGuaranteesTest, TemporaryFilesOfAKilledRunAreRemovedByTheNextSave) {
  WriteBytes(ConfigPath(), "http_root\n");
  // Named by a process that has ended (no process has so high an id).
  WriteBytes(CgiBin() + "/application.cfg.wdxtmp-4000000-7", "half");
  WriteBytes(CgiBin() + "/other.cfg.wdxtmp-4000000-7", "not ours to remove");
  EXPECT_EQ(SaveWith().exitCode, 0);
  EXPECT_EQ(FolderNames(CgiBin()), Lines({"application.cfg", "other.cfg.wdxtmp-4000000-7"}));
}

// Memory limits: the program's own address space, without the file, is about 8 MB; twice that
// leaves room for a different C++ runtime.
constexpr long kFootprint = 16L << 20;
constexpr long kFileSize = 50L << 20;

TEST_F(E2eGuaranteesTest, AFiftyMegabyteConfigIsRewrittenWithinThreeTimesItsSize) {
  WDX_E2E_NATIVE_ONLY("an address-space limit would reach wine itself");
  if (kAddressSanitizer) GTEST_SKIP() << "AddressSanitizer reserves terabytes of address space";
  const std::string emptyLines(kFileSize, '\n');
  std::string longLines;
  while (longLines.size() < static_cast<size_t>(kFileSize)) {
    longLines += std::string(1 << 20, 'x') + "\r\n";
  }
  const Limits limit{.addressSpaceBytes = 3 * kFileSize + kFootprint};
  WriteBytes(ConfigPath(), emptyLines);
  const Outcome empty = SaveWith(limit);
  EXPECT_EQ(empty.lines, Lines({kUnableWarning, "closed"}));
  EXPECT_EQ(ReadBytes(ConfigPath()).size(), 2 * emptyLines.size());

  WriteBytes(ConfigPath(), longLines);
  const Outcome longOnes = SaveWith(limit);
  EXPECT_EQ(longOnes.lines, Lines({kUnableWarning, "closed"}));
  EXPECT_TRUE(ReadBytes(ConfigPath()) == longLines);
}

TEST_F(E2eGuaranteesTest, RunningOutOfMemoryIsReportedAndChangesNothing) {
  WDX_E2E_NATIVE_ONLY("an address-space limit would reach wine itself");
  if (kAddressSanitizer) GTEST_SKIP() << "AddressSanitizer reserves terabytes of address space";
  const std::string config(kFileSize, '\n');
  WriteBytes(ConfigPath(), config);
  const Outcome run = SaveWith({.addressSpaceBytes = kFootprint + kFileSize / 2});
  EXPECT_EQ(run.lines, Lines({kUnableWarning, ErrorReport("Out of memory."),
                              "script: ended with the dialog open"}));
  EXPECT_EQ(ReadBytes(ConfigPath()), config);
  EXPECT_EQ(FolderNames(CgiBin()), Lines({"application.cfg"}));
}

}  // namespace
}  // namespace wdx::e2e
