// Conversions between the controls' values and what the Windows API takes, kept apart from the
// window code so that they stay small and plain.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace wdx::win32 {

// A file dialog's filter "Description|pattern|Description|pattern" in the API's form: every
// part ends with a NUL and the list with a second one.
std::string FilterList(const std::string& filter);

// The UTF-16 text the wide API takes for the program's UTF-8 text, and back.
std::wstring Wide(const std::string& text);
std::string Utf8(const wchar_t* text, size_t length);

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
