#include "bench/MappedFileStream.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

#include "framework/rtl/Exceptions.h"

namespace wdx::bench {

TMappedFileStream::TMappedFileStream(const std::string& path) {
  const int file = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (file < 0) throw EReadError("Cannot open " + path);
  const off_t size = lseek(file, 0, SEEK_END);
  if (size > 0) {
    void* mapped = mmap(nullptr, static_cast<size_t>(size), PROT_READ, MAP_PRIVATE, file, 0);
    if (mapped != MAP_FAILED) {
      data_ = static_cast<const uint8_t*>(mapped);
      size_ = static_cast<size_t>(size);
    }
  }
  close(file);
  if (size > 0 && !data_) throw EReadError("Cannot map " + path);
}

TMappedFileStream::~TMappedFileStream() {
  if (data_) munmap(const_cast<uint8_t*>(data_), size_);
}

int64_t TMappedFileStream::Read(void* buffer, int64_t count) {
  const int64_t n = std::clamp<int64_t>(static_cast<int64_t>(size_) - position_, 0, count);
  if (n > 0) std::copy_n(data_ + position_, n, static_cast<uint8_t*>(buffer));
  position_ += n;
  return n;
}

int64_t TMappedFileStream::Write(const void*, int64_t) {
  return 0;
}

int64_t TMappedFileStream::Seek(int64_t offset, TSeekOrigin origin) {
  const int64_t base = origin == TSeekOrigin::soBeginning ? 0
                       : origin == TSeekOrigin::soCurrent ? position_
                                                          : static_cast<int64_t>(size_);
  position_ = std::clamp<int64_t>(base + offset, 0, static_cast<int64_t>(size_));
  return position_;
}

void TMappedFileStream::Consumed(int64_t position) {
  const auto page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
  const size_t end =
      std::min(static_cast<size_t>(std::max<int64_t>(position, 0)), size_) / page * page;
  if (end <= released_) return;
  // Clean pages of a file mapping: dropped from this process, read again on the next touch.
  madvise(const_cast<uint8_t*>(data_) + released_, end - released_, MADV_DONTNEED);
  released_ = end;
}

std::string WriteTemporaryFile(const std::vector<uint8_t>& bytes) {
  const char* folder = std::getenv("TMPDIR");
  std::string path = std::string(folder && *folder ? folder : "/tmp") + "/wdx-bench-XXXXXX";
  const int file = mkstemp(path.data());
  if (file < 0) throw EWriteError("Cannot create " + path);
  size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = write(file, bytes.data() + written, bytes.size() - written);
    if (n <= 0) {
      close(file);
      unlink(path.c_str());
      throw EWriteError("Cannot write " + path);
    }
    written += static_cast<size_t>(n);
  }
  close(file);
  return path;
}

}  // namespace wdx::bench
