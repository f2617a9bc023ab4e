#include "types.h"

#include <iterator>

#include "syntax_tree.h"
#include "tokens.h"

namespace tarnic {
namespace {

const char* const kScalarNames[] = {"void", "char",          "unsigned char", "short", "unsigned short",
                                    "long", "unsigned long", "int64",         "float", "double"};
const char* const kDeclaredScalarNames[] = {"void", "char",          "BYTE",  "short", "unsigned short",
                                            "int",  "unsigned long", "int64", "float", "double"};
const char* const kDeclaredElementNames[] = {"void",           "char",  "unsigned char", "short",
                                             "unsigned short", "int",   "unsigned long", "int64",
                                             "float",          "double"};

// Element codes of the type byte, by scalar type code (FLOAT and INT64 cross).
const uint8_t kElementCode[] = {0, 0, 1, 2, 3, 4, 5, 7, 6, 8};
const int kTypeOfElement[] = {T_CHAR, T_BYTE, T_SHORT, T_WORD, T_INT, T_DWORD, T_FLOAT, T_INT64, T_DOUBLE};

struct TypeWords {
  int words[3];
  int count;
  int code;
};

const TypeWords kTypeWords[] = {
    {{TK_CHAR}, 1, T_CHAR},
    {{TK_UNSIGNED}, 1, T_DWORD},
    {{TK_SHORT}, 1, T_SHORT},
    {{TK_INT}, 1, T_INT},
    {{TK_INT64}, 1, T_INT64},
    {{TK_FLOAT}, 1, T_FLOAT},
    {{TK_DOUBLE}, 1, T_DOUBLE},
    {{TK_VOID}, 1, T_VOID},
    {{TK_UNSIGNED, TK_CHAR}, 2, T_BYTE},
    {{TK_UNSIGNED, TK_SHORT}, 2, T_WORD},
    {{TK_UNSIGNED, TK_INT}, 2, T_DWORD},
    {{TK_SHORT, TK_INT}, 2, T_SHORT},
    {{TK_UNSIGNED, TK_SHORT, TK_INT}, 3, T_WORD},
};

enum ClassMask { M_INT = 1, M_REAL = 2, M_ARRAY = 4, M_POINTER = 8 };
constexpr int kAll = M_INT | M_REAL | M_ARRAY | M_POINTER;
constexpr int kNumeric = M_INT | M_REAL;

struct OperatorRule {
  int op;
  int classes;
};

const OperatorRule kOperatorRules[] = {
    {',', kAll},
    {'=', kAll},
    {TK_ADD_ASSIGN, kAll},
    {TK_SUB_ASSIGN, kAll},
    {TK_EQ, kAll},
    {TK_NE, kAll},
    {'<', kAll},
    {'>', kAll},
    {TK_LE, kAll},
    {TK_GE, kAll},
    {'+', kAll},
    {'-', kAll},
    {'!', kAll},
    {TK_MUL_ASSIGN, kNumeric},
    {TK_DIV_ASSIGN, kNumeric},
    {TK_MOD_ASSIGN, kNumeric},
    {TK_OR, kNumeric},
    {TK_AND, kNumeric},
    {'*', kNumeric},
    {'/', kNumeric},
    {'%', kNumeric},
    {TK_SHL_ASSIGN, M_INT},
    {TK_SHR_ASSIGN, M_INT},
    {TK_AND_ASSIGN, M_INT},
    {TK_XOR_ASSIGN, M_INT},
    {TK_OR_ASSIGN, M_INT},
    {'|', M_INT},
    {'^', M_INT},
    {'&', M_INT},
    {TK_SHL, M_INT},
    {TK_SHR, M_INT},
    {'~', M_INT},
    {UOP_NEGATE, kNumeric},
    // Operators with rules of their own refuse every class here.
    {TK_INC, 0},
    {TK_DEC, 0},
    {'?', 0},
    {UOP_ADDRESS, 0},
    {UOP_DEREF, 0},
    {UOP_CAST, 0},
};
static_assert(std::size(kOperatorRules) == 39, "39 operators");

// The classes of each operator, found by token code (and the unary codes after
// the tokens) instead of a walk through the rules for every operand.
struct OperatorClasses {
  static constexpr int kTokens = TK_RETURN + 1;
  static constexpr int kUnary = UOP_CALL - UOP_CAST + 1;
  int classes[kTokens + kUnary] = {};  // 0 for an operator without a rule: refused
  static int Index(int op) {
    if (op >= 0 && op < kTokens) return op;
    if (op >= UOP_CAST && op <= UOP_CALL) return kTokens + (op - UOP_CAST);
    return -1;
  }
  OperatorClasses() {
    for (const OperatorRule& rule : kOperatorRules) classes[Index(rule.op)] = rule.classes;
  }
};

const OperatorClasses kOperatorClasses;

}  // namespace

int ClassOf(int code) {
  if (code == T_VOID) return TC_VOID;
  if (code <= T_INT64) return TC_INTEGER;
  if (code <= T_DOUBLE) return TC_REAL;
  if (code <= 18) return TC_ARRAY;
  return TC_POINTER;
}

int BaseOf(int code) {
  if (IsArray(code)) return code - T_ARRAY_OFFSET;
  if (code >= 19 && code <= 27) return code - T_POINTER_OFFSET;
  return code;
}

int GetTypeSize(int code) {
  int base = BaseOf(code);
  if (IsPointer(code)) return 4;
  if (base == T_CHAR || base == T_BYTE) return 1;
  if (base == T_SHORT || base == T_WORD) return 2;
  if (base == T_INT64 || base == T_DOUBLE) return 8;
  return 4;
}

int TypeFromWords(const std::vector<int>& words) {
  for (const TypeWords& row : kTypeWords) {
    if (static_cast<int>(words.size()) != row.count) continue;
    bool same = true;
    for (int i = 0; i < row.count; ++i) same = same && words[i] == row.words[i];
    if (same) return row.code;
  }
  return -1;
}

std::string TypeName(int code) {
  if (code == T_ELLIPSIS) return "...";
  std::string name = kScalarNames[BaseOf(code)];
  if (IsArray(code)) name += "[]";
  if (IsPointer(code)) name += " *";
  return name;
}

std::string DeclaredTypeName(int code) {
  if (IsArray(code)) return std::string(kDeclaredElementNames[BaseOf(code)]) + "[]";
  if (IsPointer(code)) return std::string(kDeclaredElementNames[BaseOf(code)]) + "*";
  return kDeclaredScalarNames[code];
}

uint8_t GetFileTypeByte(int code) {
  uint8_t element = kElementCode[BaseOf(code) <= T_DOUBLE ? BaseOf(code) : 0];
  if (IsArray(code)) return element | TB_ARRAY;
  if (code >= 19 && code <= 27) return element | TB_POINTER;
  return element;
}

int TypeOfByte(uint8_t byte, bool dereferenced) {
  int element = byte & TB_ELEMENT;
  int scalar = element < 9 ? kTypeOfElement[element] : T_VOID;
  if (dereferenced) return scalar;
  if (byte & TB_ARRAY) return scalar + T_ARRAY_OFFSET;
  if (byte & TB_POINTER) return scalar + T_POINTER_OFFSET;
  return scalar;
}

int CheckConversion(int from, int to) {
  int d = ClassOf(to), s = ClassOf(from);
  if (to == T_VOID || from == T_VOID) return CONV_REFUSED;
  switch (d) {
    case TC_INTEGER: return s == TC_INTEGER ? CONV_OK : s == TC_REAL ? CONV_LOSS : CONV_REFUSED;
    case TC_REAL: return s == TC_INTEGER || s == TC_REAL ? CONV_OK : CONV_REFUSED;
    case TC_POINTER:
      if (s == TC_INTEGER) return CONV_OK;
      if (s == TC_ARRAY && BaseOf(from) == BaseOf(to)) return CONV_OK;
      if (from == to) return CONV_OK;
      return CONV_REFUSED;
    default: return CONV_OK;
  }
}

bool OperatorAllowed(int op, int type_class) {
  static const int kMaskOfClass[] = {0, M_INT, M_REAL, M_ARRAY, M_POINTER};
  int index = OperatorClasses::Index(op);
  return index >= 0 && (kOperatorClasses.classes[index] & kMaskOfClass[type_class]) != 0;
}

std::string OperatorText(int op) {
  switch (op) {
    case UOP_NEGATE: return "-";
    case UOP_ADDRESS: return "&";
    case UOP_DEREF: return "*";
    case UOP_PRE_INC:
    case UOP_POST_INC: return "++";
    case UOP_PRE_DEC:
    case UOP_POST_DEC: return "--";
    default: return TokenSpelling(op);
  }
}

}  // namespace tarnic
