// Growable byte buffer of the client: grows in fixed steps, never beyond 4 MB,
// and gives a large block back when it is emptied.
#pragma once
#include <cstddef>
#include <cstdint>

class QbBuffer {
 public:
  explicit QbBuffer(size_t growthStep) : step_(growthStep) {}
  ~QbBuffer();
  QbBuffer(const QbBuffer&) = delete;
  QbBuffer& operator=(const QbBuffer&) = delete;

  // Appends n bytes (n of at least 1, from a non-null source); false when the
  // content would exceed 4 MB or memory runs out, and nothing is appended then.
  bool Append(const void* source, size_t n);
  bool AppendZeros(size_t n);
  // True when an append since the last Reset or Release was refused: the
  // content lacks bytes that were meant to be in it, so a request built
  // piece by piece is not sent.
  bool Failed() const { return failed_; }
  // Removes the first n bytes (all when n exceeds the content).
  void RemoveFront(size_t n);
  // Sets the length to 0; frees a block above 64 KB.
  void Reset();
  // Frees the block whatever its size.
  void Release();

  const uint8_t* Data() const { return data_; }
  uint8_t* Data() { return data_; }
  size_t Size() const { return size_; }
  size_t Capacity() const { return capacity_; }

 private:
  bool Reserve(size_t n);
  // Room for n more bytes behind the content, counted in: its start; null,
  // and the buffer marked failed, when the content would exceed 4 MB or
  // memory runs out.
  uint8_t* Extend(size_t n);

  uint8_t* data_ = nullptr;
  size_t size_ = 0;
  size_t capacity_ = 0;
  size_t step_;
  bool failed_ = false;
};
