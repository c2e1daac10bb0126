#include "platform/posix/Metabase.h"

#include <algorithm>

#include "framework/rtl/Format.h"
#include "framework/rtl/StrUtils.h"
#include "platform/DirectoryService.h"

namespace wdx {

void TMetabaseSection::Set(const std::string& name, const std::string& value) {
  for (auto& [key, text] : Values) {
    if (SameText(key, name)) {
      text = value;
      return;
    }
  }
  Values.emplace_back(name, value);
}

void TMetabaseSection::Erase(const std::string& name) {
  std::erase_if(Values, [&](const auto& entry) { return SameText(entry.first, name); });
}

TMetabase TMetabase::Parse(const std::string& text, const std::string& source) {
  TMetabase metabase;
  int lineNo = 0;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    const std::string line = Trim(text.substr(start, end - start));
    ++lineNo;
    start = end + 1;
    if (end < text.size() && text[end] == '\r' && start < text.size() && text[start] == '\n') {
      ++start;
    }
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    auto fail = [&](const char* reason) {
      throw EOleException(Format("%s, line %d: %s", source.c_str(), lineNo, reason));
    };
    if (line[0] == '[') {
      if (line.back() != ']' || line.size() < 3) fail("a section name must end with ']'");
      metabase.Add(line.substr(1, line.size() - 2));
      continue;
    }
    const size_t equals = line.find('=');
    if (equals == std::string::npos || equals == 0) fail("Name=Value expected");
    if (metabase.sections_.empty()) fail("a value before the first section");
    metabase.sections_.back().Values.emplace_back(Trim(line.substr(0, equals)),
                                                  line.substr(equals + 1));
  }
  return metabase;
}

std::string TMetabase::Text() const {
  std::string text;
  for (const TMetabaseSection& section : sections_) {
    if (!text.empty()) text += "\n";
    text += "[" + section.Path + "]\n";
    for (const auto& [name, value] : section.Values) text += name + "=" + value + "\n";
  }
  return text;
}

TMetabaseSection* TMetabase::Find(const std::string& path) {
  for (TMetabaseSection& section : sections_) {
    if (SameText(section.Path, path)) return &section;
  }
  return nullptr;
}

TMetabaseSection& TMetabase::Add(const std::string& path) {
  if (TMetabaseSection* existing = Find(path)) return *existing;
  sections_.push_back({path, {}});
  return sections_.back();
}

bool TMetabase::RemoveTree(const std::string& path) {
  if (!Find(path)) return false;
  const std::string prefix = AsciiUpper(path) + "/";
  std::erase_if(sections_, [&](const TMetabaseSection& section) {
    const std::string upper = AsciiUpper(section.Path);
    return SameText(section.Path, path) || upper.compare(0, prefix.size(), prefix) == 0;
  });
  return true;
}

}  // namespace wdx
