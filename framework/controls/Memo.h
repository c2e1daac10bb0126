// A text of several lines for the user to edit. Its published defaults are declared in its table
// (StaticClass) and applied by its constructor.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/components/Strings.h"
#include "framework/controls/Control.h"
#include "framework/rtti/Method.h"

namespace wdx {

enum TScrollStyle : uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };
WDX_DECLARE_TYPE(TScrollStyle);

class TMemo : public TWinControl {
 public:
  WDX_CLASS(TMemo)
  explicit TMemo(TComponent* owner);

  TStrings* Lines() const { return lines_.get(); }
  void SetLines(TStrings* lines) { lines_->Assign(lines); }
  // The lines with a line break (CR LF) between them; setting it splits the text into lines at
  // CR, LF or both, so that a text ending in a line break ends in an empty line, as the user sees
  // it. Any change of the lines runs OnChange, except while the form is read.
  std::string Text() const;
  void SetText(const std::string& value);
  void SetLineList(std::vector<std::string> lines) { lines_->SetLines(std::move(lines)); }
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value) { SetField(readOnly_, value); }
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value) { SetField(wordWrap_, value); }
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle value) { SetField(scrollBars_, value); }
  TNotifyEvent OnChange;
  bool TakesFocus() const override { return TabStop(); }

 private:
  std::unique_ptr<TStringList> lines_ = std::make_unique<TStringList>();
  TScrollStyle scrollBars_ = ssNone;
  bool readOnly_{};
  bool wordWrap_{};
};

}  // namespace wdx
