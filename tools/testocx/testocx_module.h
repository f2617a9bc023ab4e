// What the test control's objects share: the module's instance, the count of
// live objects (DllCanUnloadNow), the log of the calls containers made, and
// the run-time type information.
#pragma once
#include <windows.h>
#include <oaidl.h>

HINSTANCE TestOcxInstance();
void TestOcxObjectMade();
void TestOcxObjectGone();
// Appends an entry ("Close", "SetClientSite(null)"...) to the log.
void TestOcxLogCall(const char* entry);

// The type information of the control's class and of its dispatch interface
// (references added); built on first use.
HRESULT TestOcxClassTypeInfo(ITypeInfo** info);
HRESULT TestOcxInterfaceTypeInfo(ITypeInfo** info);
// Drops the type library (at unload).
void TestOcxFreeTypeLib();
