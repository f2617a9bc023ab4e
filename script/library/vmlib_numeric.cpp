// Numeric library functions (100-118) and the colour function RGB (50).
#include <cmath>
#include <cstdlib>

#include "vmargs.h"
#include "vmcodes.h"
#include "vmlib.h"
#include "vmwork.h"

namespace {

using Unary = double (*)(double);
using Binary = double (*)(double, double);

struct NumericFunction {
  int id;
  Unary unary;
  Binary binary;
};

double Acos(double x) { return std::acos(x); }
double Asin(double x) { return std::asin(x); }
double Atan(double x) { return std::atan(x); }
double Cos(double x) { return std::cos(x); }
double Exp(double x) { return std::exp(x); }
double Fabs(double x) { return std::fabs(x); }
double Log(double x) { return std::log(x); }
double Log10(double x) { return std::log10(x); }
double Sin(double x) { return std::sin(x); }
double Tan(double x) { return std::tan(x); }
double Sqrt(double x) { return std::sqrt(x); }
double Ceil(double x) { return std::ceil(x); }
double Floor(double x) { return std::floor(x); }
double Fmod(double x, double y) { return std::fmod(x, y); }
double Pow(double x, double y) { return std::pow(x, y); }

const NumericFunction kDoubleFunctions[] = {
    {101, Acos, nullptr},  {102, Asin, nullptr}, {103, Atan, nullptr},  {104, Cos, nullptr},
    {105, Exp, nullptr},   {106, Fabs, nullptr}, {107, nullptr, Fmod},  {109, Log, nullptr},
    {110, Log10, nullptr}, {111, nullptr, Pow},  {112, Sin, nullptr},   {113, Tan, nullptr},
    {114, Sqrt, nullptr},  {115, Ceil, nullptr}, {116, Floor, nullptr},
};

// abs and labs on signed 32-bit values; the lowest value stays as it is.
int Absolute(VmState& s) {
  int rc = PopArguments(s, 1);
  if (rc) return rc;
  uint32_t v = static_cast<uint32_t>(ArgInt(s, 0));
  SetIntResult(s, static_cast<int32_t>(static_cast<int32_t>(v) < 0 ? 0u - v : v));
  return 0;
}

int TextToNumber(VmState& s, bool integer) {
  int rc = PopArguments(s, 1);
  if (rc) return rc;
  const char* text;
  size_t length;
  rc = TextArg(s, 0, &text, &length);
  if (!rc && !ChargeWork(s, CharWork(length))) rc = kSysOverBudget;
  if (rc) return rc;
  if (integer)
    SetIntResult(s, static_cast<int32_t>(std::atol(text)));
  else
    SetDoubleResult(s, std::atof(text));
  return 0;
}

}  // namespace

int VmCallMisc(VmState& s, int id) {
  if (id != 50) return kSysUnknown;
  int rc = PopArguments(s, 3);
  if (rc) return rc;
  // The parts are not masked to 8 bits: RGB(256, 0, 0) is 256.
  uint32_t r = static_cast<uint32_t>(ArgInt(s, 0));
  uint32_t g = static_cast<uint32_t>(ArgInt(s, 1));
  uint32_t b = static_cast<uint32_t>(ArgInt(s, 2));
  SetIntResult(s, static_cast<int32_t>((b << 16) | (g << 8) | r));
  return 0;
}

int VmCallMath(VmState& s, int id) {
  if (id == 100 || id == 108) return Absolute(s);
  if (id == 117) return TextToNumber(s, false);
  if (id == 118) return TextToNumber(s, true);
  for (const NumericFunction& f : kDoubleFunctions) {
    if (f.id != id) continue;
    int rc = PopArguments(s, f.unary ? 1 : 2);
    if (rc) return rc;
    SetDoubleResult(s, f.unary ? f.unary(ArgDouble(s, 0)) : f.binary(ArgDouble(s, 0), ArgDouble(s, 1)));
    return 0;
  }
  return kSysUnknown;
}
