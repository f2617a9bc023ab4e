// Tag requests of expressions and scripts to the picture window that shows
// them. Each sends its service request at once (SendMessage) with the check
// word of QSM_CHECKCODE and a request record on the caller's stack, and
// returns 1 without sending when there is no window.
#pragma once
#include <windows.h>

#include "qel/qbtypes.h"
#include "scriptvalue.h"

// QSM_READREALVAR: the reply's status byte (signed), set to 1 before sending,
// so a window that fills nothing reports a failed read; 0 means read.
int HostReadRealVar(HWND window, const char* name, VarReply* value);
// QSM_READTAG, QSM_READLOCAL, QSM_READLOCALVAR, QSM_WRITELOCAL,
// QSM_WRITELOCALVAR: the message result (0 = done).
int HostReadTag(HWND window, const char* name, CScriptValue* value);
int HostReadLocal(HWND window, const char* name, CScriptValue* value);
int HostReadLocalVar(HWND window, const char* name, VarReply* value);
int HostWriteLocal(HWND window, const char* name, CScriptValue* value);
int HostWriteLocalVar(HWND window, const char* name, VarReply* value);
