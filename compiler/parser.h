// The parser: builds the syntax tree in the context and reports syntax errors.
#pragma once
#include <deque>
#include <string>
#include <vector>

#include "scanner.h"

namespace tarnic {

class CompilerContext;
struct Node;

// Parses the whole preprocessed text; true when no error was counted.
bool ParseScript(const std::string& text, CompilerContext& context);

class Parser {
 public:
  Parser(const std::string& text, CompilerContext& context);
  void ParseProgram();

 private:
  // A syntax error on its way to the nearest rule that recovers from it.
  struct SyntaxError {
    bool reported;
    int code;
    std::string arg;
  };

  const Token& Peek(size_t ahead = 0);
  Token Take();
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
  Node* ParseType();
  int ParsePointer();
  Node* Declarator();
  Node* Initializer();
  std::vector<Node*> DeclaratorList();
  void FunctionDefinition(Node* type, int mark);
  std::vector<Node*> ParameterList();
  Node* Parameter();

  Node* CompoundStatement();
  void StatementInto(std::vector<Node*>& list);
  Node* SubStatement();
  Node* IfStatement();
  Node* WhileStatement();
  Node* DoStatement();
  Node* ForStatement();
  Node* JumpStatement();
  Node* ReturnStatement();
  Node* ExpressionStatementPart();

  Node* Expression();
  Node* Assignment();
  Node* Conditional();
  Node* Binary(int level);
  Node* Cast();
  Node* Unary();
  Node* SizeOf();
  Node* Postfix();
  Node* Primary();
  Node* ArgumentList(int line);
  Node* MakeBinary(int op, Node* left, Node* right, int line);
  Node* MakeUnary(int op, Node* operand, int line, const char* name);

  // Nesting is bounded so that no source can exhaust the program's stack.
  class DepthGuard {
   public:
    explicit DepthGuard(Parser& p);
    ~DepthGuard() { --parser_.depth_; }

   private:
    Parser& parser_;
  };
  static constexpr int kMaxDepth = 1200;

  Scanner scanner_;
  CompilerContext& ctx_;
  std::deque<Token> ahead_;
  Token previous_;
  long taken_ = 0;         // tokens consumed so far
  long expression_start_ = 0;
  int loop_depth_ = 0;
  bool in_body_ = false;
  int depth_ = 0;
  bool too_deep_ = false;
};

}  // namespace tarnic
