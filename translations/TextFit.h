// Whether the texts of each language of a form fit their controls, as a translator wants to know
// before a rebuild: in the terminal's character cells (the terminal front-end's layout) and in the
// Windows dialog's pixels at 96 DPI (DialogFontMetrics.h), by the rules the Windows caption check
// of the tests applies under wine:
// - a label's text on one line within its width (one that sizes itself: not onto a neighbour), a
//   wrapped label's lines within its height;
// - a button's caption inside its border, a group box's inside its frame past the indents;
// - a page control's tabs in one row;
// - the form's caption in its title bar.
// The texts of the source language are checked too: a form may not fit as its author made it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace wdx {

struct TTextMisfit {
  std::string Language;  // the language's English name, as formtool names languages
  std::string Place;     // "btOk.Caption"
  std::string Text;
  std::string Problem;  // "needs 24 cells in the terminal, has 15"
};

// Every text of every language of the form stream `form` that does not fit, language by language
// in the order of the form's list, each language's in the order of its texts.
std::vector<TTextMisfit> CheckTextFit(const std::vector<uint8_t>& form);

}  // namespace wdx
