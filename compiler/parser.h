// The parser: builds the syntax tree in the context and reports syntax errors.
#pragma once
#include <string>
#include <vector>

#include "scanner.h"
#include "syntax_tree.h"

namespace tarnic {

class CCompilerContext;

// Parses the whole preprocessed text; true when no error was counted.
bool ParseScript(const std::string& text, CCompilerContext& context);

class Parser {
 public:
  Parser(const std::string& text, CCompilerContext& context);
  void yyparse();

 private:
  // A syntax error on its way to the nearest rule that recovers from it.
  struct SyntaxError {
    bool reported;
    int code;
    std::string arg;
  };

  const Token& Peek(size_t ahead = 0) {
    if (head_ + ahead < ahead_.size()) return ahead_[head_ + ahead];
    return ScanAhead(ahead);
  }
  const Token& ScanAhead(size_t ahead);
  // The next token, consumed; it stays readable as previous_ until the next Take.
  const Token& Take();
  bool At(int code) { return Peek().code == code; }
  bool Accept(int code);
  void Expect(int code);
  [[noreturn]] void Fail(int code, const std::string& arg);
  [[noreturn]] void FailReported();
  void ReportAt(int line, int code, const char* a = nullptr, const char* b = nullptr);

  // Recovery: skip to the end of the broken declaration or statement.
  void SkipTopLevel();
  void SkipStatement();

  void ExternalDeclaration();
  CSyntaxNode* ParseType();
  int ParsePointer();
  CSyntaxNode* Declarator();
  CSyntaxNode* Initializer();
  std::vector<CSyntaxNode*> DeclaratorList();
  void FunctionDefinition(CSyntaxNode* type, int mark);
  std::vector<CSyntaxNode*> ParameterList();
  CSyntaxNode* Parameter();

  CSyntaxNode* CompoundStatement();
  void StatementInto(NodeList& list);
  CSyntaxNode* SubStatement();
  CSyntaxNode* LoopBody();
  CSyntaxNode* Condition(const char* keyword);
  CSyntaxNode* IfStatement();
  CSyntaxNode* WhileStatement();
  CSyntaxNode* DoStatement();
  CSyntaxNode* ForStatement();
  CSyntaxNode* JumpStatement();
  CSyntaxNode* ReturnStatement();
  CSyntaxNode* ExpressionStatementPart();

  CSyntaxNode* Expression();
  CSyntaxNode* Assignment();
  CSyntaxNode* Conditional();
  CSyntaxNode* Binary(int min_level);
  CSyntaxNode* Cast();
  CSyntaxNode* Unary();
  CSyntaxNode* SizeOf();
  CSyntaxNode* Postfix();
  CSyntaxNode* Primary();
  CSyntaxNode* ArgumentList();
  CSyntaxNode* MakeBinary(int op, CSyntaxNode* left, CSyntaxNode* right, int line);
  CSyntaxNode* MakeUnary(int op, CSyntaxNode* operand, int line, const char* name);

  // Every recursive production (expressions at each level down to the unary
  // operators and casts, statements) passes a DepthGuard, so that no source
  // can exhaust the program's stack: past kMaxDepth levels the parse ends with
  // "Out of stack". A parenthesis takes five levels, so about 300 of them
  // nest; the deepest production at the bound takes about 620 KB of stack,
  // within half the 2 MB of a test thread (Tarnic has 16 MB).
  class DepthGuard {
   public:
    explicit DepthGuard(Parser& p);
    ~DepthGuard() { --parser_.depth_; }

   private:
    Parser& parser_;
  };
  static constexpr int kMaxDepth = 1500;

  Scanner scanner_;
  CCompilerContext& ctx_;
  // Tokens scanned ahead: ahead_[head_] is the next one. Emptied whenever all
  // are consumed, so the lookahead of one or two tokens never reallocates.
  std::vector<Token> ahead_;
  size_t head_ = 0;
  Token previous_;
  long taken_ = 0;  // tokens consumed so far
  long expression_start_ = 0;
  int loop_depth_ = 0;
  int depth_ = 0;
  bool too_deep_ = false;
};

}  // namespace tarnic
