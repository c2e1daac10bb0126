// The Windows file layer under wine: ReplaceFileW keeps the file's attributes, a writer lock and a
// share mode that denies other writers serialise read-modify-writes from the read to the
// replacement, temporary names are unique and cleared,
// every failing step leaves the old file whole, and the system's codes reach the input/output
// errors unchanged.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <future>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/WideText.h"
#include "platform/FileFaults.h"
#include "platform/Files.h"

namespace wdx {
namespace {

std::string MessageOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const std::exception& error) {
    return error.what();
  }
  return "no exception";
}

class Win32FilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "wdx-files-" + std::to_string(GetCurrentProcessId()) + "-" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name();
    CreateDirectoryA(folder_.c_str(), nullptr);
  }
  void TearDown() override {
    SetFileFaultHook(nullptr);
    SetFileLockWait(std::chrono::milliseconds(5000));
    for (const std::string& name : Names()) {
      SetFileAttributesA(Path(name).c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(Path(name).c_str());
    }
    RemoveDirectoryA(folder_.c_str());
  }
  std::string Path(const std::string& name) const { return folder_ + "\\" + name; }
  void Write(const std::string& name, const std::string& bytes) const {
    HANDLE file = CreateFileA(Path(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD n = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
    CloseHandle(file);
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(Path("*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
      const std::string name = data.cFileName;
      if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return names;
  }
  std::string folder_;
};

TEST_F(Win32FilesTest, AReplacedFileKeepsItsAttributesAndABackupIsWritten) {
  Write("httpd.conf", "Listen 80\r\n");
  SetFileAttributesA(Path("httpd.conf").c_str(), FILE_ATTRIBUTE_HIDDEN);
  {
    TFileUpdate conf(Path("httpd.conf"));
    conf.SaveBackup(Path("httpd.conf.korvane"));
    conf.Replace(conf.Bytes() + "Block\r\n");
  }
  EXPECT_EQ(ReadFileBytes(Path("httpd.conf")), "Listen 80\r\nBlock\r\n");
  EXPECT_EQ(ReadFileBytes(Path("httpd.conf.korvane")), "Listen 80\r\n");
  EXPECT_TRUE(GetFileAttributesA(Path("httpd.conf").c_str()) & FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ(Names(), (std::vector<std::string>{"httpd.conf", "httpd.conf.korvane"}));
}

// A name in any script is the file's own: the file is written, replaced with a backup, found,
// read and listed by it, whatever the system's code page.
TEST_F(Win32FilesTest, FilesAreFoundByTheirNamesInAnyScript) {
  const std::string folder = Path("Папка Φάκελος フォルダ");
  ASSERT_TRUE(CreateDirectoryW(Wide(folder).c_str(), nullptr));
  const std::string file = folder + "\\httpd ł 設定.conf";
  SaveFileReplacing(file, "Listen 80\r\n");
  {
    TFileUpdate conf(file);
    conf.SaveBackup(file + ".korvane");
    conf.Replace(conf.Bytes() + "Block\r\n");
  }
  EXPECT_TRUE(FileExists(file) && DirectoryExists(folder));
  EXPECT_EQ(ReadFileBytes(file), "Listen 80\r\nBlock\r\n");
  std::vector<std::string> names;
  for (const TDirEntry& entry : ListDirectory(folder)) names.push_back(entry.Name);
  EXPECT_EQ(names, (std::vector<std::string>{"httpd ł 設定.conf", "httpd ł 設定.conf.korvane"}));
  for (const std::string& name : names) DeleteFileW(Wide(folder + "\\" + name).c_str());
  EXPECT_TRUE(RemoveDirectoryW(Wide(folder).c_str()));
}

TEST_F(Win32FilesTest, OnlyRegularFilesOnADiskAreRead) {
  CreateDirectoryA(Path("folder.conf").c_str(), nullptr);
  EXPECT_FALSE(FileExists(Path("folder.conf")));
  EXPECT_FALSE(FileExists("Z:\\dev\\zero"));
  EXPECT_EQ(MessageOf([] { ReadFileBytes("Z:\\dev\\zero"); }), "Cannot open file Z:\\dev\\zero");
  EXPECT_EQ(MessageOf([&] { SaveFileReplacing(Path("folder.conf"), "x"); }),
            "Cannot create file " + Path("folder.conf"));
  RemoveDirectoryA(Path("folder.conf").c_str());
}

TEST_F(Win32FilesTest, TheSystemsCodesReachTheInputOutputErrorsUnchanged) {
  EXPECT_EQ(MessageOf([&] { SaveFileReplacingInOut(Path("missing\\x.url"), "x"); }),
            "Invalid filename");  // code 3: the folder does not exist
  EXPECT_EQ(MessageOf([&] { SaveFileReplacingInOut(Path("a?b.url"), "x"); }), "I/O error 123");
  Write("ro.url", "old");
  SetFileAttributesA(Path("ro.url").c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(MessageOf([&] { SaveFileReplacingInOut(Path("ro.url"), "x"); }), "File access denied");
  EXPECT_EQ(MessageOf([&] { SaveFileReplacing(Path("ro.url"), "x"); }),
            "Cannot create file " + Path("ro.url"));
  for (const int code : {161, 39, 112, 123}) {
    SetFileFaultHook([code](const char* step, const std::string&) {
      return std::string(step) == "write" ? code : 0;
    });
    EXPECT_EQ(MessageOf([&] { SaveFileReplacingInOut(Path("a.url"), "x"); }),
              "I/O error " + std::to_string(code));
  }
  EXPECT_EQ(Names(), std::vector<std::string>{"ro.url"});
}

TEST_F(Win32FilesTest, AWriterGivesUpOnAnotherProgramsShareModeAndHoldsOffOtherWriters) {
  Write("application.cfg", "old");
  HANDLE other = CreateFileA(Path("application.cfg").c_str(), GENERIC_READ, FILE_SHARE_READ,
                             nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  SetFileLockWait(std::chrono::milliseconds(100));
  EXPECT_EQ(MessageOf([&] { TFileUpdate update(Path("application.cfg")); }),
            "Cannot open file " + Path("application.cfg"));
  CloseHandle(other);
  TFileUpdate update(Path("application.cfg"));
  // While it is held, nobody else may write it.
  HANDLE writer = CreateFileA(Path("application.cfg").c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  EXPECT_EQ(writer, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  update.Replace("new");
  EXPECT_EQ(ReadFileBytes(Path("application.cfg")), "new");
}

TEST_F(Win32FilesTest, ASecondWriterWaitsForTheFirstAndBuildsOnItsResult) {
  Write("application.cfg", "old");
  const auto first = std::this_thread::get_id();
  std::promise<void> waiting;
  std::once_flag started;
  SetFileFaultHook([&](const char*, const std::string&) {
    if (std::this_thread::get_id() != first) std::call_once(started, [&] { waiting.set_value(); });
    return 0;
  });
  std::thread second;
  {
    TFileUpdate update(Path("application.cfg"));
    second = std::thread([&] {  // a failure ends the test program
      TFileUpdate later(Path("application.cfg"));
      later.Replace(later.Bytes() + "+second");
    });
    waiting.get_future().wait();  // the second writer has begun, at the file the first one holds
    update.Replace(update.Bytes() + "+first");
  }
  second.join();
  EXPECT_EQ(ReadFileBytes(Path("application.cfg")), "old+first+second");
}

TEST_F(Win32FilesTest, NoOtherWriterGetsTheFileFromTheReadToTheReplacement) {
  Write("application.cfg", "old");
  SetFileLockWait(std::chrono::milliseconds(0));
  TFileUpdate update(Path("application.cfg"));
  // Before every step of the replacement another writer tries the file, and is turned away. The
  // first ReplaceFileW meets a sharing violation, as where the system cannot replace a file held
  // open, so that the replacement lets go of its handle and tries again.
  const auto writer = std::this_thread::get_id();
  int probes = 0, replaces = 0;
  SetFileFaultHook([&](const char* step, const std::string&) -> int {
    if (std::this_thread::get_id() != writer) return 0;
    std::string other;
    std::thread([&] {
      other = MessageOf([&] { TFileUpdate probe(Path("application.cfg")); });
    }).join();
    EXPECT_EQ(other, "Cannot open file " + Path("application.cfg")) << "before " << step;
    ++probes;
    return std::string(step) == "replace" && replaces++ == 0 ? ERROR_SHARING_VIOLATION : 0;
  });
  update.Replace("new");
  SetFileFaultHook(nullptr);
  EXPECT_EQ(replaces, 2);
  EXPECT_GE(probes, 5);
  EXPECT_EQ(ReadFileBytes(Path("application.cfg")), "new");
}

TEST_F(Win32FilesTest, EveryFailingStepLeavesTheOldFileAndNoTemporaryFile) {
  Write("application.cfg", "old");
  Write("application.cfg.wdxtmp-4000000-0", "left by a killed run");
  std::vector<std::string> steps;
  SetFileFaultHook([&](const char* step, const std::string&) {
    steps.push_back(step);
    return 0;
  });
  {
    TFileUpdate update(Path("application.cfg"));
    update.Replace("new");
  }
  EXPECT_EQ(Names(), std::vector<std::string>{"application.cfg"});
  ASSERT_GE(steps.size(), 5u);
  for (size_t failing = 0; failing < steps.size(); ++failing) {
    SCOPED_TRACE(steps[failing]);
    Write("application.cfg", "old");
    size_t count = 0;
    SetFileFaultHook([&](const char*, const std::string&) {
      return count++ == failing ? ERROR_WRITE_FAULT : 0;
    });
    const std::string message = MessageOf([&] {
      TFileUpdate update(Path("application.cfg"));
      update.Replace("new");
    });
    EXPECT_TRUE(message == "Cannot open file " + Path("application.cfg") ||
                message == "Cannot create file " + Path("application.cfg") ||
                message == "Stream write error" || message == "Stream read error")
        << message;
    EXPECT_EQ(ReadFileBytes(Path("application.cfg")), "old");
    EXPECT_EQ(Names(), std::vector<std::string>{"application.cfg"});
  }
}

}  // namespace
}  // namespace wdx
