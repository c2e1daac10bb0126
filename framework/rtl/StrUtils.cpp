#include "framework/rtl/StrUtils.h"

namespace wdx {

namespace {

bool IsTrimmed(char c) {
  return static_cast<unsigned char>(c) <= 32;
}

}  // namespace

std::string Trim(std::string_view text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && IsTrimmed(text[begin])) ++begin;
  while (end > begin && IsTrimmed(text[end - 1])) --end;
  return std::string(text.substr(begin, end - begin));
}

std::string AsciiUpper(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = AsciiUpper(c);
  return result;
}

std::string AsciiLower(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  }
  return result;
}

std::string ReplaceAllIgnoreCase(std::string_view text, std::string_view from,
                                 std::string_view to) {
  if (from.empty()) return std::string(text);
  const std::string upperText = AsciiUpper(text);
  const std::string upperFrom = AsciiUpper(from);
  std::string result;
  size_t pos = 0;
  while (true) {
    const size_t found = upperText.find(upperFrom, pos);
    if (found == std::string::npos) break;
    result.append(text.substr(pos, found - pos)).append(to);
    pos = found + from.size();
  }
  result.append(text.substr(pos));
  return result;
}

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
  if (from.empty()) return std::string(text);
  std::string result;
  size_t pos = 0;
  while (true) {
    const size_t found = text.find(from, pos);
    if (found == std::string_view::npos) break;
    result.append(text.substr(pos, found - pos)).append(to);
    pos = found + from.size();
  }
  result.append(text.substr(pos));
  return result;
}

}  // namespace wdx
