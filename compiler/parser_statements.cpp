// The parser's statements: blocks, control statements and their recovery rules.
#include "context.h"
#include "messages.h"
#include "parser.h"

namespace tarnic {

CSyntaxNode* Parser::CompoundStatement() {
  int line = Take().line;  // "{"
  CSyntaxNode* block = ctx_.NewNode(NK_KEYWORD, ST_BLOCK, line);
  NodeList list;
  while (!At('}') && !too_deep_) {
    if (At(TK_END)) {
      ReportAt(Peek().line, MSG_NOT_MATCHING, "{");
      break;
    }
    try {
      StatementInto(list);
    } catch (const SyntaxError& e) {
      if (!e.reported) ReportAt(Peek().line, e.code, e.arg.c_str());
      SkipStatement();
    }
  }
  Accept('}');
  block->child[0] = list.head;
  return block;
}

void Parser::StatementInto(NodeList& list) {
  DepthGuard guard(*this);
  int code = Peek().code;
  if (IsTypeWord(code)) {
    CSyntaxNode* type = ParseType();
    std::vector<CSyntaxNode*> declarators = DeclaratorList();
    Expect(';');
    ctx_.DeclareLocals(type, declarators, list);
    return;
  }
  CSyntaxNode* statement = nullptr;
  switch (code) {
    case '{': statement = CompoundStatement(); break;
    case TK_IF: statement = IfStatement(); break;
    case TK_WHILE: statement = WhileStatement(); break;
    case TK_DO: statement = DoStatement(); break;
    case TK_FOR: statement = ForStatement(); break;
    case TK_CONTINUE:
    case TK_BREAK: statement = JumpStatement(); break;
    case TK_RETURN: statement = ReturnStatement(); break;
    default: statement = ExpressionStatementPart(); break;
  }
  list.Append(statement);
}

// The body of "if", "else", "while", "do" and "for": one statement; declarations
// there are wrapped in a block of their own.
CSyntaxNode* Parser::SubStatement() {
  NodeList list;
  int line = Peek().line;
  StatementInto(list);
  if (list.count == 1 && list.head->kind != NK_IDENTIFIER) return list.head;
  CSyntaxNode* block = ctx_.NewNode(NK_KEYWORD, ST_BLOCK, line);
  block->child[0] = list.head;
  return block;
}

CSyntaxNode* Parser::ExpressionStatementPart() {
  CSyntaxNode* statement = ctx_.NewNode(NK_KEYWORD, ST_EXPRESSION, Peek().line);
  if (Accept(';')) return statement;
  statement->child[0] = Expression();
  Expect(';');
  return statement;
}

// The "(" expression ")" of "if" and "while", from the "(" on (the caller
// has reported a missing one); a broken expression or a missing ")" is
// reported once, naming the statement.
CSyntaxNode* Parser::Condition(const char* keyword) {
  try {
    Take();
    CSyntaxNode* condition = Expression();
    Expect(')');
    return condition;
  } catch (const SyntaxError& e) {
    if (!e.reported) ReportAt(Peek().line, MSG_MISSING_IN_STATEMENT, ")", keyword);
    FailReported();
  }
}

CSyntaxNode* Parser::IfStatement() {
  int line = Take().line;
  CSyntaxNode* node = ctx_.NewNode(NK_KEYWORD, TK_IF, line);
  node->name = "if";
  if (!At('(')) {
    ReportAt(Peek().line, MSG_EXPECT_EXPRESSION, "if");
    FailReported();
  }
  node->child[0] = Condition("if");
  node->child[1] = SubStatement();
  if (Accept(TK_ELSE)) node->child[2] = SubStatement();
  return node;
}

// The body of a loop: "break" and "continue" are allowed inside it.
CSyntaxNode* Parser::LoopBody() {
  struct Depth {
    int& depth;
    explicit Depth(int& d) : depth(d) { ++depth; }
    ~Depth() { --depth; }
  } inside(loop_depth_);
  return SubStatement();
}

CSyntaxNode* Parser::WhileStatement() {
  int line = Take().line;
  CSyntaxNode* node = ctx_.NewNode(NK_KEYWORD, TK_WHILE, line);
  node->name = "while";
  if (!At('(')) {
    ReportAt(Peek().line, MSG_MISSING_IN_STATEMENT, "(", "while");
    FailReported();
  }
  node->child[0] = Condition("while");
  node->child[1] = LoopBody();
  return node;
}

CSyntaxNode* Parser::DoStatement() {
  int line = Take().line;
  CSyntaxNode* node = ctx_.NewNode(NK_KEYWORD, TK_DO, line);
  node->name = "do";
  node->child[0] = LoopBody();
  Expect(TK_WHILE);
  Expect('(');
  node->child[1] = Expression();
  Expect(')');
  Expect(';');
  return node;
}

CSyntaxNode* Parser::ForStatement() {
  int line = Take().line;
  CSyntaxNode* node = ctx_.NewNode(NK_KEYWORD, TK_FOR, line);
  node->name = "for";
  if (!At('(')) {
    ReportAt(Peek().line, MSG_MISSING_IN_STATEMENT, "(", "for");
    FailReported();
  }
  try {
    Take();
    node->child[0] = ExpressionStatementPart()->child[0];
    node->child[1] = ExpressionStatementPart()->child[0];
    node->child[2] = Expression();  // the third part is required
    Expect(')');
  } catch (const SyntaxError& e) {
    if (!e.reported) ReportAt(Peek().line, MSG_MISSING_IN_STATEMENT, ")", "for");
    FailReported();
  }
  node->body = LoopBody();
  return node;
}

CSyntaxNode* Parser::JumpStatement() {
  Token keyword = Take();
  CSyntaxNode* node = ctx_.NewNode(NK_KEYWORD, keyword.code, keyword.line);
  node->name = keyword.text;
  if (loop_depth_ == 0)
    ReportAt(keyword.line, keyword.code == TK_BREAK ? MSG_ILLEGAL_BREAK : MSG_ILLEGAL_CONTINUE);
  if (!Accept(';')) {
    ReportAt(Peek().line, MSG_MISSING_IN_STATEMENT, ";", keyword.text.c_str());
    FailReported();
  }
  return node;
}

CSyntaxNode* Parser::ReturnStatement() {
  int line = Take().line;
  CSyntaxNode* node = ctx_.NewNode(NK_KEYWORD, TK_RETURN, line);
  node->name = "return";
  if (Accept(';')) return node;
  try {
    node->child[0] = Expression();
  } catch (const SyntaxError& e) {
    // A value was meant; the missing-return checks need not repeat the error.
    if (CScriptFunction* f = ctx_.current_function()) f->returned_value = true;
    if (!e.reported) ReportAt(Peek().line, MSG_EXPECT_EXPRESSION, "return");
    FailReported();
  }
  if (CScriptFunction* f = ctx_.current_function()) f->returned_value = true;
  if (!Accept(';')) {
    ReportAt(Peek().line, MSG_MISSING_IN_STATEMENT, ";", "return");
    FailReported();
  }
  return node;
}

}  // namespace tarnic
