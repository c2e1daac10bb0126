// The common base of the form stream reader and writer: the stream they work on and the
// custom-property definitions through which a class stores data beyond its published
// properties.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "framework/components/FormValues.h"
#include "framework/rtl/FunctionRef.h"

namespace wdx {

class ByteCursor;
class TStream;
class TReader;
class TWriter;
class TComponent;

// The code page of a stream's 8-bit strings (tags 6 and 12). A text it cannot hold is written as
// a wide string (tag 18); the language data keeps each language's texts in that language's own
// code page instead (LanguageValues.h).
inline constexpr int kStreamCodePage = 1252;

// Flags of an object record's prefix byte (0xF0 | flags).
enum TFilerFlag : uint8_t { ffInherited = 1, ffChildPos = 2, ffInline = 4 };

class TFiler {
 public:
  // The routines of a definition, called (if at all) before the definition returns.
  using TReaderProc = FunctionRef<void(TReader&)>;
  using TWriterProc = FunctionRef<void(TWriter&)>;
  using TStreamProc = FunctionRef<void(TStream&)>;
  using TBytesProc = FunctionRef<void(ByteCursor&)>;

  explicit TFiler(TStream& stream) : stream_(stream) {}
  virtual ~TFiler();
  TFiler(const TFiler&) = delete;
  TFiler& operator=(const TFiler&) = delete;

  TStream& Stream() const { return stream_; }
  // The root component being read or written (the form), or nullptr outside one.
  TComponent* Root() const { return root_; }

  // A custom property: `readData` consumes exactly one value, `writeData` emits exactly one.
  // The writer writes it only when `hasData` is set.
  virtual void DefineProperty(std::string_view name, TReaderProc readData, TWriterProc writeData,
                              bool hasData) = 0;
  // A custom property stored as one binary value; the routines see only its bytes.
  virtual void DefineBinaryProperty(std::string_view name, TStreamProc readData,
                                    TStreamProc writeData, bool hasData) = 0;
  // The same, read straight from the stream's bytes: a cursor over exactly the binary's bytes.
  virtual void DefineBinaryProperty(std::string_view name, TBytesProc readData,
                                    TStreamProc writeData, bool hasData) = 0;

 protected:
  TStream& stream_;
  TComponent* root_ = nullptr;
};

}  // namespace wdx
