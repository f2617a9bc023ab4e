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

const VmCell kOne = MakeInt32(1);
constexpr uint32_t kFuelChunk = 1u << 30;  // the most budget moved into the ops' counter at once  // the step of an increment or decrement

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

}  // namespace

int ExecuteTranslated(VmState& s, VmSystemCalls& calls, uint32_t start) {
  static const void* const kHandlers[VOP_COUNT] = {
#define VM_OP_LABEL(name) &&op_##name,
      VM_OP_KINDS(VM_OP_LABEL)
#undef VM_OP_LABEL
  };
  VmTranslation& t = *s.translation;
  if (!t.threaded) {
    for (VmOp& o : t.ops) {
      o.handler = kHandlers[o.kind];
      o.fallback = kHandlers[o.general];
    }
    t.threaded = true;
  }
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
  // The running function's registers and locals, and the bases of the
  // memory operands; read again after every instruction that the direct
  // interpreter executes (it may call or return).
  VmCell* regs;
  VmVariables* locals;
  uint32_t local_count;
  uintptr_t bases[kVmSpaces] = {0, 0};
  int rc = 0;
  uint32_t step_index = 0, step_left = 0;  // a block executed directly: the next instruction, those left
  uint32_t return_to = 0;  // the instruction after the call that a return goes back to
  VmCell* m;  // memory operands
  VmCell* m2;
  VmCell* m3;
  const VmCell* a;  // operands read where they lie
  const VmCell* b;
  VmCell held, held2;  // values read through a register's reference
  VmCell unkept;       // a result that no register keeps
  VmCell* out;         // where a fused op's result goes
  void* element;       // an array's element that an INDEX op found

#define REFRESH()                                                                              \
  do {                                                                                         \
    regs = s.regs->reg;                                                                        \
    locals = &s.frame->variables;                                                              \
    local_count = static_cast<uint32_t>(locals->Count());                                      \
    bases[kVmLocalSpace] = local_count ? reinterpret_cast<uintptr_t>(locals->Cell(0)) : 0;     \
  } while (0)
#define TAKE_FUEL()                                                              \
  do {                                                                           \
    fuel = static_cast<uint32_t>(s.budget_left < kFuelChunk ? s.budget_left : kFuelChunk); \
    s.budget_left -= fuel;                                                       \
  } while (0)
#define GIVE_FUEL()            \
  do {                         \
    s.budget_left += fuel;     \
    fuel = 0;                  \
  } while (0)
#define DISPATCH() goto* op->handler
  // The op after one that stands for `count` instructions (a constant of its
  // handler): the ops lie in the order of the instructions, so the next is
  // found without reading memory, which would delay every op by a load.
#define NEXT(count)        \
  do {                     \
    op += (count);         \
    DISPATCH();            \
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
#define CHECK_AT(k, expr)                  \
  do {                                     \
    if ((rc = (expr)) != 0) {              \
      fuel += op->rest - (k);              \
      goto done;                           \
    }                                      \
  } while (0)
  // Enters the block whose charge op is `e`: its instructions are paid for at
  // once, and the frame holds the locals that its ops name.
#define ENTER(e)                                                                                 \
  do {                                                                                           \
    entry = (e);                                                                                 \
    if (fuel < entry->length || local_count < entry->locals) goto enter_otherwise;               \
    fuel -= entry->length;                                                                       \
    op = entry + 1;                                                                              \
    DISPATCH();                                                                                  \
  } while (0)
  // A conditional jump ends its block: either way a block is entered.
#define JUMP_IF(condition, count)           \
  do {                                      \
    if (condition) ENTER(op->jump);         \
    ENTER(op + (count));                    \
  } while (0)

  // Work charged beyond the instructions' units: from the fuel where it
  // suffices, otherwise from the whole budget as the direct interpreter
  // charges it (which ends the run when it does not fit).
  const auto charge = [&](uint64_t units) {
    if (units <= fuel) {
      fuel -= static_cast<uint32_t>(units);
      s.extra_work += units;
      return true;
    }
    GIVE_FUEL();
    const bool charged = ChargeWork(s, units);
    TAKE_FUEL();
    return charged;
  };

  REFRESH();
  TAKE_FUEL();
  DISPATCH();

enter_otherwise:
  GIVE_FUEL();
  // Less budget than the block needs: the direct interpreter goes on one
  // instruction at a time until the budget ends (or the run, before).
  if (s.budget_left < entry->length) {
    rc = ContinueDirect(s, calls, entry->index);
    goto done;
  }
  s.budget_left -= entry->length;
  if (local_count >= entry->locals) {
    TAKE_FUEL();
    op = entry + 1;
    DISPATCH();
  }
  // A local that the block's ops name is missing: the block's instructions
  // (with a copied loop test, the test's after the jump) are executed
  // directly, which ends the run where the direct interpreter ends it.
  step_index = entry->index;
  step_left = entry->length;
  for (;;) {
    uint32_t next;
    rc = StepInstruction(s, calls, step_index, &next);
    --step_left;
    if (rc != kVmContinue) {
      s.budget_left += step_left;
      goto done;
    }
    if (step_left == 0) {
      REFRESH();
      TAKE_FUEL();
      op = ops + pos[next];
      DISPATCH();
    }
    step_index = next;
  }

op_GENERIC : {
  uint32_t next;
  GIVE_FUEL();
  rc = StepInstruction(s, calls, op->index, &next);
  if (rc != kVmContinue) {
    s.budget_left += op->rest;
    goto done;
  }
  REFRESH();
  TAKE_FUEL();
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
#define FRAME_CHANGE(expr)           \
  do {                               \
    if ((rc = (expr)) != 0) {        \
      fuel += op->rest;              \
      goto done;                     \
    }                                \
    REFRESH();                       \
  } while (0)

op_CALL:
  FRAME_CHANGE(EnterFunction(s, op->index, op->target, op->cleared, charge));
  ENTER(op->jump);

  // A run of parameters: each POPARG after the first is a block of one
  // instruction, entered here while the fuel pays for it (else through its
  // charge op, as a block is entered).
op_POPARG:
  for (uint32_t taken = 0;;) {
    FRAME_CHANGE(PopParameter(s, charge));
    if (++taken == op->length) break;
    if (fuel == 0) ENTER(ops + pos[op->index + taken]);
    --fuel;
  }
  ENTER(op->jump);

op_RET:
  FRAME_CHANGE(LeaveFunction(s, &return_to));
  ENTER(ops + pos[return_to]);

  // ---- a register loaded from memory and used at once ----------------------
  // Where the second instruction replaces the register's reference with a
  // value, the reference is not stored: nothing reads a register between
  // two instructions, and a run that ends leaves its registers unread.

#define LOADED_BINARY_RK(operation) \
  m = MEMORY(op->m);                \
  SCRATCH(op->constant);            \
  CHECK_AT(1, BinaryOperands(OperandType(*m), *m, OperandType(op->constant), op->constant, operation, RESULT()))
#define LOADED_BINARY_RR(operation)                               \
  m = MEMORY(op->m);                                              \
  CHECK_AT(1, RegisterOperand(s, regs, op->r2, &held2, &b));      \
  CHECK_AT(1, BinaryOperands(OperandType(*m), *m, OperandType(*b), *b, operation, RESULT()))
#define LOADED_BINARY_RM(operation)         \
  m = MEMORY(op->m);                        \
  m2 = MEMORY(op->m2);                      \
  SCRATCH(Reference(*m2, op->m2.word));     \
  CHECK_AT(1, BinaryOperands(OperandType(*m), *m, OperandType(*m2), *m2, operation, RESULT()))
  // The result tested by a conditional jump.
#define JUMP_TAIL()                                        \
  CHECK_AT(2, ResultOperand(s, out, &held, &a));           \
  JUMP_IF(CellTruth(*a) == (op->jump_if_true != 0), 3)
  // The result stored into a variable through a register's reference.
#define STORE_TAIL()                                         \
  m3 = MEMORY(op->m3);                                       \
  KEEP(kVmKeepR3, op->r3, Reference(*m3, op->m3.word));      \
  CHECK_AT(3, ResultOperand(s, out, &held, &a));             \
  CHECK_AT(3, StoreIntoCell(m3, a->type, *a));               \
  NEXT(4)
  // A shape's handler for any sub-code, then one for each fast operation
  // (constant there, so that the operation's code is all that remains).
#define SHAPE_HANDLER(kind, body, operation, tail) \
  op_##kind:                                       \
  body(operation);                                 \
  tail;
#define SHAPE_HANDLERS(shape, body, tail)                   \
  SHAPE_HANDLER(shape, body, op->sub, tail)                 \
  SHAPE_HANDLER(shape##_MUL, body, AO_MUL, tail)            \
  SHAPE_HANDLER(shape##_ADD, body, AO_ADD, tail)            \
  SHAPE_HANDLER(shape##_SUB, body, AO_SUB, tail)            \
  SHAPE_HANDLER(shape##_GT, body, AO_GT, tail)              \
  SHAPE_HANDLER(shape##_LT, body, AO_LT, tail)              \
  SHAPE_HANDLER(shape##_LE, body, AO_LE, tail)              \
  SHAPE_HANDLER(shape##_GE, body, AO_GE, tail)              \
  SHAPE_HANDLER(shape##_EQ, body, AO_EQ, tail)              \
  SHAPE_HANDLER(shape##_NE, body, AO_NE, tail)              \
  SHAPE_HANDLER(shape##_AND, body, AO_AND, tail)

  SHAPE_HANDLERS(LDM_BIN_RK, LOADED_BINARY_RK, NEXT(2))
  SHAPE_HANDLERS(LDM_BIN_RR, LOADED_BINARY_RR, NEXT(2))
  SHAPE_HANDLERS(LDM_BIN_RM, LOADED_BINARY_RM, NEXT(2))
  SHAPE_HANDLERS(LDM_BIN_RK_JUMP, LOADED_BINARY_RK, JUMP_TAIL())
  SHAPE_HANDLERS(LDM_BIN_RR_JUMP, LOADED_BINARY_RR, JUMP_TAIL())
  SHAPE_HANDLERS(LDM_BIN_RM_JUMP, LOADED_BINARY_RM, JUMP_TAIL())
  SHAPE_HANDLERS(LDM_BIN_RK_STORE, LOADED_BINARY_RK, STORE_TAIL())
  SHAPE_HANDLERS(LDM_BIN_RR_STORE, LOADED_BINARY_RR, STORE_TAIL())
  SHAPE_HANDLERS(LDM_BIN_RM_STORE, LOADED_BINARY_RM, STORE_TAIL())

  // A variable assigned through the register that refers to it.
op_LDM_ASG_RK:
  m = MEMORY(op->m);
  KEEP(kVmKeepR, op->r, Reference(*m, op->m.word));
  SCRATCH(op->constant);
  CHECK_AT(1, AssignIntoCell(m, OperandType(op->constant), op->constant, op->sub));
  NEXT(2);

op_LDM_ASG_RR:
  m = MEMORY(op->m);
  KEEP(kVmKeepR, op->r, Reference(*m, op->m.word));
  CHECK_AT(1, RegisterOperand(s, regs, op->r2, &held2, &b));
  CHECK_AT(1, AssignIntoCell(m, OperandType(*b), *b, op->sub));
  NEXT(2);

op_LDM_ASG_RM:
  m = MEMORY(op->m);
  KEEP(kVmKeepR, op->r, Reference(*m, op->m.word));
  m2 = MEMORY(op->m2);
  SCRATCH(Reference(*m2, op->m2.word));
  CHECK_AT(1, AssignIntoCell(m, OperandType(*m2), *m2, op->sub));
  NEXT(2);

op_LDM_INCDEC:
  m = MEMORY(op->m);
  KEEP(kVmKeepR, op->r, Reference(*m, op->m.word));
  SCRATCH(kOne);
  CHECK_AT(1, AssignIntoCell(m, VB_I32, kOne, op->sub));
  NEXT(2);

#define POSTFIX_STEP()                                    \
  m = MEMORY(op->m);                                      \
  KEEP(kVmKeepR, op->r, Reference(*m, op->m.word));       \
  KEEP(kVmKeepR2, op->r2, WithoutFlags(*m));              \
  SCRATCH(kOne);                                          \
  CHECK_AT(2, AssignIntoCell(m, VB_I32, kOne, op->sub))

op_LDM_LDV_INCDEC:
  POSTFIX_STEP();
  NEXT(3);

op_LDM_LDV_INCDEC_JMP:
  POSTFIX_STEP();
  ENTER(op->jump);

  // Jumps into the copy of a loop's test that follows (vmtranslate.h).
op_LDM_LDV_INCDEC_INTO:
  POSTFIX_STEP();
  NEXT(4);

op_JMP_INTO:
  NEXT(1);

  // ---- typed ops: the operands' types checked first (anything else goes to
  // the op for any type before a thing is changed), then the operation alone.
#define GUARD(condition)                 \
  do {                                   \
    if (!(condition)) goto* op->fallback; \
  } while (0)
#define TYPED_RK(T)                   \
  m = MEMORY(op->m);                  \
  GUARD(OperandType(*m) == (T));      \
  b = &op->constant
  // A register's value of type T, or an element of type T that it refers
  // to (an array's element, read where the bounds allow).
#define TYPED_RR(T)                                                          \
  m = MEMORY(op->m);                                                         \
  b = &regs[op->r2];                                                         \
  GUARD(OperandType(*m) == (T));                                             \
  if (b->type != (T)) {                                                      \
    GUARD(b->type == ((T) | kVmRawRef) && ReadElement<(T)>(s, *b, &held2));  \
    b = &held2;                                                              \
  }
  // Two integers: the result kept in the register, tested, or stored.
#define I32_RESULT(operation) \
  int32_t r;                  \
  Int32Operation(Int32Of(*m), Int32Of(*b), operation, &r)
  // The result kept in the register or stored into a variable of type T,
  // the operation giving it as `result` and the cell taking it with `set`.
#define TYPED_KEEP(T, result, set, operand, operation) \
  {                                                    \
    operand(T);                                        \
    result(operation);                                 \
    set(&regs[op->r], r);                              \
    NEXT(2);                                           \
  }
#define TYPED_STORE(T, result, put, operand, operation) \
  {                                                     \
    operand(T);                                         \
    m3 = MEMORY(op->m3);                                \
    GUARD(StorageType(*m3) == (T));                     \
    result(operation);                                  \
    put(m3, r);                                         \
    NEXT(4);                                            \
  }
#define I32_KEEP(operand, operation) TYPED_KEEP(VB_I32, I32_RESULT, SetInt32, operand, operation)
#define I32_STORE(operand, operation) TYPED_STORE(VB_I32, I32_RESULT, PutInt32, operand, operation)
  // A comparison's kind is the condition on which it jumps (vmtranslate.cpp),
  // so it jumps on the comparison alone; other operations test their result.
#define I32_JUMP(operand, operation)                                               \
  {                                                                                \
    operand(VB_I32);                                                               \
    if (IsComparison(operation))                                                   \
      JUMP_IF(Compare<int32_t>(operation, Int32Of(*m), Int32Of(*b)), 3);           \
    I32_RESULT(operation);                                                         \
    JUMP_IF((r != 0) == (op->jump_if_true != 0), 3);                               \
  }
  // Two doubles: arithmetic kept or stored, a comparison tested.
#define F64_RESULT(operation) \
  double r;                   \
  if (!DoubleArithmetic(DoubleOf(*m), DoubleOf(*b), operation, &r)) goto* op->fallback
#define F64_KEEP(operand, operation) TYPED_KEEP(VB_F64, F64_RESULT, SetDouble, operand, operation)
#define F64_STORE(operand, operation) TYPED_STORE(VB_F64, F64_RESULT, PutDouble, operand, operation)
#define F64_JUMP(operand, operation)                                                                  \
  {                                                                                                   \
    operand(VB_F64);                                                                                  \
    if (!IsComparison(operation)) goto* op->fallback;                                                \
    JUMP_IF(Compare<double>(operation, DoubleOf(*m), DoubleOf(*b)) == (op->jump_if_true != 0), 3);    \
  }
  // A typed shape's kinds: the one for any sub-code is never picked.
#define TYPED_HANDLER(kind, body, operand, operation) \
  op_##kind : body(operand, operation)
#define TYPED_HANDLERS(shape, body, operand)              \
  op_##shape : goto* op->fallback;                        \
  TYPED_HANDLER(shape##_MUL, body, operand, AO_MUL)       \
  TYPED_HANDLER(shape##_ADD, body, operand, AO_ADD)       \
  TYPED_HANDLER(shape##_SUB, body, operand, AO_SUB)       \
  TYPED_HANDLER(shape##_GT, body, operand, AO_GT)         \
  TYPED_HANDLER(shape##_LT, body, operand, AO_LT)         \
  TYPED_HANDLER(shape##_LE, body, operand, AO_LE)         \
  TYPED_HANDLER(shape##_GE, body, operand, AO_GE)         \
  TYPED_HANDLER(shape##_EQ, body, operand, AO_EQ)         \
  TYPED_HANDLER(shape##_NE, body, operand, AO_NE)         \
  TYPED_HANDLER(shape##_AND, body, operand, AO_AND)

  TYPED_HANDLERS(I32_LDM_BIN_RK, I32_KEEP, TYPED_RK)
  TYPED_HANDLERS(I32_LDM_BIN_RR, I32_KEEP, TYPED_RR)
  TYPED_HANDLERS(I32_LDM_BIN_RK_JUMP, I32_JUMP, TYPED_RK)
  TYPED_HANDLERS(I32_LDM_BIN_RR_JUMP, I32_JUMP, TYPED_RR)
  TYPED_HANDLERS(I32_LDM_BIN_RK_STORE, I32_STORE, TYPED_RK)
  TYPED_HANDLERS(I32_LDM_BIN_RR_STORE, I32_STORE, TYPED_RR)
  TYPED_HANDLERS(F64_LDM_BIN_RK, F64_KEEP, TYPED_RK)
  TYPED_HANDLERS(F64_LDM_BIN_RR, F64_KEEP, TYPED_RR)
  TYPED_HANDLERS(F64_LDM_BIN_RK_JUMP, F64_JUMP, TYPED_RK)
  TYPED_HANDLERS(F64_LDM_BIN_RR_JUMP, F64_JUMP, TYPED_RR)
  TYPED_HANDLERS(F64_LDM_BIN_RK_STORE, F64_STORE, TYPED_RK)
  TYPED_HANDLERS(F64_LDM_BIN_RR_STORE, F64_STORE, TYPED_RR)

  // ---- an element of a global array (vmtranslate.h) --------------------------
  // The array's cell as it was loaded and an integer index (in a register,
  // or in a variable where r2 is 0) inside its buffer: the element's
  // address, which lies inside the buffer.
#define ELEMENT()                                                                                  \
  m = MEMORY(op->m);                                                                               \
  if (op->r2) {                                                                                    \
    b = &regs[op->r2];                                                                             \
    GUARD(b->type == VB_I32);                                                                      \
  } else {                                                                                         \
    b = MEMORY(op->m2);                                                                            \
    GUARD(OperandType(*b) == VB_I32);                                                              \
  }                                                                                                \
  GUARD(OperandType(*m) == op->constant.type && m->value == op->constant.value &&                  \
        static_cast<uint32_t>(Int32Of(*b)) < op->length);                                          \
  element = reinterpret_cast<void*>(static_cast<uintptr_t>(                                        \
      Low32(op->constant.value) + (static_cast<uint32_t>(Int32Of(*b)) << op->scale)))

op_INDEX:
  ELEMENT();
  regs[op->r] = MakeCell(op->constant.type | kVmRawRef, Low32(reinterpret_cast<uintptr_t>(element)));
  NEXT(3);

op_INDEX_I32: {
  ELEMENT();
  int32_t v;
  std::memcpy(&v, element, sizeof v);
  SetInt32(&regs[op->r], v);
  NEXT(3);
}

op_INDEX_F64: {
  ELEMENT();
  double d;
  std::memcpy(&d, element, sizeof d);
  SetDouble(&regs[op->r], d);
  NEXT(3);
}

  // An integer variable stepped by op->constant (1 or -1), its value copied
  // first by the postfix forms.
#define I32_STEP(copied)                                                                                    \
  m = MEMORY(op->m);                                                                                  \
  GUARD(StorageType(*m) == VB_I32);                                                                   \
  if (copied) KEEP(kVmKeepR2, op->r2, MakeCell(VB_I32, m->value));                                    \
  PutInt32(m, static_cast<int32_t>(static_cast<uint32_t>(Int32Of(*m)) + static_cast<uint32_t>(Int32Of(op->constant))))

op_I32_LDM_INCDEC:
  I32_STEP(false);
  NEXT(2);

op_I32_LDM_LDV_INCDEC:
  I32_STEP(true);
  NEXT(3);

op_I32_LDM_LDV_INCDEC_JMP:
  I32_STEP(true);
  ENTER(op->jump);

op_I32_LDM_LDV_INCDEC_INTO:
  I32_STEP(true);
  NEXT(4);

done:
  GIVE_FUEL();
  EndRunAccount(s);
  return rc;

#undef REFRESH
#undef TAKE_FUEL
#undef GIVE_FUEL
#undef DISPATCH
#undef NEXT
#undef MEMORY
#undef SCRATCH
#undef KEEP
#undef RESULT
#undef CHECK_AT
#undef ENTER
#undef JUMP_IF
#undef LOADED_BINARY_RK
#undef LOADED_BINARY_RR
#undef LOADED_BINARY_RM
#undef JUMP_TAIL
#undef STORE_TAIL
#undef SHAPE_HANDLER
#undef SHAPE_HANDLERS
#undef POSTFIX_STEP
#undef FRAME_CHANGE
#undef GUARD
#undef ELEMENT
#undef TYPED_RK
#undef TYPED_RR
#undef I32_RESULT
#undef TYPED_KEEP
#undef TYPED_STORE
#undef I32_KEEP
#undef I32_JUMP
#undef I32_STORE
#undef F64_RESULT
#undef F64_KEEP
#undef F64_JUMP
#undef F64_STORE
#undef TYPED_HANDLER
#undef TYPED_HANDLERS
#undef I32_STEP
}
#undef VM_OP_REGISTER
