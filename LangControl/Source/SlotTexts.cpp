#include "LangControl/Source/SlotTexts.h"

#include <cstring>
#include <string_view>

#include "LangControl/Source/LangControlSystem.h"
#include "LangControl/Source/LanguageValues.h"
#include "framework/components/Filer.h"
#include "framework/rtl/CodePage.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Utf8.h"
#include "framework/rtl/Variant.h"

namespace wdx {

namespace {

constexpr int32_t kHeaderSize = 4;

// The scope in effect; everything runs on the user-interface thread.
const TSlotLanguages* g_current = nullptr;

std::string_view TextOf(const uint8_t* block, int32_t size) {
  return {reinterpret_cast<const char*>(block) + kHeaderSize,
          static_cast<size_t>(size - kHeaderSize)};
}

}  // namespace

TSlotLanguages::TSlotLanguages(const TLanguageEntries& languages) : previous_(g_current) {
  bySlot_.reserve(static_cast<size_t>(languages.Count()));
  for (int i = 0; i < languages.Count(); ++i) {
    const TLanguageEntry* language = languages.Items(i);
    const int32_t slot = language->SubIndex();
    if (slot < 0 || slot >= languages.Count()) continue;  // not placed (yet)
    if (bySlot_.size() <= static_cast<size_t>(slot)) {
      bySlot_.resize(static_cast<size_t>(slot) + 1, {"", kStreamCodePage});
    }
    bySlot_[static_cast<size_t>(slot)] = {language->Name(), LanguageCodePage(language->Name())};
  }
  g_current = this;
}

TSlotLanguages::~TSlotLanguages() {
  g_current = previous_;
}

int TSlotLanguages::CodePage(int32_t slot) {
  if (!g_current || slot < 0 || static_cast<size_t>(slot) >= g_current->bySlot_.size()) {
    return kStreamCodePage;
  }
  return g_current->bySlot_[static_cast<size_t>(slot)].CodePage;
}

std::string TSlotLanguages::Name(int32_t slot) {
  if (!g_current || slot < 0 || static_cast<size_t>(slot) >= g_current->bySlot_.size()) return "";
  return g_current->bySlot_[static_cast<size_t>(slot)].Name;
}

namespace {

bool IsUnicodeText(const uint8_t* block) {
  return block[0] == (kUnicodeTextCode & 0xFF) && block[1] == (kUnicodeTextCode >> 8);
}

int SlotCodePage(int32_t slot, TSlotCoding coding) {
  return coding == TSlotCoding::kLegacy ? kCodePageWindows1252 : TSlotLanguages::CodePage(slot);
}

}  // namespace

std::optional<std::string> SlotTextFromStream(std::span<const uint8_t> block, int32_t slot,
                                              TSlotCoding coding) {
  const auto size = static_cast<int32_t>(block.size());
  if (size < kHeaderSize || !HoldsText(block.data())) return std::nullopt;
  const std::string_view stored = TextOf(block.data(), size);
  if (IsUnicodeText(block.data())) {
    std::u16string units(stored.size() / 2, u'\0');
    for (size_t i = 0; i < units.size(); ++i) {
      units[i] = static_cast<char16_t>(static_cast<uint8_t>(stored[2 * i]) |
                                       static_cast<uint8_t>(stored[2 * i + 1]) << 8);
    }
    return Utf16ToUtf8(units);
  }
  if (IsAscii(stored)) return std::nullopt;
  return CodePageToUtf8(stored, SlotCodePage(slot, coding));
}

std::optional<std::string> SlotBlockToStream(const uint8_t* block, int32_t size, int32_t slot,
                                             TSlotCoding coding, bool& marked) {
  if (size < kHeaderSize || !HoldsText(block)) return std::nullopt;
  const std::string_view text = TextOf(block, size);
  const bool unicode = IsUnicodeText(block);
  if (!unicode && IsAscii(text)) return std::nullopt;
  const int codePage = SlotCodePage(slot, coding);
  if (!unicode) {
    if (std::optional<std::string> stored = Utf8ToCodePage(text, codePage)) {
      marked = marked || codePage != kCodePageWindows1252;
      return std::string(reinterpret_cast<const char*>(block), kHeaderSize) + *stored;
    }
  }
  std::string out(kHeaderSize, '\0');
  out[0] = static_cast<char>(kUnicodeTextCode & 0xFF);
  out[1] = static_cast<char>(kUnicodeTextCode >> 8);
  for (const char16_t unit : Utf8ToUtf16(text)) {
    out += static_cast<char>(unit & 0xFF);
    out += static_cast<char>(unit >> 8);
  }
  return out;
}

}  // namespace wdx
