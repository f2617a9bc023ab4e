// The exports of Nurvex.dll ("system\Nurvex.dll" below the program folder),
// bound by name: the caller hands over its connection entries, shows the list
// dialog, and takes the entries back when the user confirmed a change.
//
//   handle = i_Create(entries, count);            // at most 8 are kept
//   i_Config(handle, &confirmed);                  // the modal list dialog
//   if (confirmed) i_GetArgs(handle, out, 8, &n);  // the edited entries
//   i_Destroy(handle);
//
// Entries are the 64-byte RtdbConnEntry records (project/rtdbconn.h), one
// every 64 bytes. Every function but i_Create answers 0 for success and 1
// for an empty (or unknown) handle, which is otherwise left alone.
#pragma once
#include "rtdbconn.h"

using NurvexHandle = void*;

extern "C" {
NurvexHandle __stdcall i_Create(const RtdbConnEntry* entries, int count);
int __stdcall i_Config(NurvexHandle handle, int* confirmed);
int __stdcall i_GetArgs(NurvexHandle handle, RtdbConnEntry* entries, int maximum, int* count);
int __stdcall i_Destroy(NurvexHandle handle);
}

using NurvexCreateFn = NurvexHandle(__stdcall*)(const RtdbConnEntry*, int);
using NurvexConfigFn = int(__stdcall*)(NurvexHandle, int*);
using NurvexGetArgsFn = int(__stdcall*)(NurvexHandle, RtdbConnEntry*, int, int*);
using NurvexDestroyFn = int(__stdcall*)(NurvexHandle);
