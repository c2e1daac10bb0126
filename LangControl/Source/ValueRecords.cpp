#include "LangControl/Source/ValueRecords.h"

#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "LangControl/Source/SlotTexts.h"
#include "LangControl/Source/ValueSlots.h"
#include "framework/rtl/ByteCursor.h"
#include "framework/rtl/CodePage.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Utf8.h"

namespace wdx {

namespace {

constexpr size_t kHeaderSize = 4;

// The bytes a record's block takes in memory: as stored, or its header and the UTF-8 `text`.
size_t HeldSize(std::span<const uint8_t> stored, const std::optional<std::string>& text) {
  return text ? kHeaderSize + text->size() : stored.size();
}

void Fill(uint8_t* at, std::span<const uint8_t> stored, const std::string* text) {
  if (!text) {
    std::memcpy(at, stored.data(), stored.size());
    return;
  }
  std::memcpy(at, stored.data(), kHeaderSize);
  if (!text->empty()) std::memcpy(at + kHeaderSize, text->data(), text->size());
}

// A record's size, or -1 when the record is not there in whole.
int32_t RecordSize(ByteCursor& in) {
  if (in.Remaining() < 4) return -1;
  const auto size = static_cast<int32_t>(in.U32());
  return size >= 0 && static_cast<size_t>(size) <= in.Remaining() ? size : -1;
}

// How the records that start at `in` are coded: in their languages' code pages when the mark
// follows the last of them. Without it, the way earlier builds wrote them (Windows-1252) where that
// reads otherwise, that is when a slot of a language of another code page holds a text beyond
// ASCII; an entry where it does not is as good as marked, and a text added later goes into its
// language's code page.
TSlotCoding CodingOf(ByteCursor in, int32_t count) {
  bool ambiguous = false;
  for (int32_t k = 1; k < count; ++k) {
    const int32_t size = RecordSize(in);
    if (size < 0) break;  // cut short: the error comes when it is read
    const std::span<const uint8_t> stored = in.Take(static_cast<uint64_t>(size));
    const bool unicode =
        size >= 4 && stored[0] == (kUnicodeTextCode & 0xFF) && stored[1] == (kUnicodeTextCode >> 8);
    if (!ambiguous && size >= 4 && HoldsText(stored.data()) && !unicode &&
        TSlotLanguages::CodePage(k) != kCodePageWindows1252 &&
        !IsAscii(std::string_view(reinterpret_cast<const char*>(stored.data()) + 4,
                                  stored.size() - 4))) {
      ambiguous = true;
    }
  }
  const bool marked =
      in.Remaining() >= sizeof kCodePageMark &&
      std::memcmp(in.Take(sizeof kCodePageMark).data(), kCodePageMark, sizeof kCodePageMark) == 0;
  return marked || !ambiguous ? TSlotCoding::kCodePages : TSlotCoding::kLegacy;
}

}  // namespace

TSlotCoding ReadValueRecords(ByteCursor& in, int32_t count, TValueSlots& slots) {
  const TSlotCoding coding = CodingOf(in, count);
  // The whole records, looked over on a copy of the cursor: their sizes in memory add up to the
  // room the block needs. The texts that change on the way are kept for the second pass.
  ByteCursor scan = in;
  std::vector<std::pair<int32_t, std::string>> texts;
  size_t total = 0;
  int32_t last = 0;  // the last slot with a value
  int32_t end = 1;   // the first slot whose record does not read
  for (; end < count; ++end) {
    const int32_t size = RecordSize(scan);
    if (size < 0) break;
    if (size == 0) continue;
    const std::span<const uint8_t> stored = scan.Take(static_cast<uint64_t>(size));
    std::optional<std::string> text = SlotTextFromStream(stored, end, coding);
    if (text && text->size() > kLongestSlotText) break;
    total += HeldSize(stored, text);
    if (text) texts.emplace_back(end, std::move(*text));
    last = end;
  }
  if (last > 0) {
    TValueSlots::TLayout layout = slots.Lay(1, last, count, total);
    size_t next = 0;
    for (int32_t k = 1; k <= last; ++k) {
      const auto size = static_cast<int32_t>(in.U32());
      if (size == 0) continue;
      const std::span<const uint8_t> stored = in.Take(static_cast<uint64_t>(size));
      const std::string* text = nullptr;
      if (next < texts.size() && texts[next].first == k) text = &texts[next++].second;
      const auto held = static_cast<int32_t>(text ? kHeaderSize + text->size() : stored.size());
      Fill(layout.Place(k, held), stored, text);
    }
  }
  for (int32_t k = last + 1; k < end; ++k) in.Skip(4);  // empty records
  // What is left is read as it comes: it raises the error of the record that does not read.
  for (int32_t k = end; k < count; ++k) {
    const auto size = static_cast<int32_t>(in.U32());
    if (size < 0) ThrowStreamReadError();
    if (size == 0) continue;
    // Checked against what is left before anything is allocated.
    const std::span<const uint8_t> stored = in.Take(static_cast<uint64_t>(size));
    const std::optional<std::string> text = SlotTextFromStream(stored, k, coding);
    if (text && text->size() > kLongestSlotText) throw EReadError(msg::kStreamReadError);
    const size_t held = HeldSize(stored, text);
    Fill(slots.Reserve(k, static_cast<int32_t>(held), count), stored, text ? &*text : nullptr);
  }
  return coding;
}

}  // namespace wdx
