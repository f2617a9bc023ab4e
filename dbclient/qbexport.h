// Shared steps of the QB_ exports (internal): argument checks, request bodies
// and reading reply frames.
#pragma once
#include <cstddef>
#include <cstdint>

#include "qbapi.h"
#include "qbbuffer.h"
#include "qbclient.h"
#include "qbprotocol.h"
#include "qbwirevalue.h"

// Length of a text, counted up to limit + 1 so that a long text is seen as
// too long without reading further.
size_t QbTextLength(const char* text, size_t limit);

// QB_OK when the handle has a socket and is logged in, else 31.
inline int QbCheckConnected(const CQbClient* c) { return c->IsConnected() ? QB_OK : QB_ERR_NOTCONNECTED; }

// A tag name argument: non-null and 1 to 79 characters (0 to 79 with allowEmpty).
bool QbNameValid(const char* name, bool allowEmpty);

// Body assembly in the handle's body buffer (emptied by QbBodyStart).
QbBuffer& QbBodyStart(CQbClient* c);
void QbBodyPut32(QbBuffer& body, uint32_t value);
void QbBodyPut8(QbBuffer& body, uint8_t value);
void QbBodyPut16(QbBuffer& body, uint16_t value);
void QbBodyPutBytes(QbBuffer& body, const void* bytes, size_t size);
// The text cut to width - 1 characters, zero-padded to width bytes.
void QbBodyPutPadded(QbBuffer& body, const char* text, size_t width);
// The text and its terminating zero.
void QbBodyPutText(QbBuffer& body, const char* text);

// The reply frame of the last request.
struct QbReplyView {
  const uint8_t* data;
  size_t size;
  uint8_t Flag() const { return data[10]; }
  uint8_t Status() const { return data[11]; }
  const uint8_t* Body() const { return data + QB_HEAD_SIZE; }
  size_t BodySize() const { return size - QB_HEAD_SIZE; }
  uint32_t Word(size_t offset) const { return LittleEndianAt32(data + offset); }
};
inline QbReplyView QbReply(const CQbClient* c) { return {c->Reply().Data(), c->Reply().Size()}; }

// A request whose reply must be exactly `replySize` bytes: 1 for any other
// length, else the reply's status.
int QbRequestExpecting(CQbClient* c, uint8_t group, uint8_t command, size_t replySize);

// A request answered by a bare status frame (16 bytes): its status.
int QbStatusRequest(CQbClient* c, uint8_t group, uint8_t command);

// Fills a variable value from a variable-value reply (at least 24 bytes, a data
// length of at most 3,999 and exactly that many bytes behind): false otherwise.
bool QbDecodeVarReply(const QbReplyView& reply, VarReply& out);

// Appends the head of a variable-value write (name in 80 bytes, time, type,
// quality, 16-bit length) and the data. False when the arguments are bad.
bool QbBuildVarWrite(CQbClient* c, const char* name, uint8_t quality, int32_t time, uint8_t type,
                     const void* data, int length);

// Runs `batch(records, k)` over consecutive batches of at most `batchSize`
// records, in order, until one returns non-zero; that result, else 0.
template <typename Batch>
int QbForEachBatch(QB_TAGVALUE* records, int count, int batchSize, Batch batch) {
  for (int first = 0; first < count; first += batchSize) {
    const int k = count - first < batchSize ? count - first : batchSize;
    if (const int result = batch(records + first, k)) return result;
  }
  return QB_OK;
}

// Appends the wire form of k records (names cut to 79 characters) to the
// emptied body buffer. False when the body would exceed a frame.
bool QbBuildValueBody(CQbClient* c, QB_TAGVALUE* records, int k);

// One batch of a value write (current or history): the reply carries one
// status byte per record, which becomes that record's status.
int QbWriteValueBatch(CQbClient* c, uint8_t command, QB_TAGVALUE* records, int k);
