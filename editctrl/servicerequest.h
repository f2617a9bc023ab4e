// The database service requests (QSM_TAGGETATTR to QSM_GETHISSUMEX) that a
// picture window answers by calling its host's callback table: the check
// word is tested, the request record is unpacked into the callback's
// arguments, and the callback's status is the answer.
#pragma once
#include <windows.h>

#include "qel/picmsg.h"

// True for the requests answered from the host callback table.
bool IsEditServiceRequest(UINT msg);

// 1 when the check word is wrong, the record is null, or the table's context
// or the callback is not set; otherwise the callback's result.
LRESULT AnswerServiceRequest(const HostCallbackBlock& host, UINT msg, DWORD checkWord, LPARAM record);

// QPM_FIREEVENT from a plug-in control: only its check word is looked at.
bool IsFireEventValid(DWORD checkWord);
