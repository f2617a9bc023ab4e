// The storage that a script can address: variable cells and array buffers.
//
// Scripts hold 32-bit addresses (the instruction set's pointers and the
// unsigned 32-bit difference of two of them), so everything a script may
// take the address of lies below 2 GB in both flavours: in the 32-bit flavour
// that is where all memory lies, in the 64-bit flavour this storage comes
// from pages that the system is asked to place there.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>

// `bytes` of zeroed storage below 2 GB, aligned to 16; null when there is none.
void* VmStorageAllocate(size_t bytes);
// Gives back storage from VmStorageAllocate; null is ignored.
void VmStorageFree(void* p);

// The 32-bit address of storage from VmStorageAllocate, as scripts hold it.
inline uint32_t VmStorageAddress(const void* p) {
  return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(p));
}

struct VmStorageDeleter {
  void operator()(void* p) const { VmStorageFree(p); }
};
template <typename T>
using VmStoragePtr = std::unique_ptr<T[], VmStorageDeleter>;

// For tests: the pages (64 KB chunks and large blocks) the storage holds now.
size_t VmStorageChunkCount();
