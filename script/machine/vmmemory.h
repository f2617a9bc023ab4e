// Memory of the script machine: the map of every live variable's storage, and
// the cell tables with their buffers that hold the globals and each frame.
//
// Scripts hold real 32-bit addresses (of array buffers and of cell values,
// which come from the storage below 2 GB, vmstorage.h), and a code-byte file
// may be hostile, so every access through an address is
// checked against this map: only bytes inside one live buffer, or inside the
// 8-byte value of one live cell, can be read or written.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "vmcell.h"
#include "vmcodes.h"
#include "vmregions.h"
#include "vmstorage.h"

class VmMemoryMap {
 public:
  // Limits that keep a hostile file from exhausting the process.
  static constexpr size_t kMaxBufferBytes = 16u << 20;  // one array
  static constexpr size_t kMaxTotalBytes = 64u << 20;   // everything one machine holds
  // Bookkeeping counted with every region besides its bytes (the map's node,
  // the owner's entry and the heap's header), so that many tiny arrays
  // cannot hold much more than the cap.
  static constexpr size_t kRegionOverhead = 64;

  // Cells are counted against the cap when they are made (with a region's
  // bookkeeping), and enter the map (their values only accessible) when a
  // script first takes the address of one of them, as nothing can reach them
  // before. CountCells is false when the cap is reached, MapCells when there
  // is no memory for the entry.
  bool CountCells(size_t count) { return Reserve(count * sizeof(VmCell) + kRegionOverhead); }
  void UncountCells(size_t count) { Release(count * sizeof(VmCell) + kRegionOverhead); }
  bool MapCells(const VmCell* cells, size_t count);
  void UnmapCells(const VmCell* cells);
  // Registers a buffer of `size` bytes; false when the cap is reached.
  bool AddBuffer(const void* data, size_t size);
  // Whether a buffer of `size` bytes would be accepted now.
  bool Fits(size_t buffer_size) const;
  void Remove(const void* start);

  // Memory that the machine holds outside the map (call frames with their
  // register blocks), counted against the same cap; false when it is reached.
  bool Reserve(size_t bytes) {
    if (bytes > kMaxTotalBytes - bytes_in_use_) return false;
    bytes_in_use_ += bytes;
    if (bytes_in_use_ > peak_bytes_) peak_bytes_ = bytes_in_use_;
    return true;
  }
  void Release(size_t bytes) { bytes_in_use_ -= bytes; }

  // True when [address, address + size) lies in one live region.
  bool Accessible(uint32_t address, size_t size) const {
    return size > 0 && (regions_.InLastBuffer(address, size) || Room(address) >= size);
  }
  // Bytes from `address` to the end of its region (0 when it lies in none).
  size_t Room(uint32_t address) const;
  // True when `address` lies in an array's buffer (not in a cell's value).
  bool InBuffer(uint32_t address) const;
  bool Read(uint32_t address, void* out, size_t size) const;
  bool Write(uint32_t address, const void* data, size_t size) const;
  // The length of the zero-terminated text at `address` when the zero lies
  // inside the same region; false otherwise.
  bool StringLength(uint32_t address, size_t* length) const;

  // Bytes counted against the cap now, and the most since the machine was made.
  size_t BytesInUse() const { return bytes_in_use_; }
  size_t PeakBytes() const { return peak_bytes_; }

  // The tokenizer's position (strtok): the address after the last token, 0
  // at the end. It lives here so that it is forgotten with the storage it
  // points into: a later strtok(NULL) then finds no more tokens instead of
  // reading whatever takes that place.
  uint32_t TokenNext() const { return token_next_; }
  void SetTokenNext(uint32_t address) { token_next_ = address; }

 private:
  bool AddRegion(const void* start, size_t size, bool cells);
  bool InsertRegion(const void* start, size_t size, bool cells);
  // Takes a region out of the index (forgetting the tokenizer's position in
  // it); false when none starts there.
  bool EraseRegion(const void* start, VmRegion* erased);

  VmRegionIndex regions_;
  size_t bytes_in_use_ = 0;
  size_t peak_bytes_ = 0;
  uint32_t token_next_ = 0;
};

// One table of variable cells with the buffers of its arrays: the globals, or
// the parameters and locals of one frame. Cells live in blocks of 32 that never
// move, so addresses of their values stay valid as the table grows.
class VmVariables {
 public:
  static constexpr size_t kBlockCells = 32;
  static constexpr size_t kMaxCells = 65536;
  // What a block of cells counts against the cap.
  static constexpr size_t kBlockBytes = kBlockCells * sizeof(VmCell) + VmMemoryMap::kRegionOverhead;

  explicit VmVariables(VmMemoryMap& memory) : memory_(memory) {}
  ~VmVariables();
  VmVariables(const VmVariables&) = delete;
  VmVariables& operator=(const VmVariables&) = delete;

  size_t Count() const { return count_; }
  // The map that the table's storage is registered in.
  const VmMemoryMap& Memory() const { return memory_; }
  // The blocks of cells the table holds, in use or kept.
  size_t KeptBlocks() const { return blocks_.size(); }
  // Empties the table as its destruction would (its cells and buffers leave
  // the map and the cap), but keeps the blocks of cells for the table's next
  // use: a frame is emptied on its return and used again by the next call.
  // `also` bytes that the owner counted are released with the table's, at once.
  void Clear(size_t also = 0) {
    // The common frame, laid out straight: cells that no script has the
    // address of, no arrays.
    if (__builtin_expect(exposed_ || !buffers_.empty(), 0)) {
      ClearAll();
      memory_.Release(also);
      return;
    }
    memory_.Release(live_blocks_ * kBlockBytes + also);
    live_blocks_ = 0;
    count_ = 0;
  }
  // Puts the table's cells into the memory map, before the address of one of
  // them is handed to a script; false when there is no memory for that.
  bool Expose();
  // The cell of variable `index`, or null when the table has none (inline:
  // the machine looks up a local on nearly every instruction).
  VmCell* Cell(uint32_t index) {
    if (index >= count_) return nullptr;
    return &blocks_[index / kBlockCells][index % kBlockCells];
  }
  // Appends a cell (a parameter); 0 or an end code.
  int Append(const VmCell& cell) {
    VmCell* c = Grow();
    if (!c) return kVmGrowCellTable;
    *c = cell;
    return 0;
  }
  // The parameters of a call taken at once, into a table that Clear emptied
  // and that kept a block (KeptFirstCells): whether the top n cells of an
  // argument stack of `pushed` cells can begin it in that block, and, once
  // the caller has counted the block (kBlockBytes), takes them there as n
  // Appends of cells popped one by one would (the top first, marked as
  // locals), returning the table's first cell. The first `placed` of them
  // may have been written into those cells by the caller already (with
  // their marks), in place of the top of the stack, as nothing reads them
  // before: the rest come from the stack. Inline: most calls take their
  // parameters so.
  static bool CanTakeFromStack(size_t n, size_t pushed) { return n <= kBlockCells && n <= pushed; }
  // The first cells of the first kept block, or null while the table has none.
  VmCell* KeptFirstCells() const { return blocks_.empty() ? nullptr : blocks_[0].get(); }
  VmCell* TakeFromStack(std::vector<VmCell>& stack, size_t n, size_t placed = 0) {
    live_blocks_ = 1;
    VmCell* cells = blocks_[0].get();
    const VmCell* top = stack.data() + stack.size();
    for (size_t i = placed; i < n; ++i) {
      const VmCell& pushed = top[-1 - static_cast<ptrdiff_t>(i - placed)];
      cells[i] = MakeCell(static_cast<uint8_t>(pushed.type | kVmLocal), pushed.value);
    }
    // The first block's flags set at once, a store of a fixed size: those
    // above the count are read only once the cell there is made, which sets
    // its own.
    std::memset(created_.data(), 1, kBlockCells);
    count_ = n;
    if (n > placed) stack.resize(stack.size() - (n - placed));
    return cells;
  }
  // Creates variable `index` with its type byte and element count, copying up
  // to `count` initial bytes for a character array; nothing happens when the
  // variable exists already. 0 or an end code.
  int Create(uint32_t index, uint8_t type, uint32_t count, const uint8_t* init, size_t init_length);

  // Whether variable `index` has been created.
  bool Created(uint32_t index) const { return index < count_ && created_[index]; }
  // The cells that creating variable `index` appends (itself and the gap below it).
  uint64_t CellsToMake(uint32_t index) const;
  // The bytes of the buffer that a variable of this type byte and element
  // count owns (0 for scalars and pointers).
  static uint64_t BufferSize(uint8_t type, uint32_t count);

 private:
  // The next cell, created; null at the most cells or without memory.
  VmCell* Grow() {
    if (count_ == live_blocks_ * kBlockCells && !EnterKeptBlock() && !EnterBlock()) return nullptr;
    const size_t index = count_++;
    created_[index] = true;
    return &blocks_[index / kBlockCells][index % kBlockCells];
  }
  // Takes the next block of cells into use: a kept one that no script can
  // reach (the first of a frame used again, inline), else any kept or new one.
  bool EnterKeptBlock() {
    if (live_blocks_ == blocks_.size() || exposed_ || count_ >= kMaxCells || !memory_.CountCells(kBlockCells))
      return false;
    ++live_blocks_;
    return true;
  }
  bool EnterBlock();
  static_assert(kMaxCells % kBlockCells == 0, "the most cells end at a block's end");
  void ClearAll();
  int MakeBuffer(uint8_t type, uint32_t count, const uint8_t* init, size_t init_length, uint32_t* address);

  VmMemoryMap& memory_;
  std::vector<VmStoragePtr<VmCell>> blocks_;  // the first live_blocks_ hold the cells
  size_t live_blocks_ = 0;
  bool exposed_ = false;  // the live blocks are in the memory map
  // 0 for cells that only fill a gap below a created one: a flag for each
  // cell of the blocks, valid below count_ (a byte each, as every parameter
  // sets one).
  std::vector<uint8_t> created_;
  std::vector<VmStoragePtr<uint8_t>> buffers_;
  size_t count_ = 0;
};
