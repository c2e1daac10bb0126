// Which languages are written from right to left: those of the built-in table whose primary
// identifier is Arabic's, Hebrew's, Farsi's or Urdu's, and the languages beyond the table that a
// form keeps by their English names (Persian, Pashto, Yiddish, ...). A regional variant,
// "Arabic (Egypt)", is its language's.
#pragma once

#include <string_view>

namespace wdx {

// `name` is English or native, trimmed or not.
bool IsRightToLeftLanguage(std::string_view name);

}  // namespace wdx
