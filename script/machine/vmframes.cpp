#include "vmframes.h"

#include <atomic>
#include <cstring>
#include <new>

#include "vmcodes.h"

namespace {

// What a run may leave for the next one.
constexpr size_t kKeptFrameBlocks = 2;  // blocks of 32 cells in the kept frame
constexpr size_t kKeptStackCells = 64;  // room of the stacks and of the list of levels

// One register block that the runs of every machine share: a run takes its
// entry function's block from here and gives it back when it ends, so the
// machines of a picture, run one after the other, use one block that stays
// in the processor's cache instead of a block each. A run that finds it
// taken (a run inside another one) uses its machine's own.
class SharedRegisters {
 public:
  ~SharedRegisters() { delete m_block.exchange(nullptr); }
  std::unique_ptr<VmRegisterBlock> Take() {
    return std::unique_ptr<VmRegisterBlock>(m_block.exchange(nullptr));
  }
  // Takes the block back; false (the block stays with the caller) when the
  // place is held by another.
  bool Give(std::unique_ptr<VmRegisterBlock>& block) {
    VmRegisterBlock* empty = nullptr;
    if (!m_block.compare_exchange_strong(empty, block.get())) return false;
    block.release();
    return true;
  }

 private:
  std::atomic<VmRegisterBlock*> m_block{nullptr};
};
SharedRegisters g_sharedRegisters;

template <class T>
void Free(std::vector<T>& v) {
  std::vector<T>().swap(v);
}

// Empties a list, keeping its room when that is small.
template <class T>
void Empty(std::vector<T>& v) {
  if (v.capacity() > kKeptStackCells)
    Free(v);
  else
    v.clear();
}

// The frame of a level counted for its next use, made the first time.
bool CountFrame(VmState& s, VmCallLevel& level) {
  if (level.frame) return level.frame->Reuse();
  level.frame = VmFrame::Make(s.memory);
  return level.frame != nullptr;
}

}  // namespace

bool EnterRun(VmState& s) {
  if (s.levels.empty()) {
    try {
      s.levels.emplace_back();
    } catch (const std::bad_alloc&) {
      return false;
    }
  }
  VmCallLevel& entry = s.levels[0];
  if (!entry.regs) entry.regs = g_sharedRegisters.Take();
  if (!entry.regs) entry.regs.reset(new (std::nothrow) VmRegisterBlock());
  if (!entry.regs) return false;
  ClearRegisters(*entry.regs, ~uint32_t(0));
  if (!CountFrame(s, entry)) return false;
  SwitchLevel(s, 0);
  return true;
}

int EnterNewLevel(VmState& s, uint32_t call, uint32_t cleared) {
  const size_t depth = s.depth + 1;
  if (depth == s.levels.size()) {
    try {
      s.levels.emplace_back();
    } catch (const std::bad_alloc&) {
      return kVmGrowReturnStack;
    }
  }
  VmCallLevel& level = s.levels[depth];
  if (level.regs)
    ClearRegisters(*level.regs, cleared);
  else
    level.regs.reset(new (std::nothrow) VmRegisterBlock());
  if (!level.regs) return kVmCallSaveRegs;
  if (!CountFrame(s, level)) return kVmCallNewFrame;
  level.call = call;
  level.back = nullptr;
  SwitchLevel(s, depth);
  return 0;
}

void KeepForNextRun(VmState& s) {
  std::unique_ptr<VmRegisterBlock> regs;
  std::unique_ptr<VmFrame> frame;
  if (!s.levels.empty()) {
    regs = std::move(s.levels[0].regs);
    frame = std::move(s.levels[0].frame);
  }
  // The levels of deeper calls go (with the frames of calls still open when
  // the run ended).
  Empty(s.levels);
  s.depth = 0;
  s.regs = nullptr;
  s.frame = nullptr;
  if (frame) {
    frame->Retire();
    if (frame->variables.KeptBlocks() > kKeptFrameBlocks) frame.reset();
  }
  if (regs) g_sharedRegisters.Give(regs);  // else it stays with the machine
  if (regs || frame) {
    try {
      s.levels.emplace_back();
      s.levels[0].regs = std::move(regs);
      s.levels[0].frame = std::move(frame);
    } catch (const std::bad_alloc&) {
    }
  }
  Empty(s.args);
}

void FreeRunState(VmState& s) {
  Free(s.args);
  Free(s.levels);
  s.depth = 0;
  s.regs = nullptr;
  s.frame = nullptr;
}
