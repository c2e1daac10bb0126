#include "framework/ui/win32/ProgramIcon.h"

#include <algorithm>

#include "framework/rtl/IconFile.h"
#include "framework/rtl/LittleEndian.h"

namespace wdx::win32 {

namespace {

constexpr wchar_t kProgramIcon[] = L"MAINICON";

// A resource's bytes in the program's image; empty when it has none.
std::string_view ResourceOf(const wchar_t* name, const wchar_t* type) {
  HMODULE program = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(program, name, type);
  HGLOBAL loaded = found ? LoadResource(program, found) : nullptr;
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) return {};
  return {static_cast<const char*>(data), SizeofResource(program, found)};
}

// The program's icon group: a 6-byte header, then 14 bytes an image (width, height, colours,
// reserved, planes, bit count, byte count, and the number of the icon resource with its bytes).
struct TGroupEntry {
  int Width = 0;
  uint16_t Id = 0;
};

std::vector<TGroupEntry> GroupEntries(std::string_view group) {
  std::vector<TGroupEntry> entries;
  const auto* bytes = reinterpret_cast<const uint8_t*>(group.data());
  const size_t count = group.size() >= 6 ? GetLittleEndian(bytes + 4, 2) : 0;
  for (size_t i = 0; i < count && 6 + 14 * (i + 1) <= group.size(); ++i) {
    const uint8_t* entry = bytes + 6 + 14 * i;
    entries.push_back(
        {entry[0] ? entry[0] : 256, static_cast<uint16_t>(GetLittleEndian(entry + 12, 2))});
  }
  return entries;
}

// Whether one of the group's images holds the bytes of the file's `image`.
bool Holds(const std::vector<TGroupEntry>& entries, std::string_view file,
           const IconImageRef& image) {
  return std::any_of(entries.begin(), entries.end(), [&](const TGroupEntry& entry) {
    return entry.Width == image.Width &&
           ResourceOf(MAKEINTRESOURCEW(entry.Id), RT_ICON) == IconImageBytes(file, image);
  });
}

}  // namespace

HICON ProgramIconFor(std::string_view file, int size) {
  const std::vector<IconImageRef> images = IconImages(file);
  const auto sized = [size](const IconImageRef& image) { return image.Width == size; };
  if (images.empty() || std::any_of(images.begin(), images.end(), sized)) return nullptr;
  const std::vector<TGroupEntry> entries = GroupEntries(ResourceOf(kProgramIcon, RT_GROUP_ICON));
  const auto hasSize = [size](const TGroupEntry& entry) { return entry.Width == size; };
  if (std::none_of(entries.begin(), entries.end(), hasSize)) return nullptr;
  for (const IconImageRef& image : images) {
    if (!Holds(entries, file, image)) return nullptr;
  }
  return static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), kProgramIcon, IMAGE_ICON, size, size, 0));
}

}  // namespace wdx::win32
