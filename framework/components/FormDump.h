// Any form stream as indented text: every object record, property name, value tag and value.
// It needs no classes, so it shows streams that no program could load.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace wdx {

// Raises EReadError ("Invalid stream format", "Stream read error") for a malformed stream.
std::string DumpFormStream(const std::vector<uint8_t>& bytes);

// The same, line by line into `text`: when the stream turns out malformed, `text` holds every
// line read before the error and `offset` the position of the byte at which reading failed.
void DumpFormStream(const std::vector<uint8_t>& bytes, std::string& text, size_t& offset);

}  // namespace wdx
