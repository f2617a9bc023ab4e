#include "servicerequest.h"

#include "qel/checkword.h"

namespace {

template <class Request>
const Request& As(LPARAM record) {
  return *reinterpret_cast<const Request*>(record);
}

// One row per request: the callback slot that must be set and the call that
// unpacks the record into its arguments.
struct ServiceRow {
  UINT msg;
  bool (*hasCallback)(const HostCallbackBlock& host);
  int (*call)(const HostCallbackBlock& host, LPARAM record);
};

#define QEL_HAS(field) [](const HostCallbackBlock& h) { return h.field != nullptr; }

const ServiceRow kRows[] = {
    {QSM_TAGGETATTR, QEL_HAS(pfnTagGetAttr),
     [](const HostCallbackBlock& h, LPARAM r) {
       return h.pfnTagGetAttr(h.context, reinterpret_cast<QB_TAGATTR*>(r));
     }},
    {QSM_TAGQUERY, QEL_HAS(pfnTagQuery),
     [](const HostCallbackBlock& h, LPARAM r) {
       const auto& q = As<TagQueryRequest>(r);
       return h.pfnTagQuery(h.context, q.pattern1, q.pattern2, q.selector1, q.selector2, q.proc, q.user);
     }},
    {QSM_READREAL, QEL_HAS(pfnReadReal),
     [](const HostCallbackBlock& h, LPARAM r) {
       const auto& q = As<ReadRealRequest>(r);
       return h.pfnReadReal(h.context, q.records, q.count);
     }},
    {QSM_READREALVAR, QEL_HAS(pfnReadRealVar),
     [](const HostCallbackBlock& h, LPARAM r) {
       const auto& q = As<VarTagRequest>(r);
       return h.pfnReadRealVar(h.context, q.name, q.value);
     }},
    {QSM_READHIS, QEL_HAS(pfnReadHis),
     [](const HostCallbackBlock& h, LPARAM r) {
       const auto& q = As<ReadHisRequest>(r);
       return h.pfnReadHis(h.context, q.name, q.t0, q.t1, q.a, q.b, q.records, q.capacity, q.count, q.done);
     }},
    {QSM_READHISVAR, QEL_HAS(pfnReadHisVar),
     [](const HostCallbackBlock& h, LPARAM r) {
       const auto& q = As<ReadHisVarRequest>(r);
       return h.pfnReadHisVar(h.context, q.name, q.a, q.b, q.out);
     }},
    {QSM_READHISEX, QEL_HAS(pfnReadHisEx),
     [](const HostCallbackBlock& h, LPARAM r) {
       const auto& q = As<ReadHisExRequest>(r);
       return h.pfnReadHisEx(h.context, q.records, q.time, q.count);
     }},
    {QSM_GETHISSUM, QEL_HAS(pfnGetHisSum),
     [](const HostCallbackBlock& h, LPARAM r) {
       const auto& q = As<GetHisSumRequest>(r);
       return h.pfnGetHisSum(h.context, q.name, q.t0, q.t1, q.a, q.b, q.c, q.d, q.e);
     }},
    {QSM_GETHISSUMEX, QEL_HAS(pfnGetHisSumEx),
     [](const HostCallbackBlock& h, LPARAM r) {
       const auto& q = As<GetHisSumExRequest>(r);
       return h.pfnGetHisSumEx(h.context, q.name, q.t0, q.t1, q.step, q.records, q.capacity, q.count);
     }},
};
#undef QEL_HAS

const ServiceRow* FindRow(UINT msg) {
  for (const ServiceRow& row : kRows)
    if (row.msg == msg) return &row;
  return nullptr;
}

}  // namespace

bool IsEditServiceRequest(UINT msg) { return FindRow(msg) != nullptr; }

LRESULT AnswerServiceRequest(const HostCallbackBlock& host, UINT msg, DWORD checkWord, LPARAM record) {
  const ServiceRow* row = FindRow(msg);
  if (!row || !IsHostParamValid(checkWord) || record == 0) return 1;
  if (!host.context || !row->hasCallback(host)) return 1;
  return row->call(host, record);
}

bool IsFireEventValid(DWORD checkWord) { return IsHostParamValid(checkWord); }
