// The database services behind the host callback table: the operations that
// the table's forwarders call, one per callback, in the table's order. The
// binding to qel3api (CRtdbClient) is the implementation.
#pragma once
#include "qel/hostcallbacks.h"
#include "rtdbconn.h"

class IRtdbClient {
 public:
  virtual ~IRtdbClient() = default;
  // Takes the connection entries and loads the client library: 1 when loaded.
  virtual int SetEntriesAndBind(const CRtdbConnBlock& block, int unused) = 0;
  // Stops a running worker, takes the entries, starts again: Start's result.
  virtual int Restart(const CRtdbConnBlock& block, int unused) = 0;
  virtual int Start() = 0;
  virtual int Stop() = 0;

  virtual int TagGetAttr(QB_TAGATTR* attr) = 0;
  virtual int TagQuery(const char* pattern1, const char* pattern2, int selector1, int selector2,
                       QB_TAGQUERYPROC proc, void* user) = 0;
  virtual int ReadReal(QB_TAGVALUE* records, int count) = 0;
  virtual int ReadRealVar(const char* name, VarReply* out) = 0;
  virtual int ReadHis(const char* name, int32_t t0, int32_t t1, int32_t a, int32_t b, QB_HISVALUE* records,
                      int capacity, int* count, int* done) = 0;
  virtual int ReadHisEx(QB_TAGVALUE* records, int32_t time, int count) = 0;
  virtual int ReadHisVar(const char* name, int32_t a, int32_t b, VarReply* out) = 0;
  virtual int GetHisSum(const char* name, int t0, int t1, QB_VALUE* a, QB_VALUE* b, QB_VALUEDATA* c,
                        QB_VALUEDATA* d, int32_t* e) = 0;
  virtual int GetHisSumEx(const char* name, int t0, int t1, int32_t step, QB_HISSTEP* records, int capacity,
                          int* count) = 0;
};

// The host callback table whose context is service and whose nine callbacks
// forward to it. A table with a null context answers 1 (failure) to every call.
HostCallbackBlock MakeHostCallbacks(IRtdbClient* service);
