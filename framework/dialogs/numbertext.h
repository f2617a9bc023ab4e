// Numbers as dialogs show and accept them: what the data exchange writes into
// a control and what it takes back. One place, so that a value written into a
// control always reads back as itself.
#pragma once
#include <windows.h>

#include "qstring.h"

CString QelIntText(int value);        // "%d"
CString QelUIntText(UINT value);      // "%u"
CString QelDoubleText(double value);  // "%.15g" (the platform runtime's)

// Each takes the whole text, blanks (spaces and tabs) around it allowed, and
// answers false for anything but one number that the type can hold: no
// empty text, no trailing characters, no overflow, no sign on an unsigned
// value but "+", no hexadecimal, infinity or not-a-number.
bool QelParseInt(const char* text, int* value);
bool QelParseUInt(const char* text, UINT* value);
bool QelParseDouble(const char* text, double* value);
