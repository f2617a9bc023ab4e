// Helpers of the project tests: project files as bytes in memory.
#pragma once
#include <cstring>
#include <vector>

#include "project.h"

inline std::vector<BYTE> StoredBytes(const CProject& project) {
  CMemFile file;
  project.Store(&file);
  const BYTE* data = file.GetData();
  return std::vector<BYTE>(data, data + file.GetLength());
}

// Loads the bytes (copied, so the caller's vector stays as it is).
inline int LoadBytes(CProject& project, std::vector<BYTE> bytes) {
  CMemFile file(bytes.empty() ? nullptr : bytes.data(), (UINT)bytes.size());
  return project.Load(&file);
}

inline void PutDword(std::vector<BYTE>& out, DWORD v) {
  for (int i = 0; i < 4; ++i) out.push_back((BYTE)(v >> (8 * i)));
}

// What a test waits at most for something that must happen.
const DWORD kGenerousMs = 30000;

inline DWORD Elapsed(DWORD since) { return GetTickCount() - since; }

// Polls until condition() holds or timeoutMs have passed; returns condition().
template <class Condition>
bool WaitFor(DWORD timeoutMs, Condition condition) {
  const DWORD start = GetTickCount();
  while (!condition()) {
    if (Elapsed(start) > timeoutMs) return condition();
    Sleep(10);
  }
  return true;
}

template <class T>
void PutRecord(std::vector<BYTE>& out, const T& rec) {
  const BYTE* p = reinterpret_cast<const BYTE*>(&rec);
  out.insert(out.end(), p, p + sizeof rec);
}
