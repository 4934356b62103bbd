#include "decoder/FileWindow.h"

#include <array>
#include <cstring>

#include "decoder/LegacyPath.h"
#include "decoder/RegularFile.h"

namespace sorv {

namespace {

uint32_t littleEndian32(const unsigned char* bytes) {
  return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

int64_t fileSize(std::FILE* file) {
  if (std::fseek(file, 0, SEEK_END) != 0) return -1;
  const long size = std::ftell(file);
  std::fseek(file, 0, SEEK_SET);
  return size;
}

}  // namespace

FileWindow::~FileWindow() {
  if (file_) std::fclose(file_);
}

bool FileWindow::open(const std::string& path) {
  file_ = openRegularFile(path);
  if (!file_) return false;
  size_ = fileSize(file_);
  if (size_ < 0) return false;
  std::array<unsigned char, 12> head{};
  if (std::fread(head.data(), 1, head.size(), file_) == head.size() &&
      std::memcmp(head.data(), "RIFF", 4) == 0) {
    if (!findDataChunk()) return false;
  }
  return seek(0, SEEK_SET) == 0;
}

// Walks the chunks after the 12-byte RIFF header; chunks are padded to an even size.
bool FileWindow::findDataChunk() {
  const int64_t total = size_;
  int64_t offset = 12;
  std::array<unsigned char, 8> chunk{};
  while (offset + 8 <= total) {
    if (std::fseek(file_, offset, SEEK_SET) != 0) return false;
    if (std::fread(chunk.data(), 1, chunk.size(), file_) != chunk.size()) return false;
    const int64_t length = littleEndian32(chunk.data() + 4);
    if (std::memcmp(chunk.data(), "data", 4) == 0) {
      start_ = offset + 8;
      size_ = std::min(length, total - start_);
      return size_ > 0;
    }
    offset += 8 + length + (length & 1);
  }
  return false;
}

long FileWindow::read(void* buffer, std::size_t size) {
  if (!file_) return -1;
  const int64_t left = size_ - position_;
  if (left <= 0) return 0;
  if (static_cast<int64_t>(size) > left) size = static_cast<std::size_t>(left);
  if (needsSeek_) {
    if (std::fseek(file_, start_ + position_, SEEK_SET) != 0) return -1;
    needsSeek_ = false;
  }
  const std::size_t got = std::fread(buffer, 1, size, file_);
  position_ += static_cast<int64_t>(got);
  return static_cast<long>(got);
}

int64_t FileWindow::seek(int64_t offset, int whence) {
  int64_t target = offset;
  if (whence == SEEK_CUR) target += position_;
  if (whence == SEEK_END) target += size_;
  if (target < 0 || target > size_) return -1;
  position_ = target;
  needsSeek_ = true;
  return position_;
}

}  // namespace sorv
