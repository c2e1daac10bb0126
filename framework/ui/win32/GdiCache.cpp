#include "framework/ui/win32/GdiCache.h"

#include "framework/rtl/CodePage.h"
#include "framework/rtl/IconFile.h"
#include "framework/rtl/Utf8.h"
#include "framework/ui/win32/ProgramIcon.h"
#include "framework/ui/win32/ScaledFont.h"

namespace wdx::win32 {

COLORREF ColorRefOf(TColor color) {
  const auto value = static_cast<uint32_t>(color);
  if (value & 0x80000000u) return GetSysColor(static_cast<int>(value & 0xFF));
  if (value == 0x1FFFFFFFu || value == 0x20000000u) return GetSysColor(COLOR_WINDOW);
  return value & 0x00FFFFFFu;
}

TGdiCache::~TGdiCache() {
  for (const auto& [key, font] : fonts_) DeleteObject(font);
  for (const auto& [rgb, brush] : brushes_) DeleteObject(brush);
  for (HICON icon : icons_) DestroyIcon(icon);
}

namespace {

// The character set of the first ANSI code page that holds the text, when Windows-1252 does not.
int CharsetFor(int charset, const std::string& text) {
  static const std::pair<int, int> kCharsets[] = {
      {1252, ANSI_CHARSET},       {1250, EASTEUROPE_CHARSET}, {1251, RUSSIAN_CHARSET},
      {1253, GREEK_CHARSET},      {1254, TURKISH_CHARSET},    {1257, BALTIC_CHARSET},
      {1258, VIETNAMESE_CHARSET}, {1255, HEBREW_CHARSET},     {1256, ARABIC_CHARSET},
      {874, THAI_CHARSET},        {932, SHIFTJIS_CHARSET},    {936, GB2312_CHARSET},
      {949, HANGUL_CHARSET},      {950, CHINESEBIG5_CHARSET}};
  if (charset != DEFAULT_CHARSET || IsAscii(text)) return charset;
  for (const auto& [codePage, set] : kCharsets) {
    if (Utf8ToCodePage(text, codePage)) return codePage == 1252 ? charset : set;
  }
  return charset;
}

}  // namespace

HFONT TGdiCache::FontOf(const TFont& font, const std::string& text) {
  const int charset = CharsetFor(static_cast<int>(font.Charset), text);
  const FontKey key{font.Name, font.Height, scale_.Dpi, charset, font.Style.Bits()};
  if (const auto found = fonts_.find(key); found != fonts_.end()) return found->second;
  HFONT handle = CreateScaledFont(font, charset, scale_);
  fonts_[key] = handle;
  return handle;
}

HBRUSH TGdiCache::BrushOf(TColor color) {
  const auto value = static_cast<uint32_t>(color);
  if (value & 0x80000000u) return GetSysColorBrush(static_cast<int>(value & 0xFF));
  const COLORREF rgb = ColorRefOf(color);
  if (const auto found = brushes_.find(rgb); found != brushes_.end()) return found->second;
  HBRUSH brush = CreateSolidBrush(rgb);
  brushes_[rgb] = brush;
  return brush;
}

HICON TGdiCache::IconOf(const std::vector<uint8_t>& data, int size) {
  const std::string_view file(reinterpret_cast<const char*>(data.data()), data.size());
  if (HICON icon = ProgramIconFor(file, size)) {
    icons_.push_back(icon);
    return icon;
  }
  IconImageRef image;
  if (!BestIconImage(file, size, image)) return nullptr;
  // CreateIconFromResourceEx does not write through its pointer.
  auto* bits = const_cast<PBYTE>(data.data() + image.Offset);
  HICON icon = CreateIconFromResourceEx(bits, static_cast<DWORD>(image.Size), TRUE, 0x00030000,
                                        size, size, LR_DEFAULTCOLOR);
  if (icon) icons_.push_back(icon);
  return icon;
}

}  // namespace wdx::win32
