// The 16-byte value record in which numeric tag values reach expressions and
// scripts: the tag value record of the database client's value record (type,
// quality, status, spare byte, time, 8 value bytes). Picture windows fill it
// in answer to the numeric tag requests, so its layout is fixed.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "qstring.h"

// Type codes of the record (the tag type codes of the whole system).
enum ScriptValueType : BYTE {
  SV_EMPTY = 0,
  SV_DIGITAL = 1,  // a 32-bit integer; never reduced to 0 or 1
  SV_INT32 = 2,
  SV_FLOAT = 3,
  SV_INT64 = 4,
  SV_DOUBLE = 5,
  SV_STRING = 6,
  SV_BLOB = 7,
};

class CScriptValue {
 public:
  // A new record is all zero (type empty).
  CScriptValue() : m_type(0), m_quality(0), m_status(0), m_spare(0), m_time(0) { m_value.i64 = 0; }

  void Clear() { *this = CScriptValue(); }
  void SetInt(int32_t v, BYTE type = SV_INT32);
  void SetInt64(int64_t v);
  void SetFloat(float v);
  void SetDouble(double v);

  // Converts the value to the target type (1 to 5 by the conversion table;
  // a source that is not a number gives 0). Returns 1, also for a target
  // outside 1..5, which leaves the record as it was; a damaged source type
  // (above 7) clears the record to type 0 and returns 0.
  int ChangeType(int type);

  // The value as that type, converted on a copy (the record is unchanged).
  int32_t GetInt() const;
  int64_t GetInt64() const;
  float GetFloat() const;
  double GetDouble() const;

  // "%d" for types 1 and 2, "%I64d" for 4, "%G" for 3 and 5, else empty.
  CString Format() const;

  union Value {
    int32_t i32;  // types 1 and 2
    float f;      // type 3
    int64_t i64;  // type 4
    double d;     // type 5
    BYTE bytes[8];
  };

  BYTE m_type;
  BYTE m_quality;
  BYTE m_status;  // 0 when the value is valid
  BYTE m_spare;
  DWORD m_time;
  Value m_value;
};

static_assert(sizeof(CScriptValue) == 16, "CScriptValue crosses the window protocol");
static_assert(offsetof(CScriptValue, m_type) == 0, "CScriptValue layout");
static_assert(offsetof(CScriptValue, m_quality) == 1, "CScriptValue layout");
static_assert(offsetof(CScriptValue, m_status) == 2, "CScriptValue layout");
static_assert(offsetof(CScriptValue, m_spare) == 3, "CScriptValue layout");
static_assert(offsetof(CScriptValue, m_time) == 4, "CScriptValue layout");
static_assert(offsetof(CScriptValue, m_value) == 8, "CScriptValue layout");

// Truncation toward zero that stays defined outside the target's range: a
// double that does not fit (or is not a number) gives the processor's
// "integer indefinite" value, the lowest number of the type.
int32_t TruncToInt32(double v);
int64_t TruncToInt64(double v);
