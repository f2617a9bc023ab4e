// The exports of the connection settings library (system\Nurvex.dll), bound
// by name while its dialog is in use. Entries cross as arrays of 64-byte
// RtdbConnEntry records.
#pragma once
#include <windows.h>

#include "rtdbconn.h"

typedef void*(__stdcall* PFN_i_Create)(const RtdbConnEntry* entries, int count);
typedef int(__stdcall* PFN_i_Destroy)(void* handle);
typedef int(__stdcall* PFN_i_Config)(void* handle, int* confirmed);
typedef int(__stdcall* PFN_i_GetArgs)(void* handle, RtdbConnEntry* entries, int maximum, int* count);
