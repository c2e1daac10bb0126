// The GDI objects that a form's windows draw with: one per font, colour and icon image, made when
// first asked for and released together with the cache. Fonts come at the windows' scale.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "framework/controls/Graphics.h"

// After the framework's headers: windows.h defines macros with the names of its constants.
#include "framework/ui/win32/DisplayScale.h"

namespace wdx::win32 {

// The colour as GDI takes it; system colours are looked up.
COLORREF ColorRefOf(TColor color);

class TGdiCache {
 public:
  // `scale` is the windows' (TWindowMap::Scale), which the cache follows.
  explicit TGdiCache(const TDisplayScale& scale) : scale_(scale) {}
  ~TGdiCache();
  TGdiCache(const TGdiCache&) = delete;
  TGdiCache& operator=(const TGdiCache&) = delete;

  // The font at the windows' scale: its design height scaled like the form's geometry (in a
  // scalable face where a raster one has no such size). A font of the default character set
  // draws `text` in the character set of the first code page that holds it when Windows-1252
  // does not, as a form made on that language's Windows does: a face made of one font per script
  // (MS Sans Serif) then shows the text's letters.
  HFONT FontOf(const TFont& font, const std::string& text = {});
  HBRUSH BrushOf(TColor color);
  // An icon `size` pixels square from the icon file's image that suits that size best, or from the
  // program's icon where it is the same icon with that size; nullptr when the bytes hold none.
  HICON IconOf(const std::vector<uint8_t>& file, int size);

 private:
  const TDisplayScale& scale_;
  // Name, design height, DPI, character set, style.
  using FontKey = std::tuple<std::string, int32_t, int, int, uint32_t>;
  std::map<FontKey, HFONT> fonts_;
  std::map<COLORREF, HBRUSH> brushes_;
  std::vector<HICON> icons_;
};

}  // namespace wdx::win32
