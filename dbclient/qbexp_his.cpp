// Exports: history reads, writes, summaries and counts.
#include <algorithm>
#include <cstring>

#include "qbexport.h"

namespace {

constexpr size_t kSumReplySize = 68;
constexpr size_t kCountReplySize = 24;
constexpr size_t kExpressionMax = 500;

// A history record as delivered: spare bytes cleared; string and blob values
// do not travel in pages, so such a record arrives empty.
QB_HISVALUE DeliverHisRecord(const uint8_t* wire) {
  QB_HISVALUE record;
  std::memcpy(&record, wire, sizeof record);
  record.zero = 0;
  if (int8_t(record.type) > QB_TYPE_FLOAT64) {
    record.type = QB_TYPE_EMPTY;
    std::memset(&record.data, 0, sizeof record.data);
  }
  return record;
}

// One page of a paged history read; the body is already built.
int RequestHisPage(CQbClient* c, uint8_t command, QB_HISVALUE* records, int room, int& count, int& done) {
  count = 0;
  done = 1;
  const int result = c->RequestWithBody(QBG_VALUE, command);
  if (result != QB_OK) return result;
  const QbReplyView reply = QbReply(c);
  if (reply.Status()) return reply.Status();
  const int available = int(reply.BodySize() / sizeof(QB_HISVALUE));
  count = std::min(available, room);
  for (int i = 0; i < count; ++i) records[i] = DeliverHisRecord(reply.Body() + i * sizeof(QB_HISVALUE));
  done = reply.Flag() == QB_MORE_FLAG ? 0 : 1;
  return QB_OK;
}

// Pages from t0 towards t1, each page starting one after the time of the last
// record delivered. Stops when the range, the room or the server's records are
// exhausted, or when a page does not move the start time forward.
template <typename BuildBody>
int ReadHisPages(CQbClient* c, uint8_t command, BuildBody buildBody, int32_t t0, int32_t t1,
                 QB_HISVALUE* records, int capacity, int* count, int* done) {
  int total = 0;
  int allDone = 0;
  int result = QB_OK;
  int32_t t = t0;
  while (capacity - total > 0 && !allDone && t < t1) {
    buildBody(t);
    int pageCount = 0;
    int pageDone = 1;
    result = RequestHisPage(c, command, records + total, capacity - total, pageCount, pageDone);
    if (result != QB_OK) break;
    allDone = pageDone;
    if (pageCount == 0) break;
    total += pageCount;
    const int32_t last = records[total - 1].time;
    if (last >= t1 || last < t) break;  // also keeps last + 1 from overflowing
    t = last + 1;
  }
  *count = total;
  *done = allDone;
  return total > 0 ? QB_OK : result;
}

bool ExpressionValid(const char* expression) {
  return expression && QbTextLength(expression, kExpressionMax) <= kExpressionMax;
}

// Reply of a count: 16 bytes give the status, 24 bytes the two results too.
int CountReply(CQbClient* c, int32_t* first, int32_t* second) {
  const QbReplyView reply = QbReply(c);
  if (reply.size == kCountReplySize) {
    *first = int32_t(reply.Word(16));
    *second = int32_t(reply.Word(20));
    return reply.Status();
  }
  if (reply.size != QB_HEAD_SIZE) return QB_ERR_FAIL;
  return reply.Status();
}

void PutTimeRange(QbBuffer& body, int t0, int t1) {
  QbBodyPut32(body, uint32_t(std::min(t0, t1)));
  QbBodyPut32(body, uint32_t(std::max(t0, t1)));
}

int ReadHisExBatch(CQbClient* c, QB_TAGVALUE* records, int k, int32_t time) {
  QbBuffer& body = QbBodyStart(c);
  QbBodyPut32(body, uint32_t(time));
  for (int i = 0; i < k; ++i) {
    records[i].name[QB_TAGNAME_MAX] = 0;
    QbBodyPutBytes(body, records[i].name, std::strlen(records[i].name));
    QbBodyPut8(body, '\n');
  }
  QbBodyPut8(body, 0);
  const int result = c->RequestWithBody(QBG_VALUE, QBC_READ_HIS_AT);
  if (result != QB_OK) return result;
  const QbReplyView reply = QbReply(c);
  if (reply.Status()) return reply.Status();
  const int n = std::min(int(reply.BodySize() / sizeof(QB_HISVALUE)), k);
  for (int i = 0; i < n; ++i) {
    QB_HISVALUE his;
    std::memcpy(&his, reply.Body() + i * sizeof(QB_HISVALUE), sizeof his);
    QB_VALUE& value = records[i].value;
    value.type = his.type;
    value.quality = his.quality;
    value.status = (his.quality == 2 || his.quality == 3) ? 1 : 0;
    value.time = his.time;
    value.data = his.data;
  }
  return QB_OK;
}

}  // namespace

extern "C" int __stdcall QB_ReadHis(QB_HANDLE h, const char* name, int32_t t0, int32_t t1, int32_t a,
                                    int32_t b, QB_HISVALUE* records, int capacity, int* count, int* done) {
  CQbClient* c = QbClientOf(h);
  if (!c || !count || !done) return QB_ERR_FAIL;
  *count = 0;
  *done = 0;
  if (!QbNameValid(name, false) || (!records && capacity > 0)) return QB_ERR_FAIL;
  if (const int r = QbCheckConnected(c)) return r;
  auto body = [c, name, t1, a, b](int32_t t) {
    QbBuffer& out = QbBodyStart(c);
    QbBodyPut32(out, uint32_t(t));
    QbBodyPut32(out, uint32_t(t1));
    QbBodyPut32(out, uint32_t(a));
    QbBodyPut32(out, uint32_t(b));
    QbBodyPutText(out, name);
  };
  return ReadHisPages(c, QBC_READ_HIS, body, t0, t1, records, capacity, count, done);
}

extern "C" int __stdcall QB_QueryHisExp(QB_HANDLE h, const char* name, const char* expression, int32_t t0,
                                        int32_t t1, int32_t a, int32_t b, QB_HISVALUE* records, int capacity,
                                        int* count, int* done) {
  CQbClient* c = QbClientOf(h);
  if (!c || !count || !done) return QB_ERR_FAIL;
  *count = 0;
  *done = 0;
  if (!QbNameValid(name, false) || !ExpressionValid(expression) || (!records && capacity > 0))
    return QB_ERR_FAIL;
  if (const int r = QbCheckConnected(c)) return r;
  auto body = [c, name, expression, t1, a, b](int32_t t) {
    QbBuffer& out = QbBodyStart(c);
    QbBodyPut32(out, uint32_t(t));
    QbBodyPut32(out, uint32_t(t1));
    QbBodyPut32(out, uint32_t(a));
    QbBodyPut32(out, uint32_t(b));
    QbBodyPutPadded(out, name, 80);
    QbBodyPutText(out, expression);
  };
  return ReadHisPages(c, QBC_QUERY_HIS_EXP, body, t0, t1, records, capacity, count, done);
}

extern "C" int __stdcall QB_ReadHis_EX(QB_HANDLE h, QB_TAGVALUE* records, int32_t time, int count) {
  CQbClient* c = QbClientOf(h);
  if (!c || (!records && count > 0)) return QB_ERR_FAIL;
  if (const int r = QbCheckConnected(c)) return r;
  return QbForEachBatch(records, count, QB_REAL_BATCH,
                        [c, time](QB_TAGVALUE* batch, int k) { return ReadHisExBatch(c, batch, k, time); });
}

extern "C" int __stdcall QB_ReadHisVar(QB_HANDLE h, const char* name, int32_t a, int32_t b, VarReply* out) {
  CQbClient* c = QbClientOf(h);
  if (!c || !out) return QB_ERR_FAIL;
  out->status = 1;
  if (!QbNameValid(name, true)) return QB_ERR_FAIL;
  if (const int r = QbCheckConnected(c)) return r;
  QbBuffer& body = QbBodyStart(c);
  QbBodyPutPadded(body, name, 80);
  QbBodyPut32(body, uint32_t(a));
  QbBodyPut32(body, uint32_t(b));
  const int result = c->RequestWithBody(QBG_VALUE, QBC_READ_HIS_VAR);
  if (result != QB_OK) return result;
  const QbReplyView reply = QbReply(c);
  if (reply.size == QB_HEAD_SIZE) return reply.Status();
  if (!QbDecodeVarReply(reply, *out)) return QB_ERR_FAIL;
  return reply.Status();
}

extern "C" int __stdcall QB_WriteHis(QB_HANDLE h, QB_TAGVALUE* records, int count) {
  CQbClient* c = QbClientOf(h);
  if (!c || (!records && count > 0)) return QB_ERR_FAIL;
  if (const int r = QbCheckConnected(c)) return r;
  return QbForEachBatch(records, count, QB_HIS_BATCH, [c](QB_TAGVALUE* batch, int k) {
    return QbWriteValueBatch(c, QBC_WRITE_HIS, batch, k);
  });
}

extern "C" int __stdcall QB_WriteHisVar(QB_HANDLE h, const char* name, uint8_t quality, int32_t time,
                                        uint8_t type, const void* data, int length) {
  CQbClient* c = QbClientOf(h);
  if (!c || !QbBuildVarWrite(c, name, quality, time, type, data, length)) return QB_ERR_FAIL;
  if (const int r = QbCheckConnected(c)) return r;
  return QbStatusRequest(c, QBG_VALUE, QBC_WRITE_HIS_VAR);
}

extern "C" int __stdcall QB_GetHisSum(QB_HANDLE h, const char* name, int t0, int t1, QB_VALUE* a, QB_VALUE* b,
                                      QB_VALUEDATA* cOut, QB_VALUEDATA* d, int32_t* e) {
  CQbClient* c = QbClientOf(h);
  if (!c || !QbNameValid(name, true) || !a || !b || !cOut || !d || !e) return QB_ERR_FAIL;
  if (t0 < 1 || t1 < 1) return QB_ERR_TIMERANGE;
  if (const int r = QbCheckConnected(c)) return r;
  QbBuffer& body = QbBodyStart(c);
  QbBodyPutPadded(body, name, 80);
  PutTimeRange(body, t0, t1);
  const int result = c->RequestWithBody(QBG_VALUE, QBC_HIS_SUM);
  if (result != QB_OK) return result;
  const QbReplyView reply = QbReply(c);
  if (reply.size == QB_HEAD_SIZE) return reply.Status();
  if (reply.size != kSumReplySize) return QB_ERR_FAIL;
  std::memcpy(a, reply.data + 16, 16);
  std::memcpy(b, reply.data + 32, 16);
  a->status = a->spare = 0;
  b->status = b->spare = 0;
  std::memcpy(cOut, reply.data + 48, 8);
  std::memcpy(d, reply.data + 56, 8);
  *e = int32_t(reply.Word(64));
  return reply.Status();
}

extern "C" int __stdcall QB_GetHisSum_EX(QB_HANDLE h, const char* name, int t0, int t1, int32_t step,
                                         QB_HISSTEP* records, int capacity, int* count) {
  CQbClient* c = QbClientOf(h);
  if (!c || !count) return QB_ERR_FAIL;
  *count = 0;
  if (!QbNameValid(name, true) || (!records && capacity > 0)) return QB_ERR_FAIL;
  if (t0 < 1 || t1 < 1) return QB_ERR_TIMERANGE;
  if (const int r = QbCheckConnected(c)) return r;
  QbBuffer& body = QbBodyStart(c);
  QbBodyPutPadded(body, name, 80);
  PutTimeRange(body, t0, t1);
  QbBodyPut32(body, uint32_t(step));
  const int result = c->RequestWithBody(QBG_VALUE, QBC_HIS_SUM_STEPS);
  if (result != QB_OK) return result;
  const QbReplyView reply = QbReply(c);
  if (reply.size == QB_HEAD_SIZE) return reply.Status();
  const int n = std::max(0, std::min(int(reply.BodySize() / sizeof(QB_HISSTEP)), capacity));
  for (int i = 0; i < n; ++i) {
    std::memcpy(&records[i], reply.Body() + i * sizeof(QB_HISSTEP), sizeof(QB_HISSTEP));
    records[i].a.zero = 0;
    records[i].b.zero = 0;
  }
  *count = n;
  return reply.Status();
}

extern "C" int __stdcall QB_CountHisExp(QB_HANDLE h, const char* name, const char* expression, int32_t t0,
                                        int32_t t1, int32_t* first, int32_t* second) {
  CQbClient* c = QbClientOf(h);
  if (!c || !first || !second) return QB_ERR_FAIL;
  *first = *second = 0;
  if (!QbNameValid(name, false) || !ExpressionValid(expression)) return QB_ERR_FAIL;
  if (const int r = QbCheckConnected(c)) return r;
  QbBuffer& body = QbBodyStart(c);
  QbBodyPut32(body, uint32_t(t0));
  QbBodyPut32(body, uint32_t(t1));
  QbBodyPutPadded(body, name, 80);
  QbBodyPutText(body, expression);
  const int result = c->RequestWithBody(QBG_VALUE, QBC_COUNT_HIS_EXP);
  if (result != QB_OK) return result;
  return CountReply(c, first, second);
}

extern "C" int __stdcall QB_CountKstAct(QB_HANDLE h, const char* name, int t0, int t1, int32_t a, int32_t b,
                                        int32_t* first, int32_t* second) {
  CQbClient* c = QbClientOf(h);
  if (!c || !first || !second) return QB_ERR_FAIL;
  *first = *second = 0;
  if (!QbNameValid(name, true)) return QB_ERR_FAIL;
  if (t0 < 1 || t1 < 1) return QB_ERR_TIMERANGE;
  if (const int r = QbCheckConnected(c)) return r;
  QbBuffer& body = QbBodyStart(c);
  QbBodyPutPadded(body, name, 80);
  PutTimeRange(body, t0, t1);
  QbBodyPut32(body, uint32_t(a));
  QbBodyPut32(body, uint32_t(b));
  const int result = c->RequestWithBody(QBG_VALUE, QBC_COUNT_KST_ACT);
  if (result != QB_OK) return result;
  return CountReply(c, first, second);
}
