// The texts of the value slots as a form stream stores them. In memory a slot's text is UTF-8.
// In the stream, slot k holds the texts of the language whose SubIndex is k in that language's
// code page (LanguageCodePage: the ANSI code page Windows gives the language), which is what a
// form made on that language's Windows holds: Windows-1251 for Russian, 932 for Japanese,
// Windows-1252 for English and for names the built-in table does not know. A text its code page
// cannot hold is stored whole, as UTF-16 under the type code 258 (a Unicode string).
//
// Earlier builds wrote every slot in Windows-1252. An entry's "Values" tell which way their texts
// go by a mark after the last record (bytes that every reader of the format passes over): with
// it, each slot is in its language's code page; without it, in Windows-1252, and an entry read
// so is written back so, byte for byte.
#pragma once

#include <climits>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "framework/rtl/Variant.h"

namespace wdx {

class TLanguageEntries;

// The languages of the slots while a language manager reads or writes its component list: the
// entries that stream their slots meanwhile find them here. Slots streamed without one, and slots
// beyond the languages, are in the stream's code page.
class TSlotLanguages {
 public:
  explicit TSlotLanguages(const TLanguageEntries& languages);
  ~TSlotLanguages();
  TSlotLanguages(const TSlotLanguages&) = delete;
  TSlotLanguages& operator=(const TSlotLanguages&) = delete;

  // The code page of slot `slot` and its language's name ("" for none).
  static int CodePage(int32_t slot);
  static std::string Name(int32_t slot);

 private:
  struct TLanguage {
    std::string Name;
    int CodePage;
  };
  std::vector<TLanguage> bySlot_;
  const TSlotLanguages* previous_;
};

// The type code of a text its slot's code page cannot hold.
inline constexpr uint32_t kUnicodeTextCode = 258;

// Whether a slot's block, of at least 4 bytes, holds a text: type code 256 (an 8-bit string), 8
// (a wide string, kept as 8-bit text) or 258 (a text beyond its code page). Inline: every
// exchange of a text asks it.
inline bool HoldsText(const uint8_t* block) {
  return block[2] == 0 && block[3] == 0 &&
         ((block[0] == (varString & 0xFF) && block[1] == (varString >> 8)) ||
          (block[0] == varOleStr && block[1] == 0) ||
          (block[0] == (kUnicodeTextCode & 0xFF) && block[1] == (kUnicodeTextCode >> 8)));
}

// The mark after the last record of an entry whose slots are in their languages' code pages.
inline constexpr uint8_t kCodePageMark[4] = {'W', 'C', 'P', '1'};

// How an entry's slots go to and from a stream.
enum class TSlotCoding {
  kCodePages,  // each in its language's code page, the mark after the records
  kLegacy,     // Windows-1252, as earlier builds wrote them
};

// The UTF-8 text of the block of slot `slot` as read from a stream, when the block is a text that
// changes on the way (one with characters beyond ASCII, or a Unicode one); nullopt when the block
// stays as it is.
std::optional<std::string> SlotTextFromStream(std::span<const uint8_t> block, int32_t slot,
                                              TSlotCoding coding);
// The longest text a slot can hold.
inline constexpr size_t kLongestSlotText = INT32_MAX - 4;
// The bytes that the block of slot `slot` takes in a stream when they differ from the block's: the
// type code and the text in the slot's code page, or UTF-16 under type code 258 when the code page
// lacks one of its characters. `marked` becomes true when a text lies in a code page other than
// Windows-1252 (the entry's records then need the mark).
std::optional<std::string> SlotBlockToStream(const uint8_t* block, int32_t size, int32_t slot,
                                             TSlotCoding coding, bool& marked);

}  // namespace wdx
