// Enumeration and set values as text, driven only by a type descriptor: an enumeration value
// as its identifier (alClient), a set as a bracketed list ([akLeft,akTop]).
#pragma once

#include <cstdint>
#include <string>

#include "framework/rtl/Exceptions.h"
#include "framework/rtti/TypeInfo.h"

namespace wdx {

WDX_EXCEPTION(ETypeToolError, Exception);

std::string EnumToStr(const TTypeInfo& type, int32_t ordinal);
int32_t StrToEnum(const TTypeInfo& type, const std::string& text);
std::string SetToStr(const TTypeInfo& type, uint32_t value);
uint32_t StrToSet(const TTypeInfo& type, const std::string& text);

}  // namespace wdx
