// CConnList: the connection entries behind a handle of Nurvex: eight slots
// and a count from 0 to 8. Made by i_Create, changed only by the list
// dialog's OK, read by i_GetArgs.
#pragma once
#include "rtdbconn.h"

class CConnList {
 public:
  // Copies of the first min(count, 8) entries; none for a count of 0 or
  // below, or without entries.
  CConnList(const RtdbConnEntry* entries, int count);

  int Count() const { return m_count; }
  const RtdbConnEntry& Entry(int index) const { return m_entries[index]; }

  // Replaces every entry (the same rule as the constructor).
  void Assign(const RtdbConnEntry* entries, int count);
  // Copies the first min(count, maximum) entries out; the number copied.
  int CopyOut(RtdbConnEntry* out, int maximum) const;

 private:
  RtdbConnEntry m_entries[kMaxConnEntries];
  int m_count = 0;
};
