// UTF-8 text in the terminal's character cells. A character takes the columns the locale's
// character type says (two for wide East Asian characters, none for a combining mark, which
// joins the character before it); one the locale cannot show takes the one cell of its "?".
#pragma once

#include <cstddef>
#include <string_view>

namespace wdx::terminal {

// Columns of one character (0, 1 or 2).
int CellWidth(char32_t code);
// Whether the terminal shows the character as itself (else as "?").
bool Showable(char32_t code);

// Columns of a text.
int TextWidth(std::string_view text);
// The length in bytes of the longest start of `text` that fits in `columns` columns, ending at a
// character boundary (a wide character is not split).
size_t FittingPrefix(std::string_view text, int columns);

// Character boundaries: a character with the combining marks that follow it is one step for the
// caret. `at` is a boundary; the result is the next (or previous) one, or the text's end (0).
size_t NextCharacter(std::string_view text, size_t at);
size_t PreviousCharacter(std::string_view text, size_t at);

}  // namespace wdx::terminal
