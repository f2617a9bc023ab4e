// Result codes of the expression evaluator and their texts (one table).
#pragma once

enum ExpError {
  EXP_OK = 0,
  EXP_ERR_SYNTAX = 1,     // operand or operator missing, a parenthesis left over, no memory
  EXP_ERR_PAREN = 2,      // parentheses do not match
  EXP_ERR_OPERATOR = 3,   // operator characters that form no operator
  EXP_ERR_FUNCTION = 4,   // a name before "(" that is no function and no tag keyword
  EXP_ERR_ARGUMENT = 5,   // wrong argument count, empty argument, unsuitable or missing operand
  EXP_ERR_EMPTYTAG = 6,   // a tag reference with an empty name
  EXP_ERR_QUOTE = 7,      // a string literal without its closing quote
  EXP_ERR_NOCONTEXT = 8,  // a tag reference evaluated without a picture window
  EXP_ERR_TAGREAD = 9,    // the picture window could not deliver the tag
};
constexpr int kExpErrorCount = 10;

// The text of a code; "" for a code outside 0..9.
const char* GetExpErrorText(int code);
