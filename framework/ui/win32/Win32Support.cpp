#include "framework/ui/win32/Win32Support.h"

namespace wdx::win32 {

std::string FilterList(const std::string& filter) {
  std::string list;
  for (char c : filter) list += c == '|' ? '\0' : c;
  if (!filter.empty()) list += '\0';
  list += '\0';
  return list;
}

}  // namespace wdx::win32
