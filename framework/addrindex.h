// CAddressIndex: the numbers an archive gives the objects and classes it
// stores, found by address.
//
// Open addressing in one array, kept at most half full: no allocation per
// entry (a node per stored object cost more than the object's own bytes) and
// one probe for most look-ups.
#pragma once
#include <windows.h>

#include <vector>

class CAddressIndex {
 public:
  // The number of p, or 0 when it has none (numbers are never 0).
  DWORD Find(const void* p) const;
  // Numbers p, which must be non-null and not numbered yet.
  void Insert(const void* p, DWORD number);
  size_t GetCount() const { return m_nCount; }

 private:
  struct Slot {
    const void* key = nullptr;  // null: free
    DWORD number = 0;
  };
  size_t SlotOf(const void* p) const;  // where p is, or the free slot where it would go
  void Grow();

  std::vector<Slot> m_slots;  // a power of two in size, or empty
  size_t m_nCount = 0;
};
