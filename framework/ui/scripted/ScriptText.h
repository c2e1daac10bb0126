// Texts as a script and the scripted front-end's output write them: one line each, so a carriage
// return is "\r", a line feed "\n" and a backslash "\\".
#pragma once

#include <string>

namespace wdx {

std::string Escaped(const std::string& text);
// The text an escaped one stands for: "\r", "\n" and "\\" become what they name; any other
// backslash stays as it is.
std::string Unescaped(const std::string& text);

}  // namespace wdx
