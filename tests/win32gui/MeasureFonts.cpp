// Measures the dialog's fonts as this system draws them and writes the table that the native fit
// check (formtool fit) measures Windows captions with: for each ANSI code page's character set,
// the advance width of every character the code page holds in MS Sans Serif of height -11 (the
// dialog's font at 96 DPI), regular and bold; the same for the title bar's font; and the few
// system measures the caption check uses (a tab's padding, the title bar's frame, icon and
// buttons).
//
//   measure_fonts                  writes the table on standard output
//   measure_fonts --check <file>   exit 1 when <file> is not what this system measures
//
// scripts/make-font-metrics.sh runs it under wine and writes translations/DialogFontMetrics.inc.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cwchar>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace {

struct CodePageSet {
  UINT codePage;
  BYTE charset;
};

// In the order in which the dialog's fonts take the first code page that holds a caption.
constexpr CodePageSet kSets[] = {
    {1252, ANSI_CHARSET},       {1250, EASTEUROPE_CHARSET}, {1251, RUSSIAN_CHARSET},
    {1253, GREEK_CHARSET},      {1254, TURKISH_CHARSET},    {1257, BALTIC_CHARSET},
    {1258, VIETNAMESE_CHARSET}, {1255, HEBREW_CHARSET},     {1256, ARABIC_CHARSET},
    {874, THAI_CHARSET},        {932, SHIFTJIS_CHARSET},    {936, GB2312_CHARSET},
    {949, HANGUL_CHARSET},      {950, CHINESEBIG5_CHARSET}};

// The characters a code page holds, from its single bytes and its double-byte pairs.
std::vector<wchar_t> Characters(UINT codePage) {
  std::map<wchar_t, bool> found;
  auto take = [&](const char* bytes, int count) {
    wchar_t wide[2] = {};
    if (MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes, count, wide, 2) == 1 &&
        wide[0] >= 0x20) {
      found[wide[0]] = true;
    }
  };
  CPINFO info{};
  GetCPInfo(codePage, &info);
  auto lead = [&](unsigned byte) {
    for (int i = 0; i + 1 < MAX_LEADBYTES && info.LeadByte[i]; i += 2) {
      if (byte >= info.LeadByte[i] && byte <= info.LeadByte[i + 1]) return true;
    }
    return false;
  };
  for (unsigned first = 0x20; first <= 0xFF; ++first) {
    const char one[1] = {static_cast<char>(first)};
    if (!lead(first)) {
      take(one, 1);
      continue;
    }
    for (unsigned second = 0x40; second <= 0xFE; ++second) {
      const char two[2] = {static_cast<char>(first), static_cast<char>(second)};
      take(two, 2);
    }
  }
  std::vector<wchar_t> characters;
  for (const auto& [character, present] : found) characters.push_back(character);
  return characters;
}

std::string Hex(unsigned value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%04X", value);
  return text;
}

// One font's widths as runs of characters of one width, in the order of their codes: a run spans
// the codes between its characters that the code page lacks (no caption drawn in this font holds
// them).
void Measure(HDC dc, HFONT font, const std::vector<wchar_t>& characters, const std::string& name,
             std::string& runs, std::string& fonts, size_t& offset) {
  HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  size_t count = 0;
  for (size_t i = 0; i < characters.size();) {
    SIZE size{};
    GetTextExtentPoint32W(dc, &characters[i], 1, &size);
    size_t j = i + 1;
    while (j < characters.size()) {
      SIZE next{};
      GetTextExtentPoint32W(dc, &characters[j], 1, &next);
      if (next.cx != size.cx) break;
      ++j;
    }
    runs += "    {" + Hex(characters[i]) + ", " + Hex(characters[j - 1]) + ", " +
            std::to_string(size.cx) + "},\n";
    ++count;
    i = j;
  }
  SelectObject(dc, old);
  fonts += "    {" + name + ", " + std::to_string(metrics.tmHeight) + ", " +
           std::to_string(metrics.tmAveCharWidth) + ", " + std::to_string(offset) + ", " +
           std::to_string(count) + "},\n";
  offset += count;
}

// The padding a tab control of this system gives a tab beside its text.
int TabPadding(HDC dc, HFONT font) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES};
  InitCommonControlsEx(&controls);
  HWND tabs = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_POPUP, 0, 0, 400, 100, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  SendMessageW(tabs, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  wchar_t text[] = L"Korvane Wendrix Configuration";
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = text;
  SendMessageW(tabs, TCM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  RECT rect{};
  SendMessageW(tabs, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&rect));
  HGDIOBJ old = SelectObject(dc, font);
  SIZE size{};
  GetTextExtentPoint32W(dc, text, static_cast<int>(wcslen(text)), &size);
  SelectObject(dc, old);
  DestroyWindow(tabs);
  return static_cast<int>((rect.right - rect.left - size.cx) / 2);
}

std::string Table() {
  HDC dc = GetDC(nullptr);
  std::string runs, fonts;
  size_t offset = 0;
  HFONT regular1252 = nullptr;
  for (const CodePageSet& set : kSets) {
    const std::vector<wchar_t> characters = Characters(set.codePage);
    for (const bool bold : {false, true}) {
      HFONT font = CreateFontW(-11, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                               set.charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                               DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"MS Sans Serif");
      Measure(dc, font, characters,
              "kDialogFont, " + std::to_string(set.codePage) + ", " + (bold ? "true" : "false"),
              runs, fonts, offset);
      if (set.codePage == 1252 && !bold) {
        regular1252 = font;
      } else {
        DeleteObject(font);
      }
    }
  }
  // The title bar's font, for the characters of every code page.
  NONCLIENTMETRICSW nonclient{};
  nonclient.cbSize = sizeof nonclient;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof nonclient, &nonclient, 0);
  std::map<wchar_t, bool> all;
  for (const CodePageSet& set : kSets) {
    for (const wchar_t character : Characters(set.codePage)) all[character] = true;
  }
  std::vector<wchar_t> every;
  for (const auto& [character, present] : all) every.push_back(character);
  HFONT caption = CreateFontIndirectW(&nonclient.lfCaptionFont);
  Measure(dc, caption, every, "kTitleFont, 0, false", runs, fonts, offset);
  DeleteObject(caption);

  std::string out =
      "// Generated by measure_fonts (tests/win32gui/MeasureFonts.cpp) under wine, through\n"
      "// scripts/make-font-metrics.sh; do not edit.\n"
      "constexpr TGlyphRun kGlyphRuns[] = {\n" +
      runs + "};\n\nconstexpr TFontWidths kFontWidths[] = {\n" + fonts +
      "};\n\nconstexpr TWindowMeasures kWindowMeasures = {" +
      std::to_string(TabPadding(dc, regular1252)) + ", " +
      std::to_string(GetSystemMetrics(SM_CXFIXEDFRAME)) + ", " +
      std::to_string(GetSystemMetrics(SM_CXSMICON)) + ", " +
      std::to_string(GetSystemMetrics(SM_CXSIZE)) + "};\n";
  DeleteObject(regular1252);
  ReleaseDC(nullptr, dc);
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  SetProcessDPIAware();
  const std::string table = Table();
  if (argc == 3 && std::string(argv[1]) == "--check") {
    std::ifstream file(argv[2], std::ios::binary);
    const std::string committed{std::istreambuf_iterator<char>(file), {}};
    if (committed == table) return 0;
    std::fprintf(stderr,
                 "measure_fonts: %s is not what this system measures; run "
                 "scripts/make-font-metrics.sh\n",
                 argv[2]);
    return 1;
  }
  _setmode(_fileno(stdout), _O_BINARY);
  std::fwrite(table.data(), 1, table.size(), stdout);
  return 0;
}
