// Turns a computed reply and the fault of its command into what goes on the wire:
// the bytes, how they are cut into sends, and whether the connection closes.
#pragma once
#include "handlers.h"
#include "tagsim.h"

namespace tagsim {

struct SendPlan {
  int delayMs = 0;
  bool held = false;     // waits for ReleaseHeld() first
  Bytes bytes;           // empty: nothing is sent
  size_t chunkSize = 0;  // 0: one send
  int chunkGapMs = 0;
  bool closeAfter = false;
};

// `fault` may be null. `group` and `command` are those of the request.
SendPlan PlanReply(const Fault* fault, uint8_t group, uint8_t command, Reply reply);

// Noise that contains stray magic bytes, so that a client must really scan.
Bytes GarbageBytes(size_t n);

}  // namespace tagsim
