// A batch of deferred window moves, ended (and so applied) by its owner.
#pragma once
#include <windows.h>

class CDeferWindowPos {
 public:
  explicit CDeferWindowPos(int count) : m_batch(::BeginDeferWindowPos(count > 0 ? count : 1)) {}
  ~CDeferWindowPos() { End(); }
  CDeferWindowPos(const CDeferWindowPos&) = delete;
  CDeferWindowPos& operator=(const CDeferWindowPos&) = delete;

  // The batch to hand to the next DeferWindowPos call.
  HDWP Handle() const { return m_batch; }
  // Takes the batch that DeferWindowPos returned; nullptr means the platform
  // freed it after a failure, and nothing is left to end.
  void Update(HDWP batch) { m_batch = batch; }
  // Moves every window of the batch at once; FALSE when there was no batch or
  // the platform failed.
  BOOL End() {
    HDWP batch = m_batch;
    m_batch = nullptr;
    return batch ? ::EndDeferWindowPos(batch) : FALSE;
  }

 private:
  HDWP m_batch;
};
