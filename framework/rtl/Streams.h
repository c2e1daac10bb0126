// Byte streams: the sources and sinks of form streams and of text files.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace wdx {

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
 public:
  virtual ~TStream() = default;
  // Reads up to `count` bytes; returns how many were read.
  virtual int64_t Read(void* buffer, int64_t count) = 0;
  virtual int64_t Write(const void* buffer, int64_t count) = 0;
  virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;

  int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
  void SetPosition(int64_t position) { Seek(position, TSeekOrigin::soBeginning); }
  int64_t Size();
  int64_t Remaining() { return Size() - Position(); }
  // Reads exactly `count` bytes or raises EReadError "Stream read error".
  void ReadBuffer(void* buffer, int64_t count);
  // Writes exactly `count` bytes or raises EWriteError "Stream write error".
  void WriteBuffer(const void* buffer, int64_t count);
  // Copies `count` bytes from `source` (all that remains when count is 0).
  int64_t CopyFrom(TStream& source, int64_t count);

  // The stream's bytes where they lie, for a stream that holds them in memory (a memory
  // stream, a mapped file), so that a reader can read them in place; empty for any other.
  // Valid until the stream is written to or destroyed.
  virtual std::span<const uint8_t> Contents() const { return {}; }
  // Told by a reader of Contents that it is done with the bytes before `position`: a stream
  // that can give their memory back may do so, as long as they stay readable.
  virtual void Consumed(int64_t /*position*/) {}
};

// The bytes from the stream's position to its end; the stream is left at its end.
std::vector<uint8_t> ReadRemaining(TStream& stream);

class TMemoryStream : public TStream {
 public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}
  explicit TMemoryStream(const std::string& bytes) : bytes_(bytes.begin(), bytes.end()) {}

  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;

  const std::vector<uint8_t>& Bytes() const { return bytes_; }
  std::span<const uint8_t> Contents() const override { return bytes_; }
  std::string AsString() const { return std::string(bytes_.begin(), bytes_.end()); }
  void Clear();

 private:
  std::vector<uint8_t> bytes_;
  int64_t position_ = 0;
};

}  // namespace wdx
