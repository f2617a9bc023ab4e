// DllRegisterServer and DllUnregisterServer: the classes under
// HKEY_CLASSES_ROOT\CLSID, each control in the Control category so that the
// control pickers list it; the page and the document class are plain COM
// classes with a name.
#include <windows.h>

#include <olectl.h>

#include <string>

#include "testocx_ids.h"
#include "testocx_module.h"

namespace {

const wchar_t kCategoryControl[] = L"{40FC6ED4-2438-11CF-A3DB-080036F12502}";

struct RegisteredClass {
  const CLSID* clsid;
  const wchar_t* name;
  bool control;  // a control (category and "Control" key), not only a COM class
};

const RegisteredClass kRegistered[] = {
    {&CLSID_QelTestOcx, TESTOCX_NAME, true},
    {&CLSID_QelTestOcxPlain, TESTOCX_PLAIN_NAME, true},
    {&CLSID_QelTestOcxBare, TESTOCX_BARE_NAME, true},
    {&CLSID_QelTestOcxPage, L"QEL测试控件属性页", false},
    {&CLSID_QelTestOcxDocument, TESTOCX_DOCUMENT_NAME, false},
};

std::wstring ClassKey(const CLSID& clsid) {
  wchar_t text[40] = L"";
  ::StringFromGUID2(clsid, text, 40);
  return std::wstring(L"CLSID\\") + text;
}

bool SetValue(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
  HKEY handle = nullptr;
  if (::RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle,
                        nullptr) != ERROR_SUCCESS)
    return false;
  LONG rc = ::RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                             static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  ::RegCloseKey(handle);
  return rc == ERROR_SUCCESS;
}

bool MakeKey(const std::wstring& key) {
  HKEY handle = nullptr;
  if (::RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle,
                        nullptr) != ERROR_SUCCESS)
    return false;
  ::RegCloseKey(handle);
  return true;
}

void DeleteTree(HKEY parent, const wchar_t* name) {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(parent, name, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  wchar_t child[256];
  for (;;) {
    DWORD length = 256;
    if (::RegEnumKeyExW(key, 0, child, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    DeleteTree(key, child);
  }
  ::RegCloseKey(key);
  ::RegDeleteKeyW(parent, name);
}

bool Register(const RegisteredClass& row, const std::wstring& path) {
  const std::wstring key = ClassKey(*row.clsid);
  bool ok = SetValue(key, nullptr, row.name) && SetValue(key + L"\\InprocServer32", nullptr, path) &&
            SetValue(key + L"\\InprocServer32", L"ThreadingModel", L"Apartment");
  if (ok && row.control)
    ok = MakeKey(key + L"\\Control") && MakeKey(key + L"\\Implemented Categories\\" + kCategoryControl);
  return ok;
}

}  // namespace

extern "C" HRESULT __stdcall DllRegisterServer() {
  wchar_t path[MAX_PATH] = L"";
  if (!::GetModuleFileNameW(TestOcxInstance(), path, MAX_PATH)) return SELFREG_E_CLASS;
  for (const RegisteredClass& row : kRegistered)
    if (!Register(row, path)) return SELFREG_E_CLASS;
  return S_OK;
}

extern "C" HRESULT __stdcall DllUnregisterServer() {
  for (const RegisteredClass& row : kRegistered) DeleteTree(HKEY_CLASSES_ROOT, ClassKey(*row.clsid).c_str());
  return S_OK;
}
