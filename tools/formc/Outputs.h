// What formc writes for a form: the stream, the files that embed it (and the catalogue of the
// texts beside it) in a program, and the form's icon.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace formc {

// The resource a program's text catalogue is embedded as, beside its form.
inline constexpr const char* kTextsResource = "WENDRIXTEXTS";

// Writes <prefix>.bin, .cpp, .rc and, when the form has an icon, .ico; with a catalogue,
// <prefix>.texts too, which .cpp and .rc embed as well. The .ico, the program's icon, is the
// form's own or the icon file `programIcon`, which must hold every image of the form's icon byte
// for byte (the window front-end takes the sizes the form's icon lacks from it).
void WriteOutputs(const std::string& prefix, const std::vector<uint8_t>& stream,
                  const std::optional<std::string>& catalogue, const std::string& programIcon = {});
// Removes what WriteOutputs writes, so that no output of an earlier run stays newer than inputs
// that failed now.
void RemoveOutputs(const std::string& prefix);

// Writes <prefix>.texts and <prefix>.cpp, which defines `std::string_view <function>()` in
// namespace wdx giving the catalogue: for a library, whose resources a program would not link.
void WriteCatalogueSource(const std::string& prefix, const std::string& function,
                          const std::string& catalogue);

}  // namespace formc
