#include "translations/DialogFontMetrics.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "framework/rtl/CodePage.h"
#include "framework/rtl/Utf8.h"

namespace wdx::fit {

namespace {

enum TFontKind { kDialogFont, kTitleFont };

struct TGlyphRun {
  char32_t First;
  char32_t Last;
  int Width;
};

struct TFontWidths {
  TFontKind Kind;
  int CodePage;  // of the character set; 0 for the title bar's font
  bool Bold;
  int Height;  // of a line
  int Average;
  size_t First;  // of its runs
  size_t Count;
};

#include "translations/DialogFontMetrics.inc"

constexpr int kDialogHeight = 11;
// The code pages in the order the Windows front-end tries them for a caption.
constexpr int kCodePages[] = {1252, 1250, 1251, 1253, 1254, 1257, 1258,
                              1255, 1256, 874,  932,  936,  949,  950};

const TFontWidths& Font(TFontKind kind, int codePage, bool bold) {
  for (const TFontWidths& font : kFontWidths) {
    if (font.Kind == kind && font.CodePage == codePage && font.Bold == bold) return font;
  }
  return kFontWidths[0];
}

int CodePageOf(std::string_view text) {
  for (const int codePage : kCodePages) {
    if (Utf8ToCodePage(text, codePage)) return codePage;
  }
  return 1252;
}

int Width(const TFontWidths& font, std::string_view text) {
  const TGlyphRun* begin = kGlyphRuns + font.First;
  const TGlyphRun* end = begin + font.Count;
  int width = 0;
  for (size_t at = 0; at < text.size();) {
    const Utf8Char character = DecodeUtf8(text, at);
    at += character.Length;
    const char32_t code = character.Code;
    const TGlyphRun* run = std::upper_bound(
        begin, end, code, [](char32_t value, const TGlyphRun& r) { return value < r.First; });
    width += run != begin && code <= (run - 1)->Last ? (run - 1)->Width : font.Average;
  }
  return width;
}

}  // namespace

const TWindowMeasures& WindowMeasures() {
  return kWindowMeasures;
}

int DialogTextWidth(std::string_view text, int height, bool bold) {
  const int width = Width(Font(kDialogFont, CodePageOf(text), bold), text);
  const int pixels = std::abs(height);
  return pixels == 0 || pixels == kDialogHeight ? width : width * pixels / kDialogHeight;
}

int DialogLineHeight(int height) {
  const int line = Font(kDialogFont, 1252, false).Height;
  const int pixels = std::abs(height);
  return pixels == 0 || pixels == kDialogHeight ? line : line * pixels / kDialogHeight;
}

int TitleTextWidth(std::string_view text) {
  return Width(Font(kTitleFont, 0, false), text);
}

}  // namespace wdx::fit
