#include "vmstorage.h"

#include <windows.h>

#include <cstring>
#include <mutex>

// Storage comes in pages of 64 KB (the system's allocation granularity, so
// every page starts on a 64 KB boundary) asked for below 2 GB. Small blocks
// (up to kLargestSlot bytes) are slots of equal size in a page per size
// class; a larger block is a page of its own, rounded up to whole pages. Each
// page starts with its header, so the page of any block is its address with
// the low 16 bits cleared. A page whose slots are all free again goes back to
// the system, but the last one of each class, kept for the next burst.

namespace {

constexpr size_t kPageBytes = 64 * 1024;
constexpr size_t kSmallestSlot = 16;
constexpr size_t kLargestSlot = 16 * 1024;
constexpr uint32_t kClasses = 11;  // 16, 32, ... 16384 bytes
constexpr uint32_t kLargeBlock = kClasses;
constexpr uint32_t kMagic = 0x56537467;  // marks a page header

struct FreeSlot {
  FreeSlot* next;
};

struct Page {
  uint32_t magic;
  uint32_t cls;      // the size class, or kLargeBlock
  Page* prev;        // in its class's list of pages with room
  Page* next;
  FreeSlot* free;    // slots given back
  uint8_t* unused;   // slots never handed out begin here
  uint32_t live;     // slots handed out now
  bool listed;       // in that list
};
constexpr size_t kHeaderBytes = (sizeof(Page) + 15) / 16 * 16;
static_assert(kHeaderBytes <= 64, "blocks start 64 bytes into their page at most");

struct SizeClass {
  Page* withRoom = nullptr;
  Page* spare = nullptr;
};

std::mutex g_lock;
SizeClass g_classes[kClasses];
size_t g_pages = 0;

// Asks the system for pages below 2 GB: NtAllocateVirtualMemory with one
// zero bit keeps the address under 0x80000000 in either flavour.
typedef LONG(NTAPI* NtAllocateVirtualMemoryProc)(HANDLE, void**, ULONG_PTR, SIZE_T*, ULONG, ULONG);

void* AllocatePages(size_t bytes) {
  static const NtAllocateVirtualMemoryProc allocate = reinterpret_cast<NtAllocateVirtualMemoryProc>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "NtAllocateVirtualMemory")));
  if (!allocate) return nullptr;
  void* base = nullptr;
  SIZE_T size = bytes;
  if (allocate(::GetCurrentProcess(), &base, 1, &size, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE) < 0) return nullptr;
  if (reinterpret_cast<uintptr_t>(base) + bytes > 0x80000000u) {  // a system that ignored the zero bit
    ::VirtualFree(base, 0, MEM_RELEASE);
    return nullptr;
  }
  ++g_pages;
  return base;
}

void FreePages(Page* page) {
  page->magic = 0;
  --g_pages;
  ::VirtualFree(page, 0, MEM_RELEASE);
}

size_t SlotBytes(uint32_t cls) { return kSmallestSlot << cls; }

uint32_t ClassOf(size_t bytes) {
  uint32_t cls = 0;
  while (SlotBytes(cls) < bytes) ++cls;
  return cls;
}

Page* PageOf(const void* p) { return reinterpret_cast<Page*>(reinterpret_cast<uintptr_t>(p) & ~(kPageBytes - 1)); }

void Link(SizeClass& sc, Page* page) {
  page->prev = nullptr;
  page->next = sc.withRoom;
  if (sc.withRoom) sc.withRoom->prev = page;
  sc.withRoom = page;
  page->listed = true;
}

void Unlink(SizeClass& sc, Page* page) {
  (page->prev ? page->prev->next : sc.withRoom) = page->next;
  if (page->next) page->next->prev = page->prev;
  page->listed = false;
}

Page* NewPage(uint32_t cls) {
  SizeClass& sc = g_classes[cls];
  Page* page = sc.spare;
  sc.spare = nullptr;
  if (!page) {
    page = static_cast<Page*>(AllocatePages(kPageBytes));
    if (!page) return nullptr;
  }
  *page = Page{kMagic, cls, nullptr, nullptr, nullptr, reinterpret_cast<uint8_t*>(page) + kHeaderBytes, 0, false};
  Link(sc, page);
  return page;
}

bool IsFull(const Page* page) {
  size_t untouched = reinterpret_cast<const uint8_t*>(page) + kPageBytes - page->unused;
  return !page->free && untouched < SlotBytes(page->cls);
}

void* TakeSlot(uint32_t cls) {
  SizeClass& sc = g_classes[cls];
  Page* page = sc.withRoom ? sc.withRoom : NewPage(cls);
  if (!page) return nullptr;
  void* p;
  if (page->free) {
    p = page->free;
    page->free = page->free->next;
  } else {
    p = page->unused;
    page->unused += SlotBytes(cls);
  }
  ++page->live;
  if (IsFull(page)) Unlink(sc, page);
  return p;
}

void GiveBack(Page* page, void* p) {
  SizeClass& sc = g_classes[page->cls];
  FreeSlot* slot = static_cast<FreeSlot*>(p);
  slot->next = page->free;
  page->free = slot;
  if (!page->listed) Link(sc, page);
  if (--page->live > 0) return;
  Unlink(sc, page);
  if (!sc.spare) {
    sc.spare = page;
    return;
  }
  FreePages(page);
}

}  // namespace

void* VmStorageAllocate(size_t bytes) {
  if (bytes == 0) bytes = 1;
  std::lock_guard<std::mutex> lock(g_lock);
  if (bytes > kLargestSlot) {
    if (bytes > 0x40000000u) return nullptr;
    size_t total = (kHeaderBytes + bytes + kPageBytes - 1) / kPageBytes * kPageBytes;
    Page* page = static_cast<Page*>(AllocatePages(total));  // fresh pages are zero
    if (!page) return nullptr;
    page->magic = kMagic;
    page->cls = kLargeBlock;
    return reinterpret_cast<uint8_t*>(page) + kHeaderBytes;
  }
  void* p = TakeSlot(ClassOf(bytes));
  if (p) std::memset(p, 0, bytes);
  return p;
}

void VmStorageFree(void* p) {
  if (!p) return;
  Page* page = PageOf(p);
  std::lock_guard<std::mutex> lock(g_lock);
  if (page->magic != kMagic) return;  // never ours: nothing to give back
  if (page->cls == kLargeBlock) {
    FreePages(page);
    return;
  }
  GiveBack(page, p);
}

size_t VmStorageChunkCount() {
  std::lock_guard<std::mutex> lock(g_lock);
  return g_pages;
}
