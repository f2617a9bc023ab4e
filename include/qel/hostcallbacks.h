// The two callback tables that the host program hands to every picture
// window, which keeps a copy of each and calls them on the user-interface
// thread, context first. Every callback is __stdcall.
//
// Host callback table: the database services. Each callback takes the context
// and then exactly the arguments of the qel3api function of the same name after
// its handle, and returns that function's status (0, 1, 31 not connected, or
// the server's status).
//
// Local-tag table: the project's local tags and their live values.
#pragma once
#include <windows.h>

#include <cstddef>

#include "qel/layout.h"
#include "qel/qbtypes.h"

class CTagValue;

typedef int(__stdcall* PFN_HostTagGetAttr)(void* context, QB_TAGATTR* attr);
typedef int(__stdcall* PFN_HostTagQuery)(void* context, const char* pattern1, const char* pattern2,
                                         int selector1, int selector2, QB_TAGQUERYPROC proc, void* user);
typedef int(__stdcall* PFN_HostReadReal)(void* context, QB_TAGVALUE* records, int count);
typedef int(__stdcall* PFN_HostReadRealVar)(void* context, const char* name, VarReply* out);
typedef int(__stdcall* PFN_HostReadHis)(void* context, const char* name, int32_t t0, int32_t t1, int32_t a,
                                        int32_t b, QB_HISVALUE* records, int capacity, int* count, int* done);
typedef int(__stdcall* PFN_HostReadHisEx)(void* context, QB_TAGVALUE* records, int32_t time, int count);
typedef int(__stdcall* PFN_HostReadHisVar)(void* context, const char* name, int32_t a, int32_t b,
                                           VarReply* out);
typedef int(__stdcall* PFN_HostGetHisSum)(void* context, const char* name, int t0, int t1, QB_VALUE* a,
                                          QB_VALUE* b, QB_VALUEDATA* c, QB_VALUEDATA* d, int32_t* e);
typedef int(__stdcall* PFN_HostGetHisSumEx)(void* context, const char* name, int t0, int t1, int32_t step,
                                            QB_HISSTEP* records, int capacity, int* count);

struct HostCallbackBlock {
  void* context;
  PFN_HostTagGetAttr pfnTagGetAttr;
  PFN_HostTagQuery pfnTagQuery;
  PFN_HostReadReal pfnReadReal;
  PFN_HostReadRealVar pfnReadRealVar;
  PFN_HostReadHis pfnReadHis;
  PFN_HostReadHisEx pfnReadHisEx;
  PFN_HostReadHisVar pfnReadHisVar;
  PFN_HostGetHisSum pfnGetHisSum;
  PFN_HostGetHisSumEx pfnGetHisSumEx;
};
// Tables of pointer-sized words: ten and four words of 4 bytes in the 32-bit
// flavour, of 8 in the 64-bit one.
QEL_LAYOUT(sizeof(HostCallbackBlock), 40, 80);
QEL_LAYOUT(offsetof(HostCallbackBlock, pfnTagGetAttr), 4, 8);
QEL_LAYOUT(offsetof(HostCallbackBlock, pfnTagQuery), 8, 16);
QEL_LAYOUT(offsetof(HostCallbackBlock, pfnReadReal), 12, 24);
QEL_LAYOUT(offsetof(HostCallbackBlock, pfnReadRealVar), 16, 32);
QEL_LAYOUT(offsetof(HostCallbackBlock, pfnReadHis), 20, 40);
QEL_LAYOUT(offsetof(HostCallbackBlock, pfnReadHisEx), 24, 48);
QEL_LAYOUT(offsetof(HostCallbackBlock, pfnReadHisVar), 28, 56);
QEL_LAYOUT(offsetof(HostCallbackBlock, pfnGetHisSum), 32, 64);
QEL_LAYOUT(offsetof(HostCallbackBlock, pfnGetHisSumEx), 36, 72);

// The local tag record (256 bytes) at index into buffer: the index, or -1
// when there is none (the buffer is then left alone).
typedef int(__stdcall* PFN_LocalTagAt)(void* context, int index, void* record);
// Assigns value to the named local tag's live value (which keeps its type):
// 1, or 0 when there is no such value.
typedef int(__stdcall* PFN_LocalTagWrite)(void* context, const char* name, const CTagValue* value);
// Copies the named local tag's live value into value (which takes its type):
// 1, or 0 when there is no such value (value is then left alone).
typedef int(__stdcall* PFN_LocalTagRead)(void* context, const char* name, CTagValue* value);

struct LocalTagCallbackBlock {
  void* context;
  PFN_LocalTagAt pfnLocalTagAt;
  PFN_LocalTagWrite pfnLocalTagWrite;
  PFN_LocalTagRead pfnLocalTagRead;
};
QEL_LAYOUT(sizeof(LocalTagCallbackBlock), 16, 32);
QEL_LAYOUT(offsetof(LocalTagCallbackBlock, pfnLocalTagAt), 4, 8);
QEL_LAYOUT(offsetof(LocalTagCallbackBlock, pfnLocalTagWrite), 8, 16);
QEL_LAYOUT(offsetof(LocalTagCallbackBlock, pfnLocalTagRead), 12, 24);
