// Exports: administration of actors, operators and history volumes. The
// records are opaque to the client: sent and returned whole.
#include <algorithm>
#include <cstring>

#include "qbexport.h"
#include "qbmd5.h"

namespace {

constexpr size_t kVolumeReplySize = 20;
constexpr size_t kListReplyMin = QB_HEAD_SIZE + 1;

int SendRecord(QB_HANDLE h, const void* record, size_t size, uint8_t command) {
  CQbClient* c = QbClientOf(h);
  if (!c || !record) return QB_ERR_FAIL;
  if (const int r = QbCheckConnected(c)) return r;
  QbBodyPutBytes(QbBodyStart(c), record, size);
  return QbStatusRequest(c, QBG_OPERATOR, command);
}

int SendName(QB_HANDLE h, const char* name, uint8_t command) {
  CQbClient* c = QbClientOf(h);
  if (!c || !name) return QB_ERR_FAIL;
  if (const int r = QbCheckConnected(c)) return r;
  QbBodyPutText(QbBodyStart(c), name);
  return QbStatusRequest(c, QBG_OPERATOR, command);
}

// Copies at most `capacity` records of `size` bytes from the reply body.
int CopyRecords(const QbReplyView& reply, void* records, size_t size, int capacity) {
  const int n = std::max(0, std::min(int(reply.BodySize() / size), capacity));
  if (n) std::memcpy(records, reply.Body(), size_t(n) * size);
  return n;
}

// Actor and operator lists: the reply carries at least one byte behind the
// header (an empty list one byte); a bare header is malformed, whatever its
// status says.
int GetList(QB_HANDLE h, void* records, size_t size, int capacity, int* count, uint8_t command) {
  CQbClient* c = QbClientOf(h);
  if (!c || !count) return QB_ERR_FAIL;
  *count = 0;
  if (!records && capacity > 0) return QB_ERR_FAIL;
  if (const int r = QbCheckConnected(c)) return r;
  QbBodyStart(c);
  const int result = c->RequestWithBody(QBG_OPERATOR, command);
  if (result != QB_OK) return result;
  const QbReplyView reply = QbReply(c);
  if (reply.size < kListReplyMin) return QB_ERR_FAIL;
  if (reply.Status()) return reply.Status();
  *count = CopyRecords(reply, records, size, capacity);
  return QB_OK;
}

// Volume load and unload answer with a 32-bit word behind the header.
int VolumeCommand(QB_HANDLE h, int32_t volume, uint8_t command) {
  CQbClient* c = QbClientOf(h);
  if (!c) return QB_ERR_FAIL;
  if (const int r = QbCheckConnected(c)) return r;
  QbBodyPut32(QbBodyStart(c), uint32_t(volume));
  const int result = c->RequestWithBody(QBG_VOLUME, command);
  if (result != QB_OK) return result;
  const QbReplyView reply = QbReply(c);
  if (reply.size != kVolumeReplySize) return QB_ERR_FAIL;
  return int(reply.Word(16));
}

}  // namespace

extern "C" int __stdcall QB_OptAddAct(QB_HANDLE h, const QB_ACTOR* actor) {
  return SendRecord(h, actor, sizeof(QB_ACTOR), QBC_ADD_ACTOR);
}

extern "C" int __stdcall QB_OptDelAct(QB_HANDLE h, const char* name) {
  return SendName(h, name, QBC_DEL_ACTOR);
}

extern "C" int __stdcall QB_OptAddOpt(QB_HANDLE h, const QB_OPERATOR* op) {
  return SendRecord(h, op, sizeof(QB_OPERATOR), QBC_ADD_OPERATOR);
}

extern "C" int __stdcall QB_OptDelOpt(QB_HANDLE h, const char* name) {
  return SendName(h, name, QBC_DEL_OPERATOR);
}

extern "C" int __stdcall QB_OptModPass(QB_HANDLE h, const char* user, const char* password1,
                                       const char* password2) {
  CQbClient* c = QbClientOf(h);
  if (!c || !user || !password1 || !password2) return QB_ERR_FAIL;
  if (const int r = QbCheckConnected(c)) return r;
  uint8_t digest1[16], digest2[16];
  QbMd5(password1, std::strlen(password1), digest1);
  QbMd5(password2, std::strlen(password2), digest2);
  QbBuffer& body = QbBodyStart(c);
  QbBodyPutPadded(body, user, 16);
  QbBodyPutBytes(body, digest1, 16);
  QbBodyPutBytes(body, digest2, 16);
  return QbStatusRequest(c, QBG_OPERATOR, QBC_MOD_PASSWORD);
}

extern "C" int __stdcall QB_OptGetActors(QB_HANDLE h, QB_ACTOR* records, int capacity, int* count) {
  return GetList(h, records, sizeof(QB_ACTOR), capacity, count, QBC_LIST_ACTORS);
}

extern "C" int __stdcall QB_OptGetOperators(QB_HANDLE h, QB_OPERATOR* records, int capacity, int* count) {
  return GetList(h, records, sizeof(QB_OPERATOR), capacity, count, QBC_LIST_OPERATORS);
}

extern "C" int __stdcall QB_VolLoad(QB_HANDLE h, int32_t volume) {
  return VolumeCommand(h, volume, QBC_VOL_LOAD);
}

extern "C" int __stdcall QB_VolDown(QB_HANDLE h, int32_t volume) {
  return VolumeCommand(h, volume, QBC_VOL_UNLOAD);
}

extern "C" int __stdcall QB_VolGetTab(QB_HANDLE h, QB_VOLUME* records, int capacity, int* count) {
  CQbClient* c = QbClientOf(h);
  if (!c || !count) return QB_ERR_FAIL;
  *count = 0;
  if (!records && capacity > 0) return QB_ERR_FAIL;
  if (const int r = QbCheckConnected(c)) return r;
  QbBodyStart(c);
  const int result = c->RequestWithBody(QBG_VOLUME, QBC_VOL_TABLE);
  if (result != QB_OK) return result;
  const QbReplyView reply = QbReply(c);
  if (reply.size <= QB_HEAD_SIZE) return reply.Status();
  // The table counts whatever the status byte says.
  *count = CopyRecords(reply, records, sizeof(QB_VOLUME), capacity);
  return QB_OK;
}
