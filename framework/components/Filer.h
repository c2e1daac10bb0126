// The common base of the form stream reader and writer: the value tags of the stream and the
// custom-property definitions through which a class stores data beyond its published
// properties.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace wdx {

class TStream;
class TReader;
class TWriter;
class TComponent;

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

// The code page of a stream's 8-bit strings (tags 6 and 12). A text it cannot hold is written as
// a wide string (tag 18); the language data keeps each language's texts in that language's own
// code page instead (LanguageValues.h).
inline constexpr int kStreamCodePage = 1252;

// Flags of an object record's prefix byte (0xF0 | flags).
enum TFilerFlag : uint8_t { ffInherited = 1, ffChildPos = 2, ffInline = 4 };

// How deeply objects, collections and lists may nest in a stream.
inline constexpr int kMaxFilerDepth = 64;

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

class TFiler {
 public:
  using TReaderProc = std::function<void(TReader&)>;
  using TWriterProc = std::function<void(TWriter&)>;
  using TStreamProc = std::function<void(TStream&)>;

  explicit TFiler(TStream& stream) : stream_(stream) {}
  virtual ~TFiler();
  TFiler(const TFiler&) = delete;
  TFiler& operator=(const TFiler&) = delete;

  TStream& Stream() const { return stream_; }
  // The root component being read or written (the form), or nullptr outside one.
  TComponent* Root() const { return root_; }

  // A custom property: `readData` consumes exactly one value, `writeData` emits exactly one.
  // The writer writes it only when `hasData` is set.
  virtual void DefineProperty(const std::string& name, const TReaderProc& readData,
                              const TWriterProc& writeData, bool hasData) = 0;
  // A custom property stored as one binary value; the routines see only its bytes.
  virtual void DefineBinaryProperty(const std::string& name, const TStreamProc& readData,
                                    const TStreamProc& writeData, bool hasData) = 0;

 protected:
  TStream& stream_;
  TComponent* root_ = nullptr;
};

}  // namespace wdx
