#include "wire.h"

#include "crc32.h"

namespace tagsim {

void WriteHeader(uint8_t* out, uint32_t length, uint8_t group, uint8_t command, uint8_t flag,
                 uint8_t status) {
  PutU32(out, kFrameMagic);
  PutU32(out + 4, length);
  out[8] = group;
  out[9] = command;
  out[10] = flag;
  out[11] = status;
  PutU32(out + 12, Crc32(out, 12));
}

Bytes EncodeFrame(uint8_t group, uint8_t command, uint8_t flag, uint8_t status, const Bytes& body) {
  Bytes frame(kHeaderSize + body.size());
  WriteHeader(frame.data(), uint32_t(frame.size()), group, command, flag, status);
  if (!body.empty()) std::memcpy(frame.data() + kHeaderSize, body.data(), body.size());
  return frame;
}

bool HeaderCrcValid(const uint8_t* header) { return Crc32(header, 12) == GetU32(header + 12); }

std::string GetFixedText(const uint8_t* p, size_t width) {
  size_t n = 0;
  while (n < width && p[n] != 0) ++n;
  return std::string(reinterpret_cast<const char*>(p), n);
}

void PutFixedText(uint8_t* p, size_t width, const std::string& text) {
  std::memset(p, 0, width);
  size_t n = text.size() < width ? text.size() : width - 1;
  std::memcpy(p, text.data(), n);
}

void FrameScanner::Feed(const uint8_t* data, size_t n) { buffer_.insert(buffer_.end(), data, data + n); }

void FrameScanner::Compact() {
  if (start_ > 0 && (start_ >= 65536 || start_ == buffer_.size())) {
    buffer_.erase(buffer_.begin(), buffer_.begin() + start_);
    start_ = 0;
  }
}

bool FrameScanner::Next(Bytes* frame) {
  static const uint8_t magic[4] = {0x5A, 0x90, 0xEB, 0xA5};
  for (;;) {
    size_t avail = buffer_.size() - start_;
    if (avail < kHeaderSize) {
      // Keep at most what could still begin a header.
      Compact();
      return false;
    }
    const uint8_t* p = buffer_.data() + start_;
    if (std::memcmp(p, magic, 4) != 0) {
      ++start_;
      continue;
    }
    uint32_t length = GetU32(p + 4);
    if (!HeaderCrcValid(p) || length < kHeaderSize || length > kMaxFrame) {
      ++start_;
      continue;
    }
    if (avail < length) {
      Compact();
      return false;
    }
    frame->assign(p, p + length);
    start_ += length;
    Compact();
    return true;
  }
}

}  // namespace tagsim
