#include "expoperator.h"

#include <climits>
#include <cmath>
#include <cstring>

#include "experror.h"

namespace {

const ExpOperatorInfo kOperators[kExpOperatorCount] = {
    {"||", 0, 2}, {"&&", 1, 2}, {"|", 2, 2},  {"^", 3, 2},  {"&", 4, 2},  {"<", 5, 2},
    {"<=", 5, 2}, {">", 5, 2},  {">=", 5, 2}, {"<<", 6, 2}, {">>", 6, 2}, {"+", 7, 2},
    {"-", 7, 2},  {"*", 8, 2},  {"/", 8, 2},  {"%", 8, 2},  {"-", 9, 1},  {"~", 9, 1},
};

// Strings compare byte by byte as unsigned characters.
int CompareBytes(const char* a, const char* b) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(a ? a : "");
  const unsigned char* q = reinterpret_cast<const unsigned char*>(b ? b : "");
  while (*p && *p == *q) ++p, ++q;
  return (*p > *q) - (*p < *q);
}

int Compare(const CExpValue& a, const CExpValue& b) {
  switch (a.GetType()) {
    case EV_INT: return (a.GetInt() > b.GetInt()) - (a.GetInt() < b.GetInt());
    case EV_DOUBLE: return (a.GetDouble() > b.GetDouble()) - (a.GetDouble() < b.GetDouble());
    default: return CompareBytes(a.GetString(), b.GetString());
  }
}

bool ComparisonHolds(int code, const CExpValue& a, const CExpValue& b) {
  // NaN makes every comparison false, as in C.
  if (a.GetType() == EV_DOUBLE) {
    const double x = a.GetDouble(), y = b.GetDouble();
    switch (code) {
      case OP_LT: return x < y;
      case OP_LE: return x <= y;
      case OP_GT: return x > y;
      default: return x >= y;
    }
  }
  const int order = Compare(a, b);
  switch (code) {
    case OP_LT: return order < 0;
    case OP_LE: return order <= 0;
    case OP_GT: return order > 0;
    default: return order >= 0;
  }
}

int ApplyInteger(int code, CExpValue& a, int32_t x, int32_t y) {
  const uint32_t ux = static_cast<uint32_t>(x), uy = static_cast<uint32_t>(y);
  switch (code) {
    case OP_ADD: a.SetInt(static_cast<int32_t>(ux + uy)); return EXP_OK;
    case OP_SUB: a.SetInt(static_cast<int32_t>(ux - uy)); return EXP_OK;
    case OP_MUL: a.SetInt(static_cast<int32_t>(ux * uy)); return EXP_OK;
    case OP_DIV:
    case OP_MOD:
      // The processor traps on a zero divisor and on the lowest number
      // divided by -1 (the quotient does not fit, also for the remainder):
      // both end the evaluation with an argument error instead.
      if (y == 0 || (x == INT32_MIN && y == -1)) return EXP_ERR_ARGUMENT;
      a.SetInt(code == OP_DIV ? x / y : x % y);
      return EXP_OK;
    default: return EXP_ERR_SYNTAX;
  }
}

int ApplyDouble(int code, CExpValue& a, double x, double y) {
  switch (code) {
    case OP_ADD: a.SetDouble(x + y); return EXP_OK;
    case OP_SUB: a.SetDouble(x - y); return EXP_OK;
    case OP_MUL: a.SetDouble(x * y); return EXP_OK;
    case OP_DIV: a.SetDouble(x / y); return EXP_OK;
    case OP_MOD: a.SetDouble(fmod(x, y)); return EXP_OK;
    default: return EXP_ERR_SYNTAX;
  }
}

// Both cells hold at most 255 bytes each; the joined text is cut to 255 by
// the cell, which never splits a character of the right-hand text.
int ApplyString(int code, CExpValue& a, const CExpValue& b) {
  if (code != OP_ADD) return EXP_ERR_ARGUMENT;
  char joined[2 * kExpStringMax + 1];
  const char* left = a.GetString();
  const char* right = b.GetString();
  size_t n = strlen(left);
  if (n > kExpStringMax) n = kExpStringMax;
  memcpy(joined, left, n);
  size_t m = strlen(right);
  if (m > kExpStringMax) m = kExpStringMax;
  memcpy(joined + n, right, m);
  joined[n + m] = 0;
  a.SetString(joined);
  return EXP_OK;
}

// Arithmetic and comparison: the operand of the lower type is converted to
// the higher one (integer below double below string).
int ApplyPromoted(int code, CExpValue& a, CExpValue& b) {
  const int type = a.GetType() > b.GetType() ? a.GetType() : b.GetType();
  a.ChangeType(type);
  b.ChangeType(type);
  if (code >= OP_LT && code <= OP_GE) {
    const bool holds = ComparisonHolds(code, a, b);
    a.SetInt(holds ? 1 : 0);
    return EXP_OK;
  }
  switch (type) {
    case EV_INT: return ApplyInteger(code, a, a.GetInt(), b.GetInt());
    case EV_DOUBLE: return ApplyDouble(code, a, a.GetDouble(), b.GetDouble());
    default: return ApplyString(code, a, b);
  }
}

// Bit operators work on the operands as 32-bit integers; shift counts use
// their low 5 bits and >> lets zeros in from the left.
int ApplyBits(int code, CExpValue& a, const CExpValue& b) {
  const uint32_t x = static_cast<uint32_t>(a.AsInt());
  const uint32_t y = static_cast<uint32_t>(b.AsInt());
  uint32_t r = 0;
  switch (code) {
    case OP_BITOR: r = x | y; break;
    case OP_XOR: r = x ^ y; break;
    case OP_BITAND: r = x & y; break;
    case OP_SHL: r = x << (y & 31); break;
    default: r = x >> (y & 31); break;
  }
  a.SetInt(static_cast<int32_t>(r));
  return EXP_OK;
}

}  // namespace

const ExpOperatorInfo* GetExpOperator(int code) {
  if (code < 0 || code >= kExpOperatorCount) return nullptr;
  return &kOperators[code];
}

int ApplyBinaryOperator(int code, CExpValue& a, CExpValue& b) {
  switch (code) {
    case OP_OR:
    case OP_AND: {
      const bool x = a.IsTrue(), y = b.IsTrue();
      a.SetInt((code == OP_OR ? (x || y) : (x && y)) ? 1 : 0);
      return EXP_OK;
    }
    case OP_BITOR:
    case OP_XOR:
    case OP_BITAND:
    case OP_SHL:
    case OP_SHR: return ApplyBits(code, a, b);
    case OP_LT:
    case OP_LE:
    case OP_GT:
    case OP_GE:
    case OP_ADD:
    case OP_SUB:
    case OP_MUL:
    case OP_DIV:
    case OP_MOD: return ApplyPromoted(code, a, b);
    default: return EXP_ERR_SYNTAX;
  }
}

int ApplyUnaryOperator(int code, CExpValue& a) {
  switch (code) {
    case OP_NEG:
      if (a.GetType() == EV_INT)
        a.SetInt(static_cast<int32_t>(0u - static_cast<uint32_t>(a.GetInt())));
      else if (a.GetType() == EV_DOUBLE)
        a.SetDouble(-a.GetDouble());
      else
        return EXP_ERR_ARGUMENT;
      return EXP_OK;
    case OP_NOT: a.SetInt(static_cast<int32_t>(~static_cast<uint32_t>(a.AsInt()))); return EXP_OK;
    default: return EXP_ERR_SYNTAX;
  }
}
