// Memory of the script machine: the map of every live variable's storage, and
// the cell tables with their buffers that hold the globals and each frame.
//
// Scripts hold real 32-bit addresses (of array buffers and of cell values),
// and a code-byte file may be hostile, so every access through an address is
// checked against this map: only bytes inside one live buffer, or inside the
// 8-byte value of one live cell, can be read or written.
#pragma once
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "vmcell.h"

class VmMemoryMap {
 public:
  // Limits that keep a hostile file from exhausting the process.
  static constexpr size_t kMaxBufferBytes = 16u << 20;  // one array
  static constexpr size_t kMaxTotalBytes = 64u << 20;   // all arrays of one machine

  // Registers `count` cells at `cells` (their values only are accessible).
  void AddCells(const VmCell* cells, size_t count);
  // Registers a buffer of `size` bytes; false when the budget is exhausted.
  bool AddBuffer(const void* data, size_t size);
  void Remove(const void* start);

  // True when [address, address + size) lies in one live region.
  bool Accessible(uint32_t address, size_t size) const;
  // Bytes from `address` to the end of its region (0 when it lies in none).
  size_t Room(uint32_t address) const;
  bool Read(uint32_t address, void* out, size_t size) const;
  bool Write(uint32_t address, const void* data, size_t size) const;
  // The length of the zero-terminated text at `address` when the zero lies
  // inside the same region; false otherwise.
  bool StringLength(uint32_t address, size_t* length) const;

  size_t BufferBytes() const { return buffer_bytes_; }

  // The tokenizer's position (strtok): the address after the last token, 0
  // at the end. It lives here so that it is forgotten with the storage it
  // points into: a later strtok(NULL) then finds no more tokens instead of
  // reading whatever takes that place.
  uint32_t TokenNext() const { return token_next_; }
  void SetTokenNext(uint32_t address) { token_next_ = address; }

 private:
  struct Region {
    size_t size;
    bool cells;
  };
  const Region* Find(uintptr_t address, uintptr_t* start) const;

  std::map<uintptr_t, Region> regions_;
  size_t buffer_bytes_ = 0;
  uint32_t token_next_ = 0;
};

// One table of variable cells with the buffers of its arrays: the globals, or
// the parameters and locals of one frame. Cells live in blocks of 32 that never
// move, so addresses of their values stay valid as the table grows.
class VmVariables {
 public:
  static constexpr size_t kBlockCells = 32;
  static constexpr size_t kMaxCells = 65536;

  explicit VmVariables(VmMemoryMap& memory) : memory_(memory) {}
  ~VmVariables();
  VmVariables(const VmVariables&) = delete;
  VmVariables& operator=(const VmVariables&) = delete;

  size_t Count() const { return count_; }
  VmCell* Cell(uint32_t index);
  // Appends a cell (a parameter); 0 or an end code.
  int Append(const VmCell& cell);
  // Creates variable `index` with its type byte and element count, copying up
  // to `count` initial bytes for a character array; nothing happens when the
  // variable exists already. 0 or an end code.
  int Create(uint32_t index, uint8_t type, uint32_t count, const uint8_t* init, size_t init_length);

 private:
  VmCell* Grow();
  int MakeBuffer(uint8_t type, uint32_t count, const uint8_t* init, size_t init_length,
                 uint32_t* address);

  VmMemoryMap& memory_;
  std::vector<std::unique_ptr<VmCell[]>> blocks_;
  std::vector<bool> created_;  // false for cells that only fill a gap below a created one
  std::vector<std::unique_ptr<uint8_t[]>> buffers_;
  size_t count_ = 0;
};
