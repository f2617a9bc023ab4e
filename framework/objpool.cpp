#include "objpool.h"

#include <windows.h>

#include <cstdint>
#include <new>

#include "slabpages.h"

namespace qel {
namespace {

constexpr size_t kStep = 8;                           // slot sizes, and the alignment of every slot
constexpr size_t kClasses = kMaxPooledBytes / kStep;  // class c holds slots of (c + 1) * kStep bytes

SlabClass g_classes[kClasses];
size_t g_chunks = 0;
volatile LONG g_lock = 0;

// Which 64 KB chunk of the address space holds which size class: 0, or the
// class + 1 of the chunk there. A two-level table by address: the leaf of each
// 4 GB span holds one byte per chunk, made when a chunk first lands in its
// span (the 32-bit flavour has one span). A chunk that lands beyond the
// table's spans (past the platform's 47-bit user addresses) is taken as if
// the system had none to give.
constexpr size_t kSpanBits = 32;
constexpr size_t kLeafEntries = size_t(1) << (kSpanBits - 16);
constexpr size_t kSpans = sizeof(void*) == 4 ? 1 : size_t(1) << 15;  // 47-bit user addresses
typedef BYTE ChunkLeaf[kLeafEntries];

ChunkLeaf* volatile g_leaves[kSpans];

size_t SpanOf(uintptr_t address) {
  return sizeof(void*) == 4 ? 0 : static_cast<size_t>(uint64_t(address) >> kSpanBits);
}

// The entry of the chunk at p, or null where no chunk was ever made in its span.
BYTE* FindClassEntry(const void* p) {
  uintptr_t address = reinterpret_cast<uintptr_t>(p);
  size_t span = SpanOf(address);
  ChunkLeaf* leaf = span < kSpans ? g_leaves[span] : nullptr;
  return leaf ? &(*leaf)[(address >> 16) & (kLeafEntries - 1)] : nullptr;
}

// The entry of a new chunk at p, making its leaf (under the lock); null when
// p lies beyond the table or there is no memory for the leaf.
BYTE* MakeClassEntry(const void* p) {
  size_t span = SpanOf(reinterpret_cast<uintptr_t>(p));
  if (span >= kSpans) return nullptr;
  if (!g_leaves[span]) {
    void* leaf = ::VirtualAlloc(nullptr, sizeof(ChunkLeaf), MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    if (!leaf) return nullptr;
    g_leaves[span] = static_cast<ChunkLeaf*>(leaf);  // leaves are never given back
  }
  return FindClassEntry(p);
}

// Held for a few instructions at a time: a spin lock that yields when busy,
// and sleeps once it has waited long (a holder of lower priority gets to run).
class PoolLock {
 public:
  PoolLock() {
    for (int waits = 0; ::InterlockedExchange(&g_lock, 1) != 0; ++waits) ::Sleep(waits < 64 ? 0 : 1);
  }
  ~PoolLock() { ::InterlockedExchange(&g_lock, 0); }
  PoolLock(const PoolLock&) = delete;
  PoolLock& operator=(const PoolLock&) = delete;
};

size_t SlotBytes(UINT cls) { return (cls + 1) * kStep; }

// A fresh chunk with its entry in the table; null when there is none.
SlabPage* NewChunk(UINT cls) {
  void* c = ::VirtualAlloc(nullptr, kSlabPageBytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
  if (!c) return nullptr;
  BYTE* entry = MakeClassEntry(c);
  if (!entry) {
    ::VirtualFree(c, 0, MEM_RELEASE);
    return nullptr;
  }
  *entry = static_cast<BYTE>(cls + 1);
  ++g_chunks;
  return static_cast<SlabPage*>(c);
}

void* TakeSlot(UINT cls) {
  void* p = g_classes[cls].Take(cls, SlotBytes(cls), [cls] { return NewChunk(cls); });
  if (!p) throw std::bad_alloc();
  return p;
}

void GiveBack(void* p) {
  SlabPage* c = SlabPageOf(p);
  SlabPage* empty = g_classes[c->cls].GiveBack(c, p);
  if (!empty) return;
  *FindClassEntry(empty) = 0;
  --g_chunks;
  ::VirtualFree(empty, 0, MEM_RELEASE);
}

}  // namespace

void* AllocateObjectMemory(size_t nBytes) {
  if (nBytes > kMaxPooledBytes) return ::operator new(nBytes);
  UINT cls = static_cast<UINT>(nBytes == 0 ? 0 : (nBytes - 1) / kStep);
  PoolLock lock;
  return TakeSlot(cls);
}

void FreeObjectMemory(void* p) noexcept {
  if (!p) return;
  const BYTE* entry = FindClassEntry(p);
  if (!entry || *entry == 0) {  // no chunk there: the object came from the heap
    ::operator delete(p);
    return;
  }
  PoolLock lock;
  GiveBack(p);
}

size_t PooledChunkCount() {
  PoolLock lock;
  return g_chunks;
}

}  // namespace qel
