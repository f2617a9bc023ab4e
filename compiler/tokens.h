// Token codes of the script language; single characters are their own code.
#pragma once
#include <cstdint>
#include <string>

namespace tarnic {

enum TokenCode {
  TK_END = 0,
  TK_IDENTIFIER = 258,
  TK_INTEGER = 260,
  TK_HEX = 261,
  TK_REAL = 264,
  TK_STRING = 265,
  TK_SIZEOF = 266,
  TK_INC = 267,
  TK_DEC = 268,
  TK_SHL = 269,
  TK_SHR = 270,
  TK_LE = 271,
  TK_GE = 272,
  TK_EQ = 273,
  TK_NE = 274,
  TK_AND = 275,
  TK_OR = 276,
  TK_MUL_ASSIGN = 277,
  TK_DIV_ASSIGN = 278,
  TK_MOD_ASSIGN = 279,
  TK_ADD_ASSIGN = 280,
  TK_SUB_ASSIGN = 281,
  TK_SHL_ASSIGN = 282,
  TK_SHR_ASSIGN = 283,
  TK_AND_ASSIGN = 284,
  TK_XOR_ASSIGN = 285,
  TK_OR_ASSIGN = 286,
  TK_CHAR = 287,
  TK_UNSIGNED = 288,
  TK_SHORT = 289,
  TK_INT = 290,  // also "long" and "bool"
  TK_INT64 = 291,
  TK_FLOAT = 292,
  TK_DOUBLE = 293,
  TK_VOID = 294,
  TK_TRUE = 295,
  TK_FALSE = 296,
  TK_NULL = 297,
  TK_IF = 298,
  TK_ELSE = 299,
  TK_WHILE = 300,
  TK_DO = 301,
  TK_FOR = 302,
  TK_CONTINUE = 303,
  TK_BREAK = 304,
  TK_RETURN = 305,
};

struct Token {
  int code = TK_END;
  int line = 1;
  std::string text;       // identifier, string contents, or the token as written
  int32_t int_value = 0;  // decimal, character, TRUE/FALSE/NULL
  uint32_t hex_value = 0;
  double real_value = 0;
};

// The text of a token code for messages ("<=", "if", ";").
std::string TokenSpelling(int code);

inline bool IsTypeWord(int code) { return code >= TK_CHAR && code <= TK_VOID; }

// A small number for each token code (single characters and TK_ codes), -1
// for the others: one look-up in place of a walk through a list of rows.
class TokenCodeTable {
 public:
  TokenCodeTable() {
    for (int16_t& v : value_) v = -1;
  }
  void Set(int code, int value) {
    if (code >= 0 && code < kCodes) value_[code] = static_cast<int16_t>(value);
  }
  int operator[](int code) const { return code >= 0 && code < kCodes ? value_[code] : -1; }

 private:
  static constexpr int kCodes = TK_RETURN + 1;
  int16_t value_[kCodes];
};

}  // namespace tarnic
