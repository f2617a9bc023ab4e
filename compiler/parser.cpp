#include "parser.h"

#include <cstring>
#include <iterator>

#include "context.h"
#include "messages.h"
#include "types.h"

namespace tarnic {
namespace {

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

const Token& Parser::ScanAhead(size_t ahead) {
  while (ahead_.size() - head_ <= ahead) ahead_.push_back(scanner_.yylex());
  return ahead_[head_ + ahead];
}

const Token& Parser::Take() {
  Peek();
  previous_ = std::move(ahead_[head_]);
  if (++head_ == ahead_.size()) {
    ahead_.clear();
    head_ = 0;
  }
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
  if (too_deep_) FailReported();  // the body is cut short: no checks of its end
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

}  // namespace tarnic
