// The readable source form of an object stream, its compiler to the binary stream and its
// writer from one:
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
//
// A value that the plain spelling would encode otherwise names its tag, with no blank before
// the parenthesis: Int16(5), Int32(5), Int64(5) for integers in a wider tag than they need,
// LString('short') and WString('narrow') for strings, Ident('True') for an identifier that is
// no plain identifier, Single(1.5), Date(45000.25) and Currency(12.34) for the tags of those
// kinds, and Extended($...), Single($...), Date($...) with the value's bits in hexadecimal
// (the 80-bit extended as sign and exponent, then mantissa) where no decimal gives them back.
// A name that is no identifier (of an object, a class, a property, a set member) is quoted as a
// string.
//
// In a language control's record, "translate <component>.<property>" lines mark the properties
// it translates, one a line, in place of its "LanguageManager_Comps" (TranslationMarks.h); the
// full collection is read as well, but not both in one record. An object's prefix byte is spelt by
// "inherited" (flag 1), "inline" (flag 4) and
// "[position]" (flag 2); any other one as "flags <n>" after the class name. Bytes that follow the
// root object in a stream follow its "end" as a binary.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "framework/rtl/Exceptions.h"

namespace wdx {

WDX_EXCEPTION(EParserError, Exception);

// Where the records of a compiled source come from: each object and property record with the
// line of its name, so that what is said of a record (a catalogue's reference, a message) can
// point into the source. Lines starting with "//." just before a property are notes for its
// translators; the stream keeps nothing of them.
struct TFormSourceMap {
  struct TPlace {
    size_t offset = 0;     // of the record in the stream
    int line = 0;          // of its name in the source
    std::string object;    // the object's name, or the name of the object the property is of
    std::string property;  // the property's (dotted) name; empty for an object record
    int itemDepth = 0;     // how many collection items the property lies in
    std::vector<std::string> notes;
    size_t objectOffset = 0;  // of the record of the object: the record itself, or its object's
  };
  std::vector<TPlace> places;  // in stream order

  // The record of object `object` (ASCII case ignored), or nullptr.
  const TPlace* FindObject(std::string_view object) const;
  // The record of property `property` of object `object` itself (not of a collection item).
  const TPlace* FindProperty(std::string_view object, std::string_view property) const;
  // The record that begins at `offset` of the stream, or nullptr.
  const TPlace* At(size_t offset) const;

  // Makes the index that the two finds use, once the places are all there.
  void Index();

 private:
  static std::string Key(std::string_view object, std::string_view property);
  std::unordered_map<std::string, size_t> index_;  // Key of a record: its place
};

// Compiles object text to a binary stream with the "TPF0" signature; `map`, when given, learns
// where each record comes from. Errors raise EParserError with the line number: "Line 3: ']'
// expected". A text that ends inside an object names the object whose 'end' is missing, on the
// line where the indentation suggests it belongs when it does: "Line 9: 'end' of btOk (line 4)
// expected before this line".
std::vector<uint8_t> ObjectTextToBinary(std::string_view text, TFormSourceMap* map = nullptr);

// The source of a binary stream, from which ObjectTextToBinary gives back the same bytes.
// Raises EReadError for a malformed stream and Exception for a part that the source cannot
// spell (a tag byte that the format does not define, a child position that is no integer).
std::string ObjectBinaryToText(const std::vector<uint8_t>& bytes);

// Text as the source spells it: quoted runs, with #n for control and non-ASCII codes; 8-bit
// text byte by byte (codes 0 to 255).
std::string QuoteObjectText(std::u16string_view text);
std::string QuoteObjectText(std::string_view bytes);

}  // namespace wdx
