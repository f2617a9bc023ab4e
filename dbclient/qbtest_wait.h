// Time limits of a test's client handle, and waiting for what a test peer
// has done.
#pragma once
#include <windows.h>

#include "qbapi.h"
#include "qbclient.h"

namespace qbtest {

// What a test waits at most for something that must happen.
constexpr int kGenerousMs = 30000;

inline void SetLimits(QB_HANDLE h, int replyMs) {
  QbTimeLimits& limits = QbClientOf(h)->Limits();
  limits.replyMs = replyMs;
  limits.pollMs = 50;
  limits.followMs = replyMs;
  limits.connectMs = kGenerousMs;
}
inline void GenerousLimits(QB_HANDLE h) { SetLimits(h, kGenerousMs); }
// For a call that is to time out: a fraction of a second.
inline void ShortLimits(QB_HANDLE h) { SetLimits(h, 300); }

// Polls until done() holds or limitMs have passed; returns done().
template <class Done>
bool WaitUntil(Done done, DWORD limitMs = kGenerousMs) {
  const DWORD start = ::GetTickCount();
  while (!done()) {
    if (::GetTickCount() - start > limitMs) return done();
    ::Sleep(10);
  }
  return true;
}

}  // namespace qbtest
