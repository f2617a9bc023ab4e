// The worker of CRtdbClient: connects once a second while not connected,
// disconnects when stopped. Connect and disconnect run outside the lock.
#include "rtdbclient.h"

unsigned __stdcall CRtdbClient::WorkerMain(void* self) {
  static_cast<CRtdbClient*>(self)->ConnectLoop();
  return 0;
}

void CRtdbClient::ConnectLoop() {
  for (;;) {
    while (WaitForSingleObject(m_stopEvent, kConnectPeriodMs) == WAIT_TIMEOUT) TryConnect();
    Disconnect();
    if (!ContinueAfterStop()) break;
  }
  m_running = 0;
  SetEvent(m_doneEvent);
}

void CRtdbClient::TryConnect() {
  if (m_connected || !m_module || !m_handle || !m_api.QB_Connect) return;
  RtdbConnEntry entry;
  if (!GetFirstEntry(&entry)) return;
  if (m_api.QB_Connect(m_handle, entry.host, (int)entry.port, entry.account, entry.password) == QB_OK)
    InterlockedExchange(&m_connected, 1);
}

void CRtdbClient::Disconnect() {
  {
    // Data operations must not use the handle while it is being closed.
    CRtdbLockGuard guard(m_lock);
    InterlockedExchange(&m_connected, 0);
  }
  if (m_module && m_handle && m_api.QB_DisConnnect) m_api.QB_DisConnnect(m_handle);
}

// After a stop: true when a Restart came while this worker was still busy, so
// that it goes on as the new worker (with the entries now in the client).
bool CRtdbClient::ContinueAfterStop() {
  ResetEvent(m_stopEvent);
  if (InterlockedCompareExchange(&m_state, kWorking, kRestarting) == kRestarting) return true;
  InterlockedCompareExchange(&m_state, kIdle, kStopping);
  return false;
}
