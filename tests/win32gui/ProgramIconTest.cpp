// The program's icon (the setup's, this test program's resource) gives a form's icon the sizes it
// lacks, only when it holds every image of the form's icon byte for byte.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "framework/rtl/IconFile.h"
#include "tests/framework/IconFiles.h"

// After the framework's headers: windows.h defines macros with the names of its constants.
#include "framework/ui/win32/ProgramIcon.h"

namespace wdx {
namespace {

std::string_view ProgramIconFile() {
  HRSRC found = FindResourceW(nullptr, L"PROGRAMICONFILE", MAKEINTRESOURCEW(10));  // RT_RCDATA
  HGLOBAL loaded = LoadResource(nullptr, found);
  return {static_cast<const char*>(LockResource(loaded)), SizeofResource(nullptr, found)};
}

// An icon file of the program icon's 16-colour images, the last byte of each changed by `change`.
std::string FormIcon(std::string_view program, char change) {
  std::vector<test::TIconImage> images;
  for (const IconImageRef& image : IconImages(program)) {
    if (image.BitCount != 4) continue;
    std::string bytes(IconImageBytes(program, image));
    bytes.back() = static_cast<char>(bytes.back() + change);
    images.push_back({image.Width, 4, bytes});
  }
  return test::IconFile(images);
}

// The icon's width and bits a pixel; zeros for none.
std::pair<long, int> Shape(HICON icon) {
  if (!icon) return {0, 0};
  ICONINFO info{};
  GetIconInfo(icon, &info);
  BITMAP bitmap{};
  GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  DestroyIcon(icon);
  return {bitmap.bmWidth, bitmap.bmBitsPixel};
}

TEST(ProgramIcon, GivesTheSizesTheFormsIconLacksWhenItIsTheSameIcon) {
  const std::string_view program = ProgramIconFile();
  ASSERT_EQ(IconImages(program).size(), 7u);
  const std::string form = FormIcon(program, 0);  // its 16 and 32 pixel images
  EXPECT_EQ(Shape(win32::ProgramIconFor(form, 48)), std::make_pair(48L, 32));
  EXPECT_EQ(Shape(win32::ProgramIconFor(form, 20)), std::make_pair(20L, 32));
  EXPECT_EQ(Shape(win32::ProgramIconFor(form, 32)), std::make_pair(0L, 0));  // the form has it
  EXPECT_EQ(Shape(win32::ProgramIconFor(form, 96)), std::make_pair(0L, 0));  // nor has the program
  EXPECT_EQ(Shape(win32::ProgramIconFor(FormIcon(program, 1), 48)), std::make_pair(0L, 0));
}

}  // namespace
}  // namespace wdx
