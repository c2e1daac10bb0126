// Nothing is replaced or created that the running user may not write: the checks are made for
// the real file, as that user. The tests run the layer in a child that has dropped to the
// unprivileged user nobody (65534), so they run under CI's superuser too.
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include "framework/rtl/Exceptions.h"
#include "platform/Files.h"
#include "tests/platform/FileTestSupport.h"

namespace wdx {
namespace {

using test::MessageOf;

class FileAccessRightsTest : public test::FileTest {
 protected:
  void SetUp() override {
    FileTest::SetUp();
    if (!IsRoot()) GTEST_SKIP() << "dropping to another user needs the superuser";
  }
  // Gives a file or folder of the scratch folder an owner and a mode.
  void Own(const std::string& relative, unsigned owner, mode_t mode) const {
    ASSERT_EQ(::chown(Native(relative).c_str(), owner, owner), 0);
    ASSERT_EQ(::chmod(Native(relative).c_str(), mode), 0);
  }
};

TEST_F(FileAccessRightsTest, AFileTheUserMayNotWriteIsNotReplacedThroughAWritableFolder) {
  ::mkdir(Native("cgi-bin").c_str(), 0755);
  Own("cgi-bin", 65534, 0755);  // the folder is the user's, the file is not
  Write("cgi-bin/application.cfg", "root's");
  Own("cgi-bin/application.cfg", 0, 0644);
  const std::string path = Win("cgi-bin/application.cfg");
  EXPECT_EQ(AsUser([&] { return MessageOf([&] { SaveFileReplacing(path, "mine"); }); }),
            "Cannot create file " + path);
  EXPECT_EQ(AsUser([&] {
              TFileUpdate update(path);  // reading is allowed
              return MessageOf([&] { update.Replace("mine"); });
            }),
            "Cannot create file " + path);
  EXPECT_EQ(AsUser([&] { return MessageOf([&] { SaveFileReplacingInOut(path, "mine"); }); }),
            "File access denied");
  EXPECT_EQ(Read("cgi-bin/application.cfg"), "root's");
  EXPECT_EQ(Names("cgi-bin"), std::vector<std::string>{"application.cfg"});

  // A file the user may write is replaced, and a new one created, in the user's folder.
  Own("cgi-bin/application.cfg", 65534, 0644);
  EXPECT_EQ(AsUser([&] {
              SaveFileReplacing(path, "mine");
              SaveFileReplacingInOut(Win("cgi-bin/x.url"), "url");
              return std::string();
            }),
            "");
  EXPECT_EQ(Read("cgi-bin/application.cfg"), "mine");
  EXPECT_EQ(Stat("cgi-bin/x.url").st_uid, 65534u);
}

TEST_F(FileAccessRightsTest, AFolderTheUserMayNotWriteTakesNoNewFile) {
  ::mkdir(Native("conf").c_str(), 0755);  // root's
  Write("conf/httpd.conf", "Listen 80\n");
  Own("conf/httpd.conf", 65534, 0666);
  const std::string conf = Win("conf/httpd.conf");
  EXPECT_EQ(AsUser([&] { return MessageOf([&] { SaveFileReplacing(conf, "x"); }); }),
            "Cannot create file " + conf);
  EXPECT_EQ(AsUser([&] {
              TFileUpdate update(conf);
              return MessageOf([&] { update.SaveBackup(conf + ".korvane"); });
            }),
            "Cannot create file " + conf + ".korvane");
  EXPECT_EQ(Read("conf/httpd.conf"), "Listen 80\n");
  EXPECT_EQ(Names("conf"), std::vector<std::string>{"httpd.conf"});
}

TEST_F(FileAccessRightsTest, AFileInAStickyFolderThatBelongsToAnotherUserIsNotReplaced) {
  ::mkdir(Native("shared").c_str(), 01777);
  ::chmod(Native("shared").c_str(), 01777);
  Write("shared/app.cfg", "root's");
  Own("shared/app.cfg", 0, 0666);  // writable by all, but the folder keeps it its owner's
  const std::string path = Win("shared/app.cfg");
  EXPECT_EQ(AsUser([&] { return MessageOf([&] { SaveFileReplacing(path, "mine"); }); }),
            "Cannot create file " + path);
  EXPECT_EQ(Read("shared/app.cfg"), "root's");
  EXPECT_EQ(Names("shared"), std::vector<std::string>{"app.cfg"});
}

TEST_F(FileAccessRightsTest, AnImmutableFileIsNotReplacedEvenByTheSuperuser) {
  Write("application.cfg", "kept");
  const int fd = ::open(Native("application.cfg").c_str(), O_RDONLY);
  int flags = 0;
  if (::ioctl(fd, FS_IOC_GETFLAGS, &flags) != 0) GTEST_SKIP() << "no file flags here";
  flags |= FS_IMMUTABLE_FL;
  const bool set = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
  ::close(fd);
  if (!set) GTEST_SKIP() << "this file system cannot make a file immutable";
  EXPECT_EQ(MessageOf([&] { SaveFileReplacing(Win("application.cfg"), "new"); }),
            "Cannot create file " + Win("application.cfg"));
  EXPECT_EQ(Read("application.cfg"), "kept");
  EXPECT_EQ(Names(), std::vector<std::string>{"application.cfg"});
}

}  // namespace
}  // namespace wdx
