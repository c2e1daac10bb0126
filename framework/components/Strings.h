// String lists: lines of 8-bit text with the framework's text form (each line followed by
// carriage return and line feed; reading splits at CR, LF or CR LF).
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/components/Persistent.h"

namespace wdx {

class TStream;

class TStrings : public TPersistent {
 public:
  WDX_CLASS(TStrings)

  virtual int Count() const = 0;
  // Line access raises EStringListError "List index out of bounds (%d)" outside 0 to Count - 1.
  virtual std::string Get(int index) const = 0;
  virtual void Put(int index, const std::string& text) = 0;
  virtual void Insert(int index, const std::string& text) = 0;
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;

  int Add(const std::string& text);
  int IndexOf(const std::string& text) const;
  // Every line followed by CR LF.
  std::string Text() const;
  // Replaces the lines by those of `text`; a final line break adds no empty line, and a zero
  // byte is an ordinary character.
  void SetText(std::string_view text);
  void LoadFromStream(TStream& stream);
  void SaveToStream(TStream& stream) const;
  void Assign(const TPersistent* source) override;
  // Stored in form streams as the custom property "Strings".
  void DefineProperties(TFiler* filer) override;

  // Splits text into lines by the rules of SetText.
  static std::vector<std::string> SplitLines(std::string_view text);
  // Calls `visit` with each line of the text, by the same rules, without copying it.
  template <class Visit>
  static void ForEachLine(std::string_view text, Visit&& visit);

  // The changes made between BeginUpdate and the matching EndUpdate are reported once, at the
  // end, so that a list filled line by line tells its watcher once.
  void BeginUpdate() { ++updating_; }
  void EndUpdate();

 protected:
  // Reports a change of the lines: now, or at the end of the update that is under way.
  void NoteChange();
  // What a change of the lines does; nothing here.
  virtual void Changed() {}

 private:
  // Holds an update open for as long as it lives, however the scope ends.
  struct Updating {
    explicit Updating(TStrings& strings) : strings_(strings) { strings_.BeginUpdate(); }
    ~Updating() { strings_.EndUpdate(); }
    TStrings& strings_;
  };

  int updating_ = 0;
  bool changedWhileUpdating_ = false;
};

template <class Visit>
void TStrings::ForEachLine(std::string_view text, Visit&& visit) {
  size_t start = 0;
  for (size_t i = 0; i < text.size();) {
    const char c = text[i];
    if (c != '\r' && c != '\n') {
      ++i;
      continue;
    }
    visit(text.substr(start, i - start));
    ++i;
    if (c == '\r' && i < text.size() && text[i] == '\n') ++i;
    start = i;
  }
  if (start < text.size()) visit(text.substr(start));
}

class TStringList : public TStrings {
 public:
  WDX_CLASS(TStringList)

  TStringList() = default;
  int Count() const override { return static_cast<int>(lines_.size()); }
  std::string Get(int index) const override;
  void Put(int index, const std::string& text) override;
  void Insert(int index, const std::string& text) override;
  void Delete(int index) override;
  void Clear() override {
    if (lines_.empty()) return;
    lines_.clear();
    NoteChange();
  }

  const std::vector<std::string>& Lines() const { return lines_; }
  void SetLines(std::vector<std::string> lines);

  // Runs after every change of the lines (once for the changes of an update).
  std::function<void()> OnChange;

 protected:
  void Changed() override;

 private:
  void CheckIndex(int index, int limit) const;
  std::vector<std::string> lines_;
};

}  // namespace wdx
