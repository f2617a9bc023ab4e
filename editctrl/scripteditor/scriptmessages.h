// The compiler's messages as the script dialog shows them after a check.
#pragma once
#include "qstring.h"

// The messages bounded to kMaxShownMessageBytes (cut at the end of a line,
// or at a GBK character boundary), or a text of the dialog's own when the
// compiler left none.
CString CompilerMessagesToShow(const CString& messages);
constexpr int kMaxShownMessageBytes = 4096;

// The source line of the first message that names one, as the compiler
// writes it ("错误 C2018 (12): ..."); 0 when no message names a line.
int FirstMessageLine(const char* messages);
