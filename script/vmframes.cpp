#include "vmframes.h"

#include <atomic>
#include <cstring>
#include <new>

namespace {

// What a run may leave for the next one.
constexpr size_t kKeptFrameBlocks = 2;  // blocks of 32 cells in the kept frame
constexpr size_t kKeptStackCells = 64;  // room of the stacks and of the lists of kept ones

// One register block that the runs of every machine share: a run takes its
// entry function's block from here and gives it back when it ends, so the
// machines of a picture, run one after the other, use one block that stays
// in the processor's cache instead of a block each. A run that finds it
// taken (a run inside another one) uses its machine's own.
class SharedRegisters {
 public:
  ~SharedRegisters() { delete m_block.exchange(nullptr); }
  std::unique_ptr<VmRegisterBlock> Take() { return std::unique_ptr<VmRegisterBlock>(m_block.exchange(nullptr)); }
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

void Clear(VmRegisterBlock& regs) { std::memset(static_cast<void*>(regs.reg), 0, sizeof regs.reg); }

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

}  // namespace

std::unique_ptr<VmRegisterBlock> TakeRegisterBlock(VmState& s, uint32_t cleared) {
  if (s.spare_regs.empty()) return std::unique_ptr<VmRegisterBlock>(new (std::nothrow) VmRegisterBlock());
  std::unique_ptr<VmRegisterBlock> regs = std::move(s.spare_regs.back());
  s.spare_regs.pop_back();
  if (cleared == ~uint32_t(0)) {
    Clear(*regs);
    return regs;
  }
  for (; cleared; cleared &= cleared - 1) regs->reg[__builtin_ctz(cleared)] = VmCell();
  return regs;
}

std::unique_ptr<VmRegisterBlock> TakeRunRegisters(VmState& s) {
  std::unique_ptr<VmRegisterBlock> regs = g_sharedRegisters.Take();
  if (!regs) return TakeRegisterBlock(s);
  Clear(*regs);
  return regs;
}

std::unique_ptr<VmFrame> TakeFrame(VmState& s) {
  if (s.spare_frames.empty()) return VmFrame::Make(s.memory);
  if (!s.spare_frames.back()->Reuse()) return nullptr;
  std::unique_ptr<VmFrame> frame = std::move(s.spare_frames.back());
  s.spare_frames.pop_back();
  return frame;
}

void KeepForNextCall(VmState& s, std::unique_ptr<VmRegisterBlock> regs, std::unique_ptr<VmFrame> frame) {
  try {
    if (regs) s.spare_regs.push_back(std::move(regs));
    if (frame) {
      frame->Retire();
      s.spare_frames.push_back(std::move(frame));
    }
  } catch (const std::bad_alloc&) {
  }
}

void KeepForNextRun(VmState& s) {
  // The frames and blocks of calls still open when the run ended go.
  s.saved_frames.clear();
  s.saved_frames.shrink_to_fit();
  s.saved_regs.clear();
  s.saved_regs.shrink_to_fit();
  std::unique_ptr<VmRegisterBlock> regs = std::move(s.regs);
  std::unique_ptr<VmFrame> frame = std::move(s.frame);
  if (frame && frame->variables.KeptBlocks() > kKeptFrameBlocks) frame.reset();
  Empty(s.spare_regs);
  Empty(s.spare_frames);
  if (regs) g_sharedRegisters.Give(regs);  // else it stays with the machine
  KeepForNextCall(s, std::move(regs), std::move(frame));
  Empty(s.returns);
  Empty(s.args);
}

void FreeRunState(VmState& s) {
  Free(s.returns);
  Free(s.args);
  s.saved_frames.clear();
  s.saved_frames.shrink_to_fit();
  s.frame.reset();
  s.saved_regs.clear();
  s.saved_regs.shrink_to_fit();
  s.regs.reset();
  Free(s.spare_regs);
  Free(s.spare_frames);
}
