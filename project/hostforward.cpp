// The nine forwarders of the host callback table: each passes its arguments
// unchanged to the service in the context and returns its status unchanged.
#include "rtdbservice.h"

namespace {

IRtdbClient* ServiceOf(void* context) { return static_cast<IRtdbClient*>(context); }

int __stdcall ForwardTagGetAttr(void* context, QB_TAGATTR* attr) {
  return context ? ServiceOf(context)->TagGetAttr(attr) : QB_ERR_FAIL;
}

int __stdcall ForwardTagQuery(void* context, const char* pattern1, const char* pattern2, int selector1,
                              int selector2, QB_TAGQUERYPROC proc, void* user) {
  return context ? ServiceOf(context)->TagQuery(pattern1, pattern2, selector1, selector2, proc, user)
                 : QB_ERR_FAIL;
}

int __stdcall ForwardReadReal(void* context, QB_TAGVALUE* records, int count) {
  return context ? ServiceOf(context)->ReadReal(records, count) : QB_ERR_FAIL;
}

int __stdcall ForwardReadRealVar(void* context, const char* name, VarReply* out) {
  return context ? ServiceOf(context)->ReadRealVar(name, out) : QB_ERR_FAIL;
}

int __stdcall ForwardReadHis(void* context, const char* name, int32_t t0, int32_t t1, int32_t a, int32_t b,
                             QB_HISVALUE* records, int capacity, int* count, int* done) {
  return context ? ServiceOf(context)->ReadHis(name, t0, t1, a, b, records, capacity, count, done)
                 : QB_ERR_FAIL;
}

int __stdcall ForwardReadHisEx(void* context, QB_TAGVALUE* records, int32_t time, int count) {
  return context ? ServiceOf(context)->ReadHisEx(records, time, count) : QB_ERR_FAIL;
}

int __stdcall ForwardReadHisVar(void* context, const char* name, int32_t a, int32_t b, VarReply* out) {
  return context ? ServiceOf(context)->ReadHisVar(name, a, b, out) : QB_ERR_FAIL;
}

int __stdcall ForwardGetHisSum(void* context, const char* name, int t0, int t1, QB_VALUE* a, QB_VALUE* b,
                               QB_VALUEDATA* c, QB_VALUEDATA* d, int32_t* e) {
  return context ? ServiceOf(context)->GetHisSum(name, t0, t1, a, b, c, d, e) : QB_ERR_FAIL;
}

int __stdcall ForwardGetHisSumEx(void* context, const char* name, int t0, int t1, int32_t step,
                                 QB_HISSTEP* records, int capacity, int* count) {
  return context ? ServiceOf(context)->GetHisSumEx(name, t0, t1, step, records, capacity, count)
                 : QB_ERR_FAIL;
}

}  // namespace

HostCallbackBlock MakeHostCallbacks(IRtdbClient* service) {
  return HostCallbackBlock{
      service,        ForwardTagGetAttr, ForwardTagQuery,   ForwardReadReal,  ForwardReadRealVar,
      ForwardReadHis, ForwardReadHisEx,  ForwardReadHisVar, ForwardGetHisSum, ForwardGetHisSumEx};
}
