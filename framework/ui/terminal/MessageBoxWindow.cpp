#include "framework/ui/terminal/MessageBoxWindow.h"

#include <algorithm>
#include <string>
#include <vector>

#include "framework/rtl/Utf8.h"
#include "framework/ui/terminal/CellText.h"
#include "framework/ui/terminal/ModalWindow.h"
#include "framework/ui/terminal/TerminalTexts.h"
#include "framework/ui/terminal/TextLayout.h"

namespace wdx::terminal {

namespace {

// A button, pressed by the first letter of its caption too (in either case, for a letter that
// has two).
struct TBoxButton {
  std::string Caption;
  TModalResult Result;
  std::string Shortcut;  // the caption's first character

  bool PressedBy(const TKey& key) const {
    if (Shortcut.empty()) return false;
    const char32_t first = DecodeUtf8(Shortcut, 0).Code;
    const auto lower = [](char32_t c) { return c >= U'A' && c <= U'Z' ? c - U'A' + U'a' : c; };
    return lower(static_cast<char32_t>(key.Char)) == lower(first);
  }
};

std::vector<TBoxButton> ButtonsOf(const TMessageBox& box) {
  std::vector<TBoxButton> buttons;
  for (TMsgDlgBtn button : BoxButtons(box.Buttons)) {
    const std::string caption = ButtonCaption(button);
    const std::string first = caption.substr(0, caption.empty() ? 0 : NextCharacter(caption, 0));
    buttons.push_back({caption, ResultOf(button), first});
  }
  return buttons;
}

const char* IconOf(TMsgDlgType type) {
  switch (type) {
    case mtError:
      return "(X)";
    case mtWarning:
      return "(!)";
    case mtInformation:
      return "(i)";
    default:
      return "(?)";
  }
}

}  // namespace

TModalResult RunMessageBox(TModalHost& host, const TMessageBox& box) {
  TCanvas& screen = host.Screen();
  const std::vector<TBoxButton> buttons = ButtonsOf(box);
  const char* icon = IconOf(box.Type);
  size_t selected = 0;
  TModalResult result = mrNone;

  auto draw = [&] {
    const int textWidth = std::clamp(screen.Columns() - 10, 10, 100);
    const std::vector<std::string> lines = WrapText(box.Text, textWidth);
    int buttonsWidth = 0;
    for (const TBoxButton& button : buttons) {
      buttonsWidth += TextWidth(ButtonText(button.Caption)) + 2;
    }
    int inner = std::max(buttonsWidth, TextWidth(box.Caption) + 2);
    for (const std::string& line : lines) inner = std::max(inner, TextWidth(line) + 4);
    const TCellRect window = host.CentredWindow(static_cast<int>(lines.size()) + 5, inner + 4);
    DrawWindow(screen, window, box.Caption);
    const TCellRect inside{window.Top + 1, window.Left + 1, window.Bottom - 1, window.Right - 1};
    screen.Text(window.Top + 2, window.Left + 2, icon, TLook::Box, emBold, inside);
    int row = window.Top + 2;
    for (const std::string& line : lines) {
      screen.Text(row++, window.Left + 6, line, TLook::Box, emNone, inside);
    }
    int col = window.Left + 2 + (inner - buttonsWidth) / 2 + 1;
    for (size_t i = 0; i < buttons.size(); ++i) {
      const std::string text = ButtonText(buttons[i].Caption);
      screen.Text(window.Bottom - 1, col, text, TLook::Box, i == selected ? emReverse : emNone,
                  inside);
      if (i == selected) screen.PlaceCursor(window.Bottom - 1, col + 2);
      col += TextWidth(text) + 2;
    }
  };
  auto key = [&](const TKey& key) {
    const size_t count = buttons.size();
    if (key.Is(TFunctionKey::Left) || key.Is(TFunctionKey::Up) || key.Is(TFunctionKey::BackTab)) {
      selected = (selected + count - 1) % count;
    } else if (key.Is(TFunctionKey::Right) || key.Is(TFunctionKey::Down) || key.IsTab()) {
      selected = (selected + 1) % count;
    } else if (key.IsEnter() || key.IsChar(' ')) {
      result = buttons[selected].Result;
    } else if (key.IsEscape()) {
      result = EscapeResult(box.Buttons);
    } else if (key.Printable()) {
      for (const TBoxButton& button : buttons) {
        if (button.PressedBy(key)) result = button.Result;
      }
    }
    return result == mrNone;
  };
  // "Left/Right: choose  Enter/Space: Yes  Y/N: Yes/No"; "Enter/Space/Esc: OK" for one button.
  auto help = [&] {
    if (buttons.size() == 1) {
      return Translate(texts::kBoxOneButton, {{"button", buttons.front().Caption}});
    }
    std::string letters;
    std::string captions;
    for (const TBoxButton& button : buttons) {
      letters += (letters.empty() ? "" : "/") + button.Shortcut;
      captions += (captions.empty() ? "" : "/") + button.Caption;
    }
    return Translate(texts::kBoxChoose) + "  " +
           Translate(texts::kEnterSpace, {{"button", buttons[selected].Caption}}) + "  " + letters +
           ": " + captions;
  };
  host.Modal(draw, key, help);
  return result;
}

}  // namespace wdx::terminal
