#include "vmexec.h"

#include <array>
#include <cstring>
#include <new>

#include "../../compiler/opcodes.h"
#include "vmarith.h"
#include "vmcodes.h"
#include "vmfastpath.h"
#include "vmframes.h"
#include "vmwork.h"

using tarnic::CodeByteInstruction;

namespace {

constexpr int kContinue = kVmContinue;

struct Exec {
  VmState& s;
  VmSystemCalls& calls;
  uint32_t pc;
  uint32_t next;
};

using Handler = int (*)(Exec&, const CodeByteInstruction&);

int RegisterSlot(VmState& s, uint8_t r, VmCell** slot) {
  if (r == 0) {
    *slot = &s.accumulator;
    return 0;
  }
  if (r >= kVmRegisters) return kVmBadRegister;
  *slot = &s.regs->reg[r];
  return 0;
}

VmCell Constant(const CodeByteInstruction& in) {
  return MakeCell(in.t, uint64_t(in.a) | (uint64_t(in.b) << 32));
}

VmCell WithoutFlags(const VmCell& c) {
  return MakeCell(static_cast<uint8_t>(c.type & ~kVmVariableMask), c.value);
}

int Jump(Exec& x, uint32_t target) {
  if (target >= x.s.code.size()) return kVmBadJump;
  x.next = target;
  return kContinue;
}

// Register 31 as a reference to a memory word, as memory operands are used.
int ScratchReference(Exec& x, uint32_t word) {
  VmCell* cell = ResolveMemoryWord(x.s, word);
  if (!cell) return kVmBadCell;
  x.s.regs->reg[kVmScratchRegister] = MakeCell(cell->type | kVmGlobal, word);
  return 0;
}

// The slot of register `to` and the value held in (or referred to by)
// register `from`, which may be the same register.
int SlotAndValue(VmState& s, uint8_t to, uint8_t from, VmCell** slot, VmCell* value) {
  int rc = RegisterSlot(s, to, slot);
  return rc ? rc : ReadRegister(s, from, value);
}

// The destination register and the memory word of an instruction that
// loads from memory.
int SlotAndMemoryCell(Exec& x, const CodeByteInstruction& in, VmCell** slot, VmCell** cell) {
  int rc = RegisterSlot(x.s, in.r, slot);
  if (rc) return rc;
  *cell = ResolveMemoryWord(x.s, in.a);
  return *cell ? 0 : kVmBadCell;
}

// ---- families of operations --------------------------------------------------

int Assign(Exec& x, uint8_t r, const VmCell& source, int sub) {
  if (sub == 0) {
    int rc = StoreRegister(x.s, r, source);
    return rc ? rc : kContinue;
  }
  VmCell target, result;
  int rc = ReadRegister(x.s, r, &target);
  if (!rc) rc = AssignValues(target, source, sub, &result);
  if (!rc) rc = StoreRegister(x.s, r, result);
  return rc ? rc : kContinue;
}

int Binary(Exec& x, uint8_t r, const VmCell& y, int sub) {
  VmCell* slot;
  VmCell a, result;
  int rc = SlotAndValue(x.s, r, r, &slot, &a);
  if (!rc) rc = BinaryValues(a, y, sub, &result);
  if (rc) return rc;
  *slot = result;
  return kContinue;
}

// ---- handlers ----------------------------------------------------------------

int Nop(Exec&, const CodeByteInstruction&) { return kContinue; }
int Undefined(Exec&, const CodeByteInstruction&) { return kVmBadOpcode; }

int Mov(Exec& x, const CodeByteInstruction& in) {
  VmCell* dest;
  VmCell* src;
  int rc = RegisterSlot(x.s, in.r, &dest);
  if (!rc) rc = RegisterSlot(x.s, in.r2, &src);
  if (rc) return rc;
  if (in.r == 0) return (rc = ReadRegister(x.s, in.r2, dest)) ? rc : kContinue;
  *dest = *src;  // a reference stays a reference
  return kContinue;
}

int LoadConstant(Exec& x, const CodeByteInstruction& in) {
  VmCell* dest;
  int rc = RegisterSlot(x.s, in.r, &dest);
  if (rc) return rc;
  *dest = Constant(in);
  return kContinue;
}

int LoadMemory(Exec& x, const CodeByteInstruction& in) {
  VmCell* dest;
  VmCell* cell;
  int rc = SlotAndMemoryCell(x, in, &dest, &cell);
  if (rc) return rc;
  // The reference keeps its variable flag even for a cell that lost it.
  *dest = in.r == 0 ? WithoutFlags(*cell) : MakeCell(cell->type | kVmGlobal, in.a);
  return kContinue;
}

int Push(Exec& x, const VmCell& c) {
  const int rc = PushArgument(x.s, c);
  return rc ? rc : kContinue;
}

int PushConstant(Exec& x, const CodeByteInstruction& in) { return Push(x, Constant(in)); }

int PushMemory(Exec& x, const CodeByteInstruction& in) {
  VmCell* cell = ResolveMemoryWord(x.s, in.a);
  return cell ? Push(x, *cell) : kVmBadCell;
}

int PushRegister(Exec& x, const CodeByteInstruction& in) {
  VmCell v;
  int rc = ReadRegister(x.s, in.r, &v);
  return rc ? rc : Push(x, v);
}

int PopArgument(Exec& x, const CodeByteInstruction&) {
  const int rc = PopParameter(x.s, [&x](uint64_t units) { return ChargeWork(x.s, units); });
  return rc ? rc : kContinue;
}

int ToPointer(Exec& x, const CodeByteInstruction& in) {
  VmCell* slot;
  int rc = RegisterSlot(x.s, in.r, &slot);
  if (rc) return rc;
  if (IsVariableRef(slot->type)) {
    VmCell* cell = ResolveMemoryWord(x.s, Low32(slot->value));
    if (!cell) return kVmBadCell;
    *slot = WithoutFlags(*cell);
  }
  slot->type |= kVmRawRef;
  return kContinue;
}

int LoadValue(Exec& x, const CodeByteInstruction& in) {
  VmCell* dest;
  VmCell v;
  int rc = SlotAndValue(x.s, in.r, in.r2, &dest, &v);
  if (rc) return rc;
  *dest = v;
  return kContinue;
}

// A copy of the variable's cell without its flags; the variable itself keeps
// them, so it stays assignable afterwards.
int LoadMemoryCopy(Exec& x, const CodeByteInstruction& in) {
  VmCell* dest;
  VmCell* cell;
  int rc = SlotAndMemoryCell(x, in, &dest, &cell);
  if (rc) return rc;
  *dest = WithoutFlags(*cell);
  return kContinue;
}

// The three operand forms of the assignment and binary families: the second
// operand from a register, a memory word (through register 31) or the
// instruction's constant; the sub-code is the distance from the family's
// first opcode.
using Family = int (*)(Exec&, uint8_t, const VmCell&, int);

template <Family apply, int first>
int WithRegister(Exec& x, const CodeByteInstruction& in) {
  VmCell v;
  int rc = ReadRegister(x.s, in.r2, &v);
  return rc ? rc : apply(x, in.r, v, in.op - first);
}

template <Family apply, int first>
int WithMemory(Exec& x, const CodeByteInstruction& in) {
  VmCell v;
  int rc = ScratchReference(x, in.a);
  if (!rc) rc = ReadRegister(x.s, kVmScratchRegister, &v);
  return rc ? rc : apply(x, in.r, v, in.op - first);
}

template <Family apply, int first>
int WithConstant(Exec& x, const CodeByteInstruction& in) {
  x.s.regs->reg[kVmScratchRegister] = Constant(in);
  return apply(x, in.r, Constant(in), in.op - first);
}

int JumpAlways(Exec& x, const CodeByteInstruction& in) { return Jump(x, in.a); }

int JumpIf(Exec& x, const CodeByteInstruction& in, bool when_zero) {
  VmCell v;
  int rc = ReadRegister(x.s, in.r, &v);
  if (rc) return rc;
  bool zero = !CellIsTrue(v);
  return zero == when_zero ? Jump(x, in.a) : kContinue;
}
int JumpZero(Exec& x, const CodeByteInstruction& in) { return JumpIf(x, in, true); }
int JumpNotZero(Exec& x, const CodeByteInstruction& in) { return JumpIf(x, in, false); }

int Call(Exec& x, const CodeByteInstruction& in) {
  const int rc =
      EnterFunction(x.s, x.pc, in.a, ~uint32_t(0), [&x](uint64_t units) { return ChargeWork(x.s, units); });
  if (rc) return rc;
  x.next = in.a;
  return kContinue;
}

int CallSystem(Exec& x, const CodeByteInstruction& in) {
  if (!ChargeWork(x.s, SystemCallWork(in.a))) return kVmBudgetExceeded;
  int rc = x.calls.CallFunction(static_cast<int>(in.a));
  // A function that ran out of budget part-way ends the run with the budget's code.
  if (x.s.over_budget) return kVmBudgetExceeded;
  if (rc == 0) return kContinue;
  x.s.last_system_code = rc;
  return kVmSystemFailed;
}

int Return(Exec& x, const CodeByteInstruction&) {
  const int rc = LeaveFunction(x.s, &x.next);
  return rc ? rc : kContinue;
}

int LoadAddress(Exec& x, const CodeByteInstruction& in) {
  VmCell* dest;
  VmCell* cell;
  int rc = SlotAndMemoryCell(x, in, &dest, &cell);
  if (rc) return rc;
  if (HasKind(cell->type)) {
    *dest = WithoutFlags(*cell);
  } else {
    // The script gets the address of a cell: its table's cells enter the memory map.
    if (!VariablesOf(x.s, in.a)->Expose()) return kVmGrowCellTable;
    uint32_t address = VmStorageAddress(&cell->value);
    *dest = MakeAddress(static_cast<uint8_t>(BaseOf(cell->type) | kVmAddress), address);
  }
  return kContinue;
}

int Increment(Exec& x, const CodeByteInstruction& in) {
  x.s.regs->reg[kVmScratchRegister] = MakeInt32(1);
  return Assign(x, in.r, MakeInt32(1), in.op == tarnic::OP_INC ? 4 : 5);
}

int Negate(Exec& x, const CodeByteInstruction& in) { return Binary(x, in.r, MakeInt32(-1), 0); }

int Complement(Exec& x, const CodeByteInstruction& in, bool logical) {
  VmCell* slot;
  VmCell v;
  int rc = SlotAndValue(x.s, in.r, in.r, &slot, &v);
  if (rc) return rc;
  *slot = logical ? MakeInt32(CellIsTrue(v) ? 0 : 1) : MakeCell(v.type, ~v.value);
  return kContinue;
}
int BitNot(Exec& x, const CodeByteInstruction& in) { return Complement(x, in, false); }
int LogicalNot(Exec& x, const CodeByteInstruction& in) { return Complement(x, in, true); }

int Cast(Exec& x, const CodeByteInstruction& in) {
  VmCell* slot;
  VmCell v;
  int rc = SlotAndValue(x.s, in.r, in.r, &slot, &v);
  if (rc) return rc;
  if (in.t >= 15) {
    // To a pointer or address type: the type byte and the 32-bit address only.
    *slot = MakeCell(in.t, Low32(v.value));
    return kContinue;
  }
  uint64_t bits;
  if (!ConvertBits(v, in.t, &bits)) return kVmNoMemory;
  *slot = MakeCell(in.t, bits);
  return kContinue;
}

// Creating a local makes the cells up to it and zeroes its array: both are
// paid for before they are made.
int CreateLocal(Exec& x, const CodeByteInstruction& in) {
  VmVariables& locals = x.s.frame->variables;
  const uint8_t type = static_cast<uint8_t>(in.t | kVmLocal);
  if (!locals.Created(in.b) && in.b < VmVariables::kMaxCells) {
    uint64_t bytes = VmVariables::BufferSize(type, in.a);
    // A buffer over the cap is refused before it is made: it costs nothing.
    if (bytes > VmMemoryMap::kMaxBufferBytes || !x.s.memory.Fits(static_cast<size_t>(bytes))) bytes = 0;
    const uint64_t buffer_work = bytes ? kWorkPerBuffer + ByteWork(bytes) : 0;
    if (!ChargeWork(x.s, locals.CellsToMake(in.b) * kWorkPerCell + buffer_work)) return kVmBudgetExceeded;
  }
  int rc = locals.Create(in.b, type, in.a, nullptr, 0);
  return rc ? rc : kContinue;
}

void Fill(std::array<Handler, 256>& t, int first, int count, Handler h) {
  for (int i = first; i < first + count; ++i) t[i] = h;
}

std::array<Handler, 256> BuildTable() {
  using namespace tarnic;
  std::array<Handler, 256> t;
  t.fill(Undefined);
  Fill(t, 0, 16, Nop);  // 0 and 11-15 have no meaning but do no harm
  t[OP_MOV] = Mov;
  t[OP_LDK] = LoadConstant;
  t[OP_LDM] = LoadMemory;
  t[OP_PUSHK] = PushConstant;
  t[OP_PUSHM] = PushMemory;
  t[OP_PUSHR] = PushRegister;
  t[OP_POPARG] = PopArgument;
  t[OP_TOPTR] = ToPointer;
  t[OP_LDV] = LoadValue;
  t[OP_LDMC] = LoadMemoryCopy;
  Fill(t, OP_ASG_RR, 16, WithRegister<Assign, OP_ASG_RR>);
  Fill(t, OP_ASG_RM, 16, WithMemory<Assign, OP_ASG_RM>);
  Fill(t, 48, 32, Nop);
  Fill(t, OP_ASG_RK, 16, WithConstant<Assign, OP_ASG_RK>);
  Fill(t, OP_BIN_RR, OP_BIN_RM - OP_BIN_RR, WithRegister<Binary, OP_BIN_RR>);
  Fill(t, OP_BIN_RM, OP_BIN_RK - OP_BIN_RM, WithMemory<Binary, OP_BIN_RM>);
  Fill(t, OP_BIN_RK, OP_JMP - OP_BIN_RK, WithConstant<Binary, OP_BIN_RK>);
  t[OP_JMP] = JumpAlways;
  t[OP_JZ] = JumpZero;
  t[OP_JNZ] = JumpNotZero;
  t[OP_CALL] = Call;
  t[OP_CALLSYS] = CallSystem;
  t[OP_RET] = Return;
  t[OP_LEA] = LoadAddress;
  t[OP_INC] = Increment;
  t[OP_DEC] = Increment;
  t[OP_NEG] = Negate;
  t[OP_BNOT] = BitNot;
  t[OP_LNOT] = LogicalNot;
  t[OP_CAST] = Cast;
  t[OP_LOCAL] = CreateLocal;
  return t;
}

const std::array<Handler, 256> kHandlers = BuildTable();

}  // namespace

VmVariables* VariablesOf(VmState& s, uint32_t word) {
  return (word & tarnic::kMemoryLocal) ? (s.frame ? &s.frame->variables : nullptr) : s.globals.get();
}

VmCell* ResolveMemoryWord(VmState& s, uint32_t word) {
  VmVariables* table = VariablesOf(s, word);
  return table ? table->Cell(word & tarnic::kMemoryCellMask) : nullptr;
}

int ReadRegister(VmState& s, uint8_t r, VmCell* value) {
  VmCell* slot;
  int rc = RegisterSlot(s, r, &slot);
  return rc ? rc : ReadHeldValue(s, *slot, value);
}

int ReadHeldValue(VmState& s, const VmCell& held, VmCell* value) {
  if (IsVariableRef(held.type)) {
    VmCell* cell = ResolveMemoryWord(s, Low32(held.value));
    if (!cell) return kVmBadCell;
    *value = WithoutFlags(*cell);
    return 0;
  }
  if ((held.type & kVmKindMask) == kVmRawRef) {
    uint8_t base = BaseOf(held.type);
    int size = ElementSize(base);
    if (size == 0) return kVmNoMemory;
    const uint32_t address = Low32(held.value);
    if (!s.memory.Accessible(address, size)) return kVmBadAddress;
    uint64_t raw = 0;
    // Each width read as such (a copy of a width known here is one load).
    const void* at = reinterpret_cast<const void*>(static_cast<uintptr_t>(address));
    switch (size) {
      case 1: std::memcpy(&raw, at, 1); break;
      case 2: std::memcpy(&raw, at, 2); break;
      case 4: std::memcpy(&raw, at, 4); break;
      default: std::memcpy(&raw, at, 8); break;
    }
    bool real = base == VB_F32 || base == VB_F64;
    *value = MakeCell(base, real ? raw : NormalizeInt(static_cast<int64_t>(raw), base));
    return 0;
  }
  *value = held;
  return 0;
}

int PushArgumentGrowing(VmState& s, const VmCell& pushed) {
  try {
    s.args.push_back(pushed);
  } catch (const std::bad_alloc&) {
    return kVmGrowArgStack;
  }
  return 0;
}

int StoreRegister(VmState& s, uint8_t r, const VmCell& value) {
  VmCell* slot;
  int rc = RegisterSlot(s, r, &slot);
  if (rc) return rc;
  if (r == 0) {
    *slot = WithoutFlags(value);
    return 0;
  }
  VmCell* target = slot;
  if (IsVariableRef(slot->type)) {
    target = ResolveMemoryWord(s, Low32(slot->value));
    if (!target) return kVmBadCell;
  } else if ((slot->type & kVmKindMask) == kVmRawRef) {
    uint8_t base = BaseOf(slot->type);
    uint64_t bits;
    if (!ConvertBits(value, base, &bits)) return kVmNoMemory;
    return s.memory.Write(Low32(slot->value), &bits, ElementSize(base)) ? 0 : kVmPointerStore;
  }
  return StoreIntoCell(target, value.type, value);
}

int StepInstruction(VmState& s, VmSystemCalls& calls, uint32_t pc, uint32_t* next) {
  Exec x{s, calls, pc, pc + 1};
  const CodeByteInstruction& in = s.code[pc];
  int rc = kHandlers[in.op](x, in);
  *next = x.next;
  return rc;
}

int ContinueDirect(VmState& s, VmSystemCalls& calls, uint32_t pc) {
  const size_t count = s.code.size();
  for (;;) {
    if (s.budget_left == 0) return kVmBudgetExceeded;
    if (pc >= count) return kVmBadJump;
    --s.budget_left;
    uint32_t next;
    int rc = StepInstruction(s, calls, pc, &next);
    if (rc != kContinue) return rc;
    pc = next;
  }
}

void StartRunAccount(VmState& s) {
  s.budget_left = s.instruction_budget;
  s.extra_work = 0;
  s.over_budget = false;
}

void EndRunAccount(VmState& s) {
  s.last_work = s.instruction_budget - s.budget_left;
  s.last_instructions = s.last_work - s.extra_work;
}

int ExecuteCode(VmState& s, VmSystemCalls& calls, uint32_t start) {
  StartRunAccount(s);
  int rc = ContinueDirect(s, calls, start);
  EndRunAccount(s);
  return rc;
}
