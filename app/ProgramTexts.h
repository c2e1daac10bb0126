// The translations of the texts of a program's code and of the library's own, as the program has
// them built in: the library's catalogue, and the one beside the program's form (formc's
// WENDRIXTEXTS), taken into the catalogue that Translate looks in (framework/rtl/Texts.h). The
// front-end choice and the reading of an embedded form do it; doing it again changes nothing.
#pragma once

namespace wdx {

void LoadProgramTexts();

}  // namespace wdx
