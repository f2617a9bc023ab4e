// The code generator: the checked tree to instructions and a table of global cells.
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "codebyte_format.h"
#include "opcodes.h"
#include "operand.h"

namespace tarnic {

class CCompilerContext;
class Reporter;
struct CSyntaxNode;
struct CScriptFunction;
struct CSymbolEntry;
struct CFunctionObject;

class CCodeGenerator {
 public:
  explicit CCodeGenerator(CCompilerContext& context);

  // 0 after emitting every top-level item (and backpatching calls when no error).
  int Generate();

  const CodeByteHeader& header() const { return header_; }
  const std::vector<CodeByteInstruction>& instructions() const { return code_; }
  // Hands the instructions over (no copy of a large program); the generator
  // holds none afterwards.
  std::vector<CodeByteInstruction> ReleaseInstructions() { return std::move(code_); }
  // The file image: header, instructions, counted data entries.
  std::vector<uint8_t> CodeBytes() const;
  // Writes the image made by CodeBytes; 0, or 1 after reporting 1005 (create)
  // or 1006 (write).
  int WriteCodeByteFile(const std::string& path, const std::vector<uint8_t>& image);
  int bytes_written() const { return bytes_written_; }

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
  void EmitTopLevel(CSyntaxNode* n);
  void EmitFunction(CSyntaxNode* n);
  void EmitStatement(CSyntaxNode* n);
  void EmitDeclaration(CSyntaxNode* d);
  void EmitInitializer(CSyntaxNode* d, CSymbolEntry* entry, const COperand& target);
  void EmitArrayInitializer(CSyntaxNode* d, CSymbolEntry* entry, const COperand& target);
  void EmitElementStore(const COperand& array, int index, CSyntaxNode* item, uint64_t value);
  void EmitIf(CSyntaxNode* n);
  void EmitWhile(CSyntaxNode* n);
  void EmitDo(CSyntaxNode* n);
  void EmitFor(CSyntaxNode* n);
  void EmitReturn(CSyntaxNode* n);
  void EmitBreak(bool is_continue);
  void FinishLoop(int continue_point, int exit);
  int EmitCondition(CSyntaxNode* n);

  // Expressions (codegen_expr.cpp).
  void EmitExpression(CSyntaxNode* n);
  bool Evaluate(CSyntaxNode* n, COperand& out);
  bool ToRegister(COperand& o);
  void ConvertOperand(int type, COperand& o);
  void ConvertWhereAllowed(int type, COperand& o);
  void ReportConversion(int from, int to);
  COperand SymbolOperand(const CSymbolEntry* entry, bool local) const;
  void EmitConstant(CSyntaxNode* n);
  void EmitStringConstant(CSyntaxNode* n);
  void EmitIdentifier(CSyntaxNode* n);
  void EmitBinary(CSyntaxNode* n);
  void EmitAssignment(CSyntaxNode* n);
  bool StoreInto(COperand& x, COperand& y, int op, bool check_conversion);
  void EmitUnary(CSyntaxNode* n);
  void EmitCast(CSyntaxNode* n);
  void EmitIncrement(CSyntaxNode* n);
  void EmitAddressOf(CSyntaxNode* n);
  void EmitDereference(CSyntaxNode* n);
  void EmitConditional(CSyntaxNode* n);
  void EmitCall(CSyntaxNode* n);
  void EmitComma(CSyntaxNode* n);
  void Push(const COperand& o) { stack_.push_back(o); }

  // Statements and expressions are emitted by recursion over the tree, which
  // the parser's bound does not limit (operator chains and postfix operators
  // nest without recursion there). Past kMaxNesting levels the innermost item
  // is refused with "Out of stack" instead: 2,000 levels take about 800 KB
  // of stack, within half the 2 MB of a test thread (Tarnic has 16 MB).
  static constexpr int kMaxNesting = 2000;
  class NestingGuard {
   public:
    explicit NestingGuard(CCodeGenerator& g);
    ~NestingGuard() { --generator_.nesting_; }
    bool too_deep() const { return generator_.nesting_ > kMaxNesting; }

   private:
    CCodeGenerator& generator_;
  };
  void Discard(const COperand& o);

  CCompilerContext& ctx_;
  Reporter& reporter_;
  CodeByteHeader header_{};
  std::vector<CodeByteInstruction> code_;
  CRegisterFile registers_;
  bool registers_exhausted_ = false;  // 1004 once per statement
  std::vector<COperand> stack_;
  std::vector<Loop> loops_;
  CScriptFunction* function_ = nullptr;
  int function_start_ = 0;
  int last_target_ = -1;  // highest jump target patched inside the current function
  int bytes_written_ = 0;
  int nesting_ = 0;                // statements and expressions being emitted
  bool nesting_reported_ = false;  // "Out of stack" is reported once
};

}  // namespace tarnic
