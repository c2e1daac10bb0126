// printf-style formatting into std::string, for message texts such as "Class %s not found".
#pragma once

#include <string>

namespace wdx {

// Formats like snprintf; %s takes a const char* (use .c_str()).
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace wdx
