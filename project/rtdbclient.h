// CRtdbClient: the program's binding to the real-time database client library
// qel3api.dll, loaded at run time and bound by name.
//
// One worker thread keeps a connection to the server of the first connection
// entry: once a second, while not connected, it connects (outside the lock);
// when stopped it disconnects. The data operations come from the
// user-interface thread through the host callback table; each holds the lock
// for its library call and calls the library only while connected, so a
// disconnected binding answers 31 at once and never stalls the picture
// timers. A result of 31 marks the binding disconnected and the worker
// reconnects within a second.
//
// Without the library every data operation answers 1 and no thread is made.
#pragma once
#include <windows.h>

#include "qbapi.h"
#include "rtdblock.h"
#include "rtdbservice.h"

// The fourteen exports the binding uses, in the order they are bound.
#define RTDB_BOUND_EXPORTS(X) \
  X(QB_Create)                \
  X(QB_Destory)               \
  X(QB_Connect)               \
  X(QB_DisConnnect)           \
  X(QB_IsConnnect)            \
  X(QB_TagGetAttr)            \
  X(QB_TagQuery)              \
  X(QB_ReadReal)              \
  X(QB_ReadRealVar)           \
  X(QB_ReadHis)               \
  X(QB_ReadHis_EX)            \
  X(QB_ReadHisVar)            \
  X(QB_GetHisSum)             \
  X(QB_GetHisSum_EX)

// Entry points; a missing export stays null.
struct Qel3apiEntries {
#define RTDB_ENTRY_FIELD(name) PFN_##name name;
  RTDB_BOUND_EXPORTS(RTDB_ENTRY_FIELD)
#undef RTDB_ENTRY_FIELD
};

class CRtdbClient : public IRtdbClient {
 public:
  static const char kLibraryName[];  // "qel3api.dll", found by the platform's search order
  enum : DWORD {
    kConnectPeriodMs = 1000,  // between connection attempts
    kStopSliceMs = 100,       // Stop waits for the worker in slices of this
    kStopSlices = 100,        // at most this many
  };

  CRtdbClient();
  // Stops the worker, waits until it has really ended (a connect attempt can
  // outlast Stop's wait), then destroys the handle and unloads the library.
  ~CRtdbClient() override;
  CRtdbClient(const CRtdbClient&) = delete;
  CRtdbClient& operator=(const CRtdbClient&) = delete;

  // Loads the library by file name and looks up the fourteen exports: 1 when
  // loaded (also when it already was), 0 when it cannot be loaded.
  int BindApi(const char* libraryFile);

  int SetEntriesAndBind(const CRtdbConnBlock& block, int unused) override;
  int Restart(const CRtdbConnBlock& block, int unused) override;
  // 1 when started or already running; 0 when QB_Create isn't bound.
  int Start() override;
  // Asks the worker to end and waits for it at most kStopSlices x kStopSliceMs.
  int Stop() override;

  int TagGetAttr(QB_TAGATTR* attr) override;
  int TagQuery(const char* pattern1, const char* pattern2, int selector1, int selector2, QB_TAGQUERYPROC proc,
               void* user) override;
  int ReadReal(QB_TAGVALUE* records, int count) override;
  int ReadRealVar(const char* name, VarReply* out) override;
  int ReadHis(const char* name, int32_t t0, int32_t t1, int32_t a, int32_t b, QB_HISVALUE* records,
              int capacity, int* count, int* done) override;
  int ReadHisEx(QB_TAGVALUE* records, int32_t time, int count) override;
  int ReadHisVar(const char* name, int32_t a, int32_t b, VarReply* out) override;
  int GetHisSum(const char* name, int t0, int t1, QB_VALUE* a, QB_VALUE* b, QB_VALUEDATA* c, QB_VALUEDATA* d,
                int32_t* e) override;
  int GetHisSumEx(const char* name, int t0, int t1, int32_t step, QB_HISSTEP* records, int capacity,
                  int* count) override;

  // Under the lock: entry 0 of the client's own copy into *entry, when there is one.
  bool GetFirstEntry(RtdbConnEntry* entry);

  bool IsBound() const { return m_module != nullptr; }
  bool IsConnected() const { return m_connected != 0; }
  bool IsRunning() const { return m_running != 0; }
  const Qel3apiEntries& Entries() const { return m_api; }

 private:
  // What the worker has been told; moved by Interlocked operations only, so
  // that a Restart whose Stop timed out can hand the still-running worker over
  // to the new start instead of being lost when that worker ends.
  enum WorkerState : LONG { kIdle = 0, kWorking = 1, kStopping = 2, kRestarting = 3 };

  static unsigned __stdcall WorkerMain(void* self);
  void ConnectLoop();
  void TryConnect();
  void Disconnect();
  bool ContinueAfterStop();
  void SetEntries(const CRtdbConnBlock& block);
  void EndWorker();
  void ReapWorker(DWORD waitMs);
  void Unload();

  template <class Fn, class... Args>
  int CallData(Fn fn, Args... args);

  HMODULE m_module = nullptr;
  QB_HANDLE m_handle = nullptr;
  CRtdbConnBlock m_conn;
  volatile LONG m_connected = 0;
  volatile LONG m_running = 0;
  HANDLE m_stopEvent;
  HANDLE m_doneEvent;
  CRtdbLock m_lock;
  Qel3apiEntries m_api;
  HANDLE m_thread = nullptr;
  volatile LONG m_state = kIdle;
};
