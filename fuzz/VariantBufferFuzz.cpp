// Feeds arbitrary bytes to the variant buffer decoder as one stored language value. A block the
// decoder rejects must end in EConvertToolsError; anything else (a crash, a sanitizer report,
// another exception) is a fault and ends the run.
//
// A value the decoder accepts must encode again, and that block must decode. For the integer
// codes and the 8-bit string code the value read back must equal the first one; the floating
// codes must keep their bits (a single comes back as a double of the same value).
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <memory>
#include <string>

#include "LangControl/Source/ConvertTools.h"
#include "framework/rtl/Variant.h"

namespace {

[[noreturn]] void Fail(const char* what, const std::string& detail) {
  std::fprintf(stderr, "variant_buffer_fuzz: %s%s\n", what, detail.c_str());
  std::abort();
}

// The code the block starts with, read the way the decoder reads it.
uint32_t CodeOf(const uint8_t* data) {
  return static_cast<uint32_t>(data[0]) | (static_cast<uint32_t>(data[1]) << 8) |
         (static_cast<uint32_t>(data[2]) << 16) | (static_cast<uint32_t>(data[3]) << 24);
}

bool IsIntegerOrStringCode(uint32_t code) {
  return code == wdx::varSmallint || code == wdx::varInteger || code == wdx::varByte ||
         code == wdx::varString;
}

bool IsFloatingCode(uint32_t code) {
  return code == wdx::varSingle || code == wdx::varDouble || code == wdx::varDate;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > static_cast<size_t>(std::numeric_limits<int32_t>::max())) return 0;
  // A heap block of exactly the input's size, so that any read beyond it is reported.
  auto block = std::make_unique<uint8_t[]>(size);
  for (size_t i = 0; i < size; ++i) block[i] = data[i];

  wdx::Variant value;
  try {
    wdx::BufferToVariant(block.get(), static_cast<int32_t>(size), value);
  } catch (const wdx::EConvertToolsError&) {
    return 0;
  }

  wdx::StoreBlock encoded;
  int32_t encodedSize = -1;
  try {
    wdx::VariantToBuffer(value, encoded, encodedSize);
  } catch (const wdx::Exception& error) {
    Fail("a decoded value does not encode: ", error.Message());
  }
  if (encodedSize < 4 || !encoded) Fail("encoding gave no block", "");

  wdx::Variant again;
  try {
    wdx::BufferToVariant(encoded.get(), encodedSize, again);
  } catch (const wdx::Exception& error) {
    Fail("an encoded value does not decode: ", error.Message());
  }

  const uint32_t code = CodeOf(data);
  if (IsIntegerOrStringCode(code) && !(again == value)) {
    Fail("the value read back differs for code ", std::to_string(code));
  }
  if (IsFloatingCode(code) &&
      (again.VType() != value.VType() ||
       std::bit_cast<uint64_t>(again.RawReal()) != std::bit_cast<uint64_t>(value.RawReal()))) {
    Fail("the floating value read back differs for code ", std::to_string(code));
  }
  return 0;
}
