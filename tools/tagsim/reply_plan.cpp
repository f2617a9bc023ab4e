#include "reply_plan.h"

#include <algorithm>
#include <cstring>

namespace tagsim {

Bytes GarbageBytes(size_t n) {
  static const uint8_t pattern[] = {0x00, 0x5A, 0x90, 0xEB, 0xA5, 0x11, 0x22, 0x5A, 0x90, 0xFF, 0x33, 0x5A};
  Bytes out(n);
  for (size_t i = 0; i < n; ++i) out[i] = pattern[i % sizeof pattern];
  return out;
}

SendPlan PlanReply(const Fault* f, uint8_t group, uint8_t command, Reply reply) {
  SendPlan plan;
  const uint8_t replyGroup = uint8_t(group + kReplyGroupDelta);
  Fault none;
  if (!f) f = &none;
  plan.delayMs = f->delayMs;
  plan.held = f->held;
  if (f->noReply) return plan;
  if (f->closeInsteadOfReply) {
    plan.closeAfter = true;
    return plan;
  }

  if (f->replyBody) reply.body = *f->replyBody;
  if (f->bareHeader) reply.body.clear();
  if (f->lengthDelta > 0) reply.body.resize(reply.body.size() + size_t(f->lengthDelta), 0);
  if (f->lengthDelta < 0)
    reply.body.resize(
        size_t(-f->lengthDelta) >= reply.body.size() ? 0 : reply.body.size() - size_t(-f->lengthDelta));
  uint8_t status = f->forceStatus >= 0 ? uint8_t(f->forceStatus) : reply.status;
  uint8_t flag = f->forceFlag >= 0 ? uint8_t(f->forceFlag) : reply.flag;
  Bytes frame = EncodeFrame(replyGroup, command, flag, status, reply.body);

  Bytes& out = plan.bytes;
  if (f->garbageBytes > 0) {
    Bytes g = GarbageBytes(size_t(f->garbageBytes));
    out.insert(out.end(), g.begin(), g.end());
  }
  if (f->badCrcHeaderFirst) {
    uint8_t h[kHeaderSize];
    std::memcpy(h, frame.data(), kHeaderSize);
    PutU32(h + 12, GetU32(h + 12) ^ 0xFFFFFFFFu);
    AppendBytes(out, h, kHeaderSize);
  }
  if (f->bogusLengthFirst) {
    uint8_t h[kHeaderSize];
    WriteHeader(h, f->bogusLengthFirst, replyGroup, command, 0, 0);
    AppendBytes(out, h, kHeaderSize);
  }
  if (f->unrelatedFrameFirst) {
    Bytes other = EncodeFrame(replyGroup, uint8_t(command ^ 0x01), 0, 0, Bytes(4, 0));
    out.insert(out.end(), other.begin(), other.end());
  }
  size_t prefix = out.size();
  out.insert(out.end(), frame.begin(), frame.end());
  if (f->twice) out.insert(out.end(), frame.begin(), frame.end());

  if (f->closeMidFrameAt > 0) {
    size_t keep = std::min(size_t(f->closeMidFrameAt), frame.size() - 1);
    out.resize(prefix + keep);
    plan.closeAfter = true;
  }
  if (f->closeAfterReply) plan.closeAfter = true;
  plan.chunkSize = f->chunkSize > 0 ? size_t(f->chunkSize) : 0;
  plan.chunkGapMs = f->chunkGapMs;
  return plan;
}

}  // namespace tagsim
