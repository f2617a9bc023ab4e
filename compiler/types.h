// Script type codes, their sizes and names, and the type rules of operations.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tarnic {

enum TypeCode {
  T_VOID = 0,
  T_CHAR = 1,
  T_BYTE = 2,
  T_SHORT = 3,
  T_WORD = 4,
  T_INT = 5,
  T_DWORD = 6,
  T_INT64 = 7,
  T_FLOAT = 8,
  T_DOUBLE = 9,
  T_ARRAY_OFFSET = 9,     // CHAR[] is 10 ... DOUBLE[] 18
  T_POINTER_OFFSET = 18,  // CHAR* is 19 ... DOUBLE* 27
  T_CHAR_ARRAY = 10,
  T_CHAR_POINTER = 19,
  T_ELLIPSIS = 28,
};

enum TypeClass { TC_VOID = 0, TC_INTEGER = 1, TC_REAL = 2, TC_ARRAY = 3, TC_POINTER = 4 };

// Storage and kind bits of the type byte carried by operands and cells.
enum TypeByteBits : uint8_t {
  TB_ELEMENT = 0x0F,
  TB_ARRAY = 0x10,
  TB_POINTER = 0x20,
  TB_KIND = 0x30,
  TB_LOCAL = 0x40,
  TB_GLOBAL = 0x80,
  TB_STORAGE = 0xC0,
};

int ClassOf(int code);
int BaseOf(int code);  // the element type of an array or pointer, the type itself otherwise
inline bool IsArray(int code) { return code >= 10 && code <= 18; }
inline bool IsPointer(int code) { return code >= 19 && code <= 28; }
int GetTypeSize(int code);

// One to three type words (token codes) to a type code; -1 when not a valid type.
int TypeFromWords(const std::vector<int>& words);

// Names in conversion messages ("long", "unsigned char *", "double[]").
std::string TypeName(int code);
// Names in the check of a declaration's constant initializer ("int", "BYTE", "int*").
std::string DeclaredTypeName(int code);

// The type byte of a type (kind and element bits only, storage class 0).
uint8_t GetFileTypeByte(int code);
// The type code of a type byte; the element's scalar code when dereferenced.
int TypeOfByte(uint8_t byte, bool dereferenced = false);

enum Conversion { CONV_OK = 0, CONV_LOSS = 1, CONV_REFUSED = 2 };
int CheckConversion(int from, int to);

// Whether an operator (token code or unary code) may be applied to a type class.
bool OperatorAllowed(int op, int type_class);
// The text of an operator in messages.
std::string OperatorText(int op);

}  // namespace tarnic
