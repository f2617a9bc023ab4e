#include "objptrarray.h"

#include <algorithm>

CObjPtrArray::CObjPtrArray(int growBy, int initialRoom) : m_growBy(growBy > 0 ? growBy : 16) {
  if (initialRoom > 0) m_items.reserve(initialRoom);
}

int CObjPtrArray::Add(CObject* object) {
  try {
    // The fixed step, or half the room again when that is more: a text of a
    // hundred thousand operators must not cost a copy of the list per step.
    if (m_items.size() == m_items.capacity()) {
      const size_t room = m_items.capacity();
      m_items.reserve(room + std::max(static_cast<size_t>(m_growBy), room / 2));
    }
    m_items.push_back(object);
  } catch (...) {
    delete object;
    throw;
  }
  return GetSize() - 1;
}

CObject* CObjPtrArray::DetachLast() {
  if (m_items.empty()) return nullptr;
  CObject* last = m_items.back();
  m_items.pop_back();
  return last;
}

void CObjPtrArray::RemoveAll() {
  for (CObject* object : m_items) delete object;
  m_items.clear();
}
