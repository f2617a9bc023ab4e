// The in-process server's entry points: DllMain, the class factories,
// DllGetClassObject and DllCanUnloadNow; and the test exports.
#include <windows.h>
#include <ocidl.h>

#include <string>

#include "testing/loadmarker.h"
#include "testocx_control.h"
#include "testocx_ids.h"
#include "testocx_module.h"
#include "testocx_page.h"

namespace {

HINSTANCE g_instance = nullptr;
LONG g_live = 0;   // objects and factories alive
LONG g_locks = 0;  // IClassFactory::LockServer
std::string g_log;

using MakeFn = IUnknown* (*)();

IUnknown* MakeFull() {
  return static_cast<IDispatch*>(new CTestOcx(CLSID_QelTestOcx, TOF_CLASSINFO | TOF_PAGES | TOF_TYPEINFO));
}
IUnknown* MakePlain() { return static_cast<IDispatch*>(new CTestOcx(CLSID_QelTestOcxPlain, TOF_TYPEINFO)); }
IUnknown* MakeBare() { return static_cast<IDispatch*>(new CTestOcx(CLSID_QelTestOcxBare, 0)); }
IUnknown* MakePage() { return static_cast<IPropertyPage*>(new CTestOcxPage()); }
IUnknown* MakeDocument() {
  return static_cast<IDispatch*>(new CTestOcx(CLSID_QelTestOcxDocument, TOF_TYPEINFO));
}

struct ClassRow {
  const CLSID* clsid;
  MakeFn make;
  const char* marker;  // written to the load marker when the class is asked for
};
const ClassRow kClasses[] = {
    {&CLSID_QelTestOcx, MakeFull, nullptr},
    {&CLSID_QelTestOcxPlain, MakePlain, nullptr},
    {&CLSID_QelTestOcxBare, MakeBare, nullptr},
    {&CLSID_QelTestOcxPage, MakePage, nullptr},
    {&CLSID_QelTestOcxDocument, MakeDocument, TESTOCX_DOCUMENT_MARKER},
};

class CFactory : public IClassFactory {
 public:
  explicit CFactory(MakeFn make) : m_make(make) { TestOcxObjectMade(); }
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IClassFactory) {
      *out = static_cast<IClassFactory*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ::InterlockedIncrement(&m_refs); }
  ULONG STDMETHODCALLTYPE Release() override {
    LONG left = ::InterlockedDecrement(&m_refs);
    if (left == 0) delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    IUnknown* object = m_make();
    HRESULT hr = object->QueryInterface(iid, out);
    object->Release();
    return hr;
  }
  HRESULT STDMETHODCALLTYPE LockServer(WINBOOL lock) override {
    if (lock)
      ::InterlockedIncrement(&g_locks);
    else
      ::InterlockedDecrement(&g_locks);
    return S_OK;
  }

 private:
  virtual ~CFactory() { TestOcxObjectGone(); }
  LONG m_refs = 1;
  MakeFn m_make;
};

}  // namespace

HINSTANCE TestOcxInstance() { return g_instance; }
void TestOcxObjectMade() { ::InterlockedIncrement(&g_live); }
void TestOcxObjectGone() { ::InterlockedDecrement(&g_live); }

void TestOcxLogCall(const char* entry) {
  g_log += entry;
  g_log += ';';
}

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_instance = instance;
    ::DisableThreadLibraryCalls(instance);
    RegisterTestOcxWindowClass(instance);
  } else if (reason == DLL_PROCESS_DETACH) {
    UnregisterTestOcxWindowClass(instance);
  }
  return TRUE;
}

HRESULT __stdcall DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  for (const ClassRow& row : kClasses) {
    if (*row.clsid != clsid) continue;
    if (row.marker) loadmarker::Write(row.marker);
    CFactory* factory = new CFactory(row.make);
    HRESULT hr = factory->QueryInterface(iid, out);
    factory->Release();
    return hr;
  }
  return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT __stdcall DllCanUnloadNow() {
  if (g_live != 0 || g_locks != 0) return S_FALSE;
  TestOcxFreeTypeLib();
  return S_OK;
}

const char* __stdcall QelTestOcxLog() { return g_log.c_str(); }
void __stdcall QelTestOcxClearLog() { g_log.clear(); }
LONG __stdcall QelTestOcxLiveObjects() { return g_live; }

}  // extern "C"
