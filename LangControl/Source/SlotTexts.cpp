#include "LangControl/Source/SlotTexts.h"

#include <cstring>
#include <string_view>

#include "LangControl/Source/LangControlSystem.h"
#include "LangControl/Source/LanguageValues.h"
#include "framework/components/Filer.h"
#include "framework/rtl/CodePage.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Format.h"
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

std::optional<std::string> SlotTextFromStream(std::span<const uint8_t> block, int32_t slot) {
  const auto size = static_cast<int32_t>(block.size());
  if (size < kHeaderSize || !HoldsText(block.data())) return std::nullopt;
  const std::string_view stored = TextOf(block.data(), size);
  if (IsAscii(stored)) return std::nullopt;
  return CodePageToUtf8(stored, TSlotLanguages::CodePage(slot));
}

std::optional<std::string> SlotBlockToStream(const uint8_t* block, int32_t size, int32_t slot,
                                             const std::string& where) {
  if (size < kHeaderSize || !HoldsText(block)) return std::nullopt;
  const std::string_view text = TextOf(block, size);
  if (IsAscii(text)) return std::nullopt;
  const int codePage = TSlotLanguages::CodePage(slot);
  char32_t missing = 0;
  const std::optional<std::string> stored = Utf8ToCodePage(text, codePage, &missing);
  if (!stored) {
    const std::string language = TSlotLanguages::Name(slot);
    throw EWriteError(Format("The %s text of %s has a character %s lacks: %s",
                             language.empty() ? "stored" : language.c_str(), where.c_str(),
                             CodePageName(codePage).c_str(), CharacterName(missing).c_str()));
  }
  return std::string(reinterpret_cast<const char*>(block), kHeaderSize) + *stored;
}

}  // namespace wdx
