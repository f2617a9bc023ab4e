// Code of expressions: each leaves one operand on the generator's operand stack.
#include <iterator>

#include "codegen.h"
#include "context.h"
#include "messages.h"
#include "tokens.h"
#include "types.h"

namespace tarnic {
namespace {

struct SubCode {
  int token;
  int code;
};

const SubCode kBinaryTokens[] = {
    {'*', 0},    {'/', 1},  {'%', 2},  {'+', 3},   {'-', 4},     {TK_SHL, 5},
    {TK_SHR, 6}, {'>', 7},  {'<', 8},  {TK_LE, 9}, {TK_GE, 10},  {TK_EQ, 11},
    {TK_NE, 12}, {'&', 13}, {'^', 14}, {'|', 15},  {TK_AND, 16}, {TK_OR, 17},
};

const SubCode kAssignTokens[] = {
    {'=', 0},           {TK_MUL_ASSIGN, 1}, {TK_DIV_ASSIGN, 2},  {TK_MOD_ASSIGN, 3},
    {TK_ADD_ASSIGN, 4}, {TK_SUB_ASSIGN, 5}, {TK_SHL_ASSIGN, 6},  {TK_SHR_ASSIGN, 7},
    {TK_AND_ASSIGN, 8}, {TK_OR_ASSIGN, 9},  {TK_XOR_ASSIGN, 10},
};

template <size_t N>
TokenCodeTable SubCodesOf(const SubCode (&rows)[N]) {
  TokenCodeTable table;
  for (const SubCode& s : rows) table.Set(s.token, s.code);
  return table;
}

// The sub-code of each operator's token code, -1 for other tokens.
const TokenCodeTable kBinarySubCode = SubCodesOf(kBinaryTokens);
const TokenCodeTable kAssignSubCode = SubCodesOf(kAssignTokens);

int TypeOf(const COperand& o) { return TypeOfByte(o.type, o.dereferenced); }
uint32_t Low(uint64_t v) { return static_cast<uint32_t>(v); }
uint32_t High(uint64_t v) { return static_cast<uint32_t>(v >> 32); }

}  // namespace

void CCodeGenerator::Discard(const COperand& o) {
  if (o.kind == OK_REGISTER) registers_.Free(o.reg);
}

// Evaluates n and takes the one operand it leaves; false when it left none.
bool CCodeGenerator::Evaluate(CSyntaxNode* n, COperand& out) {
  size_t depth = stack_.size();
  if (n) EmitExpression(n);
  if (stack_.size() != depth + 1) {
    stack_.resize(depth);
    return false;
  }
  out = stack_.back();
  stack_.pop_back();
  return true;
}

bool CCodeGenerator::ToRegister(COperand& o) {
  if (o.kind == OK_REGISTER) return true;
  int r = AllocateRegister();
  if (!r) return false;
  if (o.kind == OK_CONSTANT) {
    Emit(OP_LDK, r, 0, Low(o.value), High(o.value), o.type);
    o.refers = false;
  } else {
    Emit(OP_LDM, r, 0, o.memory);
    o.refers = true;  // the register refers to the variable, so stores reach it
  }
  o.kind = OK_REGISTER;
  o.reg = r;
  return true;
}

void CCodeGenerator::ConvertOperand(int type, COperand& o) {
  if (!ToRegister(o)) return;
  uint8_t t = GetFileTypeByte(type);
  Emit(OP_CAST, o.reg, 0, 0, 0, t);
  o.type = static_cast<uint8_t>(t | (o.type & TB_STORAGE));
  o.dereferenced = false;
  o.refers = false;
}

// A value passed to a parameter or returned from a function takes the declared
// type, where the conversion rule allows it (a refused one has been reported,
// or is left as it is).
void CCodeGenerator::ConvertWhereAllowed(int type, COperand& o) {
  int from = TypeOf(o);
  if (from != type && CheckConversion(from, type) != CONV_REFUSED) ConvertOperand(type, o);
}

// Conversion messages name the converted value's type first in both languages.
void CCodeGenerator::ReportConversion(int from, int to) {
  int c = CheckConversion(from, to);
  if (c == CONV_OK) return;
  std::string a = TypeName(from), b = TypeName(to);
  reporter_.Report(c == CONV_LOSS ? MSG_POSSIBLE_LOSS : MSG_CANNOT_CONVERT, a.c_str(), b.c_str(), true);
}

COperand CCodeGenerator::SymbolOperand(const CSymbolEntry* entry, bool local) const {
  COperand o;
  o.kind = OK_MEMORY;
  o.memory = (static_cast<uint32_t>(entry->cell) & kMemoryCellMask) | (local ? kMemoryLocal : kMemoryGlobal);
  o.type = static_cast<uint8_t>(GetFileTypeByte(entry->type) | (local ? TB_LOCAL : TB_GLOBAL));
  return o;
}

void CCodeGenerator::EmitExpression(CSyntaxNode* n) {
  NestingGuard nesting(*this);
  if (nesting.too_deep()) return;
  reporter_.set_line(n->line);
  switch (n->kind) {
    case NK_CONSTANT: EmitConstant(n); return;
    case NK_STRING: EmitStringConstant(n); return;
    case NK_IDENTIFIER: EmitIdentifier(n); return;
    case NK_OPERATOR: break;
    default: return;
  }
  int op = n->op;
  if (kBinarySubCode[op] >= 0 && n->child[1]) {
    EmitBinary(n);
  } else if (kAssignSubCode[op] >= 0) {
    EmitAssignment(n);
  } else {
    switch (op) {
      case '~':
      case '!':
      case UOP_NEGATE: EmitUnary(n); break;
      case UOP_CAST: EmitCast(n); break;
      case UOP_PRE_INC:
      case UOP_PRE_DEC:
      case UOP_POST_INC:
      case UOP_POST_DEC: EmitIncrement(n); break;
      case UOP_ADDRESS: EmitAddressOf(n); break;
      case UOP_DEREF: EmitDereference(n); break;
      case UOP_CALL: EmitCall(n); break;
      case '?': EmitConditional(n); break;
      case ',': EmitComma(n); break;
      default: break;
    }
  }
}

void CCodeGenerator::EmitConstant(CSyntaxNode* n) {
  COperand o;
  o.kind = OK_CONSTANT;
  o.type = GetFileTypeByte(n->value.type);
  o.value = n->value.bits;
  Push(o);
}

// A string constant is its global CHAR array cell.
void CCodeGenerator::EmitStringConstant(CSyntaxNode* n) {
  if (CSymbolEntry* s = ctx_.globals().Find(n->name)) Push(SymbolOperand(s, false));
}

void CCodeGenerator::EmitIdentifier(CSyntaxNode* n) {
  const CSymbolEntry* entry = nullptr;
  bool local = false;
  if (function_) {
    entry = function_->table.Find(n->name);
    local = entry != nullptr;
  }
  if (!entry) {
    entry = ctx_.globals().Find(n->name);
    if (entry && entry->is_string) entry = nullptr;
  }
  if (!entry || !entry->visible) {
    reporter_.Report(MSG_UNDECLARED, n->name);
    return;
  }
  Push(SymbolOperand(entry, local));
}

void CCodeGenerator::EmitBinary(CSyntaxNode* n) {
  COperand x, y;
  bool has_x = Evaluate(n->child[0], x);
  bool has_y = Evaluate(n->child[1], y);
  reporter_.set_line(n->line);
  if (!has_x || !has_y) return;
  if (!OperatorAllowed(n->op, ClassOf(TypeOf(x))) || !OperatorAllowed(n->op, ClassOf(TypeOf(y)))) {
    reporter_.Report(MSG_INVALID_OPERATOR, OperatorText(n->op));
    return;
  }
  ReportConversion(TypeOf(y), TypeOf(x));
  if (!ToRegister(x)) return;
  if ((n->op == '/' || n->op == '%') && y.kind == OK_CONSTANT && y.value == 0)
    reporter_.Report(MSG_DIVIDE_BY_ZERO);
  int sub = kBinarySubCode[n->op];
  if (y.kind == OK_CONSTANT) {
    Emit(OP_BIN_RK + sub, x.reg, 0, Low(y.value), High(y.value), y.type);
  } else if (y.kind == OK_REGISTER) {
    Emit(OP_BIN_RR + sub, x.reg, y.reg);
    registers_.Free(y.reg);
  } else {
    Emit(OP_BIN_RM + sub, x.reg, 0, y.memory);
  }
  x.refers = false;
  Push(x);
}

// x op= y with both evaluated; x must be something a store can reach.
bool CCodeGenerator::StoreInto(COperand& x, COperand& y, int op, bool check_conversion) {
  bool whole_array = !x.dereferenced && IsArray(TypeOf(x));
  if (x.kind == OK_CONSTANT || whole_array || (x.kind == OK_REGISTER && !x.refers)) {
    reporter_.Report(MSG_NEEDS_LVALUE, OperatorText(op));
    return false;
  }
  if (!OperatorAllowed(op, ClassOf(TypeOf(x))) || !OperatorAllowed(op, ClassOf(TypeOf(y)))) {
    reporter_.Report(MSG_INVALID_OPERATOR, OperatorText(op));
    return false;
  }
  if (check_conversion) ReportConversion(TypeOf(y), TypeOf(x));
  if (!ToRegister(x)) return false;
  int sub = kAssignSubCode[op];
  if (y.kind == OK_CONSTANT) {
    Emit(OP_ASG_RK + sub, x.reg, 0, Low(y.value), High(y.value), y.type);
  } else if (y.kind == OK_REGISTER) {
    Emit(OP_ASG_RR + sub, x.reg, y.reg);
    registers_.Free(y.reg);
  } else {
    Emit(OP_ASG_RM + sub, x.reg, 0, y.memory);
  }
  return true;
}

void CCodeGenerator::EmitAssignment(CSyntaxNode* n) {
  COperand x, y;
  bool has_y = Evaluate(n->child[1], y);
  bool has_x = Evaluate(n->child[0], x);
  reporter_.set_line(n->line);
  if (!has_x || !has_y) return;
  if (StoreInto(x, y, n->op, true)) Push(x);
}

void CCodeGenerator::EmitUnary(CSyntaxNode* n) {
  COperand o;
  if (!Evaluate(n->child[0], o)) return;
  reporter_.set_line(n->line);
  if (!ToRegister(o)) return;
  if (!OperatorAllowed(n->op, ClassOf(TypeOf(o)))) {
    reporter_.Report(MSG_INVALID_OPERATOR, OperatorText(n->op));
    Discard(o);
    return;
  }
  uint8_t op = n->op == '~' ? OP_BNOT : n->op == '!' ? OP_LNOT : OP_NEG;
  Emit(op, o.reg);
  o.refers = false;
  Push(o);
}

void CCodeGenerator::EmitCast(CSyntaxNode* n) {
  COperand o;
  if (!Evaluate(n->child[1], o)) return;
  reporter_.set_line(n->line);
  int target = n->child[0]->type_code;
  if (ClassOf(target) == TC_VOID || ClassOf(target) == TC_ARRAY) {
    std::string a = TypeName(TypeOf(o)), b = TypeName(target);
    reporter_.Report(MSG_CANNOT_CONVERT, a.c_str(), b.c_str(), true);
    Discard(o);
    return;
  }
  ConvertOperand(target, o);
  if (o.kind == OK_REGISTER) Push(o);
}

void CCodeGenerator::EmitIncrement(CSyntaxNode* n) {
  COperand o;
  if (!Evaluate(n->child[0], o)) return;
  reporter_.set_line(n->line);
  if (o.kind == OK_CONSTANT) {
    reporter_.Report(MSG_NEEDS_LVALUE, OperatorText(n->op));
    return;
  }
  if (ClassOf(TypeOf(o)) == TC_ARRAY) {
    reporter_.Report(MSG_INVALID_OPERATOR, OperatorText(n->op));
    Discard(o);
    return;
  }
  bool prefix = n->op == UOP_PRE_INC || n->op == UOP_PRE_DEC;
  uint8_t step = (n->op == UOP_PRE_INC || n->op == UOP_POST_INC) ? OP_INC : OP_DEC;
  int t = AllocateRegister();
  if (!t) return;
  int target = o.reg;
  if (o.kind == OK_MEMORY) {
    target = AllocateRegister();
    if (!target) return;
    Emit(OP_LDM, target, 0, o.memory);
  }
  if (prefix) {
    Emit(step, target);
    Emit(OP_LDV, t, target);
  } else {
    Emit(OP_LDV, t, target);
    Emit(step, target);
  }
  registers_.Free(target);
  o.kind = OK_REGISTER;
  o.reg = t;
  o.refers = false;
  Push(o);
}

void CCodeGenerator::EmitAddressOf(CSyntaxNode* n) {
  COperand v;
  if (!Evaluate(n->child[0], v)) return;
  reporter_.set_line(n->line);
  if (v.kind != OK_MEMORY || (v.type & TB_KIND) != 0) {
    reporter_.Report(MSG_INVALID_OPERATOR, "&");
    Discard(v);
    return;
  }
  int r = AllocateRegister();
  if (!r) return;
  Emit(OP_LEA, r, 0, v.memory);
  v.kind = OK_REGISTER;
  v.reg = r;
  v.type = static_cast<uint8_t>(v.type | TB_ARRAY);
  v.refers = false;
  Push(v);
}

void CCodeGenerator::EmitDereference(CSyntaxNode* n) {
  COperand o;
  if (!Evaluate(n->child[0], o)) return;
  reporter_.set_line(n->line);
  if (o.kind == OK_CONSTANT || (o.type & TB_KIND) == 0 || o.dereferenced) {
    reporter_.Report(MSG_INVALID_OPERATOR, "*");
    Discard(o);
    return;
  }
  if (!ToRegister(o)) return;
  Emit(OP_TOPTR, o.reg);
  o.dereferenced = true;
  o.refers = true;
  Push(o);
}

void CCodeGenerator::EmitConditional(CSyntaxNode* n) {
  COperand c, a, b;
  if (!Evaluate(n->child[0], c) || !ToRegister(c)) return;
  int jz = Emit(OP_JZ, c.reg);
  registers_.Free(c.reg);
  int result = AllocateRegister();
  if (!result) return;
  if (!Evaluate(n->child[1], a)) return;
  if (a.kind == OK_CONSTANT) {
    Emit(OP_LDK, result, 0, Low(a.value), High(a.value), a.type);
  } else if (a.kind == OK_REGISTER) {
    Emit(OP_LDV, result, a.reg);
    registers_.Free(a.reg);
  } else {
    Emit(OP_LDMC, result, 0, a.memory);
  }
  int jmp = Emit(OP_JMP);
  PatchTarget(jz, Count());
  if (!Evaluate(n->child[2], b)) return;
  ConvertOperand(TypeOf(a), b);
  if (b.kind != OK_REGISTER) return;
  Emit(OP_LDV, result, b.reg);
  registers_.Free(b.reg);
  PatchTarget(jmp, Count());
  a.kind = OK_REGISTER;
  a.reg = result;
  a.refers = false;
  Push(a);
}

void CCodeGenerator::EmitCall(CSyntaxNode* n) {
  constexpr int kMaxArguments = 16;
  int count = 0;
  for (CSyntaxNode* arg = n->child[1]; arg; arg = arg->next) ++count;
  const CFunctionObject* f = ctx_.FindSystem(n->name);
  if (!f) f = ctx_.FindScript(n->name);
  if (!f) {
    reporter_.Report(MSG_UNDECLARED, n->name);
    return;
  }
  int declared = static_cast<int>(f->params.size());
  bool variadic = f->TakesVariableArguments();
  bool count_ok = variadic ? count >= declared - 1 : count == declared;
  if (!count_ok || count > kMaxArguments) {
    reporter_.ReportNumber(MSG_WRONG_ARG_COUNT, n->name.c_str(), count, true);
    return;
  }
  size_t base = stack_.size();
  CSyntaxNode* node = n->child[1];
  for (int i = 0; i < count; ++i, node = node->next) {
    COperand arg;
    if (!Evaluate(node, arg)) {
      stack_.resize(base);
      return;
    }
    reporter_.set_line(n->line);
    if (i < declared && f->params[i] != T_ELLIPSIS) {
      ReportConversion(TypeOf(arg), f->params[i]);
      ConvertWhereAllowed(f->params[i], arg);
    }
    Push(arg);
  }
  reporter_.set_line(n->line);
  // Pushed from the last to the first, so the callee finds the first in place 0.
  for (int i = count - 1; i >= 0; --i) {
    const COperand& arg = stack_[base + i];
    if (arg.kind == OK_REGISTER)
      Emit(OP_PUSHR, arg.reg);
    else if (arg.kind == OK_MEMORY)
      Emit(OP_PUSHM, 0, 0, arg.memory);
    else
      Emit(OP_PUSHK, 0, 0, Low(arg.value), High(arg.value), arg.type);
  }
  stack_.resize(base);
  if (f->kind() == FK_SYSTEM) {
    if (variadic) Emit(OP_PUSHK, 0, 0, static_cast<uint32_t>(count + 1), 0, GetFileTypeByte(T_INT));
    Emit(OP_CALLSYS, 0, 0, f->id);
  } else {
    if (n->name == "main") reporter_.Report(MSG_CALLS_MAIN);
    Emit(OP_CALL, 0, 0, f->id);
  }
  int t = AllocateRegister();
  if (!t) return;
  Emit(OP_MOV, t, 0);
  COperand result;
  result.kind = OK_REGISTER;
  result.reg = t;
  result.type = GetFileTypeByte(f->result);
  Push(result);
}

void CCodeGenerator::EmitComma(CSyntaxNode* n) {
  COperand left;
  if (Evaluate(n->child[0], left)) Discard(left);
  EmitExpression(n->child[1]);
}

}  // namespace tarnic
