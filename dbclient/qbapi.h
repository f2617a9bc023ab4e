// The thirty-three exports of qel3api.dll, and a pointer type for each, for
// programs that bind them by name with GetProcAddress. Every export is
// __stdcall and exported undecorated; the export names are exactly these
// (QB_Destory, QB_DisConnnect, QB_IsConnnect and QB_TagInport included).
#pragma once
#include "qel/qbtypes.h"

#define QB_EXPORTS(X)                                                                                       \
  X(QB_HANDLE, QB_Create, (void))                                                                           \
  X(int, QB_Destory, (QB_HANDLE h))                                                                         \
  X(int, QB_Connect, (QB_HANDLE h, const char* host, int port, const char* user, const char* password))     \
  X(int, QB_DisConnnect, (QB_HANDLE h))                                                                     \
  X(int, QB_IsConnnect, (QB_HANDLE h, int* connected))                                                      \
  X(int, QB_TagGetAttr, (QB_HANDLE h, QB_TAGATTR * attr))                                                   \
  X(int, QB_TagQuery,                                                                                       \
    (QB_HANDLE h, const char* pattern1, const char* pattern2, int selector1, int selector2,                 \
     QB_TAGQUERYPROC proc, void* user))                                                                     \
  X(int, QB_TagInport, (QB_HANDLE h, int32_t mode, QB_TAGATTR * attr, int* result))                         \
  X(int, QB_TagDel, (QB_HANDLE h, const char* name))                                                        \
  X(int, QB_ReadReal, (QB_HANDLE h, QB_TAGVALUE * records, int count))                                      \
  X(int, QB_ReadRealVar, (QB_HANDLE h, const char* name, VarReply* out))                                    \
  X(int, QB_WriteReal, (QB_HANDLE h, QB_TAGVALUE * records, int count))                                     \
  X(int, QB_WriteRealVar,                                                                                   \
    (QB_HANDLE h, const char* name, uint8_t quality, int32_t time, uint8_t type, const void* data,          \
     int length))                                                                                           \
  X(int, QB_ReadHis,                                                                                        \
    (QB_HANDLE h, const char* name, int32_t t0, int32_t t1, int32_t a, int32_t b, QB_HISVALUE* records,     \
     int capacity, int* count, int* done))                                                                  \
  X(int, QB_ReadHis_EX, (QB_HANDLE h, QB_TAGVALUE * records, int32_t time, int count))                      \
  X(int, QB_ReadHisVar, (QB_HANDLE h, const char* name, int32_t a, int32_t b, VarReply* out))               \
  X(int, QB_GetHisSum,                                                                                      \
    (QB_HANDLE h, const char* name, int t0, int t1, QB_VALUE* a, QB_VALUE* b, QB_VALUEDATA* c,              \
     QB_VALUEDATA* d, int32_t* e))                                                                          \
  X(int, QB_GetHisSum_EX,                                                                                   \
    (QB_HANDLE h, const char* name, int t0, int t1, int32_t step, QB_HISSTEP* records, int capacity,        \
     int* count))                                                                                           \
  X(int, QB_WriteHis, (QB_HANDLE h, QB_TAGVALUE * records, int count))                                      \
  X(int, QB_WriteHisVar,                                                                                    \
    (QB_HANDLE h, const char* name, uint8_t quality, int32_t time, uint8_t type, const void* data,          \
     int length))                                                                                           \
  X(int, QB_QueryHisExp,                                                                                    \
    (QB_HANDLE h, const char* name, const char* expression, int32_t t0, int32_t t1, int32_t a, int32_t b,   \
     QB_HISVALUE* records, int capacity, int* count, int* done))                                            \
  X(int, QB_CountHisExp,                                                                                    \
    (QB_HANDLE h, const char* name, const char* expression, int32_t t0, int32_t t1, int32_t* first,         \
     int32_t* second))                                                                                      \
  X(int, QB_CountKstAct,                                                                                    \
    (QB_HANDLE h, const char* name, int t0, int t1, int32_t a, int32_t b, int32_t* first, int32_t* second)) \
  X(int, QB_OptAddAct, (QB_HANDLE h, const QB_ACTOR* actor))                                                \
  X(int, QB_OptDelAct, (QB_HANDLE h, const char* name))                                                     \
  X(int, QB_OptAddOpt, (QB_HANDLE h, const QB_OPERATOR* op))                                                \
  X(int, QB_OptDelOpt, (QB_HANDLE h, const char* name))                                                     \
  X(int, QB_OptModPass, (QB_HANDLE h, const char* user, const char* password1, const char* password2))      \
  X(int, QB_OptGetActors, (QB_HANDLE h, QB_ACTOR * records, int capacity, int* count))                      \
  X(int, QB_OptGetOperators, (QB_HANDLE h, QB_OPERATOR * records, int capacity, int* count))                \
  X(int, QB_VolLoad, (QB_HANDLE h, int32_t volume))                                                         \
  X(int, QB_VolDown, (QB_HANDLE h, int32_t volume))                                                         \
  X(int, QB_VolGetTab, (QB_HANDLE h, QB_VOLUME * records, int capacity, int* count))

// Declarations of the exports (for code linked with the library itself).
#define QB_DECLARE_EXPORT(ret, name, args) extern "C" ret __stdcall name args;
QB_EXPORTS(QB_DECLARE_EXPORT)
#undef QB_DECLARE_EXPORT

// Pointer types for binding by name: PFN_QB_Create, PFN_QB_ReadReal, ...
#define QB_DECLARE_POINTER(ret, name, args) typedef ret(__stdcall* PFN_##name) args;
QB_EXPORTS(QB_DECLARE_POINTER)
#undef QB_DECLARE_POINTER
