// Exports: reading and writing current values.
#include <cstring>

#include "qbexport.h"
#include "qbwirevalue.h"

namespace {

// Read reply: wire records replace the batch's records by position.
int ReadRealBatch(CQbClient* c, QB_TAGVALUE* records, int k) {
  if (!QbBuildValueBody(c, records, k)) return QB_ERR_FAIL;
  const int result = c->RequestWithBody(QBG_VALUE, QBC_READ_REAL);
  if (result != QB_OK) return result;
  const QbReplyView reply = QbReply(c);
  if (reply.Status()) return reply.Status();
  const uint8_t* wire = reply.Body();
  size_t left = reply.BodySize();
  int filled = 0;
  while (filled < k && left > 0) {
    QB_TAGVALUE decoded;
    const size_t used = QbDecodeValue(wire, left, decoded);
    if (used == 0) break;
    records[filled++] = decoded;
    wire += used;
    left -= used;
  }
  return filled == k ? QB_OK : QB_ERR_FAIL;
}

}  // namespace

extern "C" int __stdcall QB_ReadReal(QB_HANDLE h, QB_TAGVALUE* records, int count) {
  CQbClient* c = QbClientOf(h);
  if (!c || (!records && count > 0)) return QB_ERR_FAIL;
  if (const int r = QbCheckConnected(c)) return r;
  return QbForEachBatch(records, count, QB_REAL_BATCH,
                        [c](QB_TAGVALUE* batch, int k) { return ReadRealBatch(c, batch, k); });
}

extern "C" int __stdcall QB_WriteReal(QB_HANDLE h, QB_TAGVALUE* records, int count) {
  CQbClient* c = QbClientOf(h);
  if (!c || (!records && count > 0)) return QB_ERR_FAIL;
  if (const int r = QbCheckConnected(c)) return r;
  return QbForEachBatch(records, count, QB_REAL_BATCH, [c](QB_TAGVALUE* batch, int k) {
    return QbWriteValueBatch(c, QBC_WRITE_REAL, batch, k);
  });
}

extern "C" int __stdcall QB_ReadRealVar(QB_HANDLE h, const char* name, VarReply* out) {
  CQbClient* c = QbClientOf(h);
  if (!c || !out || !QbNameValid(name, true)) return QB_ERR_FAIL;
  if (const int r = QbCheckConnected(c)) return r;
  QbBodyPutPadded(QbBodyStart(c), name, 80);
  const int result = c->RequestWithBody(QBG_VALUE, QBC_READ_REAL_VAR);
  if (result != QB_OK) return result;
  const QbReplyView reply = QbReply(c);
  if (reply.size == QB_HEAD_SIZE) return reply.Status();
  if (!QbDecodeVarReply(reply, *out)) return QB_ERR_FAIL;
  return reply.Status();
}

extern "C" int __stdcall QB_WriteRealVar(QB_HANDLE h, const char* name, uint8_t quality, int32_t time,
                                         uint8_t type, const void* data, int length) {
  CQbClient* c = QbClientOf(h);
  if (!c || !QbBuildVarWrite(c, name, quality, time, type, data, length)) return QB_ERR_FAIL;
  if (const int r = QbCheckConnected(c)) return r;
  return QbStatusRequest(c, QBG_VALUE, QBC_WRITE_REAL_VAR);
}
