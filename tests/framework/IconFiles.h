// Icon files made by tests: images of the given sizes, bits a pixel and bytes, laid out as the
// format has them (a directory of 16 bytes an image after a 6-byte header, then the images).
#pragma once

#include <string>
#include <vector>

#include "framework/rtl/LittleEndian.h"

namespace wdx::test {

struct TIconImage {
  int Size;
  int Bits;
  std::string Bytes;
};

inline std::string IconFile(const std::vector<TIconImage>& images) {
  std::string file;
  AppendLittleEndian(file, 0, 2);
  AppendLittleEndian(file, 1, 2);
  AppendLittleEndian(file, images.size(), 2);
  size_t offset = 6 + 16 * images.size();
  for (const TIconImage& image : images) {
    file += {static_cast<char>(image.Size % 256), static_cast<char>(image.Size % 256), 0, 0};
    AppendLittleEndian(file, 1, 2);
    AppendLittleEndian(file, image.Bits, 2);
    AppendLittleEndian(file, image.Bytes.size(), 4);
    AppendLittleEndian(file, offset, 4);
    offset += image.Bytes.size();
  }
  for (const TIconImage& image : images) file += image.Bytes;
  return file;
}

}  // namespace wdx::test
