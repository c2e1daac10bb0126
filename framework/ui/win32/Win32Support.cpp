#include "framework/ui/win32/Win32Support.h"

#include <cstdlib>

namespace wdx::win32 {

namespace {

uint32_t Read16(const std::vector<uint8_t>& data, size_t at) {
  return data[at] | (data[at + 1] << 8);
}

uint32_t Read32(const std::vector<uint8_t>& data, size_t at) {
  return Read16(data, at) | (Read16(data, at + 2) << 16);
}

}  // namespace

std::string FilterList(const std::string& filter) {
  std::string list;
  for (char c : filter) list += c == '|' ? '\0' : c;
  if (!filter.empty()) list += '\0';
  list += '\0';
  return list;
}

bool BestIconImage(const std::vector<uint8_t>& file, int size, IconImageRef& image) {
  // The icon directory: reserved 0, type 1, the count, then 16 bytes per image.
  if (file.size() < 6 || Read16(file, 0) != 0 || Read16(file, 2) != 1) return false;
  const size_t count = Read16(file, 4);
  if (file.size() < 6 + 16 * count) return false;
  bool found = false;
  for (size_t i = 0; i < count; ++i) {
    const size_t entry = 6 + 16 * i;
    IconImageRef candidate;
    candidate.Width = file[entry] ? file[entry] : 256;
    candidate.Height = file[entry + 1] ? file[entry + 1] : 256;
    const int colours = file[entry + 2];
    candidate.BitCount = static_cast<int>(Read16(file, entry + 6));
    if (candidate.BitCount == 0) {
      candidate.BitCount = colours == 0 ? 8 : colours <= 2 ? 1 : colours <= 16 ? 4 : 8;
    }
    candidate.Size = Read32(file, entry + 8);
    candidate.Offset = Read32(file, entry + 12);
    if (candidate.Size == 0 || candidate.Offset > file.size() ||
        candidate.Size > file.size() - candidate.Offset) {
      continue;
    }
    if (!found) {
      image = candidate;
      found = true;
      continue;
    }
    const int distance = std::abs(candidate.Width - size);
    const int best = std::abs(image.Width - size);
    if (distance < best || (distance == best && candidate.BitCount > image.BitCount)) {
      image = candidate;
    }
  }
  return found;
}

}  // namespace wdx::win32
