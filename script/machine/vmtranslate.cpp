#include "vmtranslate.h"

#include <algorithm>
#include <new>

#include "../../compiler/opcodes.h"
#include "vmarith.h"
#include "vmliveness.h"
#include "vmmemory.h"
#include "vmstate.h"

using tarnic::CodeByteInstruction;
using namespace tarnic;

namespace {

// The instructions after which control goes elsewhere, and those that charge
// work of their own: each ends its block.
bool EndsBlock(uint8_t op) {
  switch (op) {
    case OP_JMP:
    case OP_JZ:
    case OP_JNZ:
    case OP_CALL:
    case OP_CALLSYS:
    case OP_RET:
    case OP_POPARG:
    case OP_LOCAL: return true;
    default: return false;
  }
}

bool HasTarget(uint8_t op) { return op == OP_JMP || op == OP_JZ || op == OP_JNZ || op == OP_CALL; }
bool IsConditional(uint8_t op) { return op == OP_JZ || op == OP_JNZ; }
bool IsStep(uint8_t op) { return op == OP_INC || op == OP_DEC; }
// The assignment sub-code of an increment or decrement (+= or -=).
uint8_t StepSubCode(uint8_t op) { return op == OP_INC ? 4 : 5; }

// The operations that fused binary kinds are specialized for, and the kinds
// of one fused binary shape: its own, then one per fast operation.
constexpr ArithOp kFastOperations[] = {
#define VM_FAST_OPERATION(name) AO_##name,
    VM_FAST_OPERATIONS(VM_FAST_OPERATION)
#undef VM_FAST_OPERATION
};
constexpr int kShapeKinds = VOP_LDM_BIN_RR - VOP_LDM_BIN_RK;
static_assert(kShapeKinds == 1 + sizeof kFastOperations / sizeof kFastOperations[0],
              "a shape's kinds: any sub-code, then each fast operation");

// The kind of a fused binary op of shape `shape` for a sub-code: the shape's
// own (any sub-code) or its kind specialized for the operation.
VmOpKind Specialized(VmOpKind shape, uint8_t sub) {
  for (size_t i = 0; i < sizeof kFastOperations / sizeof kFastOperations[0]; ++i)
    if (kFastOperations[i] == sub) return static_cast<VmOpKind>(shape + 1 + i);
  return shape;
}

// Whether a kind is one of a fused binary shape's kinds.
bool InShape(uint16_t kind, VmOpKind shape) { return kind >= shape && kind < shape + kShapeKinds; }

// The ops that jump: their target is resolved to the target block's charge op.
bool HasJump(uint16_t kind) {
  if (kind == VOP_JMP || kind == VOP_JZ || kind == VOP_JNZ || kind == VOP_CALL ||
      kind == VOP_LDM_LDV_INCDEC_JMP || kind == VOP_POPARG)
    return true;
  for (VmOpKind shape : {VOP_LDM_BIN_RK_JUMP, VOP_LDM_BIN_RR_JUMP, VOP_LDM_BIN_RM_JUMP})
    if (InShape(kind, shape)) return true;
  return false;
}

// The shapes that come typed, in the order of VM_TYPED_SHAPES, with the
// register writes that their typed ops leave out (which must not be kept).
struct TypedShape {
  VmOpKind shape;
  bool jumping;
  uint8_t unwritten;
};
const TypedShape kTypedShapes[] = {
    {VOP_LDM_BIN_RK, false, kVmKeepScratch},
    {VOP_LDM_BIN_RR, false, 0},
    {VOP_LDM_BIN_RK_JUMP, true, kVmKeepR | kVmKeepScratch},
    {VOP_LDM_BIN_RR_JUMP, true, kVmKeepR},
    {VOP_LDM_BIN_RK_STORE, false, kVmKeepR | kVmKeepR3 | kVmKeepScratch},
    {VOP_LDM_BIN_RR_STORE, false, kVmKeepR | kVmKeepR3},
};
constexpr int kTypedShapeCount = sizeof kTypedShapes / sizeof kTypedShapes[0];
static_assert(VOP_F64_LDM_BIN_RK - VOP_I32_LDM_BIN_RK == kTypedShapeCount * kShapeKinds,
              "the typed shapes in the order of VM_TYPED_SHAPES");

// The typed kind of a fused binary op specialized for its operation, for
// operands of base type `base` (VB_I32 or VB_F64); VOP_GENERIC when there is
// none: doubles are typed for arithmetic that gives a double (stored or kept)
// and for comparisons tested by a jump.
uint16_t TypedKind(uint16_t kind, uint8_t base, uint8_t sub, uint8_t keep, bool constant_typed) {
  for (int i = 0; i < kTypedShapeCount; ++i) {
    const TypedShape& t = kTypedShapes[i];
    if (!InShape(kind, t.shape) || kind == t.shape) continue;
    if ((keep & t.unwritten) || !constant_typed) return VOP_GENERIC;
    const uint16_t offset = static_cast<uint16_t>(i * kShapeKinds + (kind - t.shape));
    if (base == VB_I32) return static_cast<uint16_t>(VOP_I32_LDM_BIN_RK + offset);
    const bool arithmetic = sub == AO_MUL || sub == AO_ADD || sub == AO_SUB;
    if (base == VB_F64 && (t.jumping ? IsComparison(sub) : arithmetic))
      return static_cast<uint16_t>(VOP_F64_LDM_BIN_RK + offset);
    return VOP_GENERIC;
  }
  return VOP_GENERIC;
}

// Typed integer comparisons tested by a jump come in the kind of the
// condition on which they jump: the comparison where the jump is taken on
// true, its negation where on false (exact for integers), so that their
// handler jumps on the comparison alone. The op keeps its sub-code and
// jump_if_true for the op for any type behind it.
void SenseIntegerJump(VmOp* op) {
  static const uint8_t kNegated[][2] = {{AO_GT, AO_LE}, {AO_LT, AO_GE}, {AO_EQ, AO_NE},
                                        {AO_LE, AO_GT}, {AO_GE, AO_LT}, {AO_NE, AO_EQ}};
  for (VmOpKind shape : {VOP_I32_LDM_BIN_RK_JUMP, VOP_I32_LDM_BIN_RR_JUMP}) {
    if (!InShape(op->kind, shape)) continue;
    for (const auto& negated : kNegated)
      if (negated[0] == op->sub) op->kind = Specialized(shape, op->jump_if_true ? op->sub : negated[1]);
  }
}

// A register of the block (not the accumulator).
bool InBlock(uint8_t r) { return r >= 1 && r < kVmRegisters; }
// A register that a fused op may load from memory: the scratch register is
// overwritten by the second instruction of some sequences before it is read.
bool Loadable(uint8_t r) { return r >= 1 && r < kVmScratchRegister; }

// The assignment and binary families: where each begins and ends (the same
// ranges as the direct interpreter's table), how its second operand is given,
// and its ops alone, after a load from memory, before a jump and before the
// store of the result (VOP_GENERIC: none, for assignments).
enum Form { kRegister, kMemory, kConstant };
struct Family {
  uint8_t first, last;
  Form form;
  VmOpKind alone, loaded, jumping, storing;
};
const Family kFamilies[] = {
    {OP_ASG_RR, OP_ASG_RM - 1, kRegister, VOP_ASG_RR, VOP_LDM_ASG_RR, VOP_GENERIC, VOP_GENERIC},
    {OP_ASG_RM, OP_ASG_RM + 15, kMemory, VOP_ASG_RM, VOP_LDM_ASG_RM, VOP_GENERIC, VOP_GENERIC},
    {OP_ASG_RK, OP_ASG_RK + 15, kConstant, VOP_ASG_RK, VOP_LDM_ASG_RK, VOP_GENERIC, VOP_GENERIC},
    {OP_BIN_RR, OP_BIN_RM - 1, kRegister, VOP_BIN_RR, VOP_LDM_BIN_RR, VOP_LDM_BIN_RR_JUMP,
     VOP_LDM_BIN_RR_STORE},
    {OP_BIN_RM, OP_BIN_RK - 1, kMemory, VOP_BIN_RM, VOP_LDM_BIN_RM, VOP_LDM_BIN_RM_JUMP,
     VOP_LDM_BIN_RM_STORE},
    {OP_BIN_RK, OP_JMP - 1, kConstant, VOP_BIN_RK, VOP_LDM_BIN_RK, VOP_LDM_BIN_RK_JUMP, VOP_LDM_BIN_RK_STORE},
};

const Family* FamilyOf(uint8_t op) {
  for (const Family& f : kFamilies)
    if (op >= f.first && op <= f.last) return &f;
  return nullptr;
}

class Translator {
 public:
  Translator(const std::vector<CodeByteInstruction>& code, uint32_t entry, VmVariables& globals,
             VmTranslation& t)
      : code_(code), n_(static_cast<uint32_t>(code.size())), entry_(entry), globals_(globals), t_(t) {}

  void Run() {
    live_after_ = LiveRegistersAfter(code_);
    DeclaredLocals();
    FindBlocks();
    Emit();
    FusePushes();
    ResolveTargets();
  }

 private:
  void FindBlocks() {
    leader_.assign(n_ + 1, false);
    if (n_) leader_[0] = true;
    if (entry_ < n_) leader_[entry_] = true;
    for (uint32_t i = 0; i < n_; ++i) {
      const CodeByteInstruction& in = code_[i];
      if (HasTarget(in.op) && in.a < n_) leader_[in.a] = true;
      if (EndsBlock(in.op)) leader_[i + 1] = true;
    }
    rest_.assign(n_, 0);
    for (uint32_t i = n_; i-- > 0;) rest_[i] = (i + 1 == n_ || leader_[i + 1]) ? 0 : rest_[i + 1] + 1;
  }

  void Emit() {
    t_.pos.assign(n_ + 1, 0);
    t_.ops.reserve(n_ + n_ / 2 + 2);
    size_t charge = 0;
    for (uint32_t i = 0; i < n_; ++i) {
      t_.pos[i] = static_cast<uint32_t>(t_.ops.size());
      if (leader_[i]) {
        charge = t_.ops.size();
        t_.ops.push_back(Charge(i, rest_[i] + 1));
      }
      const VmOp op = OpOf(i);
      t_.ops[charge].locals = std::max(t_.ops[charge].locals, LocalsNamed(op));
      t_.ops.push_back(op);
      if (rest_[i] == 0) CopyLoopTest(i, charge);
    }
    // Falling off the end (or jumping there from a fused op) enters a block of
    // no instructions, so the end is reached the way a block is.
    t_.pos[n_] = static_cast<uint32_t>(t_.ops.size());
    t_.ops.push_back(Charge(n_, 0));
    VmOp end;
    end.kind = VOP_END;
    end.index = n_;
    t_.ops.push_back(end);
  }

  // The ops of the block of instructions [first, first + length), with their
  // positions relative to the block's end.
  std::vector<VmOp> BlockOps(uint32_t first, uint32_t length) const {
    std::vector<VmOp> ops;
    for (uint32_t k = 0; k < length; ++k) ops.push_back(OpOf(first + k));
    return ops;
  }

  // Each call whose function takes parameters made one op with the pushes
  // of the same block right before it that the function takes (vmtranslate.h).
  void FusePushes() {
    for (uint32_t i = 0; i < n_; ++i) {
      const VmOp& call = t_.ops[t_.pos[i]];
      if (call.kind != VOP_CALL || call.index != i) continue;
      uint32_t pushes = 0;
      while (pushes < call.length && pushes < VmVariables::kBlockCells &&
             IsPushOp(i - pushes - 1, t_.pos[i] - pushes - 1))
        ++pushes;
      if (pushes == 0) continue;
      VmOp& first = t_.ops[t_.pos[i] - pushes];
      first.general = first.kind;
      first.kind = VOP_PUSH_CALL;
      first.count = static_cast<uint8_t>(pushes + 1);
    }
  }

  // Whether instruction i (in the block of the instruction after it) is a
  // push with an op of its own at `position`.
  bool IsPushOp(uint32_t i, uint32_t position) const {
    if (i >= n_ || leader_[i + 1]) return false;
    const VmOp& op = t_.ops[position];
    return op.index == i && op.count == 1 &&
           (op.kind == VOP_PUSHK || op.kind == VOP_PUSHM || op.kind == VOP_PUSHR);
  }

  // The op of instruction i.
  VmOp OpOf(uint32_t i) const {
    VmOp op;
    op.index = i;
    op.rest = rest_[i];
    Decode(i, &op);
    op.keep = Kept(op);
    Type(&op);
    Index(&op);
    return op;
  }

  // An element of an array (vmtranslate.h): the load and the step taken
  // with the OP_TOPTR after them, for a global array whose buffer exists or
  // a local array that the code creates with one type and length.
  void Index(VmOp* op) const {
    // The index from a register (r2) or from a variable whose reference in
    // the scratch register nothing reads.
    const bool from_register = op->kind == VOP_LDM_BIN_RR_ADD;
    if (from_register ? op->r2 == op->r : op->kind != VOP_LDM_BIN_RM_ADD || (op->keep & kVmKeepScratch))
      return;
    const CodeByteInstruction* toptr = Following(op->index, 2);
    if (!toptr || toptr->op != OP_TOPTR || toptr->r != op->r) return;
    const bool local = op->m.space == kVmLocalSpace;
    uint8_t type;
    uint32_t base = 0, bytes;
    if (local) {
      const size_t cell = op->m.offset / sizeof(VmCell);
      type = declared_[cell];
      if (type == kUnknownType || declared_count_[cell] == kUnknownCount) return;
      bytes = static_cast<uint32_t>(VmVariables::BufferSize(type, declared_count_[cell]));
    } else {
      const VmCell& array = *reinterpret_cast<const VmCell*>(op->m.offset);
      type = static_cast<uint8_t>(array.type & ~kVmVariableMask);
      base = Low32(array.value);
      const VmMemoryMap& memory = globals_.Memory();
      if (!memory.InBuffer(base)) return;
      bytes = static_cast<uint32_t>(memory.Room(base));
    }
    const int size = ElementSize(BaseOf(type));
    if ((type & kVmKindMask) != kVmAddress || size == 0 || bytes == 0) return;
    op->general = op->kind;
    const VmOpKind first = local ? VOP_LOCAL_INDEX : VOP_INDEX;
    op->kind = first;
    if (ValueReadOnce(*op)) {
      if (BaseOf(type) == VB_I32) op->kind = static_cast<uint16_t>(first + 1);
      if (BaseOf(type) == VB_F64) op->kind = static_cast<uint16_t>(first + 2);
    }
    op->constant = MakeCell(type, base);
    op->length = bytes / static_cast<uint32_t>(size);
    op->scale = static_cast<uint8_t>(__builtin_ctz(static_cast<unsigned>(size)));
    op->count = 3;
  }

  // Whether the element reference that an INDEX op leaves in its register is
  // only read for its value, by the instruction after it or after an OP_LDM
  // of another register that follows (which reads and writes no memory
  // that the reference may name), and never read again.
  bool ValueReadOnce(const VmOp& op) const {
    const uint8_t x = op.r;
    uint32_t k = 3;
    const CodeByteInstruction* use = Following(op.index, k);
    if (use && use->op == OP_LDM && use->r != x) use = Following(op.index, ++k);
    if (!use) return false;
    const Family* f = FamilyOf(use->op);
    return f && f->form == kRegister && use->r2 == x && use->r != x &&
           !(live_after_[op.index + k] & RegisterBit(x));
  }

  // The op that tests the condition at the end of a block's ops (the last
  // one that runs); null when it is not a translated conditional jump.
  static VmOp* TestOf(std::vector<VmOp>& ops) {
    size_t k = 0;
    while (k + ops[k].count < ops.size()) k += ops[k].count;
    VmOp& test = ops[k];
    if (test.kind == VOP_JZ || test.kind == VOP_JNZ) return &test;
    for (VmOpKind shape : {VOP_LDM_BIN_RK_JUMP, VOP_LDM_BIN_RR_JUMP, VOP_LDM_BIN_RM_JUMP})
      if (InShape(test.kind, shape) || InShape(test.general, shape)) return &test;
    return nullptr;
  }

  // After the last op of the block whose charge op is at `charge` (its last
  // instruction i): where the block jumps back to a loop's test, a copy of
  // the test's block that the jump falls into (see vmtranslate.h).
  void CopyLoopTest(uint32_t i, size_t charge) {
    constexpr uint32_t kMostCopied = 8;
    const CodeByteInstruction& jump = code_[i];
    VmOp& charge_op = t_.ops[charge];
    if (jump.op != OP_JMP || t_.ops.back().kind != VOP_JMP || jump.a >= n_ || jump.a == charge_op.index)
      return;
    const uint32_t test_first = jump.a, test_length = rest_[jump.a] + 1;
    if (test_length > kMostCopied) return;
    std::vector<VmOp> copy = BlockOps(test_first, test_length);
    VmOp* test = TestOf(copy);
    if (!test) return;
    // The copy's test jumps to where the test falls through, and falls
    // through to a jump to where the test jumps (through a charge of nothing,
    // as a fall-through enters a block).
    const uint32_t test_target = test->target;
    if (test->kind == VOP_JZ || test->kind == VOP_JNZ)
      test->kind = test->kind == VOP_JZ ? VOP_JNZ : VOP_JZ;
    else
      test->jump_if_true ^= 1;
    SenseIntegerJump(test);
    test->target = test_first + test_length;
    VmOp away;
    away.kind = VOP_JMP;
    away.index = test_first + test_length - 1;
    away.target = test_target;
    // The jumping block pays for the copy and needs its locals.
    charge_op.length += test_length;
    for (VmOp* op = &charge_op + 1; op <= &t_.ops.back(); ++op) op->rest += test_length;
    for (const VmOp& op : copy) charge_op.locals = std::max(charge_op.locals, LocalsNamed(op));
    FallInto(&t_.ops.back());
    if (t_.ops.size() >= 5) {
      VmOp& fused = t_.ops[t_.ops.size() - 4];
      if (fused.index + 3 == i && fused.count == 4) FallInto(&fused);
    }
    t_.ops.insert(t_.ops.end(), copy.begin(), copy.end());
    t_.ops.push_back(Charge(test_target, 0));
    t_.ops.push_back(away);
  }

  // A jump made to fall into the copy that follows its block.
  static void FallInto(VmOp* op) {
    struct Into {
      uint16_t jumping, falling;
    };
    static const Into kInto[] = {
        {VOP_JMP, VOP_JMP_INTO},
        {VOP_LDM_LDV_INCDEC_JMP, VOP_LDM_LDV_INCDEC_INTO},
        {VOP_I32_LDM_LDV_INCDEC_JMP, VOP_I32_LDM_LDV_INCDEC_INTO},
    };
    for (const Into& into : kInto) {
      if (op->kind == into.jumping) op->kind = into.falling;
      if (op->general == into.jumping) op->general = into.falling;
    }
  }

  // The one storage type (base and kind) and element count that the code
  // creates each local of the first block of cells with; kUnknownType and
  // kUnknownCount where it creates it with several or never.
  static constexpr uint8_t kUnknownType = 0xFF;
  static constexpr uint32_t kUnknownCount = ~uint32_t(0);
  void DeclaredLocals() {
    declared_.assign(VmVariables::kBlockCells, kUnknownType);
    declared_count_.assign(VmVariables::kBlockCells, kUnknownCount);
    std::vector<bool> seen(VmVariables::kBlockCells, false);
    for (const CodeByteInstruction& in : code_) {
      if (in.op != OP_LOCAL || in.b >= VmVariables::kBlockCells) continue;
      const uint8_t type = static_cast<uint8_t>(in.t & (kVmKindMask | kVmBaseMask));
      declared_[in.b] = !seen[in.b] || declared_[in.b] == type ? type : kUnknownType;
      declared_count_[in.b] = !seen[in.b] || declared_count_[in.b] == in.a ? in.a : kUnknownCount;
      seen[in.b] = true;
    }
  }

  // The storage type that a memory operand is expected to have when it runs.
  uint8_t ExpectedType(const VmMemOperand& m) const {
    if (m.space == kVmLocalSpace) return declared_[m.offset / sizeof(VmCell)];
    return static_cast<uint8_t>(reinterpret_cast<const VmCell*>(m.offset)->type &
                                (kVmKindMask | kVmBaseMask));
  }

  // A fused op made typed where its loaded variable's expected type has typed
  // ops (its constant, if any, of that type already).
  void Type(VmOp* op) const {
    // (The fused ops of a call's result load nothing into their register.)
    if (op->count < 2 || op->kind == VOP_GENERIC || op->kind == VOP_MOV_TO_ACC_RET ||
        op->kind == VOP_MOV_FROM_ACC_STORE)
      return;
    const uint8_t base = ExpectedType(op->m);
    if (op->kind == VOP_LDM_INCDEC || op->kind == VOP_LDM_LDV_INCDEC || op->kind == VOP_LDM_LDV_INCDEC_JMP ||
        op->kind == VOP_LDM_LDV_INCDEC_INTO) {
      if (base != VB_I32 || (op->keep & (kVmKeepR | kVmKeepScratch))) return;
      op->general = op->kind;
      op->kind = static_cast<uint16_t>(VOP_I32_LDM_INCDEC + (op->kind - VOP_LDM_INCDEC));
      op->constant = MakeInt32(op->sub == StepSubCode(OP_INC) ? 1 : -1);
      return;
    }
    bool with_constant = false;
    for (VmOpKind shape : {VOP_LDM_BIN_RK, VOP_LDM_BIN_RK_JUMP, VOP_LDM_BIN_RK_STORE})
      with_constant |= InShape(op->kind, shape);
    const bool constant_typed = !with_constant || op->constant.type == base;
    const uint16_t typed = TypedKind(op->kind, base, op->sub, op->keep, constant_typed);
    if (typed == VOP_GENERIC) return;
    op->general = op->kind;
    op->kind = typed;
    SenseIntegerJump(op);
  }

  // The register writes of an op that the instructions after it may read.
  uint8_t Kept(const VmOp& op) const {
    const VmRegisterMask live = live_after_[op.index + op.count - 1];
    uint8_t keep = 0;
    if (live & RegisterBit(op.r)) keep |= kVmKeepR;
    if (live & RegisterBit(op.r2)) keep |= kVmKeepR2;
    if (live & RegisterBit(op.r3)) keep |= kVmKeepR3;
    // An instruction on register 31 reads there the constant or memory
    // operand that it has just put there.
    if ((live & RegisterBit(kVmScratchRegister)) || op.r == kVmScratchRegister) keep |= kVmKeepScratch;
    return keep;
  }

  static VmOp Charge(uint32_t i, uint32_t length) {
    VmOp charge;
    charge.kind = VOP_CHARGE;
    charge.index = i;
    charge.length = length;
    return charge;
  }

  // The locals an op reads or writes through its memory operands (the
  // highest index + 1).
  static uint32_t LocalsNamed(const VmOp& op) {
    uint32_t named = 0;
    for (const VmMemOperand* m : {&op.m, &op.m2, &op.m3})
      if (m->space == kVmLocalSpace)
        named = std::max<uint32_t>(named, static_cast<uint32_t>(m->offset / sizeof(VmCell)) + 1);
    return named;
  }

  // Every op's jump target, once every position is known, and where each
  // push's value lies (VmSpace), once the ops do not move. (The op after one
  // lies `count` ops further: the ops of the instructions it stands for lie
  // between, and a block's charge op right before its first op.)
  void ResolveTargets() {
    for (VmOp& op : t_.ops)
      if (HasJump(op.kind) || HasJump(op.general)) op.jump = &t_.ops[t_.pos[op.target]];
    for (VmOp& op : t_.ops) {
      if (op.kind == VOP_CALL && op.length)
        op.called = static_cast<int32_t>(t_.pos[op.target + op.length] - (&op - t_.ops.data()));
      const uint16_t push = op.kind == VOP_PUSH_CALL ? op.general : op.kind;
      if (push == VOP_PUSHR) {
        op.m.space = kVmRegisterSpace;
        op.m.offset = op.r * sizeof(VmCell);
      } else if (push == VOP_PUSHK) {
        op.m.offset = reinterpret_cast<uintptr_t>(&op.constant);
      }
    }
  }

  // A memory word as an operand; false (and *m unchanged) for a global that
  // does not exist and for a local beyond the frame's first block of cells.
  bool Memory(uint32_t word, VmMemOperand* m) const {
    const uint32_t cell = word & kMemoryCellMask;
    VmMemOperand operand;
    operand.word = word;
    if (word & kMemoryLocal) {
      if (cell >= VmVariables::kBlockCells) return false;
      operand.space = kVmLocalSpace;
      operand.offset = cell * sizeof(VmCell);
    } else {
      operand.offset = reinterpret_cast<uintptr_t>(globals_.Cell(cell));
      if (!operand.offset) return false;
    }
    *m = operand;
    return true;
  }

  static void Constant(const CodeByteInstruction& in, VmOp* op) {
    op->constant = MakeCell(in.t, uint64_t(in.a) | (uint64_t(in.b) << 32));
  }

  // Instruction i + k, when it exists and lies in the same block as i.
  const CodeByteInstruction* Following(uint32_t i, uint32_t k) const {
    return k <= rest_[i] ? &code_[i + k] : nullptr;
  }

  // The second operand of a family's instruction; false when it cannot be
  // resolved here (the direct interpreter then decides).
  bool SecondOperand(const Family& f, const CodeByteInstruction& in, VmOp* op) const {
    switch (f.form) {
      case kRegister: op->r2 = in.r2; return InBlock(in.r2);
      case kMemory: return Memory(in.a, &op->m2);
      default: Constant(in, op); return true;
    }
  }

  void Decode(uint32_t i, VmOp* op) const {
    if (!DecodeLoaded(i, op)) DecodeAlone(code_[i], op);
  }

  // A load from memory into a register and the instructions that use the
  // register at once.
  bool DecodeLoaded(uint32_t i, VmOp* op) const {
    const CodeByteInstruction& load = code_[i];
    const CodeByteInstruction* use = Following(i, 1);
    if (load.op != OP_LDM || !use || !Loadable(load.r) || !Memory(load.a, &op->m)) return false;
    const uint8_t x = load.r;
    op->r = x;
    const CodeByteInstruction* third = Following(i, 2);
    // A postfix step (the variable's value copied, then the variable
    // stepped), and the jump back of a loop after it.
    if (use->op == OP_LDV && use->r2 == x && InBlock(use->r) && use->r != x && third && IsStep(third->op) &&
        third->r == x) {
      op->kind = VOP_LDM_LDV_INCDEC;
      op->r2 = use->r;
      op->sub = StepSubCode(third->op);
      op->count = 3;
      const CodeByteInstruction* jump = Following(i, 3);
      if (jump && jump->op == OP_JMP && jump->a < n_) {
        op->kind = VOP_LDM_LDV_INCDEC_JMP;
        op->target = jump->a;
        op->count = 4;
      }
      return true;
    }
    if (use->r != x) return false;
    if (IsStep(use->op)) {
      op->kind = VOP_LDM_INCDEC;
      op->sub = StepSubCode(use->op);
      op->count = 2;
      return true;
    }
    const Family* f = FamilyOf(use->op);
    if (!f || !SecondOperand(*f, *use, op) || (f->form == kRegister && use->r2 == x)) return false;
    op->sub = static_cast<uint8_t>(use->op - f->first);
    op->kind = f->loaded;
    op->count = 2;
    if (f->jumping != VOP_GENERIC && third) {
      const CodeByteInstruction* store = Following(i, 3);
      if (IsConditional(third->op) && third->r == x && third->a < n_) {
        // A condition: the result tested by the jump that follows.
        op->kind = f->jumping;
        op->jump_if_true = third->op == OP_JNZ;
        op->target = third->a;
        op->count = 3;
      } else if (third->op == OP_LDM && Loadable(third->r) && third->r != x && store &&
                 store->op == OP_ASG_RR && store->r == third->r && store->r2 == x &&
                 Memory(third->a, &op->m3)) {
        // A value stored into a variable: OP_LDM y, then OP_ASG_RR+0 y, x.
        op->kind = f->storing;
        op->r3 = third->r;
        op->count = 4;
      }
    }
    // Binary shapes follow one another in VM_OP_KINDS each with its specialized kinds.
    if (f->jumping != VOP_GENERIC) op->kind = Specialized(static_cast<VmOpKind>(op->kind), op->sub);
    return true;
  }

  void DecodeAlone(const CodeByteInstruction& in, VmOp* op) const {
    VmOp alone;
    alone.index = op->index;
    alone.rest = op->rest;
    *op = alone;
    op->r = in.r;
    op->r2 = in.r2;
    op->kind = AloneKind(in, op);
  }

  // A register moved into the accumulator, and the return after it with it.
  VmOpKind AccumulatorKind(VmOp* op) const {
    const CodeByteInstruction* next = Following(op->index, 1);
    if (!next || next->op != OP_RET) return VOP_MOV_TO_ACC;
    op->count = 2;
    return VOP_MOV_TO_ACC_RET;
  }

  // The accumulator moved into register r (of the block), and the store of
  // it into a variable after that.
  VmOpKind ResultKind(const CodeByteInstruction& move, VmOp* op) const {
    const CodeByteInstruction* load = Following(op->index, 1);
    const CodeByteInstruction* store = Following(op->index, 2);
    if (!store || load->op != OP_LDM || !Loadable(load->r) || load->r == move.r || store->op != OP_ASG_RR ||
        store->r != load->r || store->r2 != move.r || !Memory(load->a, &op->m3))
      return VOP_MOV_FROM_ACC;
    op->r3 = load->r;
    op->count = 3;
    return VOP_MOV_FROM_ACC_STORE;
  }

  VmOpKind AloneKind(const CodeByteInstruction& in, VmOp* op) const {
    switch (in.op) {
      case OP_LDM:
        if (!Memory(in.a, &op->m)) return VOP_GENERIC;
        return in.r == 0 ? VOP_LDM_ACC : InBlock(in.r) ? VOP_LDM : VOP_GENERIC;
      case OP_LDK: Constant(in, op); return in.r == 0 ? VOP_LDK_ACC : InBlock(in.r) ? VOP_LDK : VOP_GENERIC;
      case OP_MOV:
        if (in.r == 0) return InBlock(in.r2) ? AccumulatorKind(op) : VOP_GENERIC;
        if (!InBlock(in.r)) return VOP_GENERIC;
        return in.r2 == 0 ? ResultKind(in, op) : InBlock(in.r2) ? VOP_MOV : VOP_GENERIC;
      case OP_LDV: return InBlock(in.r) && InBlock(in.r2) ? VOP_LDV : VOP_GENERIC;
      case OP_TOPTR: return InBlock(in.r) ? VOP_TOPTR : VOP_GENERIC;
      case OP_INC:
      case OP_DEC: op->sub = StepSubCode(in.op); return InBlock(in.r) ? VOP_INCDEC : VOP_GENERIC;
      case OP_JMP: op->target = in.a; return in.a < n_ ? VOP_JMP : VOP_GENERIC;
      case OP_JZ:
      case OP_JNZ:
        op->target = in.a;
        if (!InBlock(in.r) || in.a >= n_) return VOP_GENERIC;
        return in.op == OP_JZ ? VOP_JZ : VOP_JNZ;
      case OP_PUSHK: Constant(in, op); return VOP_PUSHK;
      case OP_PUSHM: return Memory(in.a, &op->m) ? VOP_PUSHM : VOP_GENERIC;
      case OP_PUSHR: return InBlock(in.r) ? VOP_PUSHR : VOP_GENERIC;
      case OP_CALL:
        op->target = in.a;
        if (in.a >= n_ || op->index + 1 == n_) return VOP_GENERIC;
        op->cleared = LiveRegistersBefore(code_[in.a], live_after_[in.a]);
        // The parameters that the called function takes first, which the
        // call may take for it.
        while (in.a + op->length < n_ && code_[in.a + op->length].op == OP_POPARG) ++op->length;
        return VOP_CALL;
      case OP_POPARG:
        // The POPARGs that follow take their parameters in the same op.
        op->length = 1;
        while (op->index + op->length < n_ && code_[op->index + op->length].op == OP_POPARG) ++op->length;
        op->target = op->index + op->length;
        return VOP_POPARG;
      case OP_RET: return VOP_RET;
      default: break;
    }
    const Family* f = FamilyOf(in.op);
    if (!f || !InBlock(in.r) || !SecondOperand(*f, in, op)) return VOP_GENERIC;
    op->sub = static_cast<uint8_t>(in.op - f->first);
    return f->alone;
  }

  const std::vector<CodeByteInstruction>& code_;
  const uint32_t n_;
  const uint32_t entry_;
  VmVariables& globals_;
  VmTranslation& t_;
  std::vector<VmRegisterMask> live_after_;  // the registers read after each instruction
  std::vector<bool> leader_;                // the first instruction of a block
  std::vector<uint32_t> rest_;              // instructions after i up to the end of its block
  std::vector<uint8_t> declared_;           // the expected storage type of each local of the first block
  std::vector<uint32_t> declared_count_;    // and its element count
};

}  // namespace

std::unique_ptr<VmTranslation> TranslateCode(const std::vector<CodeByteInstruction>& code, uint32_t entry,
                                             VmVariables& globals) {
  if (code.size() > kVmMaxTranslated) return nullptr;
  try {
    std::unique_ptr<VmTranslation> t(new VmTranslation());
    Translator(code, entry, globals, *t).Run();
    return t;
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
