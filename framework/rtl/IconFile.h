// The images of an icon file (.ico, and a form's Icon.Data): a directory of 16 bytes an image after
// a 6-byte header, each entry giving the image's size, colours and where its bytes lie. The bytes
// are untrusted: an entry whose image lies outside them is left out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace wdx {

// Where one image of an icon file lies in the file's bytes.
struct IconImageRef {
  size_t Offset = 0;
  size_t Size = 0;
  int Width = 0;
  int Height = 0;
  int BitCount = 0;
};

// Every image of an icon file that lies within its bytes, in the file's order; none when the
// bytes are no icon file.
std::vector<IconImageRef> IconImages(std::string_view file);

// The image that suits `size` pixels best: the exact size with the most colours, otherwise the
// nearest size. False when the file has no image.
bool BestIconImage(std::string_view file, int size, IconImageRef& image);

// The images of `other` that `file` does not hold byte for byte: none when `file` is the same icon,
// with more sizes maybe.
std::vector<IconImageRef> IconImagesLacking(std::string_view file, std::string_view other);

// An image's bytes.
inline std::string_view IconImageBytes(std::string_view file, const IconImageRef& image) {
  return file.substr(image.Offset, image.Size);
}

}  // namespace wdx
