// The program's icon (the setup's, this test program's resource) gives a form's icon the sizes it
// lacks, only when it holds every image of the form's icon byte for byte.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "framework/rtl/IconFile.h"
#include "framework/rtl/LittleEndian.h"

// After the framework's headers: windows.h defines macros with the names of its constants.
#include "framework/ui/win32/ProgramIcon.h"

namespace wdx {
namespace {

std::string_view ProgramIconFile() {
  HRSRC found = FindResourceW(nullptr, L"PROGRAMICONFILE", MAKEINTRESOURCEW(10));  // RT_RCDATA
  HGLOBAL loaded = LoadResource(nullptr, found);
  return {static_cast<const char*>(LockResource(loaded)), SizeofResource(nullptr, found)};
}

// An icon file of the program icon's images of `bits` bits a pixel, the last byte of each
// changed by `change`.
std::string FormIcon(std::string_view program, int bits, char change) {
  std::vector<std::string> images;
  for (const IconImageRef& image : IconImages(program)) {
    if (image.BitCount != bits) continue;
    images.emplace_back(IconImageBytes(program, image));
    images.back().back() = static_cast<char>(images.back().back() + change);
  }
  std::string file;
  AppendLittleEndian(file, 0, 2);
  AppendLittleEndian(file, 1, 2);
  AppendLittleEndian(file, images.size(), 2);
  size_t offset = 6 + 16 * images.size();
  for (const std::string& image : images) {
    const int size = static_cast<int>(GetLittleEndian(
        reinterpret_cast<const uint8_t*>(image.data()) + 4, 4));  // the bitmap header's width
    file += {static_cast<char>(size), static_cast<char>(size), 16, 0};
    AppendLittleEndian(file, 1, 2);
    AppendLittleEndian(file, bits, 2);
    AppendLittleEndian(file, image.size(), 4);
    AppendLittleEndian(file, offset, 4);
    offset += image.size();
  }
  for (const std::string& image : images) file += image;
  return file;
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
  const std::string form = FormIcon(program, 4, 0);
  ASSERT_EQ(IconImages(form).size(), 2u);
  EXPECT_EQ(Shape(win32::ProgramIconFor(form, 48)), std::make_pair(48L, 32));
  EXPECT_EQ(Shape(win32::ProgramIconFor(form, 20)), std::make_pair(20L, 32));
  EXPECT_EQ(Shape(win32::ProgramIconFor(form, 32)), std::make_pair(0L, 0));  // the form has it
  EXPECT_EQ(Shape(win32::ProgramIconFor(form, 96)), std::make_pair(0L, 0));  // nor has the program
  EXPECT_EQ(Shape(win32::ProgramIconFor(FormIcon(program, 4, 1), 48)), std::make_pair(0L, 0));
}

}  // namespace
}  // namespace wdx
