#include "framework/components/FormValues.h"

#include <iterator>

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/StrUtils.h"

namespace wdx {

namespace {

constexpr const char* kTagNames[] = {
    "vaNull",       "vaList",   "vaInt8",     "vaInt16",  "vaInt32",   "vaExtended", "vaString",
    "vaIdent",      "vaFalse",  "vaTrue",     "vaBinary", "vaSet",     "vaLString",  "vaNil",
    "vaCollection", "vaSingle", "vaCurrency", "vaDate",   "vaWString", "vaInt64"};

struct SpecialIdent {
  const char* name;
  TValueType tag;
};
constexpr SpecialIdent kSpecialIdents[] = {
    {"False", vaFalse}, {"True", vaTrue}, {"Null", vaNull}, {"nil", vaNil}};

}  // namespace

const char* ValueTypeName(uint8_t tag) {
  return tag < std::size(kTagNames) ? kTagNames[tag] : nullptr;
}

std::optional<TValueType> SpecialIdentTag(std::string_view ident) {
  for (const SpecialIdent& special : kSpecialIdents) {
    if (SameText(ident, special.name)) return special.tag;
  }
  return std::nullopt;
}

const char* SpecialIdentName(uint8_t tag) {
  for (const SpecialIdent& special : kSpecialIdents) {
    if (special.tag == tag) return special.name;
  }
  return nullptr;
}

DepthGuard::DepthGuard(int& depth, Direction direction) : depth_(depth) {
  if (depth_ >= kMaxFilerDepth) {
    if (direction == kWriting) throw EWriteError(msg::kStreamWriteError);
    ThrowStreamReadError();
  }
  ++depth_;
}

}  // namespace wdx
