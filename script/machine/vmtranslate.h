// The translated form of a machine's instructions, built once when the code
// bytes are loaded and run by the threaded machine (vmthreaded.h).
//
// Every instruction keeps an op of its own, at the position that `pos` gives
// for its index, so a run can go on at any instruction. Where the compiler's
// usual sequences begin (a register loaded from memory and used at once),
// that op stands for the whole sequence; the ops of the instructions after
// its first are reached only when a run goes on in the middle of it.
//
// The instructions fall into blocks: straight runs that control enters only
// at their first instruction and leaves only after their last. A block's
// first op is preceded by a charge op that takes one work unit per
// instruction of the block from the run's budget at once (or, when the rest
// of the budget is smaller, has the direct interpreter finish the run one
// instruction at a time). Instructions that charge work of their own (calls,
// system calls, parameters and locals) end their block, so their charges
// meet the same budget as in the direct interpreter; a run that ends inside
// a block gives back the units of the instructions it did not reach.
//
// A block that ends by jumping back to a short block that ends with a
// conditional jump (the test of a loop) takes a copy of that block's ops
// after its own, charged with it: its jump falls into the copy (a *_INTO
// kind), whose test jumps where the test falls through and falls through to
// a jump where it jumps, so each turn of the loop is one block. The copy has
// no positions; ops that go on elsewhere go on at the block's own ops.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "../../compiler/codebyte_format.h"
#include "vmcell.h"

class VmVariables;

// The kinds of op, in the order of the threaded machine's handler table.
// Fused kinds name the instructions they stand for: a register loaded from
// memory (LDM) and used at once, then, for the binary families, the jump that
// tests the result (JUMP) or the store of the result into a variable
// (STORE: OP_LDM and OP_ASG_RR+0 from the result's register). Each fused
// binary kind comes for any sub-code and, specialized, for each of the
// common operations (VM_FAST_OPERATIONS, in the same order).
// The kinds keep one family to a line, as they belong together.
// clang-format off
#define VM_FAST_OPERATIONS(X) X(MUL) X(ADD) X(SUB) X(GT) X(LT) X(LE) X(GE) X(EQ) X(NE) X(AND)
#define VM_SHAPE_KINDS(X, S) \
  X(S) X(S##_MUL) X(S##_ADD) X(S##_SUB) X(S##_GT) X(S##_LT) X(S##_LE) X(S##_GE) X(S##_EQ) X(S##_NE) X(S##_AND)
#define VM_OP_KINDS(X)                                                                             \
  X(GENERIC)         /* the direct interpreter's handler for one instruction */                   \
  X(CHARGE)          /* the budget of the block that follows */                                   \
  X(END)             /* the place after the last instruction */                                   \
  X(LDM) X(LDM_ACC) X(LDK) X(LDK_ACC) X(MOV) X(MOV_TO_ACC) X(MOV_FROM_ACC) X(LDV) X(TOPTR)       \
  X(BIN_RK) X(BIN_RR) X(BIN_RM) X(ASG_RK) X(ASG_RR) X(ASG_RM) X(INCDEC)                            \
  X(JMP) X(JZ) X(JNZ) X(JMP_INTO)                                                                  \
  X(PUSHK) X(PUSHM) X(PUSHR) X(PUSH_CALL) X(CALL) X(POPARG) X(RET) X(MOV_TO_ACC_RET)              \
  X(MOV_FROM_ACC_STORE)                                                                            \
  VM_SHAPE_KINDS(X, LDM_BIN_RK) VM_SHAPE_KINDS(X, LDM_BIN_RR) VM_SHAPE_KINDS(X, LDM_BIN_RM)        \
  VM_SHAPE_KINDS(X, LDM_BIN_RK_JUMP) VM_SHAPE_KINDS(X, LDM_BIN_RR_JUMP)                            \
  VM_SHAPE_KINDS(X, LDM_BIN_RM_JUMP) VM_SHAPE_KINDS(X, LDM_BIN_RK_STORE)                           \
  VM_SHAPE_KINDS(X, LDM_BIN_RR_STORE) VM_SHAPE_KINDS(X, LDM_BIN_RM_STORE)                          \
  X(LDM_ASG_RK) X(LDM_ASG_RR) X(LDM_ASG_RM)                                                        \
  X(INDEX) X(INDEX_I32) X(INDEX_F64) /* an element of a global array (below) */                     \
  X(LOCAL_INDEX) X(LOCAL_INDEX_I32) X(LOCAL_INDEX_F64) /* an element of a local array (below) */    \
  X(LDM_INCDEC) X(LDM_LDV_INCDEC) X(LDM_LDV_INCDEC_JMP) X(LDM_LDV_INCDEC_INTO)                    \
  VM_TYPED_SHAPES(VM_SHAPE_KINDS, X, I32) VM_TYPED_SHAPES(VM_SHAPE_KINDS, X, F64)                  \
  X(I32_LDM_INCDEC) X(I32_LDM_LDV_INCDEC) X(I32_LDM_LDV_INCDEC_JMP) X(I32_LDM_LDV_INCDEC_INTO)
// clang-format on

// The fused binary shapes that come typed as well: for two signed 32-bit
// integers (I32_...) and two doubles (F64_...), with the result stored into a
// variable of the same type. The translation picks the type that the loaded
// variable is declared with (a global's type, or the one type that the code
// creates the local with); each typed op checks the types where they lie and
// leaves anything else to the shape's op for any type (VmOp::fallback), so a
// wrong guess costs time only. Typed ops leave out the register writes that
// no later instruction reads: they are picked only where those are not kept.
// A typed integer comparison tested by a jump has the kind of the condition
// on which it jumps (the negated comparison where it jumps on false).
// clang-format off
#define VM_TYPED_SHAPES(SHAPE, X, T)                                                                \
  SHAPE(X, T##_LDM_BIN_RK) SHAPE(X, T##_LDM_BIN_RR) SHAPE(X, T##_LDM_BIN_RK_JUMP)                   \
  SHAPE(X, T##_LDM_BIN_RR_JUMP) SHAPE(X, T##_LDM_BIN_RK_STORE) SHAPE(X, T##_LDM_BIN_RR_STORE)
// clang-format on

// A function's result given as it returns (MOV_TO_ACC_RET: OP_MOV into the
// accumulator, then OP_RET) is one op, and so is a result stored into a
// variable where the call returns to (MOV_FROM_ACC_STORE: OP_MOV from the
// accumulator into register r, OP_LDM r3, then OP_ASG_RR+0 r3, r).
//
// A call with the pushes right before it (PUSH_CALL, the op of the first
// push, standing for them and the call): the values that the called
// function takes as its first parameters are written straight into its
// frame, where its level is ready for that (vmframes.h), instead of onto
// the argument stack, from which the call would take them again. Pushes
// beyond the parameters stay ops of their own. Anything else leaves the
// pushes and the call to their own ops (VmOp::fallback).
//
// A call's op is followed by the charge op of the instruction after it,
// where its return goes on (VmCallLevel::back); a call that is the last
// instruction, whose return fails, is left to the direct interpreter.
//
// An element of a global array, a[i]: the array loaded from memory, stepped
// by an integer register or variable and made a reference to the element
// (OP_LDM x, a; OP_BIN_RR+ADD x, i or OP_BIN_RM+ADD x, i; OP_TOPTR x). Its op checks the index against the
// array's buffer, known at load, and makes the element's address in one
// step; the array's cell changed or an index outside the buffer leaves the
// three instructions to the ops for any operands (VmOp::fallback). Where
// the instruction after (or the one after an OP_LDM of another register)
// reads the element's value from x and nothing reads x again, the typed
// kinds put that value into x in place of the reference (INDEX_I32,
// INDEX_F64, for arrays of those types).
//
// An element of a local array, which the code creates with one type and
// element count, is found alike (LOCAL_INDEX...), its buffer made by each
// call: the op checks the cell's type and the index against that count,
// and the typed kinds read the value where the memory map allows it.
enum VmOpKind : uint16_t {
#define VM_OP_ENUM(name) VOP_##name,
  VM_OP_KINDS(VM_OP_ENUM)
#undef VM_OP_ENUM
      VOP_COUNT
};

// A memory operand resolved at load, found at run time without a branch: the
// cell lies `offset` bytes from the base of its space, which is 0 for a
// global (whose cell never moves once loaded, so the offset is its address)
// and the running frame's first block of cells for a local. Only the locals
// of that first block are translated, and a block is entered only when the
// frame holds every local that its ops name (VmOp::locals). Other words leave
// their instruction to the direct interpreter. The value of a push lies so
// too (its `m`), that of a register pushed in the register space (the running
// function's registers), and a pushed constant in the global space (the
// op's own constant), so that a call finds each pushed value alike.
enum VmSpace : uint8_t { kVmGlobalSpace, kVmLocalSpace, kVmRegisterSpace, kVmSpaces };
struct VmMemOperand {
  uintptr_t offset = 0;
  uint32_t word = 0;  // the memory word, which a reference to the cell holds
  uint8_t space = kVmGlobalSpace;
};

// The register writes of an op that a later instruction may read (the
// others are left out, vmliveness.h): its register r, r2, r3 and the scratch
// register 31.
enum VmKeep : uint8_t { kVmKeepR = 1, kVmKeepR2 = 2, kVmKeepR3 = 4, kVmKeepScratch = 8 };

struct VmOp {
  const void* handler = nullptr;   // the threaded machine's handler for `kind`
  const void* fallback = nullptr;  // typed ops: the handler of `general`
  const VmOp* jump =
      nullptr;  // jumps: the charge op of the target's block (POPARG: of the block after the run)
  uint16_t kind = VOP_GENERIC;
  uint16_t general = VOP_GENERIC;  // typed ops: the kind for operands of any type
  uint8_t count = 1;               // instructions the op stands for
  uint8_t r = 0;                   // register numbers, checked at load
  uint8_t r2 = 0;                  // (the destination of LDV in LDM_LDV_INCDEC)
  uint8_t r3 = 0;                  // STORE: the register that refers to the stored variable
  uint8_t sub = 0;                 // binary or assignment sub-code
  uint8_t jump_if_true = 0;        // JUMP: JNZ (1) or JZ (0)
  uint8_t scale = 0;               // INDEX: the element's size as a shift
  uint8_t keep = kVmKeepR | kVmKeepR2 | kVmKeepR3 | kVmKeepScratch;  // VmKeep bits
  uint32_t index = 0;                                                // the first instruction it stands for
  uint32_t rest = 0;    // instructions after `index` up to the end of its block
  uint32_t target = 0;  // jumps: the target instruction
  // CHARGE: the instructions of the block. POPARG: the POPARGs from this one
  // on (each after the first a block of its own), taken by this op. CALL:
  // the POPARGs that the called function begins with (its op follows the
  // target's charge op). INDEX: the elements that the array's buffer holds.
  uint32_t length = 0;
  uint32_t locals = 0;   // CHARGE: the locals that the block's ops name (the highest index + 1)
  uint32_t cleared = 0;  // CALL: the registers that the function may read before writing them
  // CALL: the charge op of the block after the POPARGs that the called
  // function begins with, as a distance from this op: one load finds it
  // where following the target's charge op to its POPARG takes three.
  int32_t called = 0;
  VmMemOperand m, m2, m3;  // memory operands in the order of the instructions
  VmCell constant;         // the instruction's constant with its type byte (INDEX: the array's cell)
};

struct VmTranslation {
  std::vector<VmOp> ops;
  // The position of each instruction's op (the charge op for the first of a
  // block), and at the instruction count a charge op of no length before the
  // end op.
  std::vector<uint32_t> pos;
  bool threaded = false;  // the handlers are filled in (on the first run)
};

// Longer code (3 MB of instructions, far beyond any script of a picture)
// runs directly: its translation takes about eight times the memory of the
// instructions.
constexpr size_t kVmMaxTranslated = 1u << 18;

// Translates loaded instructions; `globals` are the loaded globals. Null when
// there is no memory for the translation: the code bytes then run directly.
std::unique_ptr<VmTranslation> TranslateCode(const std::vector<tarnic::CodeByteInstruction>& code,
                                             uint32_t entry, VmVariables& globals);
