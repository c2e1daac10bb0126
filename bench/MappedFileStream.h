// A file read through a private read-only mapping, for the benchmarks that load large forms:
// the form reader reads it in place and says how far it has come, and the pages it is done with
// leave the process's resident memory (they are read from the file again should anything look
// at them once more). So a form of any size is loaded without the whole stream in memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "framework/rtl/Streams.h"

namespace wdx::bench {

class TMappedFileStream : public TStream {
 public:
  explicit TMappedFileStream(const std::string& path);
  ~TMappedFileStream() override;
  TMappedFileStream(const TMappedFileStream&) = delete;
  TMappedFileStream& operator=(const TMappedFileStream&) = delete;

  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  std::span<const uint8_t> Contents() const override { return {data_, size_}; }
  void Consumed(int64_t position) override;

 private:
  const uint8_t* data_ = nullptr;
  size_t size_ = 0;
  int64_t position_ = 0;
  size_t released_ = 0;  // the bytes before this have left resident memory
};

// Writes `bytes` to a new temporary file and returns its path; the caller removes it.
std::string WriteTemporaryFile(const std::vector<uint8_t>& bytes);

}  // namespace wdx::bench
