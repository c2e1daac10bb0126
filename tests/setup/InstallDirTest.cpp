#include "setup/RunMode.h"

#include <gtest/gtest.h>

namespace wdx {
namespace {

TEST(InstallDir, TheProgramsFolderWithoutItsLastCharacter) {
  EXPECT_EQ(InstallDirOf("D:\\apps\\web\\program.exe"), "D:\\apps\\web");
  EXPECT_EQ(InstallDirOf("C:\\Program Files\\Wendrix\\program.exe"), "C:\\Program Files\\Wendrix");
  // A drive's root directory: the cut keeps "C:\", and the last character goes.
  EXPECT_EQ(InstallDirOf("C:\\program.exe"), "C:");
  // Cut after a drive colon, the colon itself is the character that goes.
  EXPECT_EQ(InstallDirOf("C:program.exe"), "C");
  // Without any separator nothing is left.
  EXPECT_EQ(InstallDirOf("program.exe"), "");
  EXPECT_EQ(InstallDirOf(""), "");
  EXPECT_EQ(InstallDirOf("\\\\server\\share\\program.exe"), "\\\\server\\share");
}

}  // namespace
}  // namespace wdx
