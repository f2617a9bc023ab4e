// Operators of the expression language: codes, precedence levels and what
// each does to its value cells.
#pragma once
#include "expvalue.h"

enum ExpOperator {
  OP_OR = 0,      // ||
  OP_AND = 1,     // &&
  OP_BITOR = 2,   // |
  OP_XOR = 3,     // ^
  OP_BITAND = 4,  // &
  OP_LT = 5,      // <
  OP_LE = 6,      // <=
  OP_GT = 7,      // >
  OP_GE = 8,      // >=
  OP_SHL = 9,     // <<
  OP_SHR = 10,    // >>
  OP_ADD = 11,    // +, also concatenates strings
  OP_SUB = 12,    // -
  OP_MUL = 13,    // *
  OP_DIV = 14,    // /
  OP_MOD = 15,    // %, fmod for doubles
  OP_NEG = 16,    // unary -
  OP_NOT = 17,    // ~
};
constexpr int kExpOperatorCount = 18;

struct ExpOperatorInfo {
  const char* text;
  int level;     // higher binds tighter
  int operands;  // 1 or 2
};

// The row of an operator code; null for a code outside 0..17.
const ExpOperatorInfo* GetExpOperator(int code);

// Applies a binary operator to a and b; the result replaces a. Returns 0 or
// an error code (a string where a number is needed, integer division by zero).
int ApplyBinaryOperator(int code, CExpValue& a, CExpValue& b);
// Applies a unary operator to a in place.
int ApplyUnaryOperator(int code, CExpValue& a);
