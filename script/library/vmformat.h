// Formatting a script's variable arguments with the platform runtime's printf
// rules (sprintf, printf and snprintf).
//
// The script's format text is never handed to the platform: it is split into
// plain text and single conversions by the one grammar below, and each
// conversion is formatted by a platform call whose format this machine builds
// from the parsed fields, with its one argument of the type the conversion
// reads. A conversion outside the grammar is refused.
//
//   conversion = "%" flag* [width] ["." [precision]] size conversion-char
//   flag       = "-" | "+" | " " | "#" | "0"
//   width      = "*" | digits (at most 65,536; a "*" reads an int, a negative
//                one left-adjusts)
//   precision  = "*" | digits (at most 65,536; a negative "*" means none)
//   d i o u x X   size "", "h", "l" or "I32": a 32-bit integer;
//                 "I64" or "ll": a 64-bit integer
//   e E f g G     size "", "l" or "L": a double
//   c             size "" or "h": a character from a 32-bit integer
//   s             size "" or "h": a text, null or lying (terminated, or for
//                 its precision) inside one live variable
//   p             size "": a 32-bit address, printed only
//   "%%" is one "%"; anything else after a "%" ("%n", wide texts, "%5%",
//   unknown sizes and conversions, a "%" at the end) is refused.
//
// The arguments are laid out as the platform's formatter would read them
// (addresses and 32-bit values as 4 bytes, 8- and 16-bit values widened to
// 32 bits, floats to doubles, 64-bit values and doubles as 8 bytes), and
// each conversion takes its bytes in order; past the last argument it reads
// zeros.
#pragma once
#include <cstddef>
#include <string>

#include "vmstate.h"

// Formats `length` bytes of format text with arguments first..first+count-1
// of the argument area into *out (less than 1 MB), charging the work to the
// run's budget. 0, kSysBadFormat (outside the grammar, a bad text, too wide
// or too long an output) or kSysOverBudget.
int FormatArguments(VmState& s, const char* format, size_t length, int first, int count, std::string* out);
