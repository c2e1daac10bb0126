// Any form stream as indented text: every object record, property name, value tag and value.
// It needs no classes, so it shows streams that no program could load.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace wdx {

// Raises EReadError ("Invalid stream format", "Stream read error") for a malformed stream.
std::string DumpFormStream(const std::vector<uint8_t>& bytes);

}  // namespace wdx
