// Registers the framework's control classes by name for the form reader.
#pragma once

namespace wdx {

void RegisterStandardControls();

}  // namespace wdx
