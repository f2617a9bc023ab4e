#include "objpool.h"

#include <windows.h>

#include <cstdint>
#include <new>

namespace qel {
namespace {

constexpr size_t kChunkBytes = 64 * 1024;  // VirtualAlloc's granularity: chunks are aligned to it
constexpr size_t kStep = 8;                // slot sizes, and the alignment of every slot
constexpr size_t kClasses = kMaxPooledBytes / kStep;  // class c holds slots of (c + 1) * kStep bytes

struct FreeSlot {
  FreeSlot* next;
};

struct Chunk {
  Chunk* prev;      // in its class's list of chunks with room
  Chunk* next;
  bool listed;      // in that list
  FreeSlot* free;   // slots given back
  BYTE* unused;     // slots never handed out begin here
  UINT live;        // slots handed out now
  UINT cls;
};

constexpr size_t kFirstSlot = (sizeof(Chunk) + 15) / 16 * 16;

struct SizeClass {
  Chunk* withRoom = nullptr;  // chunks with a free or unused slot
  Chunk* spare = nullptr;     // one empty chunk kept for the next burst
};

SizeClass g_classes[kClasses];
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

size_t SpanOf(uintptr_t address) { return sizeof(void*) == 4 ? 0 : static_cast<size_t>(uint64_t(address) >> kSpanBits); }

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
Chunk* ChunkOf(const void* p) { return reinterpret_cast<Chunk*>(reinterpret_cast<uintptr_t>(p) & ~(kChunkBytes - 1)); }

void Link(SizeClass& sc, Chunk* c) {
  c->prev = nullptr;
  c->next = sc.withRoom;
  if (sc.withRoom) sc.withRoom->prev = c;
  sc.withRoom = c;
  c->listed = true;
}

void Unlink(SizeClass& sc, Chunk* c) {
  (c->prev ? c->prev->next : sc.withRoom) = c->next;
  if (c->next) c->next->prev = c->prev;
  c->listed = false;
}

void Reset(Chunk* c, UINT cls) {
  c->free = nullptr;
  c->unused = reinterpret_cast<BYTE*>(c) + kFirstSlot;
  c->live = 0;
  c->cls = cls;
}

Chunk* NewChunk(UINT cls) {
  SizeClass& sc = g_classes[cls];
  Chunk* c = sc.spare;
  sc.spare = nullptr;
  if (!c) {
    c = static_cast<Chunk*>(::VirtualAlloc(nullptr, kChunkBytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    if (!c) throw std::bad_alloc();
    BYTE* entry = MakeClassEntry(c);
    if (!entry) {
      ::VirtualFree(c, 0, MEM_RELEASE);
      throw std::bad_alloc();
    }
    *entry = static_cast<BYTE>(cls + 1);
    ++g_chunks;
  }
  Reset(c, cls);
  Link(sc, c);
  return c;
}

bool IsFull(const Chunk* c) {
  size_t untouched = reinterpret_cast<const BYTE*>(c) + kChunkBytes - c->unused;
  return !c->free && untouched < SlotBytes(c->cls);
}

void* TakeSlot(UINT cls) {
  SizeClass& sc = g_classes[cls];
  Chunk* c = sc.withRoom ? sc.withRoom : NewChunk(cls);
  void* p;
  if (c->free) {
    p = c->free;
    c->free = c->free->next;
  } else {
    p = c->unused;
    c->unused += SlotBytes(cls);
  }
  ++c->live;
  if (IsFull(c)) Unlink(sc, c);
  return p;
}

void GiveBack(void* p) {
  Chunk* c = ChunkOf(p);
  SizeClass& sc = g_classes[c->cls];
  FreeSlot* slot = static_cast<FreeSlot*>(p);
  slot->next = c->free;
  c->free = slot;
  if (!c->listed) Link(sc, c);
  if (--c->live > 0) return;
  Unlink(sc, c);
  if (!sc.spare) {
    sc.spare = c;
    return;
  }
  *FindClassEntry(c) = 0;
  --g_chunks;
  ::VirtualFree(c, 0, MEM_RELEASE);
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
