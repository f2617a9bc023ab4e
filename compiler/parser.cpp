#include "parser.h"

#include <cstring>
#include <iterator>

#include "context.h"
#include "messages.h"
#include "types.h"

namespace tarnic {
namespace {

// Binary operators by precedence level, lowest first. "<<" and ">>" share the
// level of the relational operators.
const int kLevels[][7] = {
    {TK_OR, 0},
    {TK_AND, 0},
    {'|', 0},
    {'^', 0},
    {'&', 0},
    {TK_EQ, TK_NE, 0},
    {'<', '>', TK_LE, TK_GE, TK_SHL, TK_SHR, 0},
    {'+', '-', 0},
    {'*', '/', '%', 0},
};
constexpr int kLevelCount = static_cast<int>(std::size(kLevels));

bool InLevel(int level, int code) {
  for (const int* op = kLevels[level]; *op; ++op)
    if (*op == code) return true;
  return false;
}

bool IsAssignmentOperator(int code) {
  return code == '=' || (code >= TK_MUL_ASSIGN && code <= TK_OR_ASSIGN);
}

bool IsArraySize(int code) { return code == TK_INTEGER || code == TK_HEX; }

}  // namespace

bool ParseScript(const std::string& text, CCompilerContext& context) {
  int before = context.reporter().errors();
  Parser parser(text, context);
  parser.yyparse();
  return context.reporter().errors() == before;
}

Parser::Parser(const std::string& text, CCompilerContext& context)
    : scanner_(text, context.reporter()), ctx_(context) {}

const Token& Parser::Peek(size_t ahead) {
  while (ahead_.size() <= ahead) ahead_.push_back(scanner_.yylex());
  return ahead_[ahead];
}

Token Parser::Take() {
  Peek();
  previous_ = ahead_.front();
  ahead_.pop_front();
  ++taken_;
  return previous_;
}

bool Parser::Accept(int code) {
  if (!At(code)) return false;
  Take();
  return true;
}

void Parser::Expect(int code) {
  if (!Accept(code)) Fail(MSG_MISSING_TOKEN, TokenSpelling(code));
}

void Parser::Fail(int code, const std::string& arg) { throw SyntaxError{false, code, arg}; }
void Parser::FailReported() { throw SyntaxError{true, 0, std::string()}; }

void Parser::ReportAt(int line, int code, const char* a, const char* b) {
  ctx_.reporter().set_line(line);
  ctx_.reporter().Report(code, a, b);
}

Parser::DepthGuard::DepthGuard(Parser& p) : parser_(p) {
  if (++parser_.depth_ > kMaxDepth) {
    --parser_.depth_;
    if (!parser_.too_deep_) {
      parser_.too_deep_ = true;
      parser_.ctx_.reporter().Report(MSG_OUT_OF_STACK);
    }
    parser_.FailReported();
  }
}

// ---- recovery -------------------------------------------------------------

void Parser::SkipTopLevel() {
  int depth = 0;
  while (!At(TK_END)) {
    int code = Take().code;
    if (code == '{') ++depth;
    if (code == '}' && depth > 0 && --depth == 0) return;
    if (code == ';' && depth == 0) return;
  }
}

void Parser::SkipStatement() {
  int depth = 0;
  while (!At(TK_END)) {
    int code = Peek().code;
    if (code == '}' && depth == 0) return;
    Take();
    if (code == '{') ++depth;
    if (code == '}' && --depth == 0) return;
    if (code == ';' && depth == 0) return;
  }
}

// ---- declarations ---------------------------------------------------------

void Parser::yyparse() {
  while (!At(TK_END) && !too_deep_) {
    try {
      ExternalDeclaration();
    } catch (const SyntaxError& e) {
      // Outside a body an error that no rule covers is "Expecting a declaration".
      if (!e.reported) ReportAt(Peek().line, MSG_EXPECT_DECLARATION);
      ctx_.AbandonFunction();
      loop_depth_ = 0;
      SkipTopLevel();
    }
  }
  ctx_.reporter().set_line(Peek().line);
}

void Parser::ExternalDeclaration() {
  if (At(TK_IDENTIFIER) && Peek(1).code == '(') {
    FunctionDefinition(nullptr, 0);
    return;
  }
  if (!IsTypeWord(Peek().code)) Fail(MSG_EXPECT_DECLARATION, std::string());
  CSyntaxNode* type = ParseType();
  size_t stars = 0;
  while (Peek(stars).code == '*') ++stars;
  if (Peek(stars).code == TK_IDENTIFIER && Peek(stars + 1).code == '(') {
    int mark = ParsePointer() ? '*' : 0;
    FunctionDefinition(type, mark);
    return;
  }
  std::vector<CSyntaxNode*> declarators = DeclaratorList();
  Expect(';');
  ctx_.DeclareGlobals(type, declarators);
}

CSyntaxNode* Parser::ParseType() {
  CSyntaxNode* type = ctx_.NewNode(NK_TYPE, 0, Peek().line);
  while (IsTypeWord(Peek().code)) {
    Token word = Take();
    type->words.push_back(word.code);
    if (!type->name.empty()) type->name += ' ';
    type->name += word.text;
  }
  return type;
}

// Returns the number of "*"; each one after the first reports 2008.
int Parser::ParsePointer() {
  int stars = 0;
  while (At('*')) {
    Token star = Take();
    if (++stars > 1) ReportAt(star.line, MSG_TOO_MANY_POINTERS);
  }
  return stars;
}

std::vector<CSyntaxNode*> Parser::DeclaratorList() {
  std::vector<CSyntaxNode*> list;
  list.push_back(Declarator());
  while (Accept(',')) list.push_back(Declarator());
  return list;
}

CSyntaxNode* Parser::Declarator() {
  int stars = ParsePointer();
  if (!At(TK_IDENTIFIER)) Fail(MSG_EXPECT_DECLARATION, std::string());
  Token name = Take();
  CSyntaxNode* d = ctx_.NewNode(NK_IDENTIFIER, TK_IDENTIFIER, name.line);
  d->name = name.text;
  d->mark = stars ? '*' : 0;
  if (Accept('=')) {
    d->child[2] = Initializer();
    return d;
  }
  while (At('[')) {
    Token open = Take();
    if (d->mark != 0 && !d->bad) {
      ReportAt(open.line, MSG_INVALID_TYPE);  // arrays of pointers, several dimensions
      d->bad = true;
    }
    d->mark = '[';
    if (At(']')) {
      Take();
      d->array_size = 0;
      if (!At('=')) {
        ReportAt(open.line, MSG_INVALID_INITIALIZE);
        d->bad = true;
      }
    } else if (IsArraySize(Peek().code)) {
      Token size = Take();
      d->array_size = size.code == TK_HEX ? static_cast<int>(size.hex_value) : size.int_value;
      if (!Accept(']')) {
        ReportAt(Peek().line, MSG_MISSING_TOKEN, "]");
        d->bad = true;
        while (!At(TK_END) && !At(']') && !At(';') && !At(',') && !At('=')) Take();
        Accept(']');
      }
    } else {
      ReportAt(Peek().line, MSG_MISSING_TOKEN, "]");
      d->bad = true;
      while (!At(TK_END) && !At(']') && !At(';') && !At(',') && !At('=')) Take();
      Accept(']');
    }
  }
  if (Accept('=')) d->child[2] = Initializer();
  return d;
}

CSyntaxNode* Parser::Initializer() {
  if (!At('{')) return Assignment();
  Token open = Take();
  CSyntaxNode* list = ctx_.NewNode(NK_OPERATOR, ST_BRACE_LIST, open.line);
  CSyntaxNode** tail = &list->child[0];
  *tail = Assignment();
  tail = &(*tail)->next;
  while (Accept(',')) {
    if (At('}')) break;
    *tail = Assignment();
    tail = &(*tail)->next;
  }
  Expect('}');
  return list;
}

void Parser::FunctionDefinition(CSyntaxNode* type, int mark) {
  Token name = Take();
  CSyntaxNode* def = ctx_.NewNode(NK_FUNCTION, 0, name.line);
  def->name = name.text;
  if (!type) type = ctx_.NewNode(NK_TYPE, 0, name.line);
  def->child[0] = type;
  ctx_.BeginFunction(name.text, type, mark, name.line);
  Expect('(');
  std::vector<CSyntaxNode*> params = ParameterList();
  Expect(')');
  ctx_.DeclareSignature(params);
  CSyntaxNode** tail = &def->child[1];
  for (CSyntaxNode* p : params) {
    *tail = p;
    tail = &p->next;
  }
  if (!At('{')) Fail(MSG_EXPECT_DECLARATION, std::string());  // prototypes are not allowed
  def->body = CompoundStatement();
  ctx_.EndFunction(def, previous_.line);
}

std::vector<CSyntaxNode*> Parser::ParameterList() {
  std::vector<CSyntaxNode*> params;
  if (At(')')) return params;
  if (At(TK_VOID) && Peek(1).code == ')') {
    Take();
    return params;
  }
  params.push_back(Parameter());
  while (Accept(',')) {
    if (!IsTypeWord(Peek().code)) {
      ReportAt(Peek().line, MSG_MISSING_TOKEN, ")");
      while (!At(TK_END) && !At(')') && !At('{') && !At(';')) Take();
      break;
    }
    params.push_back(Parameter());
  }
  return params;
}

CSyntaxNode* Parser::Parameter() {
  CSyntaxNode* type = ParseType();
  int stars = ParsePointer();
  if (!At(TK_IDENTIFIER)) Fail(MSG_EXPECT_DECLARATION, std::string());
  Token name = Take();
  CSyntaxNode* p = ctx_.NewNode(NK_IDENTIFIER, TK_IDENTIFIER, name.line);
  p->name = name.text;
  p->child[1] = type;
  p->mark = stars ? '*' : 0;
  if (!stars && Accept('[')) {
    p->mark = '[';
    if (IsArraySize(Peek().code)) Take();
    if (!Accept(']')) {
      ReportAt(Peek().line, MSG_MISSING_TOKEN, "]");
      while (!At(TK_END) && !At(']') && !At(')') && !At(',') && !At(';')) Take();
      Accept(']');
    }
  }
  return p;
}

// ---- statements -----------------------------------------------------------

CSyntaxNode* Parser::CompoundStatement() {
  Token open = Take();  // "{"
  CSyntaxNode* block = ctx_.NewNode(NK_KEYWORD, ST_BLOCK, open.line);
  std::vector<CSyntaxNode*> list;
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
  CSyntaxNode** tail = &block->child[0];
  for (CSyntaxNode* s : list) {
    *tail = s;
    tail = &s->next;
  }
  return block;
}

void Parser::StatementInto(std::vector<CSyntaxNode*>& list) {
  DepthGuard guard(*this);
  int code = Peek().code;
  if (IsTypeWord(code)) {
    CSyntaxNode* type = ParseType();
    std::vector<CSyntaxNode*> declarators = DeclaratorList();
    Expect(';');
    for (CSyntaxNode* d : ctx_.DeclareLocals(type, declarators)) list.push_back(d);
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
  list.push_back(statement);
}

// The body of "if", "else", "while", "do" and "for": one statement; declarations
// there are wrapped in a block of their own.
CSyntaxNode* Parser::SubStatement() {
  std::vector<CSyntaxNode*> list;
  int line = Peek().line;
  StatementInto(list);
  if (list.size() == 1 && list[0]->kind != NK_IDENTIFIER) return list[0];
  CSyntaxNode* block = ctx_.NewNode(NK_KEYWORD, ST_BLOCK, line);
  CSyntaxNode** tail = &block->child[0];
  for (CSyntaxNode* s : list) {
    *tail = s;
    tail = &s->next;
  }
  return block;
}

CSyntaxNode* Parser::ExpressionStatementPart() {
  CSyntaxNode* statement = ctx_.NewNode(NK_KEYWORD, ST_EXPRESSION, Peek().line);
  if (Accept(';')) return statement;
  statement->child[0] = Expression();
  Expect(';');
  return statement;
}

CSyntaxNode* Parser::IfStatement() {
  Token keyword = Take();
  CSyntaxNode* node = ctx_.NewNode(NK_KEYWORD, TK_IF, keyword.line);
  node->name = "if";
  if (!At('(')) {
    ReportAt(Peek().line, MSG_EXPECT_EXPRESSION, "if");
    FailReported();
  }
  try {
    Take();
    node->child[0] = Expression();
    Expect(')');
  } catch (const SyntaxError& e) {
    if (!e.reported) ReportAt(Peek().line, MSG_MISSING_IN_STATEMENT, ")", "if");
    FailReported();
  }
  node->child[1] = SubStatement();
  if (Accept(TK_ELSE)) node->child[2] = SubStatement();
  return node;
}

CSyntaxNode* Parser::WhileStatement() {
  Token keyword = Take();
  CSyntaxNode* node = ctx_.NewNode(NK_KEYWORD, TK_WHILE, keyword.line);
  node->name = "while";
  if (!At('(')) {
    ReportAt(Peek().line, MSG_MISSING_IN_STATEMENT, "(", "while");
    FailReported();
  }
  try {
    Take();
    node->child[0] = Expression();
    Expect(')');
  } catch (const SyntaxError& e) {
    if (!e.reported) ReportAt(Peek().line, MSG_MISSING_IN_STATEMENT, ")", "while");
    FailReported();
  }
  ++loop_depth_;
  try {
    node->child[1] = SubStatement();
  } catch (...) {
    --loop_depth_;
    throw;
  }
  --loop_depth_;
  return node;
}

CSyntaxNode* Parser::DoStatement() {
  Token keyword = Take();
  CSyntaxNode* node = ctx_.NewNode(NK_KEYWORD, TK_DO, keyword.line);
  node->name = "do";
  ++loop_depth_;
  try {
    node->child[0] = SubStatement();
  } catch (...) {
    --loop_depth_;
    throw;
  }
  --loop_depth_;
  Expect(TK_WHILE);
  Expect('(');
  node->child[1] = Expression();
  Expect(')');
  Expect(';');
  return node;
}

CSyntaxNode* Parser::ForStatement() {
  Token keyword = Take();
  CSyntaxNode* node = ctx_.NewNode(NK_KEYWORD, TK_FOR, keyword.line);
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
  ++loop_depth_;
  try {
    node->body = SubStatement();
  } catch (...) {
    --loop_depth_;
    throw;
  }
  --loop_depth_;
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
  Token keyword = Take();
  CSyntaxNode* node = ctx_.NewNode(NK_KEYWORD, TK_RETURN, keyword.line);
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

// ---- expressions ----------------------------------------------------------

CSyntaxNode* Parser::MakeBinary(int op, CSyntaxNode* left, CSyntaxNode* right, int line) {
  CSyntaxNode* n = ctx_.NewNode(NK_OPERATOR, op, line);
  n->child[0] = left;
  n->child[1] = right;
  n->name = OperatorText(op);
  return n;
}

CSyntaxNode* Parser::MakeUnary(int op, CSyntaxNode* operand, int line, const char* name) {
  CSyntaxNode* n = ctx_.NewNode(NK_OPERATOR, op, line);
  n->child[0] = operand;
  n->name = name;
  return n;
}

CSyntaxNode* Parser::Expression() {
  DepthGuard guard(*this);
  long saved = expression_start_;
  expression_start_ = taken_;
  CSyntaxNode* left = Assignment();
  while (At(',')) {
    Token comma = Take();
    left = MakeBinary(',', left, Assignment(), comma.line);
  }
  expression_start_ = saved;
  return left;
}

CSyntaxNode* Parser::Assignment() {
  DepthGuard guard(*this);
  CSyntaxNode* left = Conditional();
  if (!IsAssignmentOperator(Peek().code)) return left;
  Token op = Take();
  CSyntaxNode* right = Assignment();
  return MakeBinary(op.code, left, right, op.line);
}

CSyntaxNode* Parser::Conditional() {
  DepthGuard guard(*this);
  CSyntaxNode* condition = Binary(0);
  if (!At('?')) return condition;
  Token q = Take();
  CSyntaxNode* n = ctx_.NewNode(NK_OPERATOR, '?', q.line);
  n->name = "?";
  n->child[0] = condition;
  n->child[1] = Expression();
  Expect(':');
  n->child[2] = Conditional();
  return n;
}

CSyntaxNode* Parser::Binary(int level) {
  if (level == kLevelCount) return Cast();
  CSyntaxNode* left = Binary(level + 1);
  while (InLevel(level, Peek().code)) {
    Token op = Take();
    CSyntaxNode* right = Binary(level + 1);
    left = MakeBinary(op.code, left, right, op.line);
  }
  return left;
}

CSyntaxNode* Parser::Cast() {
  DepthGuard guard(*this);
  if (!(At('(') && IsTypeWord(Peek(1).code))) return Unary();
  Token open = Take();
  CSyntaxNode* type = ParseType();
  int stars = ParsePointer();
  Expect(')');
  int base = TypeFromWords(type->words);
  if (base < 0) {
    ReportAt(open.line, MSG_INVALID_TYPE);
    base = T_VOID;
  }
  type->type_code = (stars && base != T_VOID) ? base + T_POINTER_OFFSET : base;
  type->name = TypeName(type->type_code);
  CSyntaxNode* n = ctx_.NewNode(NK_OPERATOR, UOP_CAST, open.line);
  n->name = "cast";
  n->child[0] = type;
  n->child[1] = Cast();
  return n;
}

CSyntaxNode* Parser::Unary() {
  int line = Peek().line;
  switch (Peek().code) {
    case '&': Take(); return MakeUnary(UOP_ADDRESS, Cast(), line, "一元(&)");
    case '*': Take(); return MakeUnary(UOP_DEREF, Cast(), line, "一元(*)");
    case '+': Take(); return Cast();
    case '-': Take(); return MakeUnary(UOP_NEGATE, Cast(), line, "一元(-)");
    case '~': Take(); return MakeUnary('~', Cast(), line, "一元(~)");
    case '!': Take(); return MakeUnary('!', Cast(), line, "一元(!)");
    case TK_INC: Take(); return MakeUnary(UOP_PRE_INC, Unary(), line, "前缀++");
    case TK_DEC: Take(); return MakeUnary(UOP_PRE_DEC, Unary(), line, "前缀--");
    case TK_SIZEOF: return SizeOf();
    default: return Postfix();
  }
}

CSyntaxNode* Parser::SizeOf() {
  Token keyword = Take();
  Expect('(');
  int size = 0;
  if (IsTypeWord(Peek().code)) {
    CSyntaxNode* type = ParseType();
    int stars = ParsePointer();
    int base = TypeFromWords(type->words);
    if (base < 0) {
      ReportAt(keyword.line, MSG_INVALID_TYPE);
      base = T_VOID;
    }
    size = stars ? 4 : GetTypeSize(base);
  } else if (At(TK_IDENTIFIER)) {
    Token name = Take();
    size = ctx_.SizeOfName(name.text, name.line);
  } else {
    Fail(MSG_EXPECT_EXPRESSION, "sizeof");
  }
  Expect(')');
  CSyntaxNode* n = ctx_.NewNode(NK_CONSTANT, TK_INTEGER, keyword.line);
  n->name = "szieof";
  n->value.type = T_INT;
  n->value.bits = static_cast<uint64_t>(static_cast<int64_t>(size));
  return n;
}

CSyntaxNode* Parser::Postfix() {
  CSyntaxNode* n = Primary();
  for (;;) {
    int line = Peek().line;
    if (Accept('[')) {
      CSyntaxNode* index = Expression();
      Expect(']');
      CSyntaxNode* sum = MakeBinary('+', n, index, line);
      n = MakeUnary(UOP_DEREF, sum, line, "[index]");
    } else if (Accept(TK_INC)) {
      n = MakeUnary(UOP_POST_INC, n, line, "后缀++");
    } else if (Accept(TK_DEC)) {
      n = MakeUnary(UOP_POST_DEC, n, line, "后缀--");
    } else if (Accept('(')) {
      CSyntaxNode* args = ArgumentList();
      Expect(')');
      if (n->kind != NK_IDENTIFIER) {
        ReportAt(line, MSG_EXPECT_FUNCTION_CALL);
        continue;
      }
      CSyntaxNode* call = ctx_.NewNode(NK_OPERATOR, UOP_CALL, n->line);
      call->name = n->name;
      call->child[0] = n;
      call->child[1] = args;
      n = call;
    } else {
      return n;
    }
  }
}

CSyntaxNode* Parser::ArgumentList() {
  if (At(')')) return nullptr;
  CSyntaxNode* first = Assignment();
  CSyntaxNode** tail = &first->next;
  while (Accept(',')) {
    try {
      CSyntaxNode* arg = Assignment();
      *tail = arg;
      tail = &arg->next;
    } catch (const SyntaxError& e) {
      if (e.reported) throw;
      ReportAt(Peek().line, MSG_MISSING_TOKEN, ")");
      int depth = 0;
      while (!At(TK_END) && !At(';') && !(depth == 0 && At(')'))) {
        int code = Take().code;
        if (code == '(') ++depth;
        if (code == ')') --depth;
      }
      break;
    }
  }
  return first;
}

CSyntaxNode* Parser::Primary() {
  const Token& t = Peek();
  CSyntaxNode* n = nullptr;
  switch (t.code) {
    case TK_INTEGER:
    case TK_TRUE:
    case TK_FALSE:
    case TK_NULL:
      n = ctx_.NewNode(NK_CONSTANT, t.code, t.line);
      n->value.type = T_INT;
      n->value.bits = static_cast<uint64_t>(static_cast<int64_t>(t.int_value));
      break;
    case TK_HEX:
      n = ctx_.NewNode(NK_CONSTANT, t.code, t.line);
      n->value.type = T_DWORD;
      n->value.bits = t.hex_value;
      break;
    case TK_REAL: {
      n = ctx_.NewNode(NK_CONSTANT, t.code, t.line);
      n->value.type = T_DOUBLE;
      std::memcpy(&n->value.bits, &t.real_value, sizeof(double));
      break;
    }
    case TK_STRING: {
      n = ctx_.NewNode(NK_STRING, t.code, t.line);
      n->value.type = T_CHAR_ARRAY;
      n->value.text = t.text;
      n->name = ctx_.AddString(t.text)->name;
      break;
    }
    case TK_IDENTIFIER:
      n = ctx_.NewNode(NK_IDENTIFIER, t.code, t.line);
      n->name = t.text;
      break;
    case '(': {
      Take();
      CSyntaxNode* inner = Expression();
      Expect(')');
      return inner;
    }
    default: {
      // Name the operator that lacks its operand, or the token that starts nothing.
      std::string what = taken_ > expression_start_ ? previous_.text : t.text;
      if (what.empty()) what = TokenSpelling(t.code);
      Fail(MSG_EXPECT_EXPRESSION, what);
    }
  }
  n->name = n->name.empty() ? t.text : n->name;
  Take();
  return n;
}

}  // namespace tarnic
