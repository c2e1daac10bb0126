#include "framework/components/Strings.h"

#include "framework/components/Reader.h"
#include "framework/components/Writer.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Format.h"
#include "framework/rtl/Streams.h"
#include "framework/rtti/Published.h"

namespace wdx {

const TMetaClass& TStrings::StaticClass() {
  static const TMetaClass meta("TStrings", &TPersistent::StaticClass(), nullptr, {});
  return meta;
}

const TMetaClass& TStringList::StaticClass() {
  static const TMetaClass meta("TStringList", &TStrings::StaticClass(), FactoryOf<TStringList>(),
                               {});
  return meta;
}

int TStrings::Add(const std::string& text) {
  const int index = Count();
  Insert(index, text);
  return index;
}

int TStrings::IndexOf(const std::string& text) const {
  for (int i = 0; i < Count(); ++i) {
    if (Get(i) == text) return i;
  }
  return -1;
}

std::string TStrings::Text() const {
  std::string text;
  for (int i = 0; i < Count(); ++i) text.append(Get(i)).append("\r\n");
  return text;
}

std::vector<std::string> TStrings::SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  ForEachLine(text, [&](std::string_view line) { lines.emplace_back(line); });
  return lines;
}

void TStrings::EndUpdate() {
  if (updating_ > 0) --updating_;
  if (updating_ > 0 || !changedWhileUpdating_) return;
  changedWhileUpdating_ = false;
  Changed();
}

void TStrings::NoteChange() {
  if (updating_ > 0) {
    changedWhileUpdating_ = true;
  } else {
    Changed();
  }
}

void TStrings::SetText(std::string_view text) {
  const Updating update(*this);
  Clear();
  for (const std::string& line : SplitLines(text)) Add(line);
}

void TStrings::LoadFromStream(TStream& stream) {
  const int64_t size = stream.Remaining();
  std::string bytes(static_cast<size_t>(size), '\0');
  stream.ReadBuffer(bytes.data(), size);
  SetText(bytes);
}

void TStrings::SaveToStream(TStream& stream) const {
  const std::string text = Text();
  stream.WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
}

void TStrings::Assign(const TPersistent* source) {
  const auto* other = ObjectCast<TStrings>(source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  const Updating update(*this);
  Clear();
  for (int i = 0; i < other->Count(); ++i) Add(other->Get(i));
}

void TStrings::DefineProperties(TFiler* filer) {
  TPersistent::DefineProperties(filer);
  filer->DefineProperty(
      "Strings",
      [this](TReader& reader) {
        reader.ReadListBegin();
        const Updating update(*this);
        Clear();
        while (!reader.EndOfList()) Add(reader.ReadString());
        reader.ReadListEnd();
      },
      [this](TWriter& writer) {
        writer.WriteListBegin();
        for (int i = 0; i < Count(); ++i) writer.WriteString(Get(i));
        writer.WriteListEnd();
      },
      Count() > 0);
}

void TStringList::CheckIndex(int index, int limit) const {
  if (index < 0 || index >= limit) throw EStringListError(Format(msg::kListIndexError, index));
}

void TStringList::SetLines(std::vector<std::string> lines) {
  if (lines == lines_) return;
  lines_ = std::move(lines);
  NoteChange();
}

void TStringList::Changed() {
  if (OnChange) OnChange();
}

std::string TStringList::Get(int index) const {
  CheckIndex(index, Count());
  return lines_[static_cast<size_t>(index)];
}

void TStringList::Put(int index, const std::string& text) {
  CheckIndex(index, Count());
  if (lines_[static_cast<size_t>(index)] == text) return;
  lines_[static_cast<size_t>(index)] = text;
  NoteChange();
}

void TStringList::Insert(int index, const std::string& text) {
  CheckIndex(index, Count() + 1);
  lines_.insert(lines_.begin() + index, text);
  NoteChange();
}

void TStringList::Delete(int index) {
  CheckIndex(index, Count());
  lines_.erase(lines_.begin() + index);
  NoteChange();
}

}  // namespace wdx
