// Icon files are untrusted bytes (a form's Icon.Data, a program's .ico): an image whose entry
// points outside the file is left out, and no read goes past the end.
#include "framework/rtl/IconFile.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/framework/IconFiles.h"

namespace wdx {
namespace {

using test::IconFile;

TEST(IconFile, ImagesOutsideTheBytesAreLeftOut) {
  const std::string two = IconFile({{32, 4, "thirty-two"}, {16, 4, "sixteen"}});
  struct {
    const char* Case;
    std::string File;
    size_t Images;
  } cases[] = {
      {"whole", two, 2},
      {"no bytes", "", 0},
      {"a cursor file", std::string("\0\0\2\0\1\0", 6), 0},
      {"directory cut short", two.substr(0, 6 + 16 + 8), 0},
      {"last image cut short", two.substr(0, two.size() - 1), 1},
      {"count beyond the directory", std::string("\0\0\1\0\xFF\xFF", 6) + two.substr(6), 0},
      {"an offset past the end", two.substr(0, 6 + 12) + "\xFF\xFF\xFF\xFF" + two.substr(22), 1},
      {"an empty image", IconFile({{48, 32, ""}, {16, 4, "sixteen"}}), 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IconImages(c.File).size(), c.Images) << c.Case;
  }
}

TEST(IconFile, TheBestImageAndTheImagesAnotherIconLacks) {
  const std::string form = IconFile({{32, 4, "thirty-two"}, {16, 4, "sixteen"}});
  const std::string program =
      IconFile({{16, 4, "sixteen"}, {32, 4, "thirty-two"}, {32, 32, "deep"}, {64, 32, "big"}});
  IconImageRef best;
  ASSERT_TRUE(BestIconImage(program, 32, best));
  EXPECT_EQ(IconImageBytes(program, best), "deep");  // the exact size with the most colours
  EXPECT_FALSE(BestIconImage("", 32, best));
  EXPECT_TRUE(IconImagesLacking(program, form).empty());
  const auto lacking = IconImagesLacking(IconFile({{32, 4, "thirty-twO"}}), form);
  ASSERT_EQ(lacking.size(), 2u);  // one image changed by a byte, one missing
  EXPECT_EQ(IconImageBytes(form, lacking[0]), "thirty-two");
  EXPECT_EQ(lacking[1].Width, 16);
}

}  // namespace
}  // namespace wdx
