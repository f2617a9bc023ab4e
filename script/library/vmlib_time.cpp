// Time library functions (250-256).
#include <windows.h>

#include <cstdint>
#include <ctime>

#include "vmargs.h"
#include "vmcodes.h"
#include "vmlib.h"

namespace {

int Now(VmState& s) {
  SetIntResult(s, static_cast<int32_t>(_time64(nullptr)));
  return 0;
}

// Local time as seconds since 1970; 0 for fields out of range or a time that
// a signed 32-bit count cannot hold.
int MakeTime(VmState& s) {
  int rc = PopArguments(s, 6);
  if (rc) return rc;
  int year = ArgInt(s, 0), month = ArgInt(s, 1), day = ArgInt(s, 2);
  SetIntResult(s, 0);
  if (day < 1 || day > 31 || month < 1 || month > 12 || year < 1900) return 0;
  std::tm t = {};
  t.tm_year = year - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  t.tm_hour = ArgInt(s, 3);
  t.tm_min = ArgInt(s, 4);
  t.tm_sec = ArgInt(s, 5);
  t.tm_isdst = -1;
  __time64_t v = _mktime64(&t);
  if (v >= 0 && v <= INT32_MAX) SetIntResult(s, static_cast<int32_t>(v));
  return 0;
}

// Breaks a time down through six int pointers; every pointer must name a
// live variable.
int BreakDown(VmState& s, bool local) {
  int rc = PopArguments(s, 7);
  if (rc) return rc;
  for (int i = 1; i <= 6; ++i)
    if (!s.memory.Accessible(ArgAddress(s, i), 4)) return kSysBadString;
  __time64_t when = ArgInt(s, 0);
  std::tm* t = local ? _localtime64(&when) : _gmtime64(&when);
  SetIntResult(s, 0);
  if (!t) return 0;
  const int32_t parts[6] = {t->tm_year + 1900, t->tm_mon + 1, t->tm_mday, t->tm_hour, t->tm_min, t->tm_sec};
  for (int i = 0; i < 6; ++i) WriteBytes(s, ArgAddress(s, i + 1), &parts[i], 4);
  SetIntResult(s, 1);
  return 0;
}

int TickCount(VmState& s) {
  SetResult(s, MakeUInt32(GetTickCount()));
  return 0;
}

int StartCounter(VmState& s) {
  LARGE_INTEGER frequency, count;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&count);
  s.counter_frequency = frequency.QuadPart;
  s.start_count = count.QuadPart;
  return 0;
}

// Milliseconds since StartCounTime; 0.0 when it was never called.
int EndCounter(VmState& s) {
  LARGE_INTEGER count;
  QueryPerformanceCounter(&count);
  s.end_count = count.QuadPart;
  s.elapsed_count = s.end_count - s.start_count;
  s.elapsed_ms =
      s.counter_frequency > 0 ? double(s.elapsed_count) / double(s.counter_frequency) * 1000.0 : 0.0;
  SetDoubleResult(s, s.elapsed_ms);
  return 0;
}

}  // namespace

int VmCallTime(VmState& s, int id) {
  switch (id) {
    case 250: return Now(s);
    case 251: return MakeTime(s);
    case 252: return BreakDown(s, false);
    case 253: return BreakDown(s, true);
    case 254: return TickCount(s);
    case 255: return StartCounter(s);
    case 256: return EndCounter(s);
    default: return kSysUnknown;
  }
}
