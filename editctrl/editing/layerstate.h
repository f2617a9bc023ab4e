// Saved states of a layer's objects: the object list written as a picture
// file holds it (each object in full with its class record, links and
// scripts included), kept in memory. Undo and redo keep such states; the
// clipboard carries the same stream.
#pragma once
#include <windows.h>

#include <cstdint>
#include <deque>
#include <memory>
#include <string>

#include "memfile.h"

class CObList;
class CObject;

// Writes the objects of list into a new memory file (grown in steps of
// growBytes); null when writing failed.
std::unique_ptr<CMemFile> SaveObjectList(CObList& list, UINT growBytes);
// Reads an object list from the file's start and appends it to list. Damaged
// or foreign bytes give false and append nothing (what was read is deleted).
bool LoadObjectListFrom(CFile& file, CObList& list);

// The stored bytes of one object alone, as it is written into a state
// (class record and all); empty when it cannot be written.
std::string StoredBytesOf(CObject* obj);

// A list of saved states, newest on top. With a limit, a state pushed while
// more than limit states are held first drops the oldest one, so the stack
// holds limit + 1 states at most. Their bytes together stay within the byte
// budget: a push drops the oldest states until the new one fits, and the
// newest state is kept even alone beyond the budget, so that one change can
// always be taken back.
class CLayerStateStack {
 public:
  static constexpr size_t kUnlimited = SIZE_MAX;
  explicit CLayerStateStack(size_t limit, size_t budgetBytes = kUnlimited)
      : m_limit(limit), m_budget(budgetBytes) {}

  void Push(std::unique_ptr<CMemFile> state);
  // The newest state, taken off the stack; null when empty.
  std::unique_ptr<CMemFile> TakeNewest();
  void Clear() {
    m_states.clear();
    m_bytes = 0;
  }
  bool empty() const { return m_states.empty(); }
  size_t size() const { return m_states.size(); }
  // The bytes of all states held.
  size_t bytes() const { return m_bytes; }

 private:
  void DropOldest();

  std::deque<std::unique_ptr<CMemFile>> m_states;  // oldest first
  size_t m_limit;
  size_t m_budget;
  size_t m_bytes = 0;
};
