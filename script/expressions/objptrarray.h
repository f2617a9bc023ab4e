// A growable array of owned object pointers: the array deletes what it holds.
// Its room grows in fixed steps, so that a list of a known typical size is
// allocated once; a long list grows by half its room at a time, so that it is
// built in linear time.
#pragma once
#include <vector>

#include "object.h"

class CObjPtrArray {
 public:
  // Room for `initialRoom` pointers at once; afterwards it grows by `growBy`,
  // or by half its room when that is more.
  explicit CObjPtrArray(int growBy = 16, int initialRoom = 0);
  ~CObjPtrArray() { RemoveAll(); }
  CObjPtrArray(const CObjPtrArray&) = delete;
  CObjPtrArray& operator=(const CObjPtrArray&) = delete;

  int GetSize() const { return static_cast<int>(m_items.size()); }
  bool IsEmpty() const { return m_items.empty(); }
  CObject* GetAt(int index) const { return m_items[index]; }
  CObject* GetLast() const { return m_items.empty() ? nullptr : m_items.back(); }
  int GetRoom() const { return static_cast<int>(m_items.capacity()); }

  // Takes the object; when there is no memory for it, deletes it and throws.
  int Add(CObject* object);
  // Gives the last object back to the caller (null when empty).
  CObject* DetachLast();
  // Deletes every object.
  void RemoveAll();

 private:
  std::vector<CObject*> m_items;
  int m_growBy;
};
