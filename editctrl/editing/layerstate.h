// Saved states of a layer's objects: the object list written as a picture
// file holds it (each object in full with its class record, links and
// scripts included), kept in memory. Undo and redo keep such states; the
// clipboard carries the same stream.
#pragma once
#include <windows.h>

#include <cstdint>
#include <deque>
#include <memory>

#include "memfile.h"

class CObList;

// Writes the objects of list into a new memory file (grown in steps of
// growBytes); null when writing failed.
std::unique_ptr<CMemFile> SaveObjectList(CObList& list, UINT growBytes);
// Reads an object list from the file's start and appends it to list. Damaged
// or foreign bytes give false and append nothing (what was read is deleted).
bool LoadObjectListFrom(CFile& file, CObList& list);

// A list of saved states, newest on top. With a limit, a state pushed while
// more than limit states are held first drops the oldest one, so the stack
// holds limit + 1 states at most.
class CLayerStateStack {
 public:
  static constexpr size_t kUnlimited = SIZE_MAX;
  explicit CLayerStateStack(size_t limit) : m_limit(limit) {}

  void Push(std::unique_ptr<CMemFile> state);
  // The newest state, taken off the stack; null when empty.
  std::unique_ptr<CMemFile> TakeNewest();
  void Clear() { m_states.clear(); }
  bool empty() const { return m_states.empty(); }
  size_t size() const { return m_states.size(); }

 private:
  std::deque<std::unique_ptr<CMemFile>> m_states;  // oldest first
  size_t m_limit;
};
