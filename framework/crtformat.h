// printf-style formatting with the platform runtime's rules.
//
// libstdc++ switches every C++ translation unit to MinGW's own C99 printf, whose
// "%G" of 1e6 is "1E+06". Files, records and messages of this system carry the
// platform runtime's text ("1E+006", "%I64d"), so all formatting goes through here:
// it calls msvcrt's _vsnprintf directly.
#pragma once
#include <cstdarg>
#include <cstddef>
#include <string>

// The compiler checks every call's arguments against its format, by the
// platform runtime's rules: a size or a pointer given for a "%d" would print
// wrong in the 64-bit flavour.
#define QEL_FORMAT(fmt, first) __attribute__((format(ms_printf, fmt, first)))

namespace qel {

// Formats into buf (capacity n, n > 0); always zero-terminated, cut to fit.
// Returns the length written.
int FormatV(char* buf, size_t n, const char* fmt, va_list args) QEL_FORMAT(3, 0);
int Format(char* buf, size_t n, const char* fmt, ...) QEL_FORMAT(3, 4);

// Formats into a string of any length.
std::string FormatStrV(const char* fmt, va_list args) QEL_FORMAT(1, 0);
std::string FormatStr(const char* fmt, ...) QEL_FORMAT(1, 2);

}  // namespace qel
