// Reading a value slot of a call record by its type code, as Sampex's
// interface functions and its back-colour property take their values.
#pragma once
#include "qel/qpi.h"

// The value as a double: codes 1 to 9 by their own width and kind; any
// other code reads the first 4 bytes as an unsigned 32-bit integer.
double SlotAsDouble(const QPI_VALUE& slot);

// The value as 32 bits: integers of codes 1 to 6 by their width, the 64-bit
// one by its low 32 bits, floats (7, 9) truncated toward zero (held to the
// 32-bit range); any other code, such as a colour, its first 4 bytes.
DWORD SlotAs32(const QPI_VALUE& slot);
