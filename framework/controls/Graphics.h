// Colours, fonts and icons of the controls.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/components/Persistent.h"
#include "framework/rtti/Set.h"
#include "framework/rtti/TypeInfo.h"

namespace wdx {

// A colour: 0x00BBGGRR, or a system colour (0x80000000 | index) named clBtnFace and so on.
enum class TColor : int32_t {};
inline constexpr TColor MakeColor(int32_t value) {
  return static_cast<TColor>(value);
}
inline constexpr TColor RGB(uint8_t r, uint8_t g, uint8_t b) {
  return MakeColor(r | (g << 8) | (b << 16));
}
inline constexpr TColor clBtnFace = MakeColor(static_cast<int32_t>(0x8000000F));
inline constexpr TColor clWindowText = MakeColor(static_cast<int32_t>(0x80000008));
inline constexpr TColor clWindow = MakeColor(static_cast<int32_t>(0x80000005));
inline constexpr TColor clActiveCaption = MakeColor(static_cast<int32_t>(0x80000002));
inline constexpr TColor clBlack = MakeColor(0);

// A character set number, named ANSI_CHARSET, DEFAULT_CHARSET and so on.
enum class TFontCharset : uint8_t {};
inline constexpr TFontCharset DEFAULT_CHARSET = static_cast<TFontCharset>(1);

enum TFontStyle : uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;

WDX_DECLARE_TYPE(TColor);
WDX_DECLARE_TYPE(TFontCharset);
WDX_DECLARE_TYPE(TFontStyle);
WDX_DECLARE_TYPE(TFontStyles);

// The red, green and blue parts of a colour; system colours resolve to their usual values.
struct TRgb {
  uint8_t r, g, b;
};
TRgb ColorToRgb(TColor color);

class TFont : public TPersistent {
 public:
  WDX_CLASS(TFont)

  TFontCharset Charset = DEFAULT_CHARSET;
  TColor Color = clWindowText;
  int32_t Height = -11;  // negative: character height in pixels
  std::string Name = "MS Sans Serif";
  TFontStyles Style;

  // The size in points at 96 pixels per inch.
  int32_t Size() const;
  void Assign(const TPersistent* source) override;
  bool operator==(const TFont& other) const;
};

// An icon held as the bytes of an icon file (a directory of 16-colour images and their masks).
class TIcon : public TPersistent {
 public:
  WDX_CLASS(TIcon)

  const std::vector<uint8_t>& Data() const { return data_; }
  void SetData(std::vector<uint8_t> data) { data_ = std::move(data); }
  bool Empty() const { return data_.empty(); }
  void Assign(const TPersistent* source) override;
  // Stored in form streams as the binary custom property "Data".
  void DefineProperties(TFiler* filer) override;

 private:
  std::vector<uint8_t> data_;
};

// The picture of an image control; it holds an icon.
class TPicture : public TPersistent {
 public:
  WDX_CLASS(TPicture)

  TIcon& Icon() { return icon_; }
  const TIcon& Icon() const { return icon_; }
  void Assign(const TPersistent* source) override;
  // Stored as the binary custom property "Data": the graphic's class name as a short string,
  // then the graphic's own data.
  void DefineProperties(TFiler* filer) override;

 private:
  TIcon icon_;
};

}  // namespace wdx
