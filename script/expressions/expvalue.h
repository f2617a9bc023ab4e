// The value cell of the expression evaluator: a 32-bit integer, a double or
// an owned zero-terminated string of at most 255 characters.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

enum ExpValueType : BYTE {
  EV_INT = 0,  // 32-bit signed integer
  EV_DOUBLE = 1,
  EV_STRING = 2,
};
constexpr int kExpStringMax = 255;

class CExpValue {
 public:
  CExpValue() : m_length(0), m_type(EV_INT), m_pad{} {
    m_value.d = 0.0;
    m_value.i = 0;
  }
  CExpValue(const CExpValue& src);
  CExpValue(CExpValue&& src) noexcept;
  CExpValue& operator=(const CExpValue& src);
  CExpValue& operator=(CExpValue&& src) noexcept;
  ~CExpValue() { Clear(); }

  // Frees the string; the cell becomes integer 0.
  void Clear();
  void SetInt(int32_t v);
  void SetDouble(double v);
  // Copies the text: its first `length` bytes (all of it up to its zero byte
  // when length is negative), ending early at a zero byte, and of them at
  // most 255 bytes without splitting a GBK character. A null text is the
  // empty string. Throws std::bad_alloc without memory.
  void SetString(const char* text, int length = -1);

  // Converts in place: integer to double exactly, to string by "%d"; double
  // to integer truncated toward zero, to string by "%G"; string to integer
  // and double as the runtime's atoi and atof read it.
  void ChangeType(int type);

  int GetType() const { return m_type; }
  bool IsString() const { return m_type == EV_STRING; }
  int32_t GetInt() const { return m_value.i; }
  double GetDouble() const { return m_value.d; }
  // The string of a string cell ("" for an empty one); null for other types.
  const char* GetString() const;
  // Converted copies; the cell itself is unchanged.
  int32_t AsInt() const;
  double AsDouble() const;
  // A double is true when not 0.0, an integer when not 0, a string when it exists.
  bool IsTrue() const;

  DWORD m_length;  // of the string
  BYTE m_type;
  BYTE m_pad[3];
  union {
    int32_t i;
    double d;
    char* s;
  } m_value;
};

static_assert(sizeof(CExpValue) == 16, "CExpValue is a 16-byte cell");
static_assert(offsetof(CExpValue, m_type) == 4 && offsetof(CExpValue, m_value) == 8, "CExpValue layout");
