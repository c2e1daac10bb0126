// How the POSIX file layer replaces, creates and reads files: through links, keeping the
// protection of what it replaces, only regular files, with the system's codes in the Windows
// form.
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cstring>

#include "framework/rtl/Exceptions.h"
#include "platform/FileFaults.h"
#include "platform/Files.h"
#include "tests/platform/FileTestSupport.h"

namespace wdx {
namespace {

using test::MessageOf;

class FileReplaceTest : public test::FileTest {};

TEST_F(FileReplaceTest, LinksAreWrittenThroughAndStayLinks) {
  ::mkdir(Native("real").c_str(), 0755);
  Write("real/application.cfg", "old");
  ASSERT_EQ(::symlink("real/application.cfg", Native("hop").c_str()), 0);
  ASSERT_EQ(::symlink("hop", Native("application.cfg").c_str()), 0);  // a chain of two links
  EXPECT_TRUE(FileExists(Win("application.cfg")));
  EXPECT_EQ(ReadFileBytes(Win("application.cfg")), "old");

  SaveFileReplacing(Win("application.cfg"), "new");
  EXPECT_EQ(Read("real/application.cfg"), "new");
  EXPECT_TRUE(S_ISLNK(Stat("application.cfg").st_mode));
  EXPECT_TRUE(S_ISLNK(Stat("hop").st_mode));

  {
    TFileUpdate update(Win("application.cfg"));
    update.SaveBackup(Win("application.cfg.korvane"));
    update.Replace(update.Bytes() + "+");
  }
  EXPECT_EQ(Read("real/application.cfg"), "new+");
  EXPECT_EQ(Read("application.cfg.korvane"), "new");
  EXPECT_TRUE(S_ISLNK(Stat("application.cfg").st_mode));

  // A dangling link is a missing file: nothing to read, and writing creates what it names.
  ASSERT_EQ(::symlink("real/x.url", Native("x.url").c_str()), 0);
  EXPECT_FALSE(FileExists(Win("x.url")));
  EXPECT_THROW(ReadFileBytes(Win("x.url")), EFOpenError);
  EXPECT_THROW(TFileUpdate(Win("x.url")), EFOpenError);
  SaveFileReplacingInOut(Win("x.url"), "url");
  EXPECT_EQ(Read("real/x.url"), "url");
  EXPECT_TRUE(S_ISLNK(Stat("x.url").st_mode));
  EXPECT_EQ(Names("real"), (std::vector<std::string>{"application.cfg", "x.url"}));
}

TEST_F(FileReplaceTest, AReplacedFileKeepsOwnerGroupModeAclAndAttributes) {
  if (!IsRoot()) GTEST_SKIP() << "giving a file another owner needs the superuser";
  Write("application.cfg", "old");
  const std::string file = Native("application.cfg");
  ASSERT_EQ(::chown(file.c_str(), 33, 33), 0);
  ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
  ASSERT_EQ(::setxattr(file.c_str(), "user.origin", "admin", 5, 0), 0);
  // An access ACL granting user 65534 read access (version 2; user, named user, group, mask,
  // other).
  const uint8_t acl[] = {2,    0,    0,    0,    1,    0,    6,    0,    0xff, 0xff, 0xff,
                         0xff, 2,    0,    4,    0,    0xfe, 0xff, 0,    0,    4,    0,
                         4,    0,    0xff, 0xff, 0xff, 0xff, 0x10, 0,    4,    0,    0xff,
                         0xff, 0xff, 0xff, 0x20, 0,    0,    0,    0xff, 0xff, 0xff, 0xff};
  ASSERT_EQ(::setxattr(file.c_str(), "system.posix_acl_access", acl, sizeof acl, 0), 0)
      << std::strerror(errno);

  SaveFileReplacing(Win("application.cfg"), "new");
  const struct stat info = Stat("application.cfg");
  EXPECT_EQ(Read("application.cfg"), "new");
  EXPECT_EQ(info.st_uid, 33u);
  EXPECT_EQ(info.st_gid, 33u);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  char value[64] = {};
  EXPECT_EQ(::getxattr(file.c_str(), "user.origin", value, sizeof value), 5);
  EXPECT_STREQ(value, "admin");
  uint8_t kept[64] = {};
  ASSERT_EQ(::getxattr(file.c_str(), "system.posix_acl_access", kept, sizeof kept),
            static_cast<ssize_t>(sizeof acl));
  EXPECT_EQ(std::memcmp(kept, acl, sizeof acl), 0);

  // Nor does a file gain an ACL from its folder's default, which a new file there does get.
  ::mkdir(Native("shared").c_str(), 0755);
  Write("shared/plain.cfg", "old");
  ASSERT_EQ(::setxattr(Native("shared").c_str(), "system.posix_acl_default", acl, sizeof acl, 0),
            0);
  SaveFileReplacing(Win("shared/plain.cfg"), "new");
  SaveFileReplacing(Win("shared/new.cfg"), "new");
  EXPECT_LT(::getxattr(Native("shared/plain.cfg").c_str(), "system.posix_acl_access", kept, 64), 0);
  EXPECT_GT(::getxattr(Native("shared/new.cfg").c_str(), "system.posix_acl_access", kept, 64), 0);
  EXPECT_EQ(Stat("shared/plain.cfg").st_mode & 07777, 0644u);
}

TEST_F(FileReplaceTest, ABackupTakesTheOriginalsProtectionAndANewFileTheUmask) {
  Write("httpd.conf", "Listen 80\n");
  ::chmod(Native("httpd.conf").c_str(), 0600);
  Write("httpd.conf.korvane", "older backup, readable by all");
  ::chmod(Native("httpd.conf.korvane").c_str(), 0644);
  {
    TFileUpdate conf(Win("httpd.conf"));
    conf.SaveBackup(Win("httpd.conf.korvane"));
  }
  EXPECT_EQ(Read("httpd.conf.korvane"), "Listen 80\n");
  EXPECT_EQ(Stat("httpd.conf.korvane").st_mode & 07777, 0600u);
  EXPECT_EQ(Stat("httpd.conf").st_mode & 07777, 0600u);

  // Where the system offers no unnamed files as well.
  const mode_t old = ::umask(027);
  SaveFileReplacingInOut(Win("new.url"), "x");
  SetFileFaultHook([](const char* step, const std::string&) {
    return std::string(step) == "create unnamed" ? EOPNOTSUPP : 0;
  });
  SaveFileReplacingInOut(Win("named.url"), "x");
  ::umask(old);
  EXPECT_EQ(Stat("new.url").st_mode & 07777, 0640u);
  EXPECT_EQ(Stat("named.url").st_mode & 07777, 0640u);
}

TEST_F(FileReplaceTest, OnlyRegularFilesAreReadOrReplaced) {
  ::mkfifo(Native("fifo.conf").c_str(), 0644);
  ::mkdir(Native("folder.conf").c_str(), 0755);
  const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, Native("socket.conf").c_str(), sizeof address.sun_path - 1);
  ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ::symlink("/dev/zero", Native("zero.conf").c_str());
  for (const std::string name : {"fifo.conf", "folder.conf", "socket.conf", "zero.conf"}) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(FileExists(Win(name)));
    // Neither blocks on the FIFO nor reads /dev/zero without end.
    EXPECT_EQ(MessageOf([&] { ReadFileBytes(Win(name)); }), "Cannot open file " + Win(name));
    EXPECT_EQ(MessageOf([&] { TFileUpdate update(Win(name)); }), "Cannot open file " + Win(name));
    EXPECT_EQ(MessageOf([&] { SaveFileReplacing(Win(name), "x"); }),
              "Cannot create file " + Win(name));
    EXPECT_EQ(MessageOf([&] { SaveFileReplacingInOut(Win(name), "x"); }), "File access denied");
  }
  ::close(sock);
  EXPECT_TRUE(S_ISFIFO(Stat("fifo.conf").st_mode));
  EXPECT_TRUE(S_ISSOCK(Stat("socket.conf").st_mode));
  EXPECT_FALSE(FileExists("Z:\\dev\\null"));
  EXPECT_THROW(ReadFileBytes("Z:\\dev\\zero"), EFOpenError);
}

TEST_F(FileReplaceTest, FailuresCarryTheWindowsCodesAndTheirTexts) {
  // The code of the failure: a missing folder is a path not found (3), a zero byte an invalid
  // name (123); an error without a Windows counterpart is 31, never the raw errno.
  EXPECT_EQ(MessageOf([&] { SaveFileReplacingInOut(Win("missing/x.url"), "x"); }),
            "Invalid filename");
  EXPECT_EQ(MessageOf([&] { SaveFileReplacingInOut(Win(std::string("a\0b.url", 7)), "x"); }),
            "I/O error 123");
  Write("ro.url", "x");
  ::chmod(Native("ro.url").c_str(), 0444);  // no write bit: read-only even for the superuser
  EXPECT_EQ(MessageOf([&] { SaveFileReplacingInOut(Win("ro.url"), "y"); }), "File access denied");
  EXPECT_EQ(MessageOf([&] { SaveFileReplacing(Win("ro.url"), "y"); }),
            "Cannot create file " + Win("ro.url"));
  const std::pair<int, std::string> injected[] = {
      {EMFILE, "Too many open files"}, {ENOSPC, "I/O error 112"}, {EPROTO, "I/O error 31"}};
  for (const auto& [error, message] : injected) {
    SetFileFaultHook([error](const char* step, const std::string&) {
      return std::string(step) == "write" ? error : 0;
    });
    EXPECT_EQ(MessageOf([&] { SaveFileReplacingInOut(Win("a.url"), "x"); }), message);
  }
  SetFileFaultHook([](const char*, const std::string&) { return EIO; });
  EXPECT_EQ(MessageOf([&] { SaveFileReplacing(Win("a.cfg"), "x", TFileErrors::SystemText); }),
            "The request could not be performed because of an I/O device error.");
  // The stage tells the stream messages apart: the replacement itself, or writing the content.
  // An attribute that cannot be read stops the replacement as surely as one that cannot be set.
  Write("a.cfg", "old");
  ASSERT_EQ(::setxattr(Native("a.cfg").c_str(), "user.origin", "admin", 5, 0), 0);
  for (const char* stage :
       {"create unnamed", "link", "rename", "chmod", "listxattr", "getxattr", "setxattr"}) {
    SetFileFaultHook([stage](const char* step, const std::string&) {
      return std::string(step) == stage ? EBUSY : 0;
    });
    EXPECT_EQ(MessageOf([&] { SaveFileReplacing(Win("a.cfg"), "new"); }),
              "Cannot create file " + Win("a.cfg"))
        << stage;
  }
  for (const char* stage : {"write", "flush"}) {
    SetFileFaultHook([stage](const char* step, const std::string&) {
      return std::string(step) == stage ? EIO : 0;
    });
    EXPECT_EQ(MessageOf([&] { SaveFileReplacing(Win("a.cfg"), "new"); }), "Stream write error")
        << stage;
  }
  EXPECT_EQ(Read("a.cfg"), "old");
  EXPECT_EQ(Names(), (std::vector<std::string>{"a.cfg", "ro.url"}));
}

}  // namespace
}  // namespace wdx
