// The header of a parsed PO file: its fields, and how the file's texts become UTF-8 (a file that
// declares windows-1252 is read as such; UTF-8 and ASCII are taken as they are).
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "translations/PoFile.h"

namespace wdx {

class PoHeader {
 public:
  // Raises PoError for a file without a header entry, a malformed one, or another charset.
  PoHeader(const std::vector<PoEntry>& entries, const std::string& poName);

  const PoEntry* Entry() const { return entry_; }
  int Line() const { return entry_->line; }
  // A header field as UTF-8.
  std::string Field(std::string_view name) const;
  // A text of the file as UTF-8; raises PoError "invalid UTF-8" naming `line`.
  std::string Utf8(const std::string& text, int line) const;

 private:
  std::string poName_;
  const PoEntry* entry_ = nullptr;
  std::vector<std::pair<std::string, std::string>> fields_;
  bool ansiFile_ = false;
};

}  // namespace wdx
