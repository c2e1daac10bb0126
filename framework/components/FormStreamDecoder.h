// Decoding of form streams without classes: a tagged value read whole into a tree, and the
// object records of a stream handed to a visitor as they are read. It serves every client that
// shows or rewrites a stream without loading it (the dump, the form source writer, the tools
// that replace one record's properties). Every read is checked against the bytes that remain
// and nesting is bounded, so a damaged stream ends in EReadError: "Invalid stream format" for a
// bad signature, "Stream read error" for a stream that ends early or nests too deeply, "Invalid
// property value" for a collection item without its list tag.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "framework/components/Extended80.h"
#include "framework/components/Filer.h"
#include "framework/rtl/ByteCursor.h"

namespace wdx {

struct FormItem;

// One tagged value as the stream holds it.
struct FormValue {
  uint8_t tagByte = 0;               // as read: only its low seven bits name the tag
  int64_t integer = 0;               // integers (2, 3, 4, 19); currency's amount times 10000
  uint64_t bits = 0;                 // the IEEE bits of a single (15) or a date (17)
  TExtended80 extended{};            // tag 5
  std::string bytes;                 // strings (6, 12), identifiers (7), binaries (10)
  std::u16string wide;               // tag 18
  std::vector<std::string> members;  // tag 11
  std::vector<FormValue> list;       // tag 1
  std::vector<FormItem> items;       // tag 14

  TValueType Tag() const { return static_cast<TValueType>(tagByte & 0x7F); }
};

struct FormProperty {
  std::string name;
  FormValue value;
};

struct FormItem {
  std::vector<FormValue> order;  // empty, or the item's order value (an integer)
  std::vector<FormProperty> properties;
};

// The header of an object record.
struct FormObjectHeader {
  bool hasPrefix = false;
  uint8_t prefix = 0;               // the whole prefix byte (0xF0 | flags)
  std::vector<FormValue> position;  // the child position, when the prefix has flag 2
  std::string className;
  std::string name;
};

class FormStreamVisitor {
 public:
  virtual ~FormStreamVisitor() = default;
  // An object record's header, as soon as it is read; the root has depth 0.
  virtual void BeginObject(const FormObjectHeader& header, int depth) = 0;
  // One property record of the object of `depth`, read whole; its bytes are [begin, end).
  virtual void Property(const FormProperty& property, int depth, size_t begin, size_t end) = 0;
  // The object's properties are done; `offset` is the tag 0 that closes them.
  virtual void EndProperties(int /*depth*/, size_t /*offset*/) {}
  virtual void EndObject(int depth) = 0;
};

class FormStreamDecoder {
 public:
  explicit FormStreamDecoder(std::span<const uint8_t> bytes) : in_(bytes) {}

  // The signature and the root record with everything in it. Bytes after the root record are
  // not read: Position() then tells where they begin.
  void Walk(FormStreamVisitor& visitor);
  // The signature and the root record's header only: its class name tells which form it is.
  FormObjectHeader ReadRootHeader();
  // The tagged value at the current position.
  FormValue ReadValue(int depth = 0);
  // Where reading stands: after an error, the byte at which it failed.
  size_t Position() const { return in_.Position(); }

 private:
  std::string ShortString() { return std::string(in_.ShortString()); }
  static void Deeper(int depth);
  void Signature();
  FormObjectHeader Header(int depth);
  void Object(FormStreamVisitor& visitor, int depth);
  FormProperty Property(int depth);
  void Payload(FormValue& value, int depth);

  ByteCursor in_;
};

}  // namespace wdx
