#include "hostrequest.h"

#include "qel/picmsg.h"
#include "qel/checkword.h"
#include "tickscope.h"

namespace {

// The record is two words (name, value) whatever the value's kind. A
// window that runs its tick answers its own links and scripts directly, with
// the answer its window procedure gives to the same message.
int SendRequest(HWND window, UINT message, const char* name, void* value) {
  if (!window) return 1;
  struct {
    const char* name;
    void* value;
  } request = {name, value};
  static_assert(sizeof(request) == sizeof(NumTagRequest), "a request is two words");
  const WPARAM checkWord = MakeHostParam(QSM_CHECKCODE);
  const LPARAM record = reinterpret_cast<LPARAM>(&request);
  if (CTickScope* tick = CTickScope::Of(window))
    return static_cast<int>(tick->Requests().AnswerRequest(message, checkWord, record));
  return static_cast<int>(SendMessageA(window, message, checkWord, record));
}

}  // namespace

static_assert(sizeof(CScriptValue) == sizeof(QB_VALUE), "CScriptValue is the tag value record");

int HostReadRealVar(HWND window, const char* name, VarReply* value) {
  if (!window) return 1;
  if (value) value->status = 1;
  SendRequest(window, QSM_READREALVAR, name, value);
  return value ? static_cast<signed char>(value->status) : 1;
}

int HostReadTag(HWND window, const char* name, CScriptValue* value) {
  return SendRequest(window, QSM_READTAG, name, value);
}

int HostReadLocal(HWND window, const char* name, CScriptValue* value) {
  return SendRequest(window, QSM_READLOCAL, name, value);
}

int HostReadLocalVar(HWND window, const char* name, VarReply* value) {
  return SendRequest(window, QSM_READLOCALVAR, name, value);
}

int HostWriteLocal(HWND window, const char* name, CScriptValue* value) {
  return SendRequest(window, QSM_WRITELOCAL, name, value);
}

int HostWriteLocalVar(HWND window, const char* name, VarReply* value) {
  return SendRequest(window, QSM_WRITELOCALVAR, name, value);
}
