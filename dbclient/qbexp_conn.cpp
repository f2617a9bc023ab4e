// Exports: creating and destroying handles, connecting and logging in.
#include <new>

#include "qbexport.h"

extern "C" QB_HANDLE __stdcall QB_Create(void) { return new (std::nothrow) CQbClient(); }

extern "C" int __stdcall QB_Destory(QB_HANDLE h) {
  if (!h) return QB_ERR_FAIL;
  delete QbClientOf(h);
  return QB_OK;
}

extern "C" int __stdcall QB_Connect(QB_HANDLE h, const char* host, int port, const char* user,
                                    const char* password) {
  if (!h) return QB_ERR_FAIL;
  return QbClientOf(h)->Connect(host, port, user, password);
}

extern "C" int __stdcall QB_DisConnnect(QB_HANDLE h) {
  if (!h) return QB_ERR_FAIL;
  QbClientOf(h)->Disconnect();
  return QB_OK;
}

extern "C" int __stdcall QB_IsConnnect(QB_HANDLE h, int* connected) {
  if (!h || !connected) return QB_ERR_FAIL;
  *connected = QbClientOf(h)->IsConnected() ? 1 : 0;
  return QB_OK;
}
