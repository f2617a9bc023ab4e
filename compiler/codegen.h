// The code generator: the checked tree to instructions and a table of global cells.
#pragma once
#include <cstdint>
#include <vector>

#include "codebyte_format.h"
#include "opcodes.h"
#include "operand.h"

namespace tarnic {

class CompilerContext;
class Reporter;
struct Node;
struct ScriptFunction;
struct SymbolEntry;
struct FunctionObject;

class CodeGenerator {
 public:
  explicit CodeGenerator(CompilerContext& context);

  // 0 after emitting every top-level item (and backpatching calls when no error).
  int Generate();

  const CodeByteHeader& header() const { return header_; }
  const std::vector<CodeByteInstruction>& instructions() const { return code_; }
  // The file image: header, instructions, counted data entries.
  std::vector<uint8_t> CodeBytes() const;

 private:
  struct PendingJump {
    int index;
    bool is_continue;
  };
  struct Loop {
    int kind;  // 0 "while": continue jumps straight to the start; 1 "do"/"for"
    int start;
    std::vector<PendingJump> pending;
  };

  // Instructions.
  int Emit(uint8_t op, int r = 0, int r2 = 0, uint32_t a = 0, uint32_t b = 0, uint8_t t = 0);
  int Count() const { return static_cast<int>(code_.size()); }
  void PatchTarget(int index, int target);
  int AllocateRegister();
  void Backpatch();

  // Top level and statements (codegen.cpp).
  void EmitTopLevel(Node* n);
  void EmitFunction(Node* n);
  void EmitStatement(Node* n);
  void EmitDeclaration(Node* d);
  void EmitInitializer(Node* d, SymbolEntry* entry, const Operand& target);
  void EmitArrayInitializer(Node* d, SymbolEntry* entry, const Operand& target);
  void EmitElementStore(const Operand& array, int index, Node* item, uint64_t value);
  void EmitIf(Node* n);
  void EmitWhile(Node* n);
  void EmitDo(Node* n);
  void EmitFor(Node* n);
  void EmitReturn(Node* n);
  void EmitBreak(Node* n, bool is_continue);
  void FinishLoop(int continue_point, int exit);
  int EmitCondition(Node* n);

  // Expressions (codegen_expr.cpp).
  void EmitExpression(Node* n);
  bool Evaluate(Node* n, Operand& out);
  bool ToRegister(Operand& o);
  void ConvertOperand(int type, Operand& o);
  void ReportConversion(int from, int to);
  Operand SymbolOperand(const SymbolEntry* entry, bool local) const;
  void EmitIdentifier(Node* n);
  void EmitBinary(Node* n);
  void EmitAssignment(Node* n);
  bool StoreInto(Operand& x, Operand& y, int op, bool check_conversion);
  void EmitUnary(Node* n);
  void EmitCast(Node* n);
  void EmitIncrement(Node* n);
  void EmitAddressOf(Node* n);
  void EmitDereference(Node* n);
  void EmitConditional(Node* n);
  void EmitCall(Node* n);
  void EmitComma(Node* n);
  void Push(const Operand& o) { stack_.push_back(o); }
  void Discard(const Operand& o);

  CompilerContext& ctx_;
  Reporter& reporter_;
  CodeByteHeader header_{};
  std::vector<CodeByteInstruction> code_;
  RegisterFile registers_;
  bool registers_exhausted_ = false;  // 1004 once per statement
  std::vector<Operand> stack_;
  std::vector<Loop> loops_;
  ScriptFunction* function_ = nullptr;
  int function_start_ = 0;
  int last_target_ = -1;
  int depth_ = 0;  // nesting of expressions being emitted
  bool depth_reported_ = false;  // highest jump target patched inside the current function
};

}  // namespace tarnic
