#include "translations/TextFit.h"

#include <algorithm>
#include <map>
#include <optional>

#include "LangControl/Source/LangControlTools.h"
#include "LangControl/Source/LanguageValues.h"
#include "framework/controls/ComCtrls.h"
#include "framework/controls/ExtCtrls.h"
#include "framework/controls/Form.h"
#include "framework/controls/StdCtrls.h"
#include "framework/ui/Pages.h"
#include "framework/ui/terminal/CellGeometry.h"
#include "framework/ui/terminal/CellText.h"
#include "framework/ui/terminal/TextLayout.h"
#include "translations/DialogFontMetrics.h"
#include "translations/FormTexts.h"
#include "translations/LoadedForm.h"
#include "translations/PoLanguage.h"

namespace wdx {

namespace {

// At 96 DPI: a push button's edge and the gap to its focus rectangle, and a group box caption's
// indent, on each side.
constexpr int kButtonBorder = 4;
constexpr int kGroupIndent = 8;

std::string Needs(int needed, const std::string& unit, const std::string& where, int has) {
  return "needs " + std::to_string(needed) + " " + unit + where + ", has " + std::to_string(has);
}

// A control's rectangle in pixels of the form's client area.
struct TBox {
  int Left, Top, Width, Height;
};
TBox BoxOf(const TControl& control) {
  const terminal::TPixelOrigin origin = terminal::ParentOrigin(control);
  return {origin.X + control.Left(), origin.Y + control.Top(), std::max(control.Width(), 1),
          std::max(control.Height(), 1)};
}

int Columns(const TBox& box) {
  return terminal::CellColumn(box.Left + box.Width - 1) - terminal::CellColumn(box.Left) + 1;
}
int Rows(const TBox& box) {
  return terminal::CellRow(box.Top + box.Height - 1) - terminal::CellRow(box.Top) + 1;
}

// The lines of `text` as Windows wraps it at `width` pixels: at blanks, a word too long for a
// line standing on one of its own; and how wide the widest is.
struct TWrapped {
  int Lines = 0;
  int Widest = 0;
};
TWrapped WrapPixels(const std::string& text, int width, int height, bool bold) {
  TWrapped wrapped;
  for (const std::string& paragraph : terminal::SplitLines(text)) {
    std::string line;
    size_t at = 0;
    ++wrapped.Lines;
    while (at <= paragraph.size()) {
      size_t end = paragraph.find(' ', at);
      if (end == std::string::npos) end = paragraph.size();
      const std::string word = paragraph.substr(at, end - at);
      const std::string longer = line.empty() ? word : line + " " + word;
      if (!line.empty() && fit::DialogTextWidth(longer, height, bold) > width) {
        wrapped.Widest = std::max(wrapped.Widest, fit::DialogTextWidth(line, height, bold));
        ++wrapped.Lines;
        line = word;
      } else {
        line = longer;
      }
      at = end + 1;
    }
    wrapped.Widest = std::max(wrapped.Widest, fit::DialogTextWidth(line, height, bold));
  }
  return wrapped;
}

// Whether a shown sibling of `control` lies in `area` (pixels of the form's client area).
bool UnderSibling(const TControl& control, const TBox& area) {
  const TWinControl* parent = control.Parent();
  if (!parent) return false;
  for (int i = 0; i < parent->ControlCount(); ++i) {
    const TControl* sibling = parent->Controls(i);
    if (sibling == &control || !sibling->Visible()) continue;
    const TBox box = BoxOf(*sibling);
    if (box.Left < area.Left + area.Width && area.Left < box.Left + box.Width &&
        box.Top < area.Top + area.Height && area.Top < box.Top + box.Height) {
      return true;
    }
  }
  return false;
}

class TChecker {
 public:
  explicit TChecker(const TCustomForm& form) : form_(form) {}

  // What does not fit of `text` as the caption of `control`; "" when it fits.
  std::string Check(const TControl& control, const std::string& text) const {
    const TBox box = BoxOf(control);
    const TFont& font = control.EffectiveFont();
    const bool bold = font.Style.Contains(fsBold);
    if (&control == &form_) return FormProblem(text);
    if (const auto* label = ObjectCast<TLabel>(&control)) return LabelProblem(*label, text, box);
    if (ObjectCast<TButton>(&control)) {
      return Either(
          Cells(terminal::TextWidth(terminal::ButtonText(text)), Columns(box)),
          Pixels(fit::DialogTextWidth(text, font.Height, bold), box.Width - 2 * kButtonBorder,
                 " inside the button's border on Windows"));
    }
    if (ObjectCast<TGroupBox>(&control)) {
      return Either(
          Cells(terminal::TextWidth(text), Columns(box) - 2),
          Pixels(fit::DialogTextWidth(text, font.Height, bold), box.Width - 2 * kGroupIndent,
                 " inside the group box's frame on Windows"));
    }
    if (ObjectCast<TPanel>(&control)) {
      return Either(
          Cells(terminal::TextWidth(text), Columns(box)),
          Pixels(fit::DialogTextWidth(text, font.Height, bold), box.Width, " on Windows"));
    }
    return {};
  }

  // What does not fit of a page control's tabs, with these captions, in one row.
  std::string TabsProblem(const TPageControl& pages, const std::vector<std::string>& tabs) const {
    const TBox box = BoxOf(pages);
    const TFont& font = pages.EffectiveFont();
    int cells = 1, pixels = 0;
    for (const std::string& tab : tabs) {
      cells += terminal::TextWidth(tab) + 5;
      pixels += fit::DialogTextWidth(tab, font.Height, font.Style.Contains(fsBold)) +
                2 * fit::WindowMeasures().TabPadding;
    }
    return Either(Cells(cells - 1, Columns(box) - 1),
                  Pixels(pixels, box.Width, " for the tabs on Windows"));
  }

 private:
  // The terminal's problem and the Windows dialog's, whichever there are.
  static std::string Either(const std::string& first, const std::string& second) {
    return first.empty() || second.empty() ? first + second : first + "; " + second;
  }
  static std::string Cells(int needed, int has) {
    return needed <= has ? std::string() : Needs(needed, "cells", " in the terminal", has);
  }
  static std::string Pixels(int needed, int has, const std::string& where) {
    return needed <= has ? std::string() : Needs(needed, "pixels", where, has);
  }

  std::string LabelProblem(const TLabel& label, const std::string& text, const TBox& box) const {
    const TFont& font = label.EffectiveFont();
    const bool bold = font.Style.Contains(fsBold);
    if (label.WordWrap()) {
      const int rows = static_cast<int>(terminal::WrapText(text, Columns(box)).size());
      const int line = std::max(fit::DialogLineHeight(font.Height), 1);
      const int lines = std::max((box.Height + line / 2) / line, 1);
      const TWrapped wrapped = WrapPixels(text, box.Width, font.Height, bold);
      return Either(
          rows <= Rows(box) ? std::string() : Needs(rows, "lines", " in the terminal", Rows(box)),
          wrapped.Lines <= lines ? std::string()
                                 : Needs(wrapped.Lines, "lines", " on Windows", lines));
    }
    const std::string first = terminal::SplitLines(text).front();
    const std::string cells = Cells(terminal::TextWidth(first), Columns(box));
    const int width = fit::DialogTextWidth(first, font.Height, bold);
    if (!label.AutoSize()) return Either(cells, Pixels(width, box.Width, " on Windows"));
    // A label that sizes itself grows to its text: it must not run onto a neighbour.
    const TBox area{box.Left, box.Top, width, fit::DialogLineHeight(font.Height)};
    return Either(cells, width > box.Width && UnderSibling(label, area)
                             ? "runs onto a neighbour on Windows (needs " + std::to_string(width) +
                                   " pixels, has " + std::to_string(box.Width) + ")"
                             : std::string());
  }

  std::string FormProblem(const std::string& text) const {
    const fit::TWindowMeasures& measures = fit::WindowMeasures();
    const int clientWidth = form_.ClientWidth() > 0 ? form_.ClientWidth() : form_.Width();
    const int width =
        form_.ClientWidth() > 0 ? clientWidth + 2 * measures.FixedFrame : form_.Width();
    int reserved = 2 * measures.FixedFrame + kGroupIndent;
    if (form_.BorderIcons().Contains(biSystemMenu)) {
      const int buttons = 1 + (form_.BorderIcons().Contains(biMinimize) ? 2 : 0);
      reserved += measures.SmallIcon + buttons * measures.CaptionButton;
    }
    return Either(
        Cells(terminal::TextWidth(text), terminal::CeilDiv(clientWidth, terminal::kCellWidth)),
        Pixels(fit::TitleTextWidth(text), width - reserved, " in the title bar on Windows"));
  }

  const TCustomForm& form_;
};

}  // namespace

std::vector<TTextMisfit> CheckTextFit(const std::vector<uint8_t>& form) {
  LoadedForm loaded(form);
  TLanguageManager& manager = loaded.Manager();
  const auto* root = ObjectCast<TCustomForm>(loaded.Root());
  if (!root) return {};
  const TChecker checker(*root);
  const std::vector<FormText> texts = CollectFormTexts(manager, loaded.Root());
  std::vector<TTextMisfit> misfits;
  const TLanguageEntries& languages = *manager.Languages();
  for (int i = 0; i < languages.Count(); ++i) {
    const int32_t slot = languages.Items(i)->SubIndex();
    if (slot < 0) continue;
    const std::string language = LanguageTeamName(languages.Items(i)->Name());
    // The tabs of each page control, in this language where translated.
    std::map<const TPageControl*, std::vector<std::string>> tabs;
    std::map<const TTabSheet*, std::string> tabTexts;
    for (const FormText& text : texts) {
      const auto* component = ObjectCast<TControl>(text.entry->OwnerEntry()->Target());
      if (!component || text.property != "Caption") continue;
      const std::string caption = SlotText(*text.entry, slot);
      if (const auto* sheet = ObjectCast<TTabSheet>(component)) {
        tabTexts[sheet] = caption;
        continue;
      }
      const std::string problem = checker.Check(*component, caption);
      if (!problem.empty()) misfits.push_back({language, text.context, caption, problem});
    }
    for (int c = 0; c < loaded.Root()->ComponentCount(); ++c) {
      const auto* pages = ObjectCast<TPageControl>(loaded.Root()->Components(c));
      if (!pages) continue;
      std::vector<std::string> captions;
      std::string place;
      for (const TTabSheet* sheet : VisibleTabs(*pages)) {
        const auto found = tabTexts.find(sheet);
        captions.push_back(found == tabTexts.end() ? sheet->Caption() : found->second);
        if (found != tabTexts.end() && place.empty()) place = sheet->Name() + ".Caption";
      }
      const std::string problem = checker.TabsProblem(*pages, captions);
      if (!place.empty() && !problem.empty()) {
        std::string shown;
        for (const std::string& caption : captions) shown += (shown.empty() ? "" : ", ") + caption;
        misfits.push_back({language, place, shown, problem});
      }
    }
  }
  return misfits;
}

}  // namespace wdx
