// The readable source form of an object stream, and its compiler to the binary stream:
//
//   object frmMain: TForm
//     Caption = 'Hello'#13#10'world'
//     Font.Height = -11
//     Anchors = [akLeft, akTop]
//     Icon.Data = {0000010001...}
//     Items = <
//       item
//         Name = 'x'
//       end>
//     object btOk: TButton
//       OnClick = btOkClick
//     end
//   end
//
// Values are typed by their spelling: integers (decimal or $hex), floats, strings ('' for a
// quote, #n for a character code, + to continue), identifiers, [sets], (lists), <collections>
// and {hexadecimal binaries}. The compiler writes what the form writer would: the smallest
// integer tag, short or long strings by length, and False/True/Null/nil as their own tags.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "framework/rtl/Exceptions.h"

namespace wdx {

WDX_EXCEPTION(EParserError, Exception);

// Compiles object text to a binary stream with the "TPF0" signature. Errors raise EParserError
// with the line number: "Line 3: ']' expected".
std::vector<uint8_t> ObjectTextToBinary(std::string_view text);

}  // namespace wdx
