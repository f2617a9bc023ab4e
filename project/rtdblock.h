// The database binding's lock: one Win32 critical section, entered through a
// scope guard so that no return path leaves it held.
#pragma once
#include <windows.h>

class CRtdbLock {
 public:
  CRtdbLock() { InitializeCriticalSection(&m_section); }
  ~CRtdbLock() { DeleteCriticalSection(&m_section); }
  CRtdbLock(const CRtdbLock&) = delete;
  CRtdbLock& operator=(const CRtdbLock&) = delete;

  void Lock() { EnterCriticalSection(&m_section); }
  void Unlock() { LeaveCriticalSection(&m_section); }

 private:
  CRITICAL_SECTION m_section;
};

class CRtdbLockGuard {
 public:
  explicit CRtdbLockGuard(CRtdbLock& lock) : m_lock(lock) { m_lock.Lock(); }
  ~CRtdbLockGuard() { m_lock.Unlock(); }
  CRtdbLockGuard(const CRtdbLockGuard&) = delete;
  CRtdbLockGuard& operator=(const CRtdbLockGuard&) = delete;

 private:
  CRtdbLock& m_lock;
};
