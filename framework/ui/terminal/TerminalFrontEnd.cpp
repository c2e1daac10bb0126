#include "framework/ui/terminal/TerminalFrontEnd.h"

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#ifndef NCURSES_WIDECHAR
#define NCURSES_WIDECHAR 1
#endif
#include <curses.h>

#include "framework/controls/ComCtrls.h"
#include "framework/controls/Dialogs.h"
#include "framework/controls/ExtCtrls.h"
#include "framework/controls/Form.h"
#include "framework/controls/MessageBoxes.h"
#include "framework/controls/StdCtrls.h"
#include "framework/ui/terminal/Screen.h"
#include "framework/ui/terminal/TextLayout.h"

namespace wdx {

using terminal::TCellRect;
using terminal::TKey;
using terminal::TLook;

namespace {

// A character cell in pixels of the dialog's design: about one average character of its font
// wide and one text line high.
constexpr int kCellWidth = 5;
constexpr int kCellHeight = 13;
// Where a tab sheet's client area starts inside its page control, past the tab strip.
constexpr int kPageInsetLeft = 4;
constexpr int kPageInsetTop = 24;
// A group box's frame runs through the middle of its caption.
constexpr int kGroupFrameInset = 6;

constexpr int kEscape = 27;

int FloorDiv(int value, int divisor) {
  return value >= 0 ? value / divisor : -((-value + divisor - 1) / divisor);
}

int CeilDiv(int value, int divisor) {
  return FloorDiv(value + divisor - 1, divisor);
}

bool IsEnter(const TKey& key) {
  return key.IsChar('\n') || key.IsChar('\r') || key.Is(KEY_ENTER);
}

bool IsBackspace(const TKey& key) {
  return key.Is(KEY_BACKSPACE) || key.IsChar(127) || key.IsChar('\b');
}

// Whether the user can see the control: it and its parents are visible, and no page it is on
// has a hidden tab.
bool Showing(const TControl* control) {
  for (; control; control = control->Parent()) {
    if (!control->Visible()) return false;
    if (const auto* page = dynamic_cast<const TTabSheet*>(control); page && !page->TabVisible()) {
      return false;
    }
  }
  return true;
}

// Whether the user can operate the control: showing, and it and its parents enabled.
bool Usable(const TControl* control) {
  if (!Showing(control)) return false;
  for (; control; control = control->Parent()) {
    if (!control->Enabled()) return false;
  }
  return true;
}

std::vector<TTabSheet*> VisibleTabs(const TPageControl& pages) {
  std::vector<TTabSheet*> tabs;
  for (TTabSheet* page : pages.Pages()) {
    if (page->Visible() && page->TabVisible()) tabs.push_back(page);
  }
  return tabs;
}

// The page a page control shows: its active page, or the first one whose tab is shown when the
// active page's tab is hidden.
TTabSheet* ShownPage(const TPageControl& pages) {
  const std::vector<TTabSheet*> tabs = VisibleTabs(pages);
  if (std::find(tabs.begin(), tabs.end(), pages.ActivePage()) != tabs.end()) {
    return pages.ActivePage();
  }
  return tabs.empty() ? nullptr : tabs.front();
}

std::vector<TControl*> InTabOrder(const TWinControl& parent) {
  std::vector<TControl*> children;
  for (int i = 0; i < parent.ControlCount(); ++i) children.push_back(parent.Controls(i));
  std::stable_sort(children.begin(), children.end(), [](const TControl* a, const TControl* b) {
    const auto* wa = dynamic_cast<const TWinControl*>(a);
    const auto* wb = dynamic_cast<const TWinControl*>(b);
    if (!wa || !wb) return wa != nullptr;
    return wa->TabOrder() < wb->TabOrder();
  });
  return children;
}

// The controls that take the focus, in tab order: within each parent by TabOrder, a parent's
// children where the parent stands; of a page control its tab strip, then its shown page.
void CollectFocusable(const TWinControl& parent, std::vector<TControl*>& out) {
  for (TControl* child : InTabOrder(parent)) {
    if (!child->Visible() || !child->Enabled()) continue;
    if (auto* pages = dynamic_cast<TPageControl*>(child)) {
      TTabSheet* page = ShownPage(*pages);
      if (pages->TabStop() && page) out.push_back(pages);
      if (page && page->Enabled()) CollectFocusable(*page, out);
    } else if (auto* edit = dynamic_cast<TEdit*>(child)) {
      if (edit->TabStop()) out.push_back(edit);
    } else if (auto* button = dynamic_cast<TButton*>(child)) {
      if (button->TabStop()) out.push_back(button);
    } else if (auto* windowed = dynamic_cast<TWinControl*>(child)) {
      CollectFocusable(*windowed, out);
    }
  }
}

std::string ButtonText(const std::string& caption) {
  return "[ " + caption + " ]";
}

}  // namespace

class TTerminalFrontEnd::Session {
 public:
  Session(TCustomForm& form, const TFileBrowsing& files) : form_(form), files_(files) {}

  int Run() {
    struct Restore {
      Session& session;
      ~Restore() {
        TControl::SetChangeHook(nullptr);
        SetMessageBoxPresenter(nullptr);
        TOpenDialog::SetPresenter(nullptr);
        session.screen_.Stop();
      }
    } restore{*this};
    screen_.Start();
    TControl::SetChangeHook([this](TControl&) { Redraw(); });
    SetMessageBoxPresenter([this](const TMessageBox& box) { return ShowBox(box); });
    TOpenDialog::SetPresenter(
        [this](TOpenDialog& dialog, std::string& chosen) { return ShowOpen(dialog, chosen); });
    Redraw();
    DispatchEvent(&form_, [&] { form_.Activate(); });
    while (!form_.IsClosed()) {
      Redraw();
      HandleKey(screen_.Read());
    }
    return 0;
  }

 private:
  struct EditState {
    size_t Cursor = 0;
    size_t Scroll = 0;
  };

  // ---- drawing -----------------------------------------------------------------------------

  int ClientWidth() const { return form_.ClientWidth() > 0 ? form_.ClientWidth() : form_.Width(); }
  int ClientHeight() const {
    return form_.ClientHeight() > 0 ? form_.ClientHeight() : form_.Height();
  }
  // The dialog's size in cells, with its caption bar and frame.
  int DialogColumns() const { return CeilDiv(ClientWidth(), kCellWidth) + 2; }
  int DialogRows() const { return CeilDiv(ClientHeight(), kCellHeight) + 2; }
  bool Fits() const {
    return screen_.Columns() >= DialogColumns() && screen_.Rows() >= DialogRows();
  }

  // Pixels map to the nearest cell across, and to the cell they fall in down.
  int Col(int x) const { return clientLeft_ + FloorDiv(x + kCellWidth / 2, kCellWidth); }
  int Row(int y) const { return clientTop_ + FloorDiv(y, kCellHeight); }

  void Redraw() {
    if (!screen_.Started() || drawing_) return;
    drawing_ = true;
    screen_.Erase();
    if (Fits()) {
      DrawForm();
    } else {
      DrawSizeNotice();
    }
    for (const auto& overlay : overlays_) overlay();
    screen_.Show();
    drawing_ = false;
  }

  void DrawSizeNotice() {
    dialog_ = screen_.Whole();
    const std::vector<std::string> notice = {"This dialog needs a terminal of",
                                             "at least " + std::to_string(DialogColumns()) + " x " +
                                                 std::to_string(DialogRows()) + " characters;",
                                             "this one is " + std::to_string(screen_.Columns()) +
                                                 " x " + std::to_string(screen_.Rows()) + ".",
                                             "Please enlarge it."};
    int row = 0;
    for (const std::string& text : notice) {
      for (const std::string& line : terminal::WrapText(text, screen_.Columns())) {
        screen_.Text(row++, 0, line, TLook::Normal, terminal::emBold, screen_.Whole());
      }
    }
  }

  void DrawForm() {
    const int columns = DialogColumns();
    const int rows = DialogRows();
    const bool hint = screen_.Rows() > rows;
    const int top = std::max(0, (screen_.Rows() - rows - (hint ? 1 : 0)) / 2);
    const int left = std::max(0, (screen_.Columns() - columns) / 2);
    dialog_ = {top, left, top + rows - 1, left + columns - 1};
    clientTop_ = top + 1;
    clientLeft_ = left + 1;
    const TCellRect whole = screen_.Whole();
    screen_.Frame(dialog_, TLook::Normal, terminal::emNone, whole);
    screen_.Fill({top, left, top, dialog_.Right}, TLook::Title, terminal::emBold, whole);
    screen_.Text(top, left + 1, form_.Caption(), TLook::Title, terminal::emBold,
                 {top, left + 1, top, dialog_.Right - 1});
    if (hint) {
      screen_.Text(dialog_.Bottom + 1, left + 1,
                   "Tab/Shift+Tab: next/previous  Left/Right: pages  Enter: " +
                       DefaultButtonCaption() + "  Space: press  Esc: cancel",
                   TLook::Normal, terminal::emDim,
                   {dialog_.Bottom + 1, left, dialog_.Bottom + 1, dialog_.Right});
    }
    const TCellRect client{clientTop_, clientLeft_, dialog_.Bottom - 1, dialog_.Right - 1};
    focus_ = Focused();
    DrawChildren(form_, 0, 0, client, form_.Enabled(), false);
  }

  std::string DefaultButtonCaption() {
    TButton* button = DefaultButton();
    return button ? button->Caption() : "OK";
  }

  void DrawChildren(const TWinControl& parent, int x, int y, const TCellRect& clip, bool enabled,
                    bool note) {
    for (int i = 0; i < parent.ControlCount(); ++i) {
      TControl* child = parent.Controls(i);
      if (child->Visible()) DrawControl(*child, x, y, clip, enabled && child->Enabled(), note);
    }
  }

  // Draws a control whose parent's client area starts at pixel (x, y) of the form's.
  void DrawControl(TControl& control, int x, int y, const TCellRect& clip, bool enabled,
                   bool note) {
    const int px = x + control.Left();
    const int py = y + control.Top();
    const int width = std::max(control.Width(), 1);
    const int height = std::max(control.Height(), 1);
    const TCellRect cells{Row(py), Col(px), Row(py + height - 1), Col(px + width - 1)};
    const int middle = Row(py + height / 2);
    const unsigned dim = enabled ? terminal::emNone : terminal::emDim;
    const bool focused = &control == focus_;

    if (auto* pages = dynamic_cast<TPageControl*>(&control)) {
      DrawPages(*pages, px, py, cells, clip, enabled, focused);
    } else if (auto* group = dynamic_cast<TGroupBox*>(&control)) {
      const TCellRect frame{Row(py + kGroupFrameInset), cells.Left,
                            Row(py + height - kGroupFrameInset), cells.Right};
      screen_.Frame(frame, TLook::Normal, dim, clip);
      const bool active = group->Font()->Color == clActiveCaption ||
                          group->EffectiveFont().Color == clActiveCaption;
      screen_.Text(frame.Top, frame.Left + 1, group->Caption(),
                   active ? TLook::GroupCaption : TLook::Normal, dim,
                   clip.Intersect({frame.Top, frame.Left + 1, frame.Top, frame.Right - 1}));
      DrawChildren(
          *group, px, py,
          clip.Intersect({frame.Top + 1, frame.Left + 1, frame.Bottom - 1, frame.Right - 1}),
          enabled, note);
    } else if (auto* panel = dynamic_cast<TPanel*>(&control)) {
      screen_.Fill(cells, TLook::Note, dim, clip);
      const std::string& caption = panel->Caption();
      const int span = cells.Right - cells.Left + 1;
      screen_.Text(middle, cells.Left + std::max(0, (span - static_cast<int>(caption.size())) / 2),
                   caption, TLook::Note, dim, clip.Intersect(cells));
      DrawChildren(*panel, px, py, clip.Intersect(cells), enabled, true);
    } else if (auto* label = dynamic_cast<TLabel*>(&control)) {
      DrawLabel(*label, cells, middle, clip, dim, note);
    } else if (auto* edit = dynamic_cast<TEdit*>(&control)) {
      DrawEdit(*edit, {middle, cells.Left, middle, cells.Right}, clip, dim, focused);
    } else if (auto* button = dynamic_cast<TButton*>(&control)) {
      const std::string text = ButtonText(button->Caption());
      const int span = cells.Right - cells.Left + 1;
      const int start = cells.Left + std::max(0, (span - static_cast<int>(text.size())) / 2);
      unsigned emphasis = dim;
      if (focused) emphasis |= terminal::emReverse;
      if (button->Default()) emphasis |= terminal::emBold;
      screen_.Text(middle, start, text, note ? TLook::Note : TLook::Normal, emphasis, clip);
      if (focused) screen_.PlaceCursor(middle, start + 2);
    } else if (dynamic_cast<TImage*>(&control)) {
      screen_.Frame(cells, TLook::Normal, dim | terminal::emDim, clip);
    } else if (auto* windowed = dynamic_cast<TWinControl*>(&control)) {
      DrawChildren(*windowed, px, py, clip.Intersect(cells), enabled, note);
    }
  }

  void DrawPages(TPageControl& pages, int px, int py, const TCellRect& cells, const TCellRect& clip,
                 bool enabled, bool focused) {
    const unsigned dim = enabled ? terminal::emNone : terminal::emDim;
    const TCellRect frame{cells.Top + 1, cells.Left, cells.Bottom, cells.Right};
    screen_.Frame(frame, TLook::Normal, dim, clip);
    TTabSheet* shown = ShownPage(pages);
    int col = cells.Left + 1;
    for (TTabSheet* page : VisibleTabs(pages)) {
      const bool active = page == shown;
      const std::string text = (active ? "[ " : "  ") + page->Caption() + (active ? " ]" : "  ");
      unsigned emphasis = dim;
      if (active) emphasis |= focused ? terminal::emReverse : terminal::emBold;
      screen_.Text(cells.Top, col, text, TLook::Normal, emphasis, clip);
      if (active && focused) screen_.PlaceCursor(cells.Top, col + 2);
      col += static_cast<int>(text.size()) + 1;
    }
    if (!shown) return;
    const int border = shown->BorderWidth();
    DrawChildren(*shown, px + kPageInsetLeft + border, py + kPageInsetTop + border,
                 clip.Intersect({frame.Top + 1, frame.Left + 1, frame.Bottom - 1, frame.Right - 1}),
                 enabled && shown->Enabled(), false);
  }

  void DrawLabel(const TLabel& label, const TCellRect& cells, int middle, const TCellRect& clip,
                 unsigned dim, bool note) {
    unsigned emphasis = dim;
    if (label.EffectiveFont().Style.Contains(fsBold)) emphasis |= terminal::emBold;
    const TLook look = note ? TLook::Note : TLook::Normal;
    if (!label.WordWrap()) {
      screen_.Text(middle, cells.Left, terminal::SplitLines(label.Caption()).front(), look,
                   emphasis, clip);
      return;
    }
    const std::vector<std::string> lines =
        terminal::WrapText(label.Caption(), cells.Right - cells.Left + 1);
    // A label one text line high stands in the middle of its rectangle, like a single line.
    int row = lines.size() == 1 && label.Height() < 2 * kCellHeight ? middle : cells.Top;
    for (const std::string& line : lines)
      screen_.Text(row++, cells.Left, line, look, emphasis, clip);
  }

  void DrawEdit(const TEdit& edit, const TCellRect& field, const TCellRect& clip, unsigned dim,
                bool focused) {
    EditState& state = edits_[&edit];
    const std::string& text = edit.Text();
    const size_t width = static_cast<size_t>(std::max(field.Right - field.Left, 1));
    state.Cursor = std::min(state.Cursor, text.size());
    if (!focused) {
      state.Scroll = 0;
    } else if (state.Cursor < state.Scroll) {
      state.Scroll = state.Cursor;
    } else if (state.Cursor >= state.Scroll + width) {
      state.Scroll = state.Cursor - width + 1;
    }
    state.Scroll = std::min(state.Scroll, text.size());
    screen_.Fill(field, TLook::Field, dim, clip);
    // The text keeps one cell of margin on the left, as an edit's border does.
    const int start = field.Left + 1;
    screen_.Text(field.Top, start, text.substr(state.Scroll, width), TLook::Field, dim,
                 clip.Intersect(field));
    if (focused)
      screen_.PlaceCursor(field.Top, start + static_cast<int>(state.Cursor - state.Scroll));
  }

  // ---- focus and keys ----------------------------------------------------------------------

  std::vector<TControl*> FocusOrder() {
    std::vector<TControl*> order;
    if (form_.Visible() && form_.Enabled()) CollectFocusable(form_, order);
    return order;
  }

  // The focused control; the first in tab order when none is, or the focused one can no longer
  // take the focus.
  TControl* Focused() {
    const std::vector<TControl*> order = FocusOrder();
    if (std::find(order.begin(), order.end(), focus_) != order.end()) return focus_;
    SetFocus(order.empty() ? nullptr : order.front());
    return focus_;
  }

  void SetFocus(TControl* control) {
    focus_ = control;
    if (auto* edit = dynamic_cast<TEdit*>(control)) edits_[edit].Cursor = edit->Text().size();
  }

  void MoveFocus(int step) {
    const std::vector<TControl*> order = FocusOrder();
    if (order.empty()) return;
    const auto at = std::find(order.begin(), order.end(), Focused());
    const int count = static_cast<int>(order.size());
    const int index = at == order.end() ? 0 : static_cast<int>(at - order.begin());
    SetFocus(order[static_cast<size_t>(((index + step) % count + count) % count)]);
  }

  TButton* DefaultButton() {
    for (int i = 0; i < form_.ComponentCount(); ++i) {
      auto* button = dynamic_cast<TButton*>(form_.Components(i));
      if (button && button->Default() && Usable(button)) return button;
    }
    return nullptr;
  }

  void Press(TButton* button) {
    if (!button || !Usable(button)) return;
    DispatchEvent(button, [&] { button->Click(); });
  }

  void HandleKey(const TKey& key) {
    if (key.Is(KEY_RESIZE) || !Fits()) return;
    TControl* focus = Focused();
    if (key.IsChar('\t')) {
      MoveFocus(1);
    } else if (key.Is(KEY_BTAB)) {
      MoveFocus(-1);
    } else if (key.IsChar(kEscape)) {
      Press(dynamic_cast<TButton*>(form_.FindComponent("btCancel")));
    } else if (IsEnter(key)) {
      auto* button = dynamic_cast<TButton*>(focus);
      Press(button ? button : DefaultButton());
    } else if (auto* edit = dynamic_cast<TEdit*>(focus)) {
      if (!EditKey(*edit, key) && (key.Is(KEY_UP) || key.Is(KEY_DOWN))) {
        MoveFocus(key.Is(KEY_UP) ? -1 : 1);
      }
    } else if (auto* button = dynamic_cast<TButton*>(focus)) {
      if (key.IsChar(' ')) {
        Press(button);
      } else if (key.Is(KEY_LEFT) || key.Is(KEY_UP)) {
        MoveFocus(-1);
      } else if (key.Is(KEY_RIGHT) || key.Is(KEY_DOWN)) {
        MoveFocus(1);
      }
    } else if (auto* pages = dynamic_cast<TPageControl*>(focus)) {
      if (key.Is(KEY_LEFT) || key.Is(KEY_RIGHT)) {
        SwitchPage(*pages, key.Is(KEY_LEFT) ? -1 : 1);
      } else if (key.Is(KEY_DOWN)) {
        MoveFocus(1);
      } else if (key.Is(KEY_UP)) {
        MoveFocus(-1);
      }
    }
  }

  void SwitchPage(TPageControl& pages, int step) {
    const std::vector<TTabSheet*> tabs = VisibleTabs(pages);
    const auto at = std::find(tabs.begin(), tabs.end(), ShownPage(pages));
    if (at == tabs.end()) return;
    const auto index = (at - tabs.begin()) + step;
    if (index < 0 || index >= static_cast<std::ptrdiff_t>(tabs.size())) return;
    TTabSheet* page = tabs[static_cast<size_t>(index)];
    DispatchEvent(&pages, [&] {
      pages.SetActivePage(page);
      pages.OnChange(&pages);
    });
  }

  // Line editing shared by the dialog's edits and the file dialog's name field; true when the
  // key was an editing key. `commit` stores a changed text.
  static bool EditText(const std::string& text, size_t& cursor, const TKey& key, bool readOnly,
                       const std::function<void(const std::string&)>& commit) {
    cursor = std::min(cursor, text.size());
    if (key.Is(KEY_LEFT)) {
      if (cursor > 0) --cursor;
    } else if (key.Is(KEY_RIGHT)) {
      if (cursor < text.size()) ++cursor;
    } else if (key.Is(KEY_HOME)) {
      cursor = 0;
    } else if (key.Is(KEY_END)) {
      cursor = text.size();
    } else if (IsBackspace(key)) {
      if (readOnly || cursor == 0) return true;
      std::string changed = text;
      changed.erase(--cursor, 1);
      commit(changed);
    } else if (key.Is(KEY_DC)) {
      if (readOnly || cursor >= text.size()) return true;
      std::string changed = text;
      changed.erase(cursor, 1);
      commit(changed);
    } else if (key.Printable()) {
      if (readOnly) return true;
      std::string changed = text;
      changed.insert(cursor++, 1, static_cast<char>(key.Code));
      commit(changed);
    } else {
      return false;
    }
    return true;
  }

  bool EditKey(TEdit& edit, const TKey& key) {
    EditState& state = edits_[&edit];
    return EditText(edit.Text(), state.Cursor, key, edit.ReadOnly(), [&](const std::string& text) {
      DispatchEvent(&edit, [&] { edit.SetText(text); });
    });
  }

  // ---- modal windows -----------------------------------------------------------------------

  // Shows a modal window drawn by `draw` over everything else, and hands each key to `key`
  // until it returns false.
  void Modal(const std::function<void()>& draw, const std::function<bool(const TKey&)>& key) {
    overlays_.push_back(draw);
    struct Pop {
      std::vector<std::function<void()>>& overlays;
      ~Pop() { overlays.pop_back(); }
    } pop{overlays_};
    while (true) {
      Redraw();
      if (!key(screen_.Read())) break;
    }
  }

  // A window of the given size centred over the dialog, kept on the screen.
  TCellRect CentredWindow(int rows, int columns) const {
    const TCellRect screen = screen_.Whole();
    const int centreRow = (dialog_.Top + dialog_.Bottom) / 2;
    const int centreCol = (dialog_.Left + dialog_.Right) / 2;
    int top = std::clamp(centreRow - rows / 2, 0, std::max(0, screen.Bottom - rows + 1));
    int left = std::clamp(centreCol - columns / 2, 0, std::max(0, screen.Right - columns + 1));
    return {top, left, top + rows - 1, left + columns - 1};
  }

  void DrawWindow(const TCellRect& window, const std::string& caption) {
    const TCellRect screen = screen_.Whole();
    screen_.Fill(window, TLook::Box, terminal::emNone, screen);
    screen_.Frame(window, TLook::Box, terminal::emNone, screen);
    screen_.Fill({window.Top, window.Left, window.Top, window.Right}, TLook::Title,
                 terminal::emBold, screen);
    screen_.Text(window.Top, window.Left + 1, caption, TLook::Title, terminal::emBold,
                 {window.Top, window.Left + 1, window.Top, window.Right - 1});
  }

  struct BoxButton {
    std::string Caption;
    TModalResult Result;
    char Shortcut;
  };

  TModalResult ShowBox(const TMessageBox& box) {
    std::vector<BoxButton> buttons;
    if (box.Buttons.Contains(mbYes)) buttons.push_back({"Yes", mrYes, 'Y'});
    if (box.Buttons.Contains(mbNo)) buttons.push_back({"No", mrNo, 'N'});
    if (box.Buttons.Contains(mbOK) || buttons.empty()) buttons.push_back({"OK", mrOK, 'O'});
    const char* icon = box.Type == mtError         ? "(X)"
                       : box.Type == mtWarning     ? "(!)"
                       : box.Type == mtInformation ? "(i)"
                                                   : "(?)";
    size_t selected = 0;
    TModalResult result = mrNone;

    auto draw = [&] {
      const int textWidth = std::clamp(screen_.Columns() - 10, 10, 100);
      const std::vector<std::string> lines = terminal::WrapText(box.Text, textWidth);
      int buttonsWidth = 0;
      for (const BoxButton& button : buttons) {
        buttonsWidth += static_cast<int>(ButtonText(button.Caption).size()) + 2;
      }
      int inner = std::max(buttonsWidth, static_cast<int>(box.Caption.size()) + 2);
      for (const std::string& line : lines) {
        inner = std::max(inner, static_cast<int>(line.size()) + 4);
      }
      const TCellRect window = CentredWindow(static_cast<int>(lines.size()) + 5, inner + 4);
      DrawWindow(window, box.Caption);
      const TCellRect inside{window.Top + 1, window.Left + 1, window.Bottom - 1, window.Right - 1};
      screen_.Text(window.Top + 2, window.Left + 2, icon, TLook::Box, terminal::emBold, inside);
      int row = window.Top + 2;
      for (const std::string& line : lines) {
        screen_.Text(row++, window.Left + 6, line, TLook::Box, terminal::emNone, inside);
      }
      int col = window.Left + 2 + (inner - buttonsWidth) / 2 + 1;
      for (size_t i = 0; i < buttons.size(); ++i) {
        const std::string text = ButtonText(buttons[i].Caption);
        screen_.Text(window.Bottom - 1, col, text, TLook::Box,
                     i == selected ? terminal::emReverse : terminal::emNone, inside);
        if (i == selected) screen_.PlaceCursor(window.Bottom - 1, col + 2);
        col += static_cast<int>(text.size()) + 2;
      }
    };
    auto key = [&](const TKey& key) {
      const size_t count = buttons.size();
      if (key.Is(KEY_LEFT) || key.Is(KEY_UP) || key.Is(KEY_BTAB)) {
        selected = (selected + count - 1) % count;
      } else if (key.Is(KEY_RIGHT) || key.Is(KEY_DOWN) || key.IsChar('\t')) {
        selected = (selected + 1) % count;
      } else if (IsEnter(key) || key.IsChar(' ')) {
        result = buttons[selected].Result;
      } else if (key.IsChar(kEscape) && count == 1) {
        result = buttons.front().Result;
      } else if (!key.Function) {
        for (const BoxButton& button : buttons) {
          if (key.Code == button.Shortcut || key.Code == button.Shortcut - 'A' + 'a') {
            result = button.Result;
          }
        }
      }
      return result == mrNone;
    };
    Modal(draw, key);
    return result;
  }

  // ---- the file-open dialog ----------------------------------------------------------------

  struct ListEntry {
    std::string Name;
    bool IsFolder;
  };

  bool ShowOpen(TOpenDialog& dialog, std::string& chosen) {
    const std::vector<std::string> masks = terminal::FilterMasks(dialog.Filter, dialog.FilterIndex);
    std::string masksText;
    for (const std::string& mask : masks) masksText += (masksText.empty() ? "" : ";") + mask;
    const std::string type =
        terminal::FilterDescription(dialog.Filter, dialog.FilterIndex) + " (" + masksText + ")";
    auto folderExists = [&](const std::string& path) {
      return !path.empty() && files_.FolderExists && files_.FolderExists(path);
    };

    std::string folder;
    if (folderExists(dialog.InitialDir)) {
      folder = terminal::ResolvePath("", dialog.InitialDir);
    } else if (folderExists(terminal::FolderOf(dialog.FileName))) {
      folder = terminal::ResolvePath("", terminal::FolderOf(dialog.FileName));
    } else {
      folder = "Z:\\";
    }
    std::string name = terminal::NameOf(dialog.FileName);
    size_t nameCursor = name.size();
    std::vector<ListEntry> entries;
    size_t selected = 0;
    size_t scroll = 0;
    enum Stop { kList, kName, kOpen, kCancel };
    int stop = kList;
    bool done = false;
    bool accepted = false;

    auto load = [&](const std::string& path) {
      folder = path;
      entries.clear();
      const std::string parent = terminal::FolderOf(folder);
      if (!parent.empty() && parent != folder) entries.push_back({"..", true});
      std::vector<TFolderEntry> listed;
      if (files_.ListFolder) listed = files_.ListFolder(folder);
      for (const TFolderEntry& entry : listed) {
        if (entry.IsFolder) entries.push_back({entry.Name, true});
      }
      for (const TFolderEntry& entry : listed) {
        if (entry.IsFolder) continue;
        const bool matches = std::any_of(masks.begin(), masks.end(), [&](const std::string& m) {
          return terminal::MatchesMask(entry.Name, m);
        });
        if (matches) entries.push_back({entry.Name, false});
      }
      selected = 0;
      scroll = 0;
      for (size_t i = 0; i < entries.size(); ++i) {
        if (!entries[i].IsFolder && terminal::MatchesMask(entries[i].Name, name)) selected = i;
      }
    };
    auto enter = [&](const ListEntry& entry) {
      if (entry.Name == "..") {
        load(terminal::FolderOf(folder));
      } else {
        load(terminal::JoinPath(folder, entry.Name));
      }
    };
    // What the name field or a chosen file stands for: a folder opens, anything else is the
    // user's choice.
    auto accept = [&](const std::string& typed) {
      if (typed.empty()) {
        if (!entries.empty() && entries[selected].IsFolder) enter(entries[selected]);
        return;
      }
      std::string path = terminal::ResolvePath(folder, typed);
      if (folderExists(path)) {
        load(path);
        name.clear();
        nameCursor = 0;
        return;
      }
      const std::string file = terminal::NameOf(path);
      if (!dialog.DefaultExt.empty() && !file.empty() && file.find('.') == std::string::npos) {
        path += "." + dialog.DefaultExt;
      }
      chosen = path;
      accepted = true;
      done = true;
    };
    load(folder);

    int listRows = 1;
    auto draw = [&] {
      const int columns = std::min(screen_.Columns(), 78);
      const int rows = std::clamp(screen_.Rows() - 2, 12, 22);
      const TCellRect window = CentredWindow(rows, columns);
      DrawWindow(window, dialog.Title.empty() ? "Open" : dialog.Title);
      const TCellRect inside{window.Top + 1, window.Left + 1, window.Bottom - 1, window.Right - 1};
      const int left = window.Left + 2;
      const int right = window.Right - 2;
      const int width = right - left + 1;
      std::string shown = folder;
      const size_t room = static_cast<size_t>(std::max(width - 9, 4));
      if (shown.size() > room) shown = "..." + shown.substr(shown.size() - room + 3);
      screen_.Text(window.Top + 2, left, "Look in: " + shown, TLook::Box, terminal::emNone, inside);
      const TCellRect list{window.Top + 3, left, window.Bottom - 5, right};
      screen_.Frame(list, TLook::Box, terminal::emNone, inside);
      listRows = std::max(list.Bottom - list.Top - 1, 1);
      selected = std::min(selected, entries.empty() ? 0 : entries.size() - 1);
      if (selected < scroll) scroll = selected;
      if (selected >= scroll + static_cast<size_t>(listRows)) scroll = selected - listRows + 1;
      const TCellRect listInside{list.Top + 1, list.Left + 1, list.Bottom - 1, list.Right - 1};
      for (int i = 0; i < listRows && scroll + i < entries.size(); ++i) {
        const size_t index = scroll + static_cast<size_t>(i);
        const ListEntry& entry = entries[index];
        const std::string text =
            entry.Name == ".." ? ".." : entry.Name + (entry.IsFolder ? "\\" : "");
        const bool current = index == selected;
        unsigned emphasis = terminal::emNone;
        if (current) emphasis = stop == kList ? terminal::emReverse : terminal::emUnderline;
        const int row = list.Top + 1 + i;
        if (current) {
          screen_.Fill({row, list.Left + 1, row, list.Right - 1}, TLook::Box, emphasis, listInside);
        }
        screen_.Text(row, list.Left + 2, text, TLook::Box, emphasis, listInside);
        if (current && stop == kList) screen_.PlaceCursor(row, list.Left + 2);
      }
      if (entries.empty()) {
        screen_.Text(list.Top + 1, list.Left + 2, "(empty)", TLook::Box, terminal::emDim,
                     listInside);
      }
      const int nameRow = window.Bottom - 4;
      const std::string nameLabel = "File name:     ";
      screen_.Text(nameRow, left, nameLabel, TLook::Box, terminal::emNone, inside);
      const TCellRect field{nameRow, left + static_cast<int>(nameLabel.size()), nameRow, right};
      const size_t fieldWidth = static_cast<size_t>(std::max(field.Right - field.Left + 1, 1));
      const size_t nameScroll = nameCursor >= fieldWidth ? nameCursor - fieldWidth + 1 : 0;
      screen_.Fill(field, TLook::Field, terminal::emNone, inside);
      screen_.Text(nameRow, field.Left, name.substr(std::min(nameScroll, name.size()), fieldWidth),
                   TLook::Field, terminal::emNone, field);
      if (stop == kName) {
        screen_.PlaceCursor(nameRow, field.Left + static_cast<int>(nameCursor - nameScroll));
      }
      screen_.Text(window.Bottom - 3, left, "Files of type: " + type, TLook::Box, terminal::emNone,
                   inside);
      const std::string open = ButtonText("Open");
      const std::string cancel = ButtonText("Cancel");
      const int cancelCol = right - static_cast<int>(cancel.size()) + 1;
      const int openCol = cancelCol - 2 - static_cast<int>(open.size());
      const int buttonRow = window.Bottom - 2;
      screen_.Text(buttonRow, openCol, open, TLook::Box,
                   terminal::emBold | (stop == kOpen ? terminal::emReverse : terminal::emNone),
                   inside);
      screen_.Text(buttonRow, cancelCol, cancel, TLook::Box,
                   stop == kCancel ? terminal::emReverse : terminal::emNone, inside);
      if (stop == kOpen) screen_.PlaceCursor(buttonRow, openCol + 2);
      if (stop == kCancel) screen_.PlaceCursor(buttonRow, cancelCol + 2);
    };

    auto listKey = [&](const TKey& key) {
      if (entries.empty()) return;
      const size_t last = entries.size() - 1;
      const size_t page = static_cast<size_t>(std::max(listRows - 1, 1));
      if (key.Is(KEY_UP)) {
        if (selected > 0) --selected;
      } else if (key.Is(KEY_DOWN)) {
        selected = std::min(selected + 1, last);
      } else if (key.Is(KEY_PPAGE)) {
        selected = selected > page ? selected - page : 0;
      } else if (key.Is(KEY_NPAGE)) {
        selected = std::min(selected + page, last);
      } else if (key.Is(KEY_HOME)) {
        selected = 0;
      } else if (key.Is(KEY_END)) {
        selected = last;
      } else if (IsEnter(key)) {
        const ListEntry entry = entries[selected];
        if (entry.IsFolder) {
          enter(entry);
        } else {
          accept(entry.Name);
        }
        return;
      } else if (key.Printable()) {
        // Jumps to the next entry starting with the typed letter.
        const char typed = static_cast<char>(key.Code);
        for (size_t step = 1; step <= entries.size(); ++step) {
          const size_t i = (selected + step) % entries.size();
          if (!entries[i].Name.empty() &&
              terminal::MatchesMask(entries[i].Name.substr(0, 1), std::string(1, typed))) {
            selected = i;
            break;
          }
        }
      } else {
        return;
      }
      if (!entries[selected].IsFolder) {
        name = entries[selected].Name;
        nameCursor = name.size();
      }
    };
    auto key = [&](const TKey& key) {
      if (key.IsChar(kEscape)) {
        done = true;
      } else if (key.IsChar('\t')) {
        stop = (stop + 1) % 4;
      } else if (key.Is(KEY_BTAB)) {
        stop = (stop + 3) % 4;
      } else if (stop == kList) {
        listKey(key);
      } else if (stop == kName) {
        if (IsEnter(key)) {
          accept(name);
        } else if (key.Is(KEY_UP) || key.Is(KEY_DOWN)) {
          stop = kList;
          listKey(key);
        } else {
          EditText(name, nameCursor, key, false, [&](const std::string& text) { name = text; });
        }
      } else if (IsEnter(key) || key.IsChar(' ')) {
        if (stop == kCancel) {
          done = true;
        } else if (name.empty() && !entries.empty()) {
          listKey({false, '\r'});
        } else {
          accept(name);
        }
      } else if (key.Is(KEY_LEFT) || key.Is(KEY_RIGHT)) {
        stop = stop == kOpen ? kCancel : kOpen;
      }
      return !done;
    };
    Modal(draw, key);
    return accepted;
  }

  TCustomForm& form_;
  const TFileBrowsing& files_;
  terminal::TScreen screen_;
  TControl* focus_ = nullptr;
  std::map<const TEdit*, EditState> edits_;
  std::vector<std::function<void()>> overlays_;
  bool drawing_ = false;
  // Where the dialog stands on the screen, and the first cell of its client area.
  TCellRect dialog_;
  int clientTop_ = 0;
  int clientLeft_ = 0;
};

int TTerminalFrontEnd::Run(TCustomForm& form) {
  return Session(form, files_).Run();
}

}  // namespace wdx
