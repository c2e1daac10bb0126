// Feeds arbitrary text to the enumeration and set readers over a few fixed type descriptors: a
// four-element enumeration, a 32-element one (every bit of a set value in use) and a subrange
// of it. Text the readers reject must end in ETypeToolError; anything else (a crash, a
// sanitizer report, another exception) is a fault and ends the run.
//
// For the full enumerations a value that was read must write and read back to the same value:
// an identifier through EnumToStr, a set through SetToStr. A subrange must only give ordinals
// inside its range.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "LangControl/Source/TypeTools.h"
#include "framework/rtti/TypeInfo.h"

namespace {

const wdx::TTypeInfo kFour = wdx::MakeEnumType("TFour", {"akLeft", "akTop", "akRight", "akBottom"});
const wdx::TTypeInfo kFourSet = wdx::MakeSetType("TFourSet", &kFour);
const wdx::TTypeInfo kWide = wdx::MakeEnumType(
    "TWide", {"w00", "w01", "w02", "w03", "w04", "w05", "w06", "w07", "w08", "w09",  "w10",
              "w11", "w12", "w13", "w14", "w15", "w16", "w17", "w18", "w19", "w20",  "w21",
              "w22", "w23", "w24", "w25", "w26", "w27", "w28", "w29", "w30", "wLast"});
const wdx::TTypeInfo kWideSet = wdx::MakeSetType("TWideSet", &kWide);
const wdx::TTypeInfo kPart = wdx::MakeEnumSubrange("TPart", &kWide, 5, 20);
const wdx::TTypeInfo kPartSet = wdx::MakeSetType("TPartSet", &kPart);

[[noreturn]] void Fail(const char* what, const std::string& detail) {
  std::fprintf(stderr, "set_text_fuzz: %s%s\n", what, detail.c_str());
  std::abort();
}

void CheckEnum(const wdx::TTypeInfo& type, const std::string& text, bool full) {
  int32_t ordinal = 0;
  try {
    ordinal = wdx::StrToEnum(type, text);
  } catch (const wdx::ETypeToolError&) {
    return;
  }
  if (ordinal < type.MinValue || ordinal > type.MaxValue) {
    Fail("an ordinal outside the type: ", type.Name + " " + std::to_string(ordinal));
  }
  if (!full) return;
  std::string name;
  try {
    name = wdx::EnumToStr(type, ordinal);
  } catch (const wdx::Exception& error) {
    Fail("an ordinal that was read has no identifier: ", error.Message());
  }
  if (wdx::StrToEnum(type, name) != ordinal) Fail("the identifier reads back otherwise: ", name);
}

void CheckSet(const wdx::TTypeInfo& type, const std::string& text, bool full) {
  uint32_t value = 0;
  try {
    value = wdx::StrToSet(type, text);
  } catch (const wdx::ETypeToolError&) {
    return;
  }
  if (!full) return;
  std::string written;
  uint32_t again = 0;
  try {
    written = wdx::SetToStr(type, value);
    again = wdx::StrToSet(type, written);
  } catch (const wdx::Exception& error) {
    Fail("a set that was read does not write and read back: ", error.Message());
  }
  if (again != value) Fail("the set text reads back otherwise: ", written);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  CheckEnum(kFour, text, true);
  CheckEnum(kWide, text, true);
  CheckEnum(kPart, text, false);
  CheckSet(kFourSet, text, true);
  CheckSet(kWideSet, text, true);
  CheckSet(kPartSet, text, false);
  return 0;
}
