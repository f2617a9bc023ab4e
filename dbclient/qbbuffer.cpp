#include "qbbuffer.h"

#include <cstdlib>
#include <cstring>

#include "qbprotocol.h"

namespace {
constexpr size_t kKeepCapacity = 65536;  // blocks above this are freed on Reset
}

QbBuffer::~QbBuffer() { Release(); }

bool QbBuffer::Reserve(size_t n) {
  if (capacity_ - size_ >= n) return true;
  size_t growth = step_ >= n ? step_ : step_ * (n / step_ + 1);
  size_t capacity = capacity_ + growth;
  if (capacity > QB_MAX_FRAME) capacity = QB_MAX_FRAME;
  if (capacity - size_ < n) return false;
  uint8_t* block = static_cast<uint8_t*>(std::malloc(capacity));
  if (!block) return false;
  if (size_) std::memcpy(block, data_, size_);
  std::free(data_);
  data_ = block;
  capacity_ = capacity;
  return true;
}

bool QbBuffer::Append(const void* source, size_t n) {
  if (n == 0) return false;
  if (!source) {
    failed_ = true;  // bytes meant for the content are missing
    return false;
  }
  uint8_t* target = Extend(n);
  if (!target) return false;
  std::memcpy(target, source, n);
  return true;
}

bool QbBuffer::AppendZeros(size_t n) {
  if (n == 0) return false;
  uint8_t* target = Extend(n);
  if (!target) return false;
  std::memset(target, 0, n);
  return true;
}

uint8_t* QbBuffer::Extend(size_t n) {
  if (n > QB_MAX_FRAME || size_ + n > QB_MAX_FRAME || !Reserve(n)) {
    failed_ = true;
    return nullptr;
  }
  uint8_t* target = data_ + size_;
  size_ += n;
  return target;
}

void QbBuffer::RemoveFront(size_t n) {
  if (n >= size_) {
    size_ = 0;
    return;
  }
  std::memmove(data_, data_ + n, size_ - n);
  size_ -= n;
}

void QbBuffer::Reset() {
  size_ = 0;
  failed_ = false;
  if (capacity_ > kKeepCapacity) Release();
}

void QbBuffer::Release() {
  std::free(data_);
  data_ = nullptr;
  size_ = 0;
  capacity_ = 0;
  failed_ = false;
}
