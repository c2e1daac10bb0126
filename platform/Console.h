// The program's standard streams.
#pragma once

namespace wdx {

// Whether standard input and standard output are both a terminal.
bool StandardStreamsAreTerminal();
// Writes standard output as bytes: no LF to CR LF translation on Windows.
void UseBinaryStandardOutput();

}  // namespace wdx
