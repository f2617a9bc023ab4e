#include "qbframe.h"

#include <cstring>

#include "qbcrc32.h"
#include "qbprotocol.h"

namespace {
constexpr uint8_t kMagicBytes[4] = {0x5A, 0x90, 0xEB, 0xA5};
}

void QbWriteHeader(uint8_t head[16], uint32_t total, uint8_t group, uint8_t command, uint8_t flag,
                   uint8_t status) {
  QbPut32(head, QB_FRAME_MAGIC);
  QbPut32(head + 4, total);
  head[8] = group;
  head[9] = command;
  head[10] = flag;
  head[11] = status;
  QbPut32(head + 12, QbCrc32(head, 12));
}

bool QbBuildFrame(QbBuffer& out, uint8_t group, uint8_t command, uint8_t flag, uint8_t status,
                  const void* body, size_t bodySize) {
  out.Reset();
  if (bodySize > QB_MAX_FRAME - QB_HEAD_SIZE) return false;
  uint8_t head[16];
  QbWriteHeader(head, uint32_t(bodySize + QB_HEAD_SIZE), group, command, flag, status);
  if (!out.Append(head, sizeof head)) return false;
  if (bodySize && !out.Append(body, bodySize)) {
    out.Reset();
    return false;
  }
  return true;
}

bool QbHeaderAcceptable(const uint8_t* head) {
  if (std::memcmp(head, kMagicBytes, 4) != 0) return false;
  if (QbCrc32(head, 12) != LittleEndianAt32(head + 12)) return false;
  const uint32_t length = LittleEndianAt32(head + 4);
  return length >= QB_HEAD_SIZE && length <= QB_MAX_FRAME;
}

QbFrameParser::State QbFrameParser::Receive(const uint8_t* bytes, size_t n) {
  if (n == 0) return state_;
  if (state_ == kPartialFrame) {
    const size_t missing = expected_ - frame_.Size();
    const size_t take = n < missing ? n : missing;
    frame_.Append(bytes, take);
    if (n > take) pending_.Append(bytes + take, n - take);
    if (frame_.Size() == expected_) state_ = kCompleteFrame;
    return state_;
  }
  pending_.Append(bytes, n);
  if (state_ == kIdle) Feed();
  return state_;
}

QbFrameParser::Result QbFrameParser::Feed() {
  const size_t n = pending_.Size();
  if (n < QB_HEAD_SIZE) return kNeedMore;
  const uint8_t* p = pending_.Data();
  for (size_t i = 0; i + 4 <= n; ++i) {
    if (std::memcmp(p + i, kMagicBytes, 4) != 0) continue;
    if (n - i < QB_HEAD_SIZE) {
      pending_.RemoveFront(i);  // wait for the rest of this header
      return kNeedMore;
    }
    if (!QbHeaderAcceptable(p + i)) continue;
    const uint32_t length = LittleEndianAt32(p + i + 4);
    frame_.Reset();
    if (i + length > n) {
      frame_.Append(p + i, n - i);
      pending_.Reset();
      expected_ = length;
      state_ = kPartialFrame;
      return kPartial;
    }
    frame_.Append(p + i, length);
    pending_.RemoveFront(i + length);
    expected_ = length;
    state_ = kCompleteFrame;
    return kComplete;
  }
  pending_.RemoveFront(n - 3);  // the last three bytes may begin a magic
  return kNeedMore;
}

QbFrameParser::State QbFrameParser::Next() {
  frame_.Reset();
  expected_ = 0;
  state_ = kIdle;
  Feed();
  return state_;
}

void QbFrameParser::Reset() {
  pending_.Reset();
  frame_.Reset();
  expected_ = 0;
  state_ = kIdle;
}
