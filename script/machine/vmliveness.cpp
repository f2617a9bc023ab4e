#include "vmliveness.h"

#include "../../compiler/opcodes.h"

using tarnic::CodeByteInstruction;
using namespace tarnic;

namespace {

constexpr VmRegisterMask kEveryRegister = ~VmRegisterMask(1);
constexpr uint8_t kScratch = 31;

// The registers an instruction reads and those it replaces whole (as the
// direct interpreter executes it). Reading too many or replacing too few
// only keeps writes; the reverse would drop one that is read.
struct Effect {
  VmRegisterMask reads, replaces;
};

Effect EffectOf(const CodeByteInstruction& in) {
  const VmRegisterMask r = RegisterBit(in.r), r2 = RegisterBit(in.r2), scratch = RegisterBit(kScratch);
  const uint8_t op = in.op;
  if (op >= OP_ASG_RR && op < OP_ASG_RM)
    return {r | r2, 0};  // the target may be a plain register, changed in place
  if (op >= OP_ASG_RM && op < OP_ASG_RM + 16) return {r, scratch};
  if (op >= 48 && op < OP_ASG_RK) return {0, 0};  // no operation
  if (op >= OP_ASG_RK && op < OP_ASG_RK + 16) return {r, scratch};
  if (op >= OP_BIN_RR && op < OP_BIN_RM) return {r | r2, r};
  if (op >= OP_BIN_RM && op < OP_JMP) return {r, r | scratch};
  switch (op) {
    case 0:
    case 11:
    case 12:
    case 13:
    case 14:
    case 15:  // no operation
    case OP_PUSHK:
    case OP_PUSHM:
    case OP_POPARG:
    case OP_JMP:
    case OP_CALL:
    case OP_CALLSYS:
    case OP_RET:
    case OP_LOCAL: return {0, 0};
    case OP_MOV: return {r2, r};  // into the accumulator (r = 0): no register replaced
    case OP_LDK:
    case OP_LDM:
    case OP_LDMC:
    case OP_LEA: return {0, r};
    case OP_LDV: return {r2, r};
    case OP_PUSHR:
    case OP_JZ:
    case OP_JNZ: return {r, 0};
    case OP_TOPTR:
    case OP_NEG:
    case OP_BNOT:
    case OP_LNOT:
    case OP_CAST: return {r, r};
    case OP_INC:
    case OP_DEC: return {r, scratch};
    default: return {kEveryRegister, 0};  // an opcode without a meaning ends the run
  }
}

VmRegisterMask LiveBefore(const Effect& effect, VmRegisterMask after) {
  return effect.reads | (after & ~effect.replaces);
}

// The instructions that may run next: a call's successor is the instruction
// after it (where its registers come back); a return has none.
template <typename F>
void ForEachSuccessor(const std::vector<CodeByteInstruction>& code, uint32_t i, F f) {
  const CodeByteInstruction& in = code[i];
  const uint32_t n = static_cast<uint32_t>(code.size());
  if ((in.op == OP_JMP || in.op == OP_JZ || in.op == OP_JNZ) && in.a < n) f(in.a);
  if (in.op != OP_JMP && in.op != OP_RET && i + 1 < n) f(i + 1);
}

}  // namespace

std::vector<VmRegisterMask> LiveRegistersAfter(const std::vector<CodeByteInstruction>& code) {
  const uint32_t n = static_cast<uint32_t>(code.size());
  std::vector<Effect> effects(n);
  std::vector<std::vector<uint32_t>> predecessors(n);
  for (uint32_t i = 0; i < n; ++i) {
    effects[i] = EffectOf(code[i]);
    ForEachSuccessor(code, i, [&](uint32_t next) { predecessors[next].push_back(i); });
  }
  // A work list from the end: each instruction is looked at again only when
  // what its successors read grows, so the work is bounded by the number of
  // registers times the number of jumps.
  std::vector<VmRegisterMask> after(n, 0), before(n, 0);
  std::vector<uint32_t> work;
  std::vector<bool> queued(n, true);
  work.reserve(n);
  for (uint32_t i = 0; i < n; ++i) work.push_back(i);
  while (!work.empty()) {
    const uint32_t i = work.back();
    work.pop_back();
    queued[i] = false;
    VmRegisterMask out = 0;
    ForEachSuccessor(code, i, [&](uint32_t next) { out |= before[next]; });
    after[i] = out;
    const VmRegisterMask in = LiveBefore(effects[i], out);
    if (in == before[i]) continue;
    before[i] = in;
    for (uint32_t p : predecessors[i])
      if (!queued[p]) {
        queued[p] = true;
        work.push_back(p);
      }
  }
  return after;
}

VmRegisterMask LiveRegistersBefore(const CodeByteInstruction& in, VmRegisterMask after) {
  return LiveBefore(EffectOf(in), after);
}
