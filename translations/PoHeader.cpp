#include "translations/PoHeader.h"

#include "framework/rtl/CodePage.h"
#include "framework/rtl/StrUtils.h"
#include "framework/rtl/Utf8.h"

namespace wdx {

PoHeader::PoHeader(const std::vector<PoEntry>& entries, const std::string& poName)
    : poName_(poName) {
  for (const PoEntry& entry : entries) {
    if (entry.IsHeader()) entry_ = &entry;
  }
  if (!entry_) throw PoError(poName, 1, "no header entry (msgid \"\")");
  if (entry_->msgstr.size() != 1) throw PoError(poName, entry_->line, "malformed header entry");
  fields_ = ParsePoHeader(entry_->msgstr.front());
  const std::string contentType = PoHeaderField(fields_, "Content-Type");
  const size_t charsetAt = contentType.find("charset=");
  if (charsetAt == std::string::npos) return;
  const std::string charset = contentType.substr(charsetAt + 8);
  const std::string lower = AsciiLower(charset);
  if (lower == "windows-1252" || lower == "cp1252") {
    ansiFile_ = true;
  } else if (lower != "utf-8" && lower != "ascii" && lower != "us-ascii") {
    throw PoError(poName, entry_->line, "unsupported charset '" + charset + "'");
  }
}

std::string PoHeader::Field(std::string_view name) const {
  return Utf8(PoHeaderField(fields_, name), entry_->line);
}

std::string PoHeader::Utf8(const std::string& text, int line) const {
  if (ansiFile_) return CodePageToUtf8(text, kCodePageWindows1252);
  if (!IsValidUtf8(text)) throw PoError(poName_, line, "invalid UTF-8");
  return text;
}

}  // namespace wdx
