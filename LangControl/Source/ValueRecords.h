// The records of the binary property "Values" of a language-value entry: for each slot from 1
// to the slot count - 1 a 32-bit size S (0 for an empty slot) and S bytes of the slot's block,
// its text in the slot's code page or, beyond it, in UTF-16 (SlotTexts.h).
#pragma once

#include <cstdint>

#include "LangControl/Source/SlotTexts.h"

namespace wdx {

class ByteCursor;
class TValueSlots;

// Reads the records for slots 1 to `count` - 1 from `in` into `slots`, which hold no value
// before, and tells how their texts are coded: in their languages' code pages when the mark
// follows the last record, else as earlier builds wrote them (SlotTexts.h). The records are
// looked over first, so that their values take one block, made at once; a record that does not
// read in whole raises the stream read error, the slots before it filled and `in` where the
// record failed.
TSlotCoding ReadValueRecords(ByteCursor& in, int32_t count, TValueSlots& slots);

}  // namespace wdx
