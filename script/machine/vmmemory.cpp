#include "vmmemory.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "vmcodes.h"

// ---- the map of live storage ------------------------------------------------

bool VmMemoryMap::InsertRegion(const void* start, size_t size, bool cells) {
  return regions_.Insert(
      VmRegion{reinterpret_cast<uintptr_t>(start), static_cast<uint32_t>(size), cells ? 1u : 0u});
}

bool VmMemoryMap::AddRegion(const void* start, size_t size, bool cells) {
  if (!Reserve(size + kRegionOverhead)) return false;
  if (InsertRegion(start, size, cells)) return true;
  Release(size + kRegionOverhead);
  return false;
}

bool VmMemoryMap::MapCells(const VmCell* cells, size_t count) {
  return InsertRegion(cells, count * sizeof(VmCell), true);
}

void VmMemoryMap::UnmapCells(const VmCell* cells) {
  VmRegion r;
  EraseRegion(cells, &r);
}

bool VmMemoryMap::Fits(size_t buffer_size) const {
  return buffer_size <= kMaxBufferBytes && buffer_size + kRegionOverhead <= kMaxTotalBytes - bytes_in_use_;
}

bool VmMemoryMap::AddBuffer(const void* data, size_t size) {
  return size <= kMaxBufferBytes && AddRegion(data, size, false);
}

bool VmMemoryMap::EraseRegion(const void* start, VmRegion* erased) {
  if (!regions_.Erase(reinterpret_cast<uintptr_t>(start), erased)) return false;
  if (token_next_ - erased->start < erased->size) token_next_ = 0;
  return true;
}

void VmMemoryMap::Remove(const void* start) {
  VmRegion r;
  if (EraseRegion(start, &r)) Release(r.size + kRegionOverhead);
}

size_t VmMemoryMap::Room(uint32_t address) const {
  const VmRegion* r = regions_.Find(address);
  if (!r) return 0;
  size_t offset = address - r->start;
  if (!r->cells) return r->size - offset;
  // Inside a cell only its 8 value bytes are storage; the type byte is not.
  size_t in_cell = offset % sizeof(VmCell);
  if (in_cell < offsetof(VmCell, value)) return 0;
  return sizeof(VmCell) - in_cell;
}

bool VmMemoryMap::InBuffer(uint32_t address) const {
  const VmRegion* r = regions_.Find(address);
  return r && !r->cells;
}

bool VmMemoryMap::Read(uint32_t address, void* out, size_t size) const {
  if (!Accessible(address, size)) return false;
  std::memcpy(out, reinterpret_cast<const void*>(static_cast<uintptr_t>(address)), size);
  return true;
}

bool VmMemoryMap::Write(uint32_t address, const void* data, size_t size) const {
  if (!Accessible(address, size)) return false;
  std::memmove(reinterpret_cast<void*>(static_cast<uintptr_t>(address)), data, size);
  return true;
}

bool VmMemoryMap::StringLength(uint32_t address, size_t* length) const {
  size_t room = Room(address);
  if (room == 0) return false;
  const void* p = reinterpret_cast<const void*>(static_cast<uintptr_t>(address));
  const void* zero = std::memchr(p, 0, room);
  if (!zero) return false;
  *length = static_cast<const char*>(zero) - static_cast<const char*>(p);
  return true;
}

// ---- variable tables --------------------------------------------------------

VmVariables::~VmVariables() { Clear(); }

void VmVariables::ClearAll() {
  for (size_t b = 0; b < live_blocks_; ++b) {
    if (exposed_) memory_.UnmapCells(blocks_[b].get());
    memory_.UncountCells(kBlockCells);
  }
  for (auto& buffer : buffers_) memory_.Remove(buffer.get());
  buffers_.clear();
  live_blocks_ = 0;
  exposed_ = false;
  count_ = 0;
}

bool VmVariables::Expose() {
  if (exposed_) return true;
  // Cells of a kept block above the last variable still hold what an earlier
  // use left there; in the map they read as the zeros of a new block.
  for (size_t i = count_; i < live_blocks_ * kBlockCells; ++i)
    blocks_[i / kBlockCells][i % kBlockCells] = VmCell();
  for (size_t b = 0; b < live_blocks_; ++b) {
    if (!memory_.MapCells(blocks_[b].get(), kBlockCells)) {
      for (size_t m = 0; m < b; ++m) memory_.UnmapCells(blocks_[m].get());
      return false;
    }
  }
  exposed_ = true;
  return true;
}

bool VmVariables::EnterBlock() {
  if (count_ >= kMaxCells) return false;
  if (live_blocks_ == blocks_.size()) {
    // Zeroed storage is a block of default cells.
    VmStoragePtr<VmCell> block(static_cast<VmCell*>(VmStorageAllocate(kBlockCells * sizeof(VmCell))));
    if (!block) return false;
    try {
      created_.resize((blocks_.size() + 1) * kBlockCells);
      blocks_.push_back(std::move(block));
    } catch (const std::bad_alloc&) {
      return false;
    }
  } else if (exposed_) {
    // A block kept from an earlier use enters the map with the values of a new one.
    std::fill(blocks_[live_blocks_].get(), blocks_[live_blocks_].get() + kBlockCells, VmCell());
  }
  VmCell* block = blocks_[live_blocks_].get();
  if (!memory_.CountCells(kBlockCells)) return false;
  if (exposed_ && !memory_.MapCells(block, kBlockCells)) {
    memory_.UncountCells(kBlockCells);
    return false;
  }
  ++live_blocks_;
  return true;
}

uint64_t VmVariables::BufferSize(uint8_t type, uint32_t count) {
  if (!(type & kVmAddress) || (type & kVmPointer)) return 0;
  // A global character array or string constant: its text and a terminating zero.
  if (type == (kVmGlobal | kVmAddress | VB_I8)) return uint64_t(count) + 1;
  const int element = ElementSize(BaseOf(type));
  return ((uint64_t(count) + 1) * element + 3) & ~uint64_t(3);
}

uint64_t VmVariables::CellsToMake(uint32_t index) const {
  if (index < count_) return 0;
  return uint64_t(index) + 1 - count_;
}

int VmVariables::MakeBuffer(uint8_t type, uint32_t count, const uint8_t* init, size_t init_length,
                            uint32_t* address) {
  if (ElementSize(BaseOf(type)) == 0) return kVmNoMemory;
  const uint64_t size = BufferSize(type, count);
  if (type != (kVmGlobal | kVmAddress | VB_I8)) init_length = 0;
  // The cap is asked before the buffer is made and zeroed.
  if (size > VmMemoryMap::kMaxBufferBytes || !memory_.Fits(static_cast<size_t>(size)))
    return kVmNoBufferMemory;
  VmStoragePtr<uint8_t> owned(static_cast<uint8_t*>(VmStorageAllocate(static_cast<size_t>(size))));
  if (!owned) return kVmNoBufferMemory;
  uint8_t* buffer = owned.get();
  try {
    buffers_.push_back(std::move(owned));
  } catch (const std::bad_alloc&) {
    return kVmNoBufferMemory;
  }
  // Registered only once it is owned, so that the map never names freed storage.
  if (!memory_.AddBuffer(buffer, static_cast<size_t>(size))) {
    buffers_.pop_back();
    return kVmNoBufferMemory;
  }
  if (init) std::memcpy(buffer, init, init_length < count ? init_length : count);
  *address = VmStorageAddress(buffer);
  return 0;
}

int VmVariables::Create(uint32_t index, uint8_t type, uint32_t count, const uint8_t* init,
                        size_t init_length) {
  if (index < count_ && created_[index]) return 0;
  if (index >= kMaxCells) return kVmGrowCellTable;
  // Cells below `index` that no declaration has created yet only hold places.
  while (count_ <= index) {
    VmCell* gap = Grow();
    if (!gap) return kVmGrowCellTable;
    *gap = MakeCell(static_cast<uint8_t>((type & kVmVariableMask) | VB_I32), 0);
    created_[count_ - 1] = false;
  }
  VmCell cell = MakeCell(type, 0);
  if (type & kVmAddress && !(type & kVmPointer)) {
    uint32_t address = 0;
    int rc = MakeBuffer(type, count, init, init_length, &address);
    if (rc) return rc;
    cell.value = address;
  }
  *Cell(index) = cell;
  created_[index] = true;
  return 0;
}
