// The file reads and writes of formc.
#pragma once

#include <string>

namespace formc {

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);
// Writes `text` unless the file holds it already, so that nothing depending on it is rebuilt.
void WriteChanged(const std::string& path, const std::string& text);

}  // namespace formc
