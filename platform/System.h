// The computer's name and the system's texts for its error codes.
#pragma once

#include <string>

namespace wdx {

// Asks for the computer name with a buffer of `bufferSize` bytes (room for bufferSize - 1
// characters and the terminator). True with the name as long as the call reports it, or false
// with the system's error code (111 when the name does not fit).
bool QueryComputerName(size_t bufferSize, std::string& name, unsigned& errorCode);

// The system's description of an error code ("" when it has none).
std::string SystemErrorMessage(unsigned code);

// Raises EOSError "Win32 Error.  Code: %d." followed by a line break and the system's
// description, or "A Win32 API function failed" for code 0.
[[noreturn]] void RaiseOSError(unsigned code);

}  // namespace wdx
