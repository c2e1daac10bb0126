#include "framework/ui/terminal/OpenDialogWindow.h"

#include <algorithm>
#include <vector>

#include "framework/controls/Dialogs.h"
#include "framework/controls/MessageBoxes.h"
#include "framework/ui/terminal/CellText.h"
#include "framework/ui/terminal/FieldView.h"
#include "framework/ui/terminal/FileList.h"
#include "framework/ui/terminal/LineEdit.h"
#include "framework/ui/terminal/ModalWindow.h"
#include "framework/ui/terminal/TerminalTexts.h"
#include "framework/ui/terminal/TextLayout.h"

namespace wdx::terminal {

namespace {

class TOpenDialogWindow {
 public:
  TOpenDialogWindow(TModalHost& host, const TFileBrowsing& files, TOpenDialog& dialog)
      : host_(host),
        screen_(host.Screen()),
        dialog_(dialog),
        list_(files, FilterMasks(dialog.Filter, dialog.FilterIndex)) {
    std::string masks;
    for (const std::string& mask : FilterMasks(dialog.Filter, dialog.FilterIndex)) {
      masks += (masks.empty() ? "" : ";") + mask;
    }
    type_ = FilterDescription(dialog.Filter, dialog.FilterIndex) + " (" + masks + ")";
    name_ = NameOf(dialog.FileName);
    nameCaret_.Cursor = name_.size();
    std::string folder = "Z:\\";
    if (list_.FolderExists(dialog.InitialDir)) {
      folder = ResolvePath("", dialog.InitialDir);
    } else if (list_.FolderExists(FolderOf(dialog.FileName))) {
      folder = ResolvePath("", FolderOf(dialog.FileName));
    }
    list_.Load(folder, name_);
  }

  bool Run(std::string& chosen) {
    host_.Modal([this] { Draw(); }, [this](const TKey& key) { return Key(key); },
                [this] { return Help(); });
    if (accepted_) chosen = chosen_;
    return accepted_;
  }

 private:
  enum TStop { kList, kName, kOpen, kCancel, kStops };

  void Draw() {
    const int columns = std::min(screen_.Columns(), 78);
    const int rows = std::clamp(screen_.Rows() - 2, 12, 22);
    const TCellRect window = host_.CentredWindow(rows, columns);
    DrawWindow(screen_, window,
               dialog_.Title.empty() ? Translate(texts::kOpenTitle) : dialog_.Title);
    const TCellRect inside{window.Top + 1, window.Left + 1, window.Bottom - 1, window.Right - 1};
    const int left = window.Left + 2;
    const int right = window.Right - 2;
    const std::string lookIn = Translate(texts::kLookIn) + " ";
    std::string shown = list_.Folder();
    const int room = std::max(right - left + 1 - TextWidth(lookIn), 4);
    // A long folder shows its end.
    while (TextWidth(shown) > room) shown = "..." + shown.substr(NextCharacter(shown, 3));
    screen_.Text(window.Top + 2, left, lookIn + shown, TLook::Box, emNone, inside);
    DrawList({window.Top + 3, left, window.Bottom - 5, right}, inside);
    DrawName(window.Bottom - 4, left, right, inside);
    screen_.Text(window.Bottom - 3, left, Translate(texts::kFilesOfType) + " " + type_, TLook::Box,
                 emNone, inside);
    DrawButtons(window.Bottom - 2, right, inside);
  }

  void DrawList(const TCellRect& list, const TCellRect& inside) {
    screen_.Frame(list, TLook::Box, emNone, inside);
    listRows_ = std::max(list.Bottom - list.Top - 1, 1);
    const size_t scroll = list_.Fit(static_cast<size_t>(listRows_));
    const std::vector<TListEntry>& entries = list_.Entries();
    const TCellRect listInside{list.Top + 1, list.Left + 1, list.Bottom - 1, list.Right - 1};
    for (int i = 0; i < listRows_ && scroll + static_cast<size_t>(i) < entries.size(); ++i) {
      const size_t index = scroll + static_cast<size_t>(i);
      const TListEntry& entry = entries[index];
      const std::string text =
          entry.Name == ".." ? ".." : entry.Name + (entry.IsFolder ? "\\" : "");
      const bool current = index == list_.Selected();
      unsigned emphasis = emNone;
      if (current) emphasis = stop_ == kList ? emReverse : emUnderline;
      const int row = list.Top + 1 + i;
      if (current)
        screen_.Fill({row, list.Left + 1, row, list.Right - 1}, TLook::Box, emphasis, listInside);
      screen_.Text(row, list.Left + 2, text, TLook::Box, emphasis, listInside);
      if (current && stop_ == kList) screen_.PlaceCursor(row, list.Left + 2);
    }
    if (entries.empty()) {
      screen_.Text(list.Top + 1, list.Left + 2, Translate(texts::kEmptyFolder), TLook::Box, emDim,
                   listInside);
    }
  }

  void DrawName(int row, int left, int right, const TCellRect& inside) {
    // The name's field starts where the filter below it does.
    const std::string label = Translate(texts::kFileName);
    const int labelWidth =
        std::max(TextWidth(label), TextWidth(Translate(texts::kFilesOfType))) + 1;
    screen_.Text(row, left, label, TLook::Box, emNone, inside);
    const TCellRect field{row, std::min(left + labelWidth, right), row, right};
    const bool focused = stop_ == kName;
    DrawField(screen_, nameCaret_, name_, field, field.Left,
              focused ? TLook::FocusedField : TLook::Field, emNone, inside, focused);
  }

  void DrawButtons(int row, int right, const TCellRect& inside) {
    const std::string open = ButtonText(Translate(texts::kOpen));
    const std::string cancel = ButtonText(ButtonCaption(mbCancel));
    const int cancelCol = right - TextWidth(cancel) + 1;
    const int openCol = cancelCol - 2 - TextWidth(open);
    screen_.Text(row, openCol, open, TLook::Box, emBold | (stop_ == kOpen ? emReverse : emNone),
                 inside);
    screen_.Text(row, cancelCol, cancel, TLook::Box, stop_ == kCancel ? emReverse : emNone, inside);
    if (stop_ == kOpen) screen_.PlaceCursor(row, openCol + 2);
    if (stop_ == kCancel) screen_.PlaceCursor(row, cancelCol + 2);
  }

  std::string Help() const {
    const std::string cancel = ButtonCaption(mbCancel);
    std::string help = Translate(texts::kNextPrevious) + "  ";
    if (stop_ == kList) help += Translate(texts::kFilesHelp);
    if (stop_ == kName) help += Translate(texts::kNameHelp);
    if (stop_ == kOpen)
      help += Translate(texts::kEnterSpace, {{"button", Translate(texts::kOpen)}});
    if (stop_ == kCancel) help += Translate(texts::kEnterSpace, {{"button", cancel}});
    return help + "  " + Translate(texts::kEscape, {{"button", cancel}});
  }

  // False once the dialog is done.
  bool Key(const TKey& key) {
    if (key.IsEscape()) {
      done_ = true;
    } else if (key.IsTab()) {
      stop_ = (stop_ + 1) % kStops;
    } else if (key.Is(TFunctionKey::BackTab)) {
      stop_ = (stop_ + kStops - 1) % kStops;
    } else if (stop_ == kList) {
      ListKey(key);
    } else if (stop_ == kName) {
      NameKey(key);
    } else if (key.IsEnter() || key.IsChar(' ')) {
      if (stop_ == kCancel) {
        done_ = true;
      } else if (name_.empty() && !list_.Entries().empty()) {
        ListKey(TKey::Character('\r'));
      } else {
        Accept(name_);
      }
    } else if (key.Is(TFunctionKey::Left) || key.Is(TFunctionKey::Right)) {
      stop_ = stop_ == kOpen ? kCancel : kOpen;
    }
    return !done_;
  }

  void ListKey(const TKey& key) {
    if (list_.Entries().empty()) return;
    if (key.IsEnter()) {
      const TListEntry entry = list_.Entries()[list_.Selected()];
      if (entry.IsFolder) {
        list_.Open(entry, name_);
      } else {
        Accept(entry.Name);
      }
      return;
    }
    if (!list_.Move(key, static_cast<size_t>(std::max(listRows_ - 1, 1)))) return;
    const TListEntry& entry = list_.Entries()[list_.Selected()];
    if (!entry.IsFolder) {
      name_ = entry.Name;
      nameCaret_.Cursor = name_.size();
    }
  }

  void NameKey(const TKey& key) {
    if (key.IsEnter()) {
      Accept(name_);
    } else if (key.Is(TFunctionKey::Up) || key.Is(TFunctionKey::Down)) {
      stop_ = kList;
      ListKey(key);
    } else {
      nameCaret_.Key(name_, key, false, [&](const std::string& text) { name_ = text; });
    }
  }

  // What the name field or a chosen file stands for: a folder opens, anything else is the user's
  // choice.
  void Accept(const std::string& typed) {
    if (typed.empty()) {
      const std::vector<TListEntry>& entries = list_.Entries();
      if (!entries.empty() && entries[list_.Selected()].IsFolder) {
        list_.Open(entries[list_.Selected()], name_);
      }
      return;
    }
    std::string path = ResolvePath(list_.Folder(), typed);
    if (list_.FolderExists(path)) {
      name_.clear();
      nameCaret_ = {};
      list_.Load(path, name_);
      return;
    }
    const std::string file = NameOf(path);
    if (!dialog_.DefaultExt.empty() && !file.empty() && file.find('.') == std::string::npos) {
      path += "." + dialog_.DefaultExt;
    }
    chosen_ = path;
    accepted_ = true;
    done_ = true;
  }

  TModalHost& host_;
  TCanvas& screen_;
  TOpenDialog& dialog_;
  TFileList list_;
  std::string type_;
  std::string name_;
  TLineEdit nameCaret_;
  int stop_ = kList;
  int listRows_ = 1;
  bool done_ = false;
  bool accepted_ = false;
  std::string chosen_;
};

}  // namespace

bool RunOpenDialog(TModalHost& host, const TFileBrowsing& files, TOpenDialog& dialog,
                   std::string& chosen) {
  return TOpenDialogWindow(host, files, dialog).Run(chosen);
}

}  // namespace wdx::terminal
