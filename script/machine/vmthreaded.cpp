// The threaded machine's rules, which every handler below keeps (the
// translation that it runs is described in vmtranslate.h):
//
// - Budget. The ops spend `fuel`, a part of the run's budget moved out of
//   the state. A block is paid for as it is entered, one unit for each of
//   its instructions at once; a run that ends inside a block gives back the
//   units of the instructions it did not reach (CHECK_AT). Work beyond the
//   instructions' units (calls, parameters, locals) is charged from the fuel
//   where it suffices, otherwise from the whole budget as the direct machine
//   charges it. The fuel goes back into the state before anything else
//   charges the budget and when the run ends, so the direct machine and the
//   run's account always see the whole of what is left.
// - Block entry. Control enters a block only at its charge op (ENTER): when
//   the fuel pays for the whole block and the frame holds every local that
//   its ops name; ops within a block follow one another without a check.
// - Fall back to the direct machine. An instruction without an op of its own
//   (GENERIC) is executed by the direct machine's handler, with the fuel
//   given back first; a block that the fuel cannot pay for or whose locals
//   are missing is run by the direct machine (EnterOtherwise); a typed op
//   whose operands are not of its type goes to the op for any type before it
//   changes anything (GUARD). After anything that may call, return or move
//   the frame's cells, the registers, the locals and the memory operands'
//   bases are read again (REFRESH).
// - Agreement. A run ends with the same end code, results, instruction count
//   and work units as a direct run of the same code bytes (vmthreaded.h).
#include "vmthreaded.h"

#include "vmcodes.h"
#include "vmexec.h"
#include "vmfastpath.h"
#include "vmtranslate.h"

// The register that holds the running op (see ExecuteTranslated): one that
// each flavour's calling convention keeps across calls.
#if defined(__GNUC__) && defined(__i386__)
#define VM_OP_REGISTER(declaration) register declaration __asm__("esi")
#elif defined(__GNUC__) && defined(__x86_64__)
#define VM_OP_REGISTER(declaration) register declaration __asm__("rsi")
#else
#define VM_OP_REGISTER(declaration) declaration
#endif

namespace {

const VmCell kOne = MakeInt32(1);          // the step of an increment or decrement
constexpr uint32_t kFuelChunk = 1u << 30;  // the most budget moved into the ops' counter at once

// Register r (1-31) as an operand: its own cell, or for a reference the value
// that the general read gives, held in *held. 0 or an end code.
inline int RegisterOperand(VmState& s, VmCell* regs, uint8_t r, VmCell* held, const VmCell** operand) {
  if (regs[r].type < kVmRawRef) {
    *operand = &regs[r];
    return 0;
  }
  *operand = held;
  return ReadRegister(s, r, held);
}

// A fused op's result as the instruction after it reads it from its register
// (a result may be a reference into raw memory, which the read follows).
inline int ResultOperand(VmState& s, const VmCell* result, VmCell* held, const VmCell** operand) {
  if (result->type < kVmRawRef) {
    *operand = result;
    return 0;
  }
  *operand = held;
  return ReadHeldValue(s, *result, held);
}

// The signed 32-bit integer or double that a raw reference of that type
// refers to, as ReadHeldValue reads it; false when it may not be read here.
template <uint8_t T>
inline bool ReadElement(const VmState& s, const VmCell& reference, VmCell* value) {
  const uint32_t address = Low32(reference.value);
  if (T == VB_I32) {
    int32_t v;
    if (!s.memory.Accessible(address, sizeof v)) return false;
    std::memcpy(&v, reinterpret_cast<const void*>(static_cast<uintptr_t>(address)), sizeof v);
    SetInt32(value, v);
  } else {
    double d;
    if (!s.memory.Accessible(address, sizeof d)) return false;
    std::memcpy(&d, reinterpret_cast<const void*>(static_cast<uintptr_t>(address)), sizeof d);
    SetDouble(value, d);
  }
  return true;
}

inline VmCell WithoutFlags(const VmCell& c) { return MakeCell(OperandType(c), c.value); }

// A register's reference to a variable, as OP_LDM makes it.
inline VmCell Reference(const VmCell& cell, uint32_t word) { return MakeCell(cell.type | kVmGlobal, word); }

// `target of register r op= source` (of type ts), as the direct interpreter
// assigns; a reference to a variable first, the general path behind it.
inline int AssignToRegister(VmState& s, uint8_t r, uint8_t ts, const VmCell& source, int sub) {
  const VmCell& slot = s.regs->reg[r];
  if (IsVariableRef(slot.type)) {
    VmCell* target = ResolveMemoryWord(s, Low32(slot.value));
    return target ? AssignIntoCell(target, ts, source, sub) : kVmBadCell;
  }
  const VmCell value = MakeCell(ts, source.value);
  if (sub == 0) return StoreRegister(s, r, value);
  VmCell target, result;
  int rc = ReadRegister(s, r, &target);
  if (!rc) rc = AssignValues(target, value, sub, &result);
  return rc ? rc : StoreRegister(s, r, result);
}

// The part of the run's budget that the ops spend, moved out of the state,
// and back into it with the units of extra work charged from it meanwhile
// (counted apart, so that a call adds nothing to the state).
inline uint32_t TakeFuel(VmState& s) {
  const uint32_t fuel = static_cast<uint32_t>(s.budget_left < kFuelChunk ? s.budget_left : kFuelChunk);
  s.budget_left -= fuel;
  return fuel;
}
inline void GiveFuel(VmState& s, uint32_t* fuel, uint32_t* extra) {
  s.budget_left += *fuel;
  s.extra_work += *extra;
  *fuel = 0;
  *extra = 0;
}

// The slow paths are functions of their own, kept out of the handlers'
// function so that they take none of its registers.
//
// Gives every op the address of its handler and of its fallback's, once.
[[gnu::cold, gnu::noinline]] void ThreadOps(VmTranslation& t, const void* const* handlers) {
  for (VmOp& o : t.ops) {
    o.handler = handlers[o.kind];
    o.fallback = handlers[o.general];
  }
  t.threaded = true;
}

// What EnterOtherwise did with a block that the fuel could not enter.
constexpr int kVmPaidFor = -2;  // the block is paid for from the budget: its ops run

// A block whose charge op is `entry`, which the fuel (given back before) did
// not pay for or whose locals the frame does not hold (it holds
// `local_count`). Less budget than the block needs: the direct machine goes
// on one instruction at a time until the budget ends (or the run, before).
// A local missing: the block's instructions (with a copied loop test, the
// test's after the jump) are executed directly, which ends the run where the
// direct machine ends it; kVmContinue and the instruction after them in
// *next. Otherwise the block is paid for (kVmPaidFor). Else an end code.
[[gnu::cold, gnu::noinline]] int EnterOtherwise(VmState& s, VmSystemCalls& calls, const VmOp& entry,
                                                uint32_t local_count, uint32_t* next) {
  if (s.budget_left < entry.length) return ContinueDirect(s, calls, entry.index);
  s.budget_left -= entry.length;
  if (local_count >= entry.locals) return kVmPaidFor;
  uint32_t index = entry.index;
  for (uint32_t left = entry.length; left > 0; --left) {
    const int rc = StepInstruction(s, calls, index, &index);
    if (rc != kVmContinue) {
      s.budget_left += left - 1;
      return rc;
    }
  }
  *next = index;
  return kVmContinue;
}

// The handlers' function (ExecuteTranslated below runs it).
//
// Aligned to a cache line: where its handlers fall in the lines would
// otherwise move with the size of whatever code the linker puts before it,
// and a shift of 32 bytes made the plain loops up to a fifth slower.
[[gnu::aligned(64), gnu::noinline]] int RunOps(VmState& s, VmSystemCalls& calls, uint32_t start) {
  static const void* const kHandlers[VOP_COUNT] = {
#define VM_OP_LABEL(name) &&op_##name,
      VM_OP_KINDS(VM_OP_LABEL)
#undef VM_OP_LABEL
  };
  VmTranslation& t = *s.translation;
  if (!t.threaded) ThreadOps(t, kHandlers);
  StartRunAccount(s);

  const VmOp* const ops = t.ops.data();
  const uint32_t* const pos = t.pos.data();
  // The running op, in a register of its own: left to the allocator, it
  // lives on the stack across the handlers' indirect jumps, and each op then
  // waits for its own pointer to be stored and read back (the machine's
  // slowest chain). A callee-saved register keeps it across calls as well;
  // the name only steers the allocation, the variable behaves as any other.
  VM_OP_REGISTER(const VmOp* op) = ops + pos[start];
  const VmOp* entry;  // the charge op of the block being entered
  // The part of the run's budget that the ops spend, moved out of the state
  // (and back before anything else charges it or the run ends).
  uint32_t fuel = 0;
  uint32_t extra = 0;  // extra work charged from the fuel, not yet in the state
  // The running function's registers and locals, and the bases of the
  // memory operands; read again after every instruction that the direct
  // interpreter executes (it may call or return).
  VmCell* regs;
  VmVariables* locals;
  uint32_t local_count;
  uintptr_t bases[kVmSpaces] = {0, 0, 0};
  int rc = 0;
  uint32_t resume = 0;     // the instruction that the direct machine went on to
  uint32_t return_to = 0;  // the instruction after the call that a return goes back to
  VmCell* m;               // memory operands
  VmCell* m2;
  VmCell* m3;
  const VmCell* a;  // operands read where they lie
  const VmCell* b;
  VmCell held, held2;        // values read through a register's reference
  VmCell unkept;             // a result that no register keeps
  VmCell* out;               // where a fused op's result goes
  void* element;             // an array's element that an INDEX op found
  VmCell element_reference;  // the reference to it that a LOCAL_INDEX op makes

  // The running level's registers and frame, after a change of level.
#define VIEW_LEVEL()                                             \
  do {                                                           \
    regs = s.regs->reg;                                          \
    bases[kVmRegisterSpace] = reinterpret_cast<uintptr_t>(regs); \
    locals = &s.frame->variables;                                \
  } while (0)
  // ... and its locals as the frame holds them.
#define REFRESH()                                                                          \
  do {                                                                                     \
    VIEW_LEVEL();                                                                          \
    local_count = static_cast<uint32_t>(locals->Count());                                  \
    bases[kVmLocalSpace] = local_count ? reinterpret_cast<uintptr_t>(locals->Cell(0)) : 0; \
  } while (0)
#define DISPATCH() goto * op->handler
  // The op after one that stands for `count` instructions (a constant of its
  // handler): the ops lie in the order of the instructions, so the next is
  // found without reading memory, which would delay every op by a load.
#define NEXT(count) \
  do {              \
    op += (count);  \
    DISPATCH();     \
  } while (0)
#define MEMORY(operand) reinterpret_cast<VmCell*>(bases[(operand).space] + (operand).offset)
  // Register r of the op takes a value where a later instruction may read it
  // (register 31: the constant or memory operand of a family instruction).
#define KEEP(bit, r, value)                  \
  do {                                       \
    if (op->keep & (bit)) regs[r] = (value); \
  } while (0)
#define SCRATCH(value) KEEP(kVmKeepScratch, kVmScratchRegister, value)
  // Where the result of a fused op goes: its register, or nowhere.
#define RESULT() (out = (op->keep & kVmKeepR) ? &regs[op->r] : &unkept)
  // The run ends at instruction `index + k`; the units of the rest of its
  // block are given back.
#define CHECK_AT(k, expr)     \
  do {                        \
    if ((rc = (expr)) != 0) { \
      fuel += op->rest - (k); \
      goto done;              \
    }                         \
  } while (0)
  // Enters the block whose charge op is `e`: its instructions are paid for at
  // once, and the frame holds the locals that its ops name.
#define ENTER(e)                                                                   \
  do {                                                                             \
    entry = (e);                                                                   \
    if (fuel < entry->length || local_count < entry->locals) goto enter_otherwise; \
    fuel -= entry->length;                                                         \
    op = entry + 1;                                                                \
    DISPATCH();                                                                    \
  } while (0)
  // A conditional jump ends its block: either way a block is entered.
#define JUMP_IF(condition, count)   \
  do {                              \
    if (condition) ENTER(op->jump); \
    ENTER(op + (count));            \
  } while (0)

  // Work charged beyond the instructions' units: from the fuel where it
  // suffices, otherwise from the whole budget as the direct interpreter
  // charges it (which ends the run when it does not fit).
  const auto charge = [&](uint64_t units) {
    if (units <= fuel) {
      fuel -= static_cast<uint32_t>(units);
      extra += static_cast<uint32_t>(units);
      return true;
    }
    GiveFuel(s, &fuel, &extra);
    const bool charged = ChargeWork(s, units);
    fuel = TakeFuel(s);
    return charged;
  };

  REFRESH();
  fuel = TakeFuel(s);
  DISPATCH();

enter_otherwise:
  GiveFuel(s, &fuel, &extra);
  rc = EnterOtherwise(s, calls, *entry, local_count, &resume);
  if (rc == kVmPaidFor) {
    fuel = TakeFuel(s);
    op = entry + 1;
    DISPATCH();
  }
  if (rc != kVmContinue) goto done;
  REFRESH();
  fuel = TakeFuel(s);
  op = ops + pos[resume];
  DISPATCH();

op_GENERIC : {
  uint32_t next;
  GiveFuel(s, &fuel, &extra);
  rc = StepInstruction(s, calls, op->index, &next);
  if (rc != kVmContinue) {
    s.budget_left += op->rest;
    goto done;
  }
  REFRESH();
  fuel = TakeFuel(s);
  op = ops + pos[next];
  DISPATCH();
}

op_CHARGE:
  ENTER(op);

op_END:
  rc = fuel == 0 && s.budget_left == 0 ? kVmBudgetExceeded : kVmBadJump;
  goto done;

op_LDM:
  m = MEMORY(op->m);
  regs[op->r] = Reference(*m, op->m.word);
  NEXT(1);

op_LDM_ACC:
  s.accumulator = WithoutFlags(*MEMORY(op->m));
  NEXT(1);

op_LDK:
  regs[op->r] = op->constant;
  NEXT(1);

op_LDK_ACC:
  s.accumulator = op->constant;
  NEXT(1);

op_MOV:
  regs[op->r] = regs[op->r2];
  NEXT(1);

op_MOV_TO_ACC:
  CHECK_AT(0, RegisterOperand(s, regs, op->r2, &held, &a));
  s.accumulator = *a;
  NEXT(1);

op_MOV_FROM_ACC:
  regs[op->r] = s.accumulator;
  NEXT(1);

  // The accumulator stored into a variable through register r3's reference.
op_MOV_FROM_ACC_STORE:
  KEEP(kVmKeepR, op->r, s.accumulator);
  m3 = MEMORY(op->m3);
  KEEP(kVmKeepR3, op->r3, Reference(*m3, op->m3.word));
  CHECK_AT(2, ResultOperand(s, &s.accumulator, &held, &a));
  CHECK_AT(2, StoreIntoCell(m3, a->type, *a));
  NEXT(3);

op_LDV:
  CHECK_AT(0, RegisterOperand(s, regs, op->r2, &held, &a));
  regs[op->r] = *a;
  NEXT(1);

  // A register made a reference to the element that its value addresses.
op_TOPTR:
  if (IsVariableRef(regs[op->r].type)) {
    m = ResolveMemoryWord(s, Low32(regs[op->r].value));
    CHECK_AT(0, m ? 0 : kVmBadCell);
    regs[op->r] = WithoutFlags(*m);
  }
  regs[op->r].type |= kVmRawRef;
  NEXT(1);

  // ---- the families; register 31 takes a constant or memory operand first --

op_BIN_RK:
  SCRATCH(op->constant);
  b = &op->constant;
  goto binary;

op_BIN_RR:
  CHECK_AT(0, RegisterOperand(s, regs, op->r2, &held2, &b));
  goto binary;

op_BIN_RM:
  m2 = MEMORY(op->m2);
  SCRATCH(Reference(*m2, op->m2.word));
  b = m2;
binary:
  CHECK_AT(0, RegisterOperand(s, regs, op->r, &held, &a));
  CHECK_AT(0, BinaryOperands(OperandType(*a), *a, OperandType(*b), *b, op->sub, &regs[op->r]));
  NEXT(1);

op_ASG_RK:
  SCRATCH(op->constant);
  b = &op->constant;
  goto assign;

op_ASG_RR:
  CHECK_AT(0, RegisterOperand(s, regs, op->r2, &held2, &b));
  goto assign;

op_ASG_RM:
  m2 = MEMORY(op->m2);
  SCRATCH(Reference(*m2, op->m2.word));
  b = m2;
  goto assign;

op_INCDEC:
  SCRATCH(kOne);
  b = &kOne;
assign:
  CHECK_AT(0, AssignToRegister(s, op->r, OperandType(*b), *b, op->sub));
  NEXT(1);

op_JMP:
  ENTER(op->jump);

op_JZ:
  CHECK_AT(0, RegisterOperand(s, regs, op->r, &held, &a));
  JUMP_IF(!CellTruth(*a), 1);

op_JNZ:
  CHECK_AT(0, RegisterOperand(s, regs, op->r, &held, &a));
  JUMP_IF(CellTruth(*a), 1);

  // ---- calls ----------------------------------------------------------------

op_PUSHK:
  CHECK_AT(0, PushArgument(s, op->constant));
  NEXT(1);

op_PUSHM:
  CHECK_AT(0, PushArgument(s, *MEMORY(op->m)));
  NEXT(1);

op_PUSHR:
  CHECK_AT(0, RegisterOperand(s, regs, op->r, &held, &a));
  CHECK_AT(0, PushArgument(s, *a));
  NEXT(1);

  // Calls, parameters and returns end their blocks, so the work they charge
  // meets the same budget as in the direct interpreter, and they change the
  // frame: its registers and locals are read again (a parameter may move the
  // frame's cells).
#define FRAME_CHANGE(expr)    \
  do {                        \
    if ((rc = (expr)) != 0) { \
      fuel += op->rest;       \
      goto done;              \
    }                         \
    REFRESH();                \
  } while (0)

  // The running function's view of its locals kept in the level of the call
  // that it makes, for the return into it.
#define KEEP_CALLER(level)                        \
  do {                                            \
    (level)->caller_locals = local_count;         \
    (level)->caller_cells = bases[kVmLocalSpace]; \
  } while (0)
  // A called function that took its n parameters at once: its frame as
  // REFRESH would read it (the parameters alone).
#define VIEW_CALLED(parameter_cells, n)                                  \
  do {                                                                   \
    VIEW_LEVEL();                                                        \
    local_count = (n);                                                   \
    bases[kVmLocalSpace] = reinterpret_cast<uintptr_t>(parameter_cells); \
  } while (0)
  // ... entering the block after its POPARGs (VmOp::called).
#define ENTER_CALLED(call, parameter_cells, n) \
  do {                                         \
    VIEW_CALLED(parameter_cells, n);           \
    ENTER((call) + (call)->called);            \
  } while (0)

  // The target was checked when the call was translated. Where the fuel
  // pays for the parameters that the function begins with, the call takes
  // them from the argument stack with its level (EnterLevelTaking), charged
  // as their POPARGs are (a unit and a cell each), and enters the block
  // after them; otherwise the POPARGs take them.
op_CALL : {
  CHECK_AT(0, StartCall(s, charge));
  const uint32_t parameters = op->length, paid = parameters * (1 + static_cast<uint32_t>(kWorkPerCell));
  VmCallLevel* level;
  VmCell* parameter_cells;
  if (parameters && paid <= fuel && (level = LevelTaking(s, parameters)) &&
      (parameter_cells = EnterLevelTaking(s, *level, op->index, op->cleared, parameters, op + 1))) {
    fuel -= paid;
    extra += parameters * static_cast<uint32_t>(kWorkPerCell);
    KEEP_CALLER(level);
    ENTER_CALLED(op, parameter_cells, parameters);
  }
  CHECK_AT(0, EnterLevel(s, op->index, op->cleared));
  REFRESH();
  ENTER(op->jump);
}

  // Pushes written straight into the frame of the call after them as its
  // first parameters (vmtranslate.h), where the fuel pays for the call and
  // its POPARGs, no push would meet the stack's limit, every pushed
  // register holds a value and the level is ready: the call then goes on as
  // above. Otherwise (nothing changed: the parameters' cells are not in use
  // yet) the pushes and the call run as their own ops. The checks are marked
  // as failing seldom, so that the compiler lays the call out straight.
op_PUSH_CALL : {
  const uint32_t placed = op->count - 1u;
  const VmOp* const call = op + placed;
  const uint32_t parameters = call->length;
  const uint32_t charged =
      static_cast<uint32_t>(kWorkPerCall) + parameters * static_cast<uint32_t>(kWorkPerCell);
  // The block after the parameters is paid for with the call, in one step
  // of the fuel, where the parameters are all the locals that it names.
  const VmOp* const called = call + call->called;
  const uint32_t paid = charged + parameters + called->length;
  VmCallLevel* level;
  if (__builtin_expect(s.depth >= kVmMaxCallDepth || paid > fuel || parameters < called->locals ||
                           s.args.size() + placed > kVmMaxPushed ||
                           !(level = LevelTaking(s, parameters, placed)),
                       0))
    goto * op->fallback;
  VmCell* const cells = level->ready;
  // Parameter k is the k-th push back from the call; a register's value
  // that a read would follow leaves the pushes to their ops.
  for (uint32_t k = 0; k < placed; ++k) {
    const VmOp& push = call[-1 - static_cast<int>(k)];
    const VmCell* const value = MEMORY(push.m);
    if (__builtin_expect(push.m.space == kVmRegisterSpace && value->type >= kVmRawRef, 0))
      goto * op->fallback;
    cells[k] = MakeCell(static_cast<uint8_t>((value->type & ~kVmVariableMask) | kVmLocal), value->value);
  }
  VmCell* const parameter_cells =
      EnterLevelTaking(s, *level, call->index, call->cleared, parameters, call + 1, placed);
  if (__builtin_expect(!parameter_cells, 0)) goto * op->fallback;
  fuel -= paid;
  extra += charged;
  KEEP_CALLER(level);
  VIEW_CALLED(parameter_cells, parameters);
  op = called + 1;  // the block is paid for
  DISPATCH();
}

  // A run of parameters: each POPARG after the first is a block of one
  // instruction, entered here while the fuel pays for it (else through its
  // charge op, as a block is entered).
op_POPARG:
  for (uint32_t taken = 0;;) {
    CHECK_AT(0, PopParameter(s, charge));
    if (++taken == op->length) break;
    if (fuel == 0) {
      REFRESH();
      ENTER(ops + pos[op->index + taken]);
    }
    --fuel;
  }
  // The parameters are the frame's first cells: its locals are read again once.
  REFRESH();
  ENTER(op->jump);

  // The result given, then the return as below, by the return's own op.
op_MOV_TO_ACC_RET:
  CHECK_AT(0, RegisterOperand(s, regs, op->r2, &held, &a));
  s.accumulator = *a;
  ++op;
op_RET:
  // A translated call's return goes on where its level says (the common
  // case, marked so).
  if (__builtin_expect(s.depth != 0 && s.levels[s.depth].back, 1)) {
    const VmCallLevel& left = s.levels[s.depth];
    entry = left.back;
    local_count = left.caller_locals;
    bases[kVmLocalSpace] = left.caller_cells;
    LeaveLevel(s);
    VIEW_LEVEL();
    ENTER(entry);
  }
  FRAME_CHANGE(LeaveFunction(s, &return_to));
  ENTER(ops + pos[return_to]);

#include "vmthreaded_fused.inc"
#include "vmthreaded_typed.inc"

done:
  GiveFuel(s, &fuel, &extra);
  EndRunAccount(s);
  return rc;

#undef REFRESH
#undef VIEW_LEVEL
#undef DISPATCH
#undef NEXT
#undef MEMORY
#undef SCRATCH
#undef KEEP
#undef RESULT
#undef CHECK_AT
#undef ENTER
#undef JUMP_IF
#undef FRAME_CHANGE
#undef ENTER_CALLED
#undef VIEW_CALLED
#undef KEEP_CALLER
}

}  // namespace

// The 32-bit flavour compiles this file for a stack aligned to 16 bytes at
// every call (script/vm.cmake), which the handlers' function needs to keep
// its 8-byte cells on the stack without aligning the stack itself: that
// would tie up a register as the frame pointer in every handler. The
// program's callers keep only 4 bytes, so the stack is aligned here, once
// for the whole run.
#if defined(__GNUC__) && defined(__i386__)
[[gnu::force_align_arg_pointer]]
#endif
int ExecuteTranslated(VmState& s, VmSystemCalls& calls, uint32_t start) {
  return RunOps(s, calls, start);
}
#undef VM_OP_REGISTER
