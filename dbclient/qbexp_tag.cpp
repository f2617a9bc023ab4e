// Exports: the server's tag catalogue.
#include <cstring>

#include "qbexport.h"

namespace {

constexpr size_t kAttrReplySize = QB_HEAD_SIZE + sizeof(QB_TAGATTR);
constexpr size_t kPageReplyHead = 24;  // header and the two cursor words

struct TagCursor {
  uint32_t word0 = 0;
  uint32_t word1 = 0;
};

// One page of a tag query into the handle's tag page.
int RequestTagPage(CQbClient* c, TagCursor& cursor, const char* pattern1, const char* pattern2, int selector1,
                   int selector2) {
  c->TagPageCount() = 0;
  QbBuffer& body = QbBodyStart(c);
  QbBodyPut32(body, cursor.word0);
  QbBodyPut32(body, cursor.word1);
  QbBodyPutPadded(body, pattern1, 80);
  QbBodyPutPadded(body, pattern2, 80);
  QbBodyPut8(body, uint8_t(selector1));
  QbBodyPut8(body, uint8_t(selector2));
  const int result = c->RequestWithBody(QBG_TAG, QBC_TAG_QUERY);
  if (result != QB_OK) return result;
  const QbReplyView reply = QbReply(c);
  if (reply.size < kPageReplyHead) return QB_ERR_FAIL;
  if (reply.Status()) return reply.Status();
  cursor.word0 = reply.Word(16);
  cursor.word1 = reply.Word(20);
  size_t records = (reply.size - kPageReplyHead) / sizeof(QB_TAGATTR);
  if (records > size_t(QB_TAGPAGE_MAX)) records = QB_TAGPAGE_MAX;
  if (records) std::memcpy(c->TagPage(), reply.data + kPageReplyHead, records * sizeof(QB_TAGATTR));
  c->TagPageCount() = int(records);
  return QB_OK;
}

}  // namespace

extern "C" int __stdcall QB_TagGetAttr(QB_HANDLE h, QB_TAGATTR* attr) {
  CQbClient* c = QbClientOf(h);
  if (!c || !attr) return QB_ERR_FAIL;
  if (const int r = QbCheckConnected(c)) return r;
  attr->name[QB_TAGNAME_MAX] = 0;
  QbBodyPutBytes(QbBodyStart(c), attr, sizeof *attr);
  const int result = QbRequestExpecting(c, QBG_TAG, QBC_TAG_GETATTR, kAttrReplySize);
  if (result != QB_OK) return result;
  std::memcpy(attr, QbReply(c).Body(), sizeof *attr);
  return QB_OK;
}

extern "C" int __stdcall QB_TagQuery(QB_HANDLE h, const char* pattern1, const char* pattern2, int selector1,
                                     int selector2, QB_TAGQUERYPROC proc, void* user) {
  CQbClient* c = QbClientOf(h);
  if (!c || !pattern1 || !pattern2 || !proc) return QB_ERR_FAIL;
  if (const int r = QbCheckConnected(c)) return r;
  TagCursor cursor;
  do {
    const int result = RequestTagPage(c, cursor, pattern1, pattern2, selector1, selector2);
    if (result != QB_OK) return result;
    proc(c->TagPage(), c->TagPageCount(), user);
  } while (int32_t(cursor.word0) >= 0);
  return QB_OK;
}

extern "C" int __stdcall QB_TagInport(QB_HANDLE h, int32_t mode, QB_TAGATTR* attr, int* result) {
  CQbClient* c = QbClientOf(h);
  if (!c || !attr || !result) return QB_ERR_FAIL;
  if (const int r = QbCheckConnected(c)) return r;
  attr->name[QB_TAGNAME_MAX] = 0;
  attr->description[79] = 0;
  attr->unit[15] = 0;
  QbBuffer& body = QbBodyStart(c);
  QbBodyPut32(body, uint32_t(mode));
  QbBodyPutBytes(body, attr, sizeof *attr);
  const int sent = c->RequestWithBody(QBG_TAG, QBC_TAG_IMPORT);
  if (sent != QB_OK) return sent;
  const QbReplyView reply = QbReply(c);
  if (reply.size != kAttrReplySize) return QB_ERR_FAIL;
  QB_TAGATTR returned;
  std::memcpy(&returned, reply.Body(), sizeof returned);
  *result = returned.importFlag ? 0 : returned.importResult;
  if (reply.Status()) return reply.Status();
  *attr = returned;
  return QB_OK;
}

extern "C" int __stdcall QB_TagDel(QB_HANDLE h, const char* name) {
  CQbClient* c = QbClientOf(h);
  if (!c || !name) return QB_ERR_FAIL;
  if (const int r = QbCheckConnected(c)) return r;
  QbBodyPutText(QbBodyStart(c), name);
  return QbStatusRequest(c, QBG_TAG, QBC_TAG_DELETE);
}
