#include "addrindex.h"

#include <cstdint>

namespace {

constexpr size_t kFirstSlots = 64;

// Objects made one after another lie close together, and are mostly stored
// in that order: within a 2 MB window the slot follows the address, so those
// look-ups walk the table instead of jumping through it (a miss of the cache
// for every object cost more than the rest of storing it); the windows
// themselves are scattered by a multiplicative hash.
size_t Mix(const void* p) {
  uint32_t a = (uint32_t)(uintptr_t)p;
  return (a >> 3) ^ ((a >> 21) * 0x9E3779B1u);
}

}  // namespace

size_t CAddressIndex::SlotOf(const void* p) const {
  size_t mask = m_slots.size() - 1;
  size_t i = Mix(p) & mask;
  while (m_slots[i].key != nullptr && m_slots[i].key != p) i = (i + 1) & mask;
  return i;
}

DWORD CAddressIndex::Find(const void* p) const {
  if (m_slots.empty()) return 0;
  return m_slots[SlotOf(p)].number;
}

void CAddressIndex::Insert(const void* p, DWORD number) {
  if (2 * (m_nCount + 1) > m_slots.size()) Grow();
  Slot& slot = m_slots[SlotOf(p)];
  if (slot.key == nullptr) ++m_nCount;
  slot.key = p;
  slot.number = number;
}

// Four times as big each time: the tables left behind add up to a third of
// the last one instead of all of it (each is fresh memory to the system).
void CAddressIndex::Grow() {
  std::vector<Slot> old;
  old.swap(m_slots);
  m_slots.resize(old.empty() ? kFirstSlots : old.size() * 4);
  for (const Slot& s : old)
    if (s.key != nullptr) m_slots[SlotOf(s.key)] = s;
}
