// The values of a form stream: the tag byte in front of each, its name, the identifiers that
// have tags of their own, how deeply values may nest, and the messages of a failed read.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace wdx {

// The tag byte in front of every value of a form stream.
enum TValueType : uint8_t {
  vaNull = 0,  // end of a list; as a value the identifier Null
  vaList,
  vaInt8,
  vaInt16,
  vaInt32,
  vaExtended,
  vaString,
  vaIdent,
  vaFalse,
  vaTrue,
  vaBinary,
  vaSet,
  vaLString,
  vaNil,
  vaCollection,
  vaSingle,
  vaCurrency,
  vaDate,
  vaWString,
  vaInt64,
};

// The tag's name ("vaInt8"), or nullptr for a byte that names no tag.
const char* ValueTypeName(uint8_t tag);

inline bool IsIntegerTag(uint8_t tag) {
  return tag == vaInt8 || tag == vaInt16 || tag == vaInt32;
}

// The identifiers False, True, Null and nil (any case) have tags of their own: 8, 9, 0 and 13.
std::optional<TValueType> SpecialIdentTag(std::string_view ident);
// The identifier such a tag stands for, or nullptr for any other tag.
const char* SpecialIdentName(uint8_t tag);

// How deeply objects, collections and lists may nest in a stream.
inline constexpr int kMaxFilerDepth = 64;

// Counts one level of nesting for as long as it lives; too deep a stream is a damaged one (or,
// when writing, an object that leads back to itself): EReadError "Stream read error", or
// EWriteError "Stream write error" when writing.
class DepthGuard {
 public:
  enum Direction { kReading, kWriting };
  DepthGuard(int& depth, Direction direction);
  ~DepthGuard() { --depth_; }
  DepthGuard(const DepthGuard&) = delete;
  DepthGuard& operator=(const DepthGuard&) = delete;

 private:
  int& depth_;
};

namespace msg {
inline constexpr const char* kInvalidStreamFormat = "Invalid stream format";
inline constexpr const char* kInvalidPropertyValue = "Invalid property value";
inline constexpr const char* kUnknownProperty = "Property does not exist";
inline constexpr const char* kInvalidPropertyPath = "Invalid property path";
inline constexpr const char* kReadOnlyProperty = "Property is read-only";
inline constexpr const char* kClassNotFound = "Class %s not found";
inline constexpr const char* kPropertyException = "Error reading %s%s%s: %s";
inline constexpr const char* kAncestorNotFound = "Ancestor for '%s' not found";
}  // namespace msg

}  // namespace wdx
