// CRtdbClient: loading the library, starting and stopping the worker.
#include "rtdbclient.h"

#include <process.h>

#include <cstring>

#include "qel/exportproc.h"

const char CRtdbClient::kLibraryName[] = "qel3api.dll";

CRtdbClient::CRtdbClient() {
  m_conn.Clear();
  std::memset(&m_api, 0, sizeof m_api);
  m_stopEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  m_doneEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
}

CRtdbClient::~CRtdbClient() {
  EndWorker();
  Unload();
  if (m_stopEvent) CloseHandle(m_stopEvent);
  if (m_doneEvent) CloseHandle(m_doneEvent);
}

int CRtdbClient::BindApi(const char* libraryFile) {
  if (m_module) return 1;
  if (!libraryFile) return 0;
  m_module = LoadLibraryA(libraryFile);
  if (!m_module) return 0;
#define RTDB_BIND_ENTRY(name) m_api.name = QelFindExport<PFN_##name>(m_module, #name);
  RTDB_BOUND_EXPORTS(RTDB_BIND_ENTRY)
#undef RTDB_BIND_ENTRY
  return 1;
}

void CRtdbClient::SetEntries(const CRtdbConnBlock& block) {
  CRtdbLockGuard guard(m_lock);
  m_conn = block;
  m_conn.count = block.ValidCount();
  for (RtdbConnEntry& entry : m_conn.entries) TerminateConnEntry(entry);
}

int CRtdbClient::SetEntriesAndBind(const CRtdbConnBlock& block, int) {
  SetEntries(block);
  return BindApi(kLibraryName);
}

int CRtdbClient::Restart(const CRtdbConnBlock& block, int) {
  if (m_running) Stop();
  SetEntries(block);
  return Start();
}

int CRtdbClient::Start() {
  const LONG state = m_state;
  if (state == kWorking || state == kRestarting) return 1;
  // A worker that outlived Stop's wait carries on as the new worker.
  if (state == kStopping && InterlockedCompareExchange(&m_state, kRestarting, kStopping) == kStopping)
    return 1;
  if (!m_handle) {
    if (!m_api.QB_Create) return 0;
    m_handle = m_api.QB_Create();
  }
  ReapWorker(INFINITE);  // an idle worker is only setting its done event
  if (!m_stopEvent || !m_doneEvent) return 0;
  m_running = 1;
  m_connected = 0;
  ResetEvent(m_doneEvent);
  ResetEvent(m_stopEvent);
  m_state = kWorking;
  m_thread = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, WorkerMain, this, 0, nullptr));
  if (!m_thread) {
    m_state = kIdle;
    m_running = 0;
    return 0;
  }
  return 1;
}

int CRtdbClient::Stop() {
  if (m_doneEvent) ResetEvent(m_doneEvent);
  LONG state = m_state;
  // Withdraws a pending restart as well; the worker may move Restarting to
  // Working meanwhile, hence the retry.
  while ((state == kWorking || state == kRestarting) &&
         InterlockedCompareExchange(&m_state, kStopping, state) != state)
    state = m_state;
  if (m_stopEvent) SetEvent(m_stopEvent);
  if (state != kIdle && m_doneEvent) {
    for (DWORD slice = 0; slice < kStopSlices; ++slice)
      if (WaitForSingleObject(m_doneEvent, kStopSliceMs) == WAIT_OBJECT_0) break;
    ResetEvent(m_doneEvent);
  }
  ReapWorker(m_state == kIdle ? INFINITE : 0);
  return 1;
}

void CRtdbClient::ReapWorker(DWORD waitMs) {
  if (!m_thread) return;
  if (WaitForSingleObject(m_thread, waitMs) != WAIT_OBJECT_0) return;
  CloseHandle(m_thread);
  m_thread = nullptr;
}

void CRtdbClient::EndWorker() {
  Stop();
  // A connect attempt may last longer than Stop's wait; the handle and the
  // library must outlive the worker.
  ReapWorker(INFINITE);
}

void CRtdbClient::Unload() {
  if (!m_module) return;
  if (m_handle && m_api.QB_Destory) m_api.QB_Destory(m_handle);
  FreeLibrary(m_module);
  m_module = nullptr;
  m_handle = nullptr;
  std::memset(&m_api, 0, sizeof m_api);
}

bool CRtdbClient::GetFirstEntry(RtdbConnEntry* entry) {
  CRtdbLockGuard guard(m_lock);
  if (!entry || m_conn.count <= 0) return false;
  *entry = m_conn.entries[0];
  return true;
}
