#include "qbexport.h"

#include <cstring>

size_t QbTextLength(const char* text, size_t limit) {
  size_t n = 0;
  while (n <= limit && text[n]) ++n;
  return n;
}

bool QbNameValid(const char* name, bool allowEmpty) {
  if (!name) return false;
  const size_t n = QbTextLength(name, QB_TAGNAME_MAX);
  return n <= size_t(QB_TAGNAME_MAX) && (allowEmpty || n > 0);
}

QbBuffer& QbBodyStart(CQbClient* c) {
  c->Body().Reset();
  return c->Body();
}

void QbBodyPut32(QbBuffer& body, uint32_t value) {
  uint8_t bytes[4];
  QbPut32(bytes, value);
  body.Append(bytes, 4);
}

void QbBodyPut16(QbBuffer& body, uint16_t value) {
  uint8_t bytes[2];
  QbPut16(bytes, value);
  body.Append(bytes, 2);
}

void QbBodyPut8(QbBuffer& body, uint8_t value) { body.Append(&value, 1); }

void QbBodyPutBytes(QbBuffer& body, const void* bytes, size_t size) {
  if (size) body.Append(bytes, size);
}

void QbBodyPutPadded(QbBuffer& body, const char* text, size_t width) {
  const size_t n = text ? QbTextLength(text, width - 1) : 0;
  const size_t used = n < width ? n : width - 1;
  QbBodyPutBytes(body, text, used);
  body.AppendZeros(width - used);
}

void QbBodyPutText(QbBuffer& body, const char* text) {
  QbBodyPutBytes(body, text, std::strlen(text));
  body.AppendZeros(1);
}

int QbRequestExpecting(CQbClient* c, uint8_t group, uint8_t command, size_t replySize) {
  const int result = c->RequestWithBody(group, command);
  if (result != QB_OK) return result;
  const QbReplyView reply = QbReply(c);
  if (reply.size != replySize) return QB_ERR_FAIL;
  return reply.Status();
}

int QbStatusRequest(CQbClient* c, uint8_t group, uint8_t command) {
  return QbRequestExpecting(c, group, command, QB_HEAD_SIZE);
}

bool QbDecodeVarReply(const QbReplyView& reply, VarReply& out) {
  if (reply.size < 24) return false;
  const size_t n = LittleEndianAt16(reply.data + 22);
  if (n > size_t(QB_VARDATA_MAX) || reply.size != 24 + n) return false;
  out.type = reply.data[20];
  out.quality = reply.data[21];
  out.status = 0;
  out.spare = 0;
  out.time = int32_t(reply.Word(16));
  out.length = int32_t(n);
  std::memcpy(out.data, reply.data + 24, n);
  out.data[n] = 0;
  return true;
}

bool QbBuildVarWrite(CQbClient* c, const char* name, uint8_t quality, int32_t time, uint8_t type,
                     const void* data, int length) {
  if (length < 0 || length >= 4000 || !QbNameValid(name, true) || (length > 0 && !data)) return false;
  QbBuffer& body = QbBodyStart(c);
  QbBodyPutPadded(body, name, 80);
  QbBodyPut32(body, uint32_t(time));
  QbBodyPut8(body, type);
  QbBodyPut8(body, quality);
  QbBodyPut16(body, uint16_t(length));
  QbBodyPutBytes(body, data, size_t(length));
  return true;
}

bool QbBuildValueBody(CQbClient* c, QB_TAGVALUE* records, int k) {
  QbBuffer& body = QbBodyStart(c);
  for (int i = 0; i < k; ++i)
    if (!QbEncodeValue(body, records[i])) return false;
  return true;
}

int QbWriteValueBatch(CQbClient* c, uint8_t command, QB_TAGVALUE* records, int k) {
  if (!QbBuildValueBody(c, records, k)) return QB_ERR_FAIL;
  const int result = QbRequestExpecting(c, QBG_VALUE, command, QB_HEAD_SIZE + size_t(k));
  if (result != QB_OK) return result;
  const uint8_t* statuses = QbReply(c).Body();
  for (int i = 0; i < k; ++i) records[i].value.status = statuses[i];
  return QB_OK;
}
