#include "vmstorage.h"

#include <windows.h>

#include <cstring>
#include <mutex>

#include "qel/exportproc.h"
#include "slabpages.h"

// Storage comes in pages of 64 KB (the system's allocation granularity, so
// every page starts on a 64 KB boundary) asked for below 2 GB. Small blocks
// (up to kLargestSlot bytes) are slots of equal size in a page per size
// class; a larger block is a page of its own, rounded up to whole pages. Each
// page starts with its header, so the page of any block is its address with
// the low 16 bits cleared. A page whose slots are all free again goes back to
// the system, but the last one of each class, kept for the next burst.

namespace {

using qel::kSlabFirstSlot;
using qel::kSlabPageBytes;
using qel::SlabClass;
using qel::SlabPage;

constexpr size_t kSmallestSlot = 16;
constexpr size_t kLargestSlot = 16 * 1024;
constexpr uint32_t kClasses = 11;  // 16, 32, ... 16384 bytes
constexpr uint32_t kLargeBlock = kClasses;
constexpr uint32_t kMark = 0x56537467;  // marks a page header of this storage
static_assert(kSlabFirstSlot <= 64, "blocks start 64 bytes into their page at most");

std::mutex g_lock;
SlabClass g_classes[kClasses];
size_t g_pages = 0;

// Asks the system for pages below 2 GB: NtAllocateVirtualMemory with one
// zero bit keeps the address under 0x80000000 in either flavour.
typedef LONG(NTAPI* NtAllocateVirtualMemoryProc)(HANDLE, void**, ULONG_PTR, SIZE_T*, ULONG, ULONG);

SlabPage* AllocatePages(size_t bytes, uint32_t cls) {
  static const auto allocate =
      QelFindExport<NtAllocateVirtualMemoryProc>(::GetModuleHandleA("ntdll.dll"), "NtAllocateVirtualMemory");
  if (!allocate) return nullptr;
  void* base = nullptr;
  SIZE_T size = bytes;
  if (allocate(::GetCurrentProcess(), &base, 1, &size, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE) < 0)
    return nullptr;
  if (reinterpret_cast<uintptr_t>(base) + bytes > 0x80000000u) {  // a system that ignored the zero bit
    ::VirtualFree(base, 0, MEM_RELEASE);
    return nullptr;
  }
  ++g_pages;
  SlabPage* page = static_cast<SlabPage*>(base);
  page->mark = kMark;
  page->cls = cls;
  return page;
}

void FreePages(SlabPage* page) {
  page->mark = 0;
  --g_pages;
  ::VirtualFree(page, 0, MEM_RELEASE);
}

size_t SlotBytes(uint32_t cls) { return kSmallestSlot << cls; }

uint32_t ClassOf(size_t bytes) {
  uint32_t cls = 0;
  while (SlotBytes(cls) < bytes) ++cls;
  return cls;
}

void* TakeSlot(uint32_t cls) {
  return g_classes[cls].Take(cls, SlotBytes(cls), [cls] { return AllocatePages(kSlabPageBytes, cls); });
}

}  // namespace

void* VmStorageAllocate(size_t bytes) {
  if (bytes == 0) bytes = 1;
  std::lock_guard<std::mutex> lock(g_lock);
  if (bytes > kLargestSlot) {
    if (bytes > 0x40000000u) return nullptr;
    size_t total = (kSlabFirstSlot + bytes + kSlabPageBytes - 1) / kSlabPageBytes * kSlabPageBytes;
    SlabPage* page = AllocatePages(total, kLargeBlock);  // fresh pages are zero
    return page ? reinterpret_cast<uint8_t*>(page) + kSlabFirstSlot : nullptr;
  }
  void* p = TakeSlot(ClassOf(bytes));
  if (p) std::memset(p, 0, bytes);
  return p;
}

void VmStorageFree(void* p) {
  if (!p) return;
  SlabPage* page = qel::SlabPageOf(p);
  std::lock_guard<std::mutex> lock(g_lock);
  if (page->mark != kMark) return;  // never ours: nothing to give back
  if (page->cls == kLargeBlock) {
    FreePages(page);
    return;
  }
  if (SlabPage* empty = g_classes[page->cls].GiveBack(page, p)) FreePages(empty);
}

size_t VmStorageChunkCount() {
  std::lock_guard<std::mutex> lock(g_lock);
  return g_pages;
}
