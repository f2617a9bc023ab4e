// Formatting a script's variable arguments with the platform runtime's printf.
#pragma once
#include <cstddef>
#include <string>

#include "vmstate.h"

// Formats `format` with arguments first..first+count-1 of the argument area,
// passed as the runtime expects them (addresses and 32-bit values as 4 bytes,
// 8- and 16-bit values widened to 32 bits, floats to doubles, 64-bit values
// and doubles as 8 bytes). Before formatting, the conversions are checked:
// "%n" and wide texts are refused, and every "%s" must name a text inside a
// live variable (or be null). 0 or a failure code.
int FormatArguments(const VmState& s, const std::string& format, int first, int count, std::string* out);
