#include "framework/controls/Graphics.h"

#include <cmath>

#include "framework/components/Filer.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Streams.h"
#include "framework/rtti/Published.h"

namespace wdx {

const TTypeInfo* TypeOfT<TColor>::Get() {
  static const TTypeInfo info = [] {
    TTypeInfo type = MakeOrdinalType(tkInteger, "TColor", INT32_MIN, INT32_MAX);
    const int32_t sys = static_cast<int32_t>(0x80000000);
    type.IdentMap = {
        {0x000000, "clBlack"},         {0x000080, "clMaroon"},
        {0x008000, "clGreen"},         {0x008080, "clOlive"},
        {0x800000, "clNavy"},          {0x800080, "clPurple"},
        {0x808000, "clTeal"},          {0x808080, "clGray"},
        {0xC0C0C0, "clSilver"},        {0x0000FF, "clRed"},
        {0x00FF00, "clLime"},          {0x00FFFF, "clYellow"},
        {0xFF0000, "clBlue"},          {0xFF00FF, "clFuchsia"},
        {0xFFFF00, "clAqua"},          {0xFFFFFF, "clWhite"},
        {0x1FFFFFFF, "clNone"},        {0x20000000, "clDefault"},
        {sys | 0, "clScrollBar"},      {sys | 1, "clBackground"},
        {sys | 2, "clActiveCaption"},  {sys | 3, "clInactiveCaption"},
        {sys | 4, "clMenu"},           {sys | 5, "clWindow"},
        {sys | 6, "clWindowFrame"},    {sys | 7, "clMenuText"},
        {sys | 8, "clWindowText"},     {sys | 9, "clCaptionText"},
        {sys | 10, "clActiveBorder"},  {sys | 11, "clInactiveBorder"},
        {sys | 12, "clAppWorkSpace"},  {sys | 13, "clHighlight"},
        {sys | 14, "clHighlightText"}, {sys | 15, "clBtnFace"},
        {sys | 16, "clBtnShadow"},     {sys | 17, "clGrayText"},
        {sys | 18, "clBtnText"},       {sys | 19, "clInactiveCaptionText"},
        {sys | 20, "clBtnHighlight"},  {sys | 21, "cl3DDkShadow"},
        {sys | 22, "cl3DLight"},       {sys | 23, "clInfoText"},
        {sys | 24, "clInfoBk"},
    };
    return type;
  }();
  return &info;
}

const TTypeInfo* TypeOfT<TFontCharset>::Get() {
  static const TTypeInfo info = [] {
    TTypeInfo type = MakeOrdinalType(tkInteger, "TFontCharset", 0, 255);
    type.IdentMap = {
        {0, "ANSI_CHARSET"},      {1, "DEFAULT_CHARSET"},    {2, "SYMBOL_CHARSET"},
        {77, "MAC_CHARSET"},      {128, "SHIFTJIS_CHARSET"}, {129, "HANGEUL_CHARSET"},
        {130, "JOHAB_CHARSET"},   {134, "GB2312_CHARSET"},   {136, "CHINESEBIG5_CHARSET"},
        {161, "GREEK_CHARSET"},   {162, "TURKISH_CHARSET"},  {163, "VIETNAMESE_CHARSET"},
        {177, "HEBREW_CHARSET"},  {178, "ARABIC_CHARSET"},   {186, "BALTIC_CHARSET"},
        {204, "RUSSIAN_CHARSET"}, {222, "THAI_CHARSET"},     {238, "EASTEUROPE_CHARSET"},
        {255, "OEM_CHARSET"}};
    return type;
  }();
  return &info;
}

WDX_DEFINE_ENUM(TFontStyle, "fsBold", "fsItalic", "fsUnderline", "fsStrikeOut")
WDX_DEFINE_SET(TFontStyles, "TFontStyles", TFontStyle)

TRgb ColorToRgb(TColor color) {
  const auto value = static_cast<uint32_t>(color);
  if ((value & 0x80000000u) == 0) {
    return {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
            static_cast<uint8_t>(value >> 16)};
  }
  switch (value & 0xFF) {
    case 2:
      return {0x00, 0x00, 0x80};  // active caption
    case 5:
      return {0xFF, 0xFF, 0xFF};  // window
    case 8:
      return {0x00, 0x00, 0x00};  // window text
    case 15:
      return {0xC0, 0xC0, 0xC0};  // button face
    default:
      return {0x80, 0x80, 0x80};
  }
}

const TMetaClass& TFont::StaticClass() {
  static const TMetaClass meta("TFont", &TPersistent::StaticClass(), FactoryOf<TFont>(),
                               {
                                   Published<TFont>("Charset", &TFont::Charset, &TFont::Charset),
                                   Published<TFont>("Color", &TFont::Color, &TFont::Color),
                                   Published<TFont>("Height", &TFont::Height, &TFont::Height),
                                   Published<TFont>("Name", &TFont::Name, &TFont::Name),
                                   Published<TFont>("Style", &TFont::Style, &TFont::Style),
                               });
  return meta;
}

int32_t TFont::Size() const {
  return static_cast<int32_t>(std::lround(std::abs(Height) * 72.0 / 96.0));
}

void TFont::Assign(const TPersistent* source) {
  if (const auto* other = ObjectCast<TFont>(source)) {
    Charset = other->Charset;
    Color = other->Color;
    Height = other->Height;
    Name = other->Name;
    Style = other->Style;
    return;
  }
  TPersistent::Assign(source);
}

bool TFont::operator==(const TFont& other) const {
  return Charset == other.Charset && Color == other.Color && Height == other.Height &&
         Name == other.Name && Style == other.Style;
}

const TMetaClass& TIcon::StaticClass() {
  static const TMetaClass meta("TIcon", &TPersistent::StaticClass(), FactoryOf<TIcon>(), {});
  return meta;
}

void TIcon::Assign(const TPersistent* source) {
  if (const auto* other = ObjectCast<TIcon>(source)) {
    data_ = other->data_;
    return;
  }
  TPersistent::Assign(source);
}

void TIcon::DefineProperties(TFiler* filer) {
  TPersistent::DefineProperties(filer);
  filer->DefineBinaryProperty(
      "Data", [this](TStream& stream) { data_ = ReadRemaining(stream); },
      [this](TStream& stream) {
        stream.WriteBuffer(data_.data(), static_cast<int64_t>(data_.size()));
      },
      !data_.empty());
}

const TMetaClass& TPicture::StaticClass() {
  static const TMetaClass meta("TPicture", &TPersistent::StaticClass(), FactoryOf<TPicture>(), {});
  return meta;
}

void TPicture::Assign(const TPersistent* source) {
  if (const auto* other = ObjectCast<TPicture>(source)) {
    icon_.Assign(&other->icon_);
    return;
  }
  TPersistent::Assign(source);
}

void TPicture::DefineProperties(TFiler* filer) {
  TPersistent::DefineProperties(filer);
  filer->DefineBinaryProperty(
      "Data",
      [this](TStream& stream) {
        uint8_t length = 0;
        stream.ReadBuffer(&length, 1);
        std::string className(length, '\0');
        stream.ReadBuffer(className.data(), length);
        if (className != "TIcon") throw EReadError(msg::kInvalidPropertyValue);
        icon_.SetData(ReadRemaining(stream));
      },
      [this](TStream& stream) {
        const std::string className = "TIcon";
        const auto length = static_cast<uint8_t>(className.size());
        stream.WriteBuffer(&length, 1);
        stream.WriteBuffer(className.data(), length);
        stream.WriteBuffer(icon_.Data().data(), static_cast<int64_t>(icon_.Data().size()));
      },
      !icon_.Empty());
}

}  // namespace wdx
