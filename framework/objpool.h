// The memory of framework objects (CObject's operator new and delete).
//
// Pictures, layers and lists hold many small objects, made and freed in bulk
// by every load, clone and undo copy. The platform heap costs about 100 ns per
// allocation under Wine, more than reading the object's fields, so objects of
// up to kMaxPooledBytes come from pools instead: per size (in steps of 8
// bytes) a list of 64 KB chunks, each cut into equal slots. A chunk whose
// slots are all free again goes back to the system, except the last free one
// of each size, kept for the next burst. Bigger objects use the heap.
//
// Each program and DLL links its own framework, so each has its own pools:
// an object goes back through its class's deleting destructor, which belongs
// to the module that made the object, so it always returns to the pool it
// came from. Safe for any thread (one lock per module).
#pragma once
#include <cstddef>

namespace qel {

constexpr size_t kMaxPooledBytes = 256;

// nBytes of memory for an object; throws std::bad_alloc.
void* AllocateObjectMemory(size_t nBytes);
// Gives back memory from AllocateObjectMemory; null is ignored.
void FreeObjectMemory(void* p) noexcept;

// For tests: chunks the pools hold now (in use or kept).
size_t PooledChunkCount();

}  // namespace qel
