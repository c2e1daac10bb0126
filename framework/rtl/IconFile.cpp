#include "framework/rtl/IconFile.h"

#include <algorithm>
#include <cstdlib>

#include "framework/rtl/LittleEndian.h"

namespace wdx {

namespace {

size_t Read(std::string_view file, size_t at, int width) {
  return static_cast<size_t>(
      GetLittleEndian(reinterpret_cast<const uint8_t*>(file.data()) + at, width));
}

}  // namespace

std::vector<IconImageRef> IconImages(std::string_view file) {
  std::vector<IconImageRef> images;
  // The header: reserved 0, type 1 (an icon), the count of images.
  if (file.size() < 6 || Read(file, 0, 2) != 0 || Read(file, 2, 2) != 1) return images;
  const size_t count = Read(file, 4, 2);
  if (file.size() < 6 + 16 * count) return images;
  for (size_t i = 0; i < count; ++i) {
    const size_t entry = 6 + 16 * i;
    IconImageRef image;
    image.Width = file[entry] ? static_cast<uint8_t>(file[entry]) : 256;
    image.Height = file[entry + 1] ? static_cast<uint8_t>(file[entry + 1]) : 256;
    const size_t colours = static_cast<uint8_t>(file[entry + 2]);
    image.BitCount = static_cast<int>(Read(file, entry + 6, 2));
    if (image.BitCount == 0) {
      image.BitCount = colours == 0 ? 8 : colours <= 2 ? 1 : colours <= 16 ? 4 : 8;
    }
    image.Size = Read(file, entry + 8, 4);
    image.Offset = Read(file, entry + 12, 4);
    if (image.Size != 0 && image.Offset <= file.size() &&
        image.Size <= file.size() - image.Offset) {
      images.push_back(image);
    }
  }
  return images;
}

bool BestIconImage(std::string_view file, int size, IconImageRef& image) {
  const std::vector<IconImageRef> images = IconImages(file);
  if (images.empty()) return false;
  image = images.front();
  for (const IconImageRef& candidate : images) {
    const int distance = std::abs(candidate.Width - size);
    const int best = std::abs(image.Width - size);
    if (distance < best || (distance == best && candidate.BitCount > image.BitCount)) {
      image = candidate;
    }
  }
  return true;
}

std::vector<IconImageRef> IconImagesLacking(std::string_view file, std::string_view other) {
  const std::vector<IconImageRef> held = IconImages(file);
  std::vector<IconImageRef> lacking;
  for (const IconImageRef& wanted : IconImages(other)) {
    const bool found = std::any_of(held.begin(), held.end(), [&](const IconImageRef& image) {
      return IconImageBytes(file, image) == IconImageBytes(other, wanted);
    });
    if (!found) lacking.push_back(wanted);
  }
  return lacking;
}

}  // namespace wdx
