// The function lists that the pickers show: the nineteen functions of link
// expressions, and the catalogue of the script engine's system functions in
// eleven categories. The trees only display them; a double click inserts an
// item's text after its first blank.
#pragma once

struct FunctionCategory {
  const char* name;
  const char* const* items;
  int count;
};

enum : int { kExpressionFunctionCount = 19, kScriptCategoryCount = 11 };
extern const char* const kExpressionFunctions[kExpressionFunctionCount];
extern const FunctionCategory kScriptFunctionCatalog[kScriptCategoryCount];
