#include "platform/metabase/MetabaseText.h"

#include <string>

#include "framework/rtl/Format.h"
#include "framework/rtl/StrUtils.h"

namespace wdx {

namespace {

// The length of the line end that closes `text` ("\r\n", "\n", "\r" or none).
size_t LineEndLength(std::string_view text) {
  if (text.ends_with("\r\n")) return 2;
  if (text.ends_with('\n') || text.ends_with('\r')) return 1;
  return 0;
}

std::string_view Body(std::string_view text) {
  return text.substr(0, text.size() - LineEndLength(text));
}

// A value line's value: everything after the first '=', without trailing blanks.
std::string ValueOf(std::string_view line) {
  const std::string_view body = Body(line);
  std::string_view value = body.substr(body.find('=') + 1);
  while (!value.empty() && static_cast<unsigned char>(value.back()) <= 32) value.remove_suffix(1);
  return std::string(value);
}

bool IsBlank(std::string_view line) {
  return Trim(line).empty();
}

}  // namespace

TMetabase TMetabase::Parse(std::string_view text, const std::string& source) {
  TMetabase metabase;
  bool lineEndSeen = false;
  size_t lineNo = 0;
  size_t start = 0;
  TObject* current = nullptr;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    size_t next = end;
    if (end == std::string_view::npos) {
      end = next = text.size();
    } else {
      next = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
      if (!lineEndSeen) metabase.lineEnd_ = text.substr(end, next - end);
      lineEndSeen = true;
    }
    ++lineNo;
    const TLineRef line = metabase.lines_.insert(metabase.lines_.end(),
                                                 {std::string(text.substr(start, next - start))});
    std::string_view raw = text.substr(start, end - start);
    // A byte order mark (UTF-8, as editors write it) opens the text, not its first line.
    if (lineNo == 1 && raw.starts_with("\xEF\xBB\xBF")) raw.remove_prefix(3);
    const std::string body = Trim(raw);
    start = next;
    if (body.empty() || body[0] == ';' || body[0] == '#') continue;
    auto fail = [&](const char* reason) {
      throw EMetabaseError(
          Format("%s, line %s: %s", source.c_str(), std::to_string(lineNo).c_str(), reason),
          metabase_code::kInvalidData);
    };
    if (body[0] == '[') {
      if (body.back() != ']') fail("a section name must end with ']'");
      if (body.size() < 3) fail("a section needs the path of its object");
      line->Kind = TLineKind::Header;
      current = &metabase.Object(body.substr(1, body.size() - 2));
      current->Headers.push_back(line);
      current->Tail = line;
      continue;
    }
    const size_t equals = body.find('=');
    if (equals == std::string::npos || equals == 0) fail("Name=Value expected");
    if (!current) fail("a value before the first section");
    line->Kind = TLineKind::Value;
    metabase.AddValue(*current, Trim(body.substr(0, equals)), line);
    current->Tail = line;
  }
  return metabase;
}

std::string TMetabase::Text() const {
  size_t size = 0;
  for (const TLine& line : lines_) size += line.Text.size();
  std::string text;
  text.reserve(size);
  for (const TLine& line : lines_) text += line.Text;
  return text;
}

bool TMetabase::Has(const std::string& path) const {
  return Find(path) != nullptr;
}

bool TMetabase::Get(const std::string& path, const std::string& name, std::string& value) const {
  const TObject* object = Find(path);
  if (!object) return false;
  const auto found = object->Values.find(AsciiUpper(name));
  if (found == object->Values.end()) return false;
  value = ValueOf(found->second.front()->Text);
  return true;
}

void TMetabase::Set(const std::string& path, const std::string& name, const std::string& value) {
  Add(path);
  TObject& object = *Find(path);
  const auto found = object.Values.find(AsciiUpper(name));
  if (found != object.Values.end()) {
    std::string& text = found->second.front()->Text;
    if (ValueOf(text) == value) return;  // the line stays exactly as it is
    const std::string_view body = Body(text);
    text = std::string(body.substr(0, body.find('=') + 1)) + value +
           text.substr(text.size() - LineEndLength(text));
    return;
  }
  // The new line follows the object's last value; when that line is the file's last and has no
  // line end, it gets one and the new line takes over its place at the end.
  std::string& tail = object.Tail->Text;
  std::string line = name + "=" + value;
  if (LineEndLength(tail) == 0) {
    tail += lineEnd_;
  } else {
    line += lineEnd_;
  }
  const TLineRef inserted = lines_.insert(std::next(object.Tail), {line, TLineKind::Value});
  AddValue(object, name, inserted);
  object.Tail = inserted;
}

void TMetabase::Erase(const std::string& path, const std::string& name) {
  TObject* object = Find(path);
  if (!object) return;
  const auto found = object->Values.find(AsciiUpper(name));
  if (found == object->Values.end()) return;
  for (const TLineRef line : found->second) {
    if (line == object->Tail) {
      // The previous value or header of the same block: blocks are contiguous.
      do {
        --object->Tail;
      } while (object->Tail->Kind == TLineKind::Other);
    }
    lines_.erase(line);
  }
  object->Values.erase(found);
}

void TMetabase::Add(const std::string& path) {
  if (Find(path)) return;
  if (!lines_.empty()) {
    std::string& last = lines_.back().Text;
    if (LineEndLength(last) == 0) last += lineEnd_;
    // Sections are set apart by a blank line.
    if (!IsBlank(last)) lines_.push_back({lineEnd_});
  }
  const TLineRef header =
      lines_.insert(lines_.end(), {"[" + path + "]" + lineEnd_, TLineKind::Header});
  TObject& object = Object(path);
  object.Headers.push_back(header);
  object.Tail = header;
}

bool TMetabase::RemoveTree(const std::string& path) {
  if (!Find(path)) return false;
  const std::string upper = AsciiUpper(path);
  const std::string below = upper + "/";
  std::vector<std::string> removed;
  for (auto& [key, object] : objects_) {
    if (key != upper && key.compare(0, below.size(), below) != 0) continue;
    removed.push_back(key);
    // A block runs from its header to the next header.
    for (const TLineRef header : object.Headers) {
      TLineRef line = header;
      do {
        line = lines_.erase(line);
      } while (line != lines_.end() && line->Kind != TLineKind::Header);
    }
  }
  for (const std::string& key : removed) objects_.erase(key);
  return true;
}

TMetabase::TObject* TMetabase::Find(const std::string& path) {
  const auto found = objects_.find(AsciiUpper(path));
  return found == objects_.end() ? nullptr : &found->second;
}

const TMetabase::TObject* TMetabase::Find(const std::string& path) const {
  const auto found = objects_.find(AsciiUpper(path));
  return found == objects_.end() ? nullptr : &found->second;
}

TMetabase::TObject& TMetabase::Object(const std::string& path) {
  return objects_[AsciiUpper(path)];
}

void TMetabase::AddValue(TObject& object, const std::string& name, TLineRef line) {
  object.Values[AsciiUpper(name)].push_back(line);
}

}  // namespace wdx
