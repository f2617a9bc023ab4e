#include "testocx_register.h"

#include <ocidl.h>

#include "qel/exportproc.h"
#include "testocx_ids.h"

namespace {

const char kDllName[] = "QelTestOcx.dll";

std::string ProgramFolder() {
  char path[MAX_PATH] = "";
  DWORD n = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, n);
  size_t slash = folder.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

FARPROC Export(const char* name) {
  HMODULE dll = ::GetModuleHandleA(kDllName);
  return dll ? ::GetProcAddress(dll, name) : nullptr;
}

}  // namespace

bool RegisterTestOcx() {
  // Kept loaded: COM finds the same module when it creates the control.
  HMODULE dll = ::LoadLibraryA((ProgramFolder() + kDllName).c_str());
  if (!dll) return false;
  using RegisterFn = HRESULT(__stdcall*)();
  auto reg = QelFindExport<RegisterFn>(dll, "DllRegisterServer");
  return reg && SUCCEEDED(reg());
}

bool StartTestOcx() {
  ::CoInitialize(nullptr);  // a nested start when the thread has COM already
  return RegisterTestOcx();
}

void StopTestOcx() { ::CoUninitialize(); }

HWND NewTestParent(int width, int height, bool visible) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = ::DefWindowProcA;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = "QelOcxTestParent";
  ::RegisterClassA(&wc);  // fails harmlessly when registered before
  const DWORD style = WS_POPUP | WS_CLIPCHILDREN | (visible ? WS_VISIBLE : 0);
  return ::CreateWindowExA(0, wc.lpszClassName, "", style, 0, 0, width, height, nullptr, nullptr,
                           wc.hInstance, nullptr);
}

std::string TestOcxLog() {
  auto log = QelProcAs<TestOcxLogFn>(Export("QelTestOcxLog"));
  return log ? std::string(log()) : std::string();
}

void ClearTestOcxLog() {
  if (auto clear = QelProcAs<TestOcxClearLogFn>(Export("QelTestOcxClearLog"))) clear();
}

LONG TestOcxLiveObjects() {
  auto live = QelProcAs<TestOcxLiveFn>(Export("QelTestOcxLiveObjects"));
  return live ? live() : -1;
}

namespace {

HRESULT PutProperty(IDispatch* dispatch, DISPID id, VARIANT value) {
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params = {&value, &named, 1, 1};
  return dispatch->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr);
}

std::vector<BYTE> SaveOf(IPersistStreamInit* persist) {
  std::vector<BYTE> bytes;
  IStream* stream = nullptr;
  if (FAILED(::CreateStreamOnHGlobal(nullptr, TRUE, &stream))) return bytes;
  STATSTG stat = {};
  LARGE_INTEGER start = {};
  if (SUCCEEDED(persist->Save(stream, TRUE)) && SUCCEEDED(stream->Stat(&stat, STATFLAG_NONAME)) &&
      SUCCEEDED(stream->Seek(start, STREAM_SEEK_SET, nullptr))) {
    bytes.resize(static_cast<size_t>(stat.cbSize.QuadPart));
    ULONG read = 0;
    if (FAILED(stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read)) || read != bytes.size())
      bytes.clear();
  }
  stream->Release();
  return bytes;
}

}  // namespace

std::vector<BYTE> TestOcxSavedState(const char* text, COLORREF back) {
  std::vector<BYTE> bytes;
  IDispatch* dispatch = nullptr;
  if (FAILED(::CoCreateInstance(CLSID_QelTestOcx, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                reinterpret_cast<void**>(&dispatch))))
    return bytes;
  IPersistStreamInit* persist = nullptr;
  if (SUCCEEDED(dispatch->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&persist)))) {
    persist->InitNew();
    int chars = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::wstring wide(chars > 0 ? chars : 1, L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], chars);
    VARIANT v;
    v.vt = VT_BSTR;
    v.bstrVal = ::SysAllocString(wide.c_str());
    HRESULT hr = PutProperty(dispatch, TOX_TEXT, v);
    ::SysFreeString(v.bstrVal);
    v.vt = VT_I4;
    v.lVal = static_cast<LONG>(back);
    if (SUCCEEDED(hr)) hr = PutProperty(dispatch, TOX_BACKCOLOR, v);
    if (SUCCEEDED(hr)) bytes = SaveOf(persist);
    persist->Release();
  }
  dispatch->Release();
  return bytes;
}
