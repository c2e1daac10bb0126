// The stored form of one language value: a 4-byte little-endian type code followed by the
// raw value.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Variant.h"
#include "framework/rtti/ObjectStore.h"

namespace wdx {

WDX_EXCEPTION(EConvertToolsError, EConvertError);

// Encodes `value`; `buffer` is reset and `size` set to 0 first, then they receive the new
// block (owned by the caller) and its size.
void VariantToBuffer(const Variant& value, StoreBlock& buffer, int32_t& size);
// Decodes a block made by VariantToBuffer into `value`.
void BufferToVariant(const uint8_t* buffer, int32_t size, Variant& value);

}  // namespace wdx
