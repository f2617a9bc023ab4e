// The data operations of CRtdbClient: one library call each, under the lock,
// only while connected.
#include "rtdbclient.h"

template <class Fn, class... Args>
int CRtdbClient::CallData(Fn fn, Args... args) {
  CRtdbLockGuard guard(m_lock);
  if (!m_module || !m_handle || !fn) return QB_ERR_FAIL;
  if (!m_connected) return QB_ERR_NOTCONNECTED;
  const int result = fn(m_handle, args...);
  if (result == QB_ERR_NOTCONNECTED) InterlockedExchange(&m_connected, 0);
  return result;
}

int CRtdbClient::TagGetAttr(QB_TAGATTR* attr) { return CallData(m_api.QB_TagGetAttr, attr); }

int CRtdbClient::TagQuery(const char* pattern1, const char* pattern2, int selector1, int selector2,
                          QB_TAGQUERYPROC proc, void* user) {
  return CallData(m_api.QB_TagQuery, pattern1, pattern2, selector1, selector2, proc, user);
}

int CRtdbClient::ReadReal(QB_TAGVALUE* records, int count) {
  return CallData(m_api.QB_ReadReal, records, count);
}

int CRtdbClient::ReadRealVar(const char* name, VarReply* out) {
  return CallData(m_api.QB_ReadRealVar, name, out);
}

int CRtdbClient::ReadHis(const char* name, int32_t t0, int32_t t1, int32_t a, int32_t b, QB_HISVALUE* records,
                         int capacity, int* count, int* done) {
  return CallData(m_api.QB_ReadHis, name, t0, t1, a, b, records, capacity, count, done);
}

int CRtdbClient::ReadHisEx(QB_TAGVALUE* records, int32_t time, int count) {
  return CallData(m_api.QB_ReadHis_EX, records, time, count);
}

int CRtdbClient::ReadHisVar(const char* name, int32_t a, int32_t b, VarReply* out) {
  return CallData(m_api.QB_ReadHisVar, name, a, b, out);
}

int CRtdbClient::GetHisSum(const char* name, int t0, int t1, QB_VALUE* a, QB_VALUE* b, QB_VALUEDATA* c,
                           QB_VALUEDATA* d, int32_t* e) {
  return CallData(m_api.QB_GetHisSum, name, t0, t1, a, b, c, d, e);
}

int CRtdbClient::GetHisSumEx(const char* name, int t0, int t1, int32_t step, QB_HISSTEP* records,
                             int capacity, int* count) {
  return CallData(m_api.QB_GetHisSum_EX, name, t0, t1, step, records, capacity, count);
}
