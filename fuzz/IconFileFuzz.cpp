// Feeds arbitrary bytes to the reader of icon files (a form's Icon.Data, a program's icon). Every
// image it finds must lie within the bytes, and a file must hold all of its own images.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "framework/rtl/IconFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view file(reinterpret_cast<const char*>(data), size);
  for (const wdx::IconImageRef& image : wdx::IconImages(file)) {
    if (image.Offset > size || image.Size > size - image.Offset || image.Size == 0) {
      std::fprintf(stderr, "icon_file_fuzz: an image outside the file\n");
      std::abort();
    }
  }
  wdx::IconImageRef best;
  if (wdx::BestIconImage(file, 48, best) != !wdx::IconImages(file).empty() ||
      !wdx::IconImagesLacking(file, file).empty()) {
    std::fprintf(stderr, "icon_file_fuzz: the file is not its own icon\n");
    std::abort();
  }
  return 0;
}
