#include "expfunction.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "experror.h"

const ExpFunctionInfo ExpFunctionTable[kExpFunctionCount] = {
    {0, "NULL", 0},  {1, "abs", 1},    {2, "acos", 1},   {3, "asin", 1},  {4, "atan", 1},
    {5, "cos", 1},   {6, "exp", 1},    {7, "fabs", 1},   {8, "fmod", 2},  {9, "labs", 1},
    {10, "log", 1},  {11, "log10", 1}, {12, "pow", 2},   {13, "sin", 1},  {14, "tan", 1},
    {15, "sqrt", 1}, {16, "ceil", 1},  {17, "floor", 1}, {18, "atof", 1}, {19, "atoi", 1},
};

namespace {

enum {
  FN_ABS = 1,
  FN_ACOS,
  FN_ASIN,
  FN_ATAN,
  FN_COS,
  FN_EXP,
  FN_FABS,
  FN_FMOD,
  FN_LABS,
  FN_LOG,
  FN_LOG10,
  FN_POW,
  FN_SIN,
  FN_TAN,
  FN_SQRT,
  FN_CEIL,
  FN_FLOOR,
  FN_ATOF,
  FN_ATOI,
};

bool SameNameNoCase(const char* name, int n, const char* known) {
  for (int i = 0; i < n; ++i) {
    char a = name[i], b = known[i];
    if (!b) return false;
    if (a >= 'A' && a <= 'Z') a = static_cast<char>(a - 'A' + 'a');
    if (b >= 'A' && b <= 'Z') b = static_cast<char>(b - 'A' + 'a');
    if (a != b) return false;
  }
  return known[n] == 0;
}

typedef double (*DoubleFunction1)(double);

DoubleFunction1 DoubleFunctionOf(int id) {
  switch (id) {
    case FN_ACOS: return [](double x) { return acos(x); };
    case FN_ASIN: return [](double x) { return asin(x); };
    case FN_ATAN: return [](double x) { return atan(x); };
    case FN_COS: return [](double x) { return cos(x); };
    case FN_EXP: return [](double x) { return exp(x); };
    case FN_FABS: return [](double x) { return fabs(x); };
    case FN_LOG: return [](double x) { return log(x); };
    case FN_LOG10: return [](double x) { return log10(x); };
    case FN_SIN: return [](double x) { return sin(x); };
    case FN_TAN: return [](double x) { return tan(x); };
    case FN_SQRT: return [](double x) { return sqrt(x); };
    case FN_CEIL: return [](double x) { return ceil(x); };
    case FN_FLOOR: return [](double x) { return floor(x); };
    default: return nullptr;
  }
}

}  // namespace

const ExpFunctionInfo* FindExpFunction(const char* name, int n) {
  if (!name || n <= 0) return nullptr;
  for (int i = 1; i < kExpFunctionCount; ++i)
    if (SameNameNoCase(name, n, ExpFunctionTable[i].name)) return &ExpFunctionTable[i];
  return nullptr;
}

const ExpFunctionInfo* GetExpFunction(int id) {
  if (id < 1 || id >= kExpFunctionCount) return nullptr;
  return &ExpFunctionTable[id];
}

int CallExpFunction(int id, CExpValue* args, int count, CExpValue& result) {
  const ExpFunctionInfo* info = GetExpFunction(id);
  if (!info || count != info->arguments) return EXP_ERR_ARGUMENT;
  switch (id) {
    case FN_ABS:
    case FN_LABS: {
      // The lowest integer has no positive counterpart: it stays as it is.
      const uint32_t x = static_cast<uint32_t>(args[0].AsInt());
      const int32_t v = static_cast<int32_t>(x);
      result.SetInt(v < 0 ? static_cast<int32_t>(0u - x) : v);
      return EXP_OK;
    }
    case FN_ATOF:
    case FN_ATOI:
      if (!args[0].IsString()) return EXP_ERR_ARGUMENT;
      if (id == FN_ATOF)
        result.SetDouble(atof(args[0].GetString()));
      else
        result.SetInt(atoi(args[0].GetString()));
      return EXP_OK;
    case FN_FMOD: result.SetDouble(fmod(args[0].AsDouble(), args[1].AsDouble())); return EXP_OK;
    case FN_POW: result.SetDouble(pow(args[0].AsDouble(), args[1].AsDouble())); return EXP_OK;
    default: {
      DoubleFunction1 f = DoubleFunctionOf(id);
      if (!f) return EXP_ERR_ARGUMENT;
      result.SetDouble(f(args[0].AsDouble()));
      return EXP_OK;
    }
  }
}
