#include "framework/ui/win32/ScaledFont.h"

#include <cwchar>
#include <string>

#include "framework/rtl/WideText.h"

namespace wdx::win32 {

namespace {

// What a font's width is judged by: every printable ASCII character once.
std::wstring WidthSample() {
  std::wstring sample;
  for (wchar_t c = 0x20; c < 0x7F; ++c) sample += c;
  return sample;
}

LOGFONTW LogFontOf(const TFont& font, int height, int charset) {
  LOGFONTW log{};
  log.lfHeight = height;
  log.lfWeight = font.Style.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
  log.lfItalic = font.Style.Contains(fsItalic);
  log.lfUnderline = font.Style.Contains(fsUnderline);
  log.lfStrikeOut = font.Style.Contains(fsStrikeOut);
  log.lfCharSet = static_cast<BYTE>(charset);
  log.lfOutPrecision = OUT_DEFAULT_PRECIS;
  log.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  log.lfQuality = DEFAULT_QUALITY;
  log.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  const std::wstring face = Wide(font.Name).substr(0, LF_FACESIZE - 1);
  wcsncpy(log.lfFaceName, face.c_str(), LF_FACESIZE - 1);
  return log;
}

// How a font the mapper made measures on the screen.
struct TFontMeasure {
  bool Scalable = false;
  bool FixedPitch = false;
  long Height = 0;   // in the sense of the height asked: the cell's when positive, else the em's
  long Average = 0;  // the average character width
  long Sample = 0;   // the width sample's extent
};

TFontMeasure Measure(const LOGFONTW& log, HFONT font) {
  TFontMeasure measure;
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  const std::wstring sample = WidthSample();
  SIZE extent{};
  GetTextExtentPoint32W(dc, sample.c_str(), static_cast<int>(sample.size()), &extent);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  // TMPF_FIXED_PITCH set means a variable pitch, as the API names it the other way round.
  measure.Scalable = metrics.tmPitchAndFamily & (TMPF_VECTOR | TMPF_TRUETYPE);
  measure.FixedPitch = !(metrics.tmPitchAndFamily & TMPF_FIXED_PITCH);
  measure.Height =
      log.lfHeight > 0 ? metrics.tmHeight : metrics.tmHeight - metrics.tmInternalLeading;
  measure.Average = metrics.tmAveCharWidth;
  measure.Sample = extent.cx;
  return measure;
}

// The height a font is asked for, in the sense of TFontMeasure::Height.
long AskedHeight(const LOGFONTW& log) {
  return log.lfHeight < 0 ? -log.lfHeight : log.lfHeight;
}

// The raster face's nearest size is allowed a pixel short of the height asked, as Windows itself
// shows MS Sans Serif at 120 and 144 DPI. A font that measures no height is taken as it is.
bool StopsShort(const LOGFONTW& log, const TFontMeasure& measure) {
  return !measure.Scalable && measure.Height > 0 && measure.Height < AskedHeight(log) - 1;
}

// A scalable face of `raster`'s pitch as wide as `width` at most: the system's dialog face, or its
// fixed-pitch face. Null where the system maps neither to a scalable font.
HFONT ScalableAtWidth(LOGFONTW log, const TFontMeasure& raster, long width) {
  wcscpy(log.lfFaceName, raster.FixedPitch ? L"Courier New" : L"MS Shell Dlg");
  HFONT font = CreateFontIndirectW(&log);
  TFontMeasure measure = Measure(log, font);
  if (!measure.Scalable) {
    DeleteObject(font);
    return nullptr;
  }
  // Narrowed to the width by its average character width, which a scalable face scales to;
  // rounding may leave it a little wide, and a step narrower each time mends that.
  if (measure.Sample > width) log.lfWidth = MulDiv(measure.Average, width, measure.Sample) + 1;
  while (measure.Sample > width && log.lfWidth > 1) {
    --log.lfWidth;
    DeleteObject(font);
    font = CreateFontIndirectW(&log);
    measure = Measure(log, font);
  }
  return font;
}

}  // namespace

HFONT CreateScaledFont(const TFont& font, int charset, const TDisplayScale& scale) {
  const LOGFONTW asked = LogFontOf(font, scale(font.Height), charset);
  HFONT shown = CreateFontIndirectW(&asked);
  const TFontMeasure raster = Measure(asked, shown);
  if (!StopsShort(asked, raster)) return shown;
  // The raster face's largest size, scaled to the height asked: its metrics continued. (Its design
  // size cannot tell them: at a high DPI the system loads another set of raster sizes.)
  const long width = MulDiv(raster.Sample, AskedHeight(asked), raster.Height);
  HFONT scalable = ScalableAtWidth(asked, raster, width);
  if (!scalable) return shown;
  DeleteObject(shown);
  return scalable;
}

}  // namespace wdx::win32
