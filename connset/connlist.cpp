#include "connlist.h"

#include <cstring>

CConnList::CConnList(const RtdbConnEntry* entries, int count) { Assign(entries, count); }

void CConnList::Assign(const RtdbConnEntry* entries, int count) {
  std::memset(m_entries, 0, sizeof m_entries);
  m_count = entries && count > 0 ? (count < kMaxConnEntries ? count : kMaxConnEntries) : 0;
  if (m_count) std::memcpy(m_entries, entries, m_count * sizeof(RtdbConnEntry));
}

int CConnList::CopyOut(RtdbConnEntry* out, int maximum) const {
  int n = maximum < m_count ? maximum : m_count;
  if (!out || n <= 0) return 0;
  std::memcpy(out, m_entries, n * sizeof(RtdbConnEntry));
  return n;
}
