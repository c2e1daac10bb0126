#include "framework/rtl/CodePage.h"

#include <array>
#include <cstdint>
#include <unordered_map>

namespace wdx {

namespace {

// Characters 0x80 to 0x9F; the rest of the code page equals Latin-1. Undefined positions keep
// their C1 control code so that every byte survives a round trip.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t ByteToWide(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
  return byte;
}

const std::unordered_map<char16_t, unsigned char>& WideToByteTable() {
  static const auto* table = [] {
    auto* map = new std::unordered_map<char16_t, unsigned char>();
    for (unsigned byte = 0x80; byte <= 0x9F; ++byte) (*map)[kHighControls[byte - 0x80]] = byte;
    return map;
  }();
  return *table;
}

}  // namespace

std::string WideToAnsi(const std::u16string& wide) {
  std::string result;
  result.reserve(wide.size());
  const auto& table = WideToByteTable();
  for (char16_t c : wide) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
      result.push_back(static_cast<char>(c));
    } else if (auto it = table.find(c); it != table.end()) {
      result.push_back(static_cast<char>(it->second));
    } else {
      result.push_back('?');
    }
  }
  return result;
}

std::u16string AnsiToWide(const std::string& ansi) {
  std::u16string result;
  result.reserve(ansi.size());
  for (char c : ansi) result.push_back(ByteToWide(static_cast<unsigned char>(c)));
  return result;
}

}  // namespace wdx
