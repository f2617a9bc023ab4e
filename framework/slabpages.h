// The pages of one size class of a slab pool: 64 KB pages (the system's
// allocation granularity, so a page is found from any slot's address by
// clearing its low 16 bits), each cut into equal slots. The object pool and
// the script machine's storage keep their memory this way; each says where
// its pages come from and where they go, and holds its own lock.
#pragma once
#include <cstddef>
#include <cstdint>

namespace qel {

constexpr size_t kSlabPageBytes = 64 * 1024;

struct SlabSlot {
  SlabSlot* next;
};

// The header at the start of every page.
struct SlabPage {
  uint32_t mark;   // the pool's own (the script storage marks its pages)
  uint32_t cls;    // the size class
  SlabPage* prev;  // in its class's list of pages with room
  SlabPage* next;
  SlabSlot* free;   // slots given back
  uint8_t* unused;  // slots never handed out begin here
  uint32_t live;    // slots handed out now
  bool listed;      // in that list
};
constexpr size_t kSlabFirstSlot = (sizeof(SlabPage) + 15) / 16 * 16;

inline SlabPage* SlabPageOf(const void* p) {
  return reinterpret_cast<SlabPage*>(reinterpret_cast<uintptr_t>(p) & ~(kSlabPageBytes - 1));
}

// One size class: the pages with a free or unused slot, and one empty page
// kept for the next burst.
class SlabClass {
 public:
  // A slot of slotBytes; a page comes from the spare or from newPage() (a
  // fresh page of kSlabPageBytes, or null). Null when there is none.
  template <class NewPage>
  void* Take(uint32_t cls, size_t slotBytes, NewPage newPage) {
    SlabPage* page = withRoom_;
    if (!page) {
      page = spare_ ? spare_ : newPage();
      spare_ = nullptr;
      if (!page) return nullptr;
      Start(page, cls);
    }
    void* p;
    if (page->free) {
      p = page->free;
      page->free = page->free->next;
    } else {
      p = page->unused;
      page->unused += slotBytes;
    }
    ++page->live;
    if (IsFull(page, slotBytes)) Unlink(page);
    return p;
  }

  // Gives slot p of its page back; the page when it is empty and not kept
  // (the pool then gives it back to the system), else null.
  SlabPage* GiveBack(SlabPage* page, void* p) {
    SlabSlot* slot = static_cast<SlabSlot*>(p);
    slot->next = page->free;
    page->free = slot;
    if (!page->listed) Link(page);
    if (--page->live > 0) return nullptr;
    Unlink(page);
    if (spare_) return page;
    spare_ = page;
    return nullptr;
  }

 private:
  void Start(SlabPage* page, uint32_t cls) {
    page->cls = cls;
    page->free = nullptr;
    page->unused = reinterpret_cast<uint8_t*>(page) + kSlabFirstSlot;
    page->live = 0;
    Link(page);
  }
  static bool IsFull(const SlabPage* page, size_t slotBytes) {
    size_t untouched = reinterpret_cast<const uint8_t*>(page) + kSlabPageBytes - page->unused;
    return !page->free && untouched < slotBytes;
  }
  void Link(SlabPage* page) {
    page->prev = nullptr;
    page->next = withRoom_;
    if (withRoom_) withRoom_->prev = page;
    withRoom_ = page;
    page->listed = true;
  }
  void Unlink(SlabPage* page) {
    (page->prev ? page->prev->next : withRoom_) = page->next;
    if (page->next) page->next->prev = page->prev;
    page->listed = false;
  }

  SlabPage* withRoom_ = nullptr;
  SlabPage* spare_ = nullptr;
};

}  // namespace qel
