#include "platform/files/BufferedSink.h"

namespace wdx::filelayer {

namespace {
constexpr size_t kBlock = 1 << 16;
}  // namespace

TBufferedSink::TBufferedSink() {
  buffer_.reserve(kBlock);
}

void TBufferedSink::Put(std::string_view bytes) {
  if (bytes.size() >= kBlock) {
    Flush();
    WriteOut(bytes);
    return;
  }
  if (buffer_.size() + bytes.size() > kBlock) Flush();
  buffer_.append(bytes);
}

void TBufferedSink::Flush() {
  WriteOut(buffer_);
  buffer_.clear();
}

}  // namespace wdx::filelayer
