// The functions of the expression language: id, name (compared without
// regard to case) and argument count. Row 0, "NULL", counts as no function.
#pragma once
#include <cstddef>

#include "expvalue.h"

struct ExpFunctionInfo {
  int id;
  const char* name;
  int arguments;
};
constexpr int kExpFunctionCount = 20;
// The most arguments that a function of the table takes.
constexpr size_t kExpMaxArguments = 2;
extern const ExpFunctionInfo ExpFunctionTable[kExpFunctionCount];

// The row of the named function (n bytes of name), or null.
const ExpFunctionInfo* FindExpFunction(const char* name, int n);
// The row of a function id 1..19, or null.
const ExpFunctionInfo* GetExpFunction(int id);

// Computes function id over its evaluated arguments (as many as the table
// says). abs and labs give integers, atof and atoi need a string argument,
// the others work on doubles. Returns 0 or an error code.
int CallExpFunction(int id, CExpValue* args, int count, CExpValue& result);
