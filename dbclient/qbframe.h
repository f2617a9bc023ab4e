// Building request frames and cutting the received byte stream into frames.
#pragma once
#include <cstddef>
#include <cstdint>

#include "qbbuffer.h"

// Empties `out` and writes one frame: header (magic, total length, group,
// command, flag, status, CRC-32 of bytes 0 to 11) and the body. False, with no
// frame, when the frame would exceed 4 MB.
bool QbBuildFrame(QbBuffer& out, uint8_t group, uint8_t command, uint8_t flag, uint8_t status,
                  const void* body, size_t bodySize);

// Writes the 16 header bytes of a frame of `total` bytes into `head`.
void QbWriteHeader(uint8_t head[16], uint32_t total, uint8_t group, uint8_t command, uint8_t flag,
                   uint8_t status);

// True when the 16 bytes hold an acceptable header: magic, CRC, and a length
// from 16 to 4 MB. A length below 16 cannot be a frame and counts as corrupt.
bool QbHeaderAcceptable(const uint8_t* head);

// The parser's pending bytes, the frame being completed and its state. The
// parser resynchronises on the magic: a false magic or corrupt header costs
// one byte, never the stream.
class QbFrameParser {
 public:
  enum Result { kNeedMore = 0, kPartial = 2, kComplete = 3 };
  enum State { kIdle, kPartialFrame, kCompleteFrame };

  QbFrameParser() : pending_(16384), frame_(16384) {}

  // Takes received bytes: completes a partial frame first, queues the rest,
  // and parses when no frame is under way. Returns the parser's state.
  State Receive(const uint8_t* bytes, size_t n);
  // Parses the pending bytes.
  Result Feed();
  // After a complete frame has been consumed: empties the frame, parses on.
  State Next();
  // Drops pending bytes and any frame under way.
  void Reset();

  State GetState() const { return state_; }
  const QbBuffer& Frame() const { return frame_; }
  const QbBuffer& Pending() const { return pending_; }
  uint32_t ExpectedLength() const { return expected_; }

 private:
  QbBuffer pending_;
  QbBuffer frame_;
  uint32_t expected_ = 0;
  State state_ = kIdle;
};
