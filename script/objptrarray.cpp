#include "objptrarray.h"

CObjPtrArray::CObjPtrArray(int growBy, int initialRoom) : m_growBy(growBy > 0 ? growBy : 16) {
  if (initialRoom > 0) m_items.reserve(initialRoom);
}

int CObjPtrArray::Add(CObject* object) {
  try {
    if (m_items.size() == m_items.capacity()) m_items.reserve(m_items.capacity() + m_growBy);
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
