#include "framework/rtl/Streams.h"

#include <algorithm>
#include <cstring>

#include "framework/rtl/Exceptions.h"

namespace wdx {

int64_t TStream::Size() {
  const int64_t position = Position();
  const int64_t size = Seek(0, TSeekOrigin::soEnd);
  Seek(position, TSeekOrigin::soBeginning);
  return size;
}

void TStream::ReadBuffer(void* buffer, int64_t count) {
  if (count < 0 || (count > 0 && Read(buffer, count) != count)) {
    throw EReadError(msg::kStreamReadError);
  }
}

void TStream::WriteBuffer(const void* buffer, int64_t count) {
  if (count < 0 || (count > 0 && Write(buffer, count) != count)) {
    throw EWriteError(msg::kStreamWriteError);
  }
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
  if (count == 0) count = source.Remaining();
  std::vector<uint8_t> chunk(static_cast<size_t>(std::min<int64_t>(count, 65536)));
  int64_t copied = 0;
  while (copied < count) {
    const int64_t step = std::min<int64_t>(count - copied, static_cast<int64_t>(chunk.size()));
    source.ReadBuffer(chunk.data(), step);
    WriteBuffer(chunk.data(), step);
    copied += step;
  }
  return copied;
}

std::vector<uint8_t> ReadRemaining(TStream& stream) {
  std::vector<uint8_t> bytes(static_cast<size_t>(std::max<int64_t>(0, stream.Remaining())));
  stream.ReadBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  return bytes;
}

int64_t TMemoryStream::Read(void* buffer, int64_t count) {
  const int64_t size = static_cast<int64_t>(bytes_.size());
  if (count <= 0 || position_ >= size) return 0;
  const int64_t n = std::min(count, size - position_);
  std::memcpy(buffer, bytes_.data() + position_, static_cast<size_t>(n));
  position_ += n;
  return n;
}

int64_t TMemoryStream::Write(const void* buffer, int64_t count) {
  if (count <= 0) return 0;
  const size_t end = static_cast<size_t>(position_ + count);
  if (end > bytes_.size()) bytes_.resize(end);
  std::memcpy(bytes_.data() + position_, buffer, static_cast<size_t>(count));
  position_ += count;
  return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
  int64_t base = 0;
  if (origin == TSeekOrigin::soCurrent) base = position_;
  if (origin == TSeekOrigin::soEnd) base = static_cast<int64_t>(bytes_.size());
  position_ = std::max<int64_t>(0, base + offset);
  return position_;
}

void TMemoryStream::Clear() {
  bytes_.clear();
  position_ = 0;
}

}  // namespace wdx
