// Collects a replacement's content into blocks of 64 KiB, so that the temporary file is written
// in few large pieces however small the pieces the content comes in.
#pragma once

#include <string>
#include <string_view>

#include "platform/Files.h"

namespace wdx::filelayer {

class TBufferedSink : public TByteSink {
 public:
  TBufferedSink();
  void Put(std::string_view bytes) override;
  // Writes what is still buffered.
  void Flush();

 protected:
  ~TBufferedSink() = default;
  // Writes the bytes to the temporary file; throws a TFailure when it cannot.
  virtual void WriteOut(std::string_view bytes) = 0;

 private:
  std::string buffer_;
};

}  // namespace wdx::filelayer
