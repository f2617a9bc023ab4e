#include "rtdbconn.h"

#include <cstring>

#include "fixedtext.h"

void CRtdbConnBlock::Clear() { std::memset(this, 0, sizeof *this); }

int CRtdbConnBlock::ValidCount() const {
  if (count < 0) return 0;
  return count > kMaxConnEntries ? kMaxConnEntries : (int)count;
}

RtdbConnEntry MakeConnEntry(const char* host, DWORD port, const char* account, const char* password) {
  RtdbConnEntry entry;
  std::memset(&entry, 0, sizeof entry);
  CopyFixedText(entry.host, host);
  CopyFixedText(entry.account, account);
  CopyFixedText(entry.password, password);
  entry.port = port;
  return entry;
}

void TerminateConnEntry(RtdbConnEntry& entry) {
  TerminateFixedText(entry.host);
  TerminateFixedText(entry.account);
  TerminateFixedText(entry.password);
}
