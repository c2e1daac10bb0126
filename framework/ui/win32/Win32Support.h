// Conversions between the controls' values and what the Windows API takes, kept apart from the
// window code so that they stay small and plain.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/rtl/WideText.h"

namespace wdx::win32 {

// A file dialog's filter "Description|pattern|Description|pattern" in the API's form: every
// part ends with a NUL and the list with a second one.
std::string FilterList(const std::string& filter);

// Where one image of an icon file lies in the file's bytes.
struct IconImageRef {
  size_t Offset = 0;
  size_t Size = 0;
  int Width = 0;
  int Height = 0;
  int BitCount = 0;
};

// The image of an icon file that suits `size` pixels best: the exact size with the most
// colours, otherwise the nearest size. False when the bytes are no icon file or no image lies
// within them.
bool BestIconImage(const std::vector<uint8_t>& file, int size, IconImageRef& image);

}  // namespace wdx::win32
