// The parser's expressions, by precedence level from the comma down to primaries.
#include <cstring>
#include <iterator>

#include "context.h"
#include "messages.h"
#include "parser.h"
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

// The level of each binary operator's token code.
const TokenCodeTable kLevelOf = [] {
  TokenCodeTable table;
  for (int level = 0; level < static_cast<int>(std::size(kLevels)); ++level)
    for (const int* op = kLevels[level]; *op; ++op) table.Set(*op, level);
  return table;
}();

bool IsAssignmentOperator(int code) { return code == '=' || (code >= TK_MUL_ASSIGN && code <= TK_OR_ASSIGN); }

}  // namespace

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
    int line = Take().line;
    left = MakeBinary(',', left, Assignment(), line);
  }
  expression_start_ = saved;
  return left;
}

CSyntaxNode* Parser::Assignment() {
  DepthGuard guard(*this);
  CSyntaxNode* left = Conditional();
  if (!IsAssignmentOperator(Peek().code)) return left;
  const Token& op = Take();
  int code = op.code, line = op.line;  // the next Take replaces op
  CSyntaxNode* right = Assignment();
  return MakeBinary(code, left, right, line);
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

// The operators of `min_level` and above, left to right; an operator binds the
// operators of higher levels on its right first (precedence climbing, the same
// tree as one rule per level).
CSyntaxNode* Parser::Binary(int min_level) {
  CSyntaxNode* left = Cast();
  for (;;) {
    int level = kLevelOf[Peek().code];
    if (level < min_level) return left;
    const Token& op = Take();
    int code = op.code, line = op.line;  // the next Take replaces op
    CSyntaxNode* right = Binary(level + 1);
    left = MakeBinary(code, left, right, line);
  }
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
  DepthGuard guard(*this);
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
