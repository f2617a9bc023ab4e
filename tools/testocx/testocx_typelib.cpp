// The control's type information, built at run time in a type library of
// its own (ICreateTypeLib2): the dispatch interface DQelTestOcx with its
// properties, methods and variables, an empty event interface, and the
// coclass that names the event interface as its default source and
// DQelTestOcx as its default interface.
#include <windows.h>
#include <oaidl.h>

#include <vector>

#include "testocx_ids.h"
#include "testocx_module.h"

namespace {

ITypeLib* g_typeLib = nullptr;

struct Param {
  const wchar_t* name;  // null: a property put's value, which has no name
  VARTYPE type;
};

struct FuncRow {
  DISPID id;
  INVOKEKIND kind;
  const wchar_t* name;
  VARTYPE result;
  std::vector<Param> params;
  WORD flags;
};

struct VarRow {
  DISPID id;
  const wchar_t* name;
  VARTYPE type;
  WORD flags;
};

const std::vector<FuncRow>& Functions() {
  static const std::vector<FuncRow> rows = {
      {TOX_TEXT, INVOKE_PROPERTYGET, L"Text", VT_BSTR, {}, 0},
      {TOX_TEXT, INVOKE_PROPERTYPUT, L"Text", VT_VOID, {{nullptr, VT_BSTR}}, 0},
      {TOX_BACKCOLOR, INVOKE_PROPERTYGET, L"BackColor", VT_I4, {}, 0},
      {TOX_BACKCOLOR, INVOKE_PROPERTYPUT, L"BackColor", VT_VOID, {{nullptr, VT_I4}}, 0},
      {TOX_LENGTH, INVOKE_PROPERTYGET, L"Length", VT_I4, {}, 0},
      {TOX_USERMODE, INVOKE_PROPERTYGET, L"UserMode", VT_BOOL, {}, 0},
      {TOX_ADD, INVOKE_FUNC, L"Add", VT_I4, {{L"a", VT_I4}, {L"b", VT_I4}}, 0},
      {TOX_REPEAT, INVOKE_FUNC, L"Repeat", VT_BSTR, {{L"text", VT_BSTR}, {L"count", VT_I2}}, 0},
      {TOX_SECRET, INVOKE_FUNC, L"Secret", VT_I4, {}, FUNCFLAG_FRESTRICTED},
      {TOX_FAIL, INVOKE_FUNC, L"Fail", VT_VOID, {}, 0},
      {TOX_FAILSAVE, INVOKE_PROPERTYGET, L"FailSave", VT_BOOL, {}, 0},
      {TOX_FAILSAVE, INVOKE_PROPERTYPUT, L"FailSave", VT_VOID, {{nullptr, VT_BOOL}}, 0},
  };
  return rows;
}

const VarRow kVars[] = {
    {TOX_VERSION, L"Version", VT_I4, VARFLAG_FREADONLY},
    {TOX_FACTOR, L"Factor", VT_R4, 0},
};

HRESULT AddFunction(ICreateTypeInfo* info, UINT index, const FuncRow& row) {
  std::vector<ELEMDESC> params(row.params.size());
  for (size_t i = 0; i < params.size(); ++i) {
    params[i].tdesc.vt = row.params[i].type;
    params[i].paramdesc.wParamFlags = PARAMFLAG_FIN;
  }
  FUNCDESC desc = {};
  desc.memid = row.id;
  desc.funckind = FUNC_DISPATCH;
  desc.invkind = row.kind;
  desc.callconv = CC_STDCALL;
  desc.cParams = static_cast<SHORT>(params.size());
  desc.lprgelemdescParam = params.empty() ? nullptr : params.data();
  desc.elemdescFunc.tdesc.vt = row.result;
  desc.wFuncFlags = row.flags;
  HRESULT hr = info->AddFuncDesc(index, &desc);
  if (FAILED(hr)) return hr;
  std::vector<LPOLESTR> names = {const_cast<LPOLESTR>(row.name)};
  for (const Param& p : row.params)
    if (p.name) names.push_back(const_cast<LPOLESTR>(p.name));
  return info->SetFuncAndParamNames(index, names.data(), static_cast<UINT>(names.size()));
}

HRESULT AddVariable(ICreateTypeInfo* info, UINT index, const VarRow& row) {
  VARDESC desc = {};
  desc.memid = row.id;
  desc.varkind = VAR_DISPATCH;
  desc.elemdescVar.tdesc.vt = row.type;
  desc.wVarFlags = row.flags;
  HRESULT hr = info->AddVarDesc(index, &desc);
  return FAILED(hr) ? hr : info->SetVarName(index, const_cast<LPOLESTR>(row.name));
}

HRESULT MakeInterface(ICreateTypeLib2* lib, const wchar_t* name, const IID& iid, bool members,
                      ICreateTypeInfo** out) {
  HRESULT hr = lib->CreateTypeInfo(const_cast<LPOLESTR>(name), TKIND_DISPATCH, out);
  if (FAILED(hr)) return hr;
  ICreateTypeInfo* info = *out;
  info->SetGuid(iid);
  if (!members) return info->LayOut();
  UINT index = 0;
  for (const FuncRow& row : Functions())
    if (FAILED(hr = AddFunction(info, index++, row))) return hr;
  index = 0;
  for (const VarRow& row : kVars)
    if (FAILED(hr = AddVariable(info, index++, row))) return hr;
  return info->LayOut();
}

HRESULT AddImplemented(ICreateTypeInfo* coclass, UINT index, ICreateTypeInfo* itf, INT flags) {
  ITypeInfo* info = nullptr;
  HRESULT hr = itf->QueryInterface(IID_ITypeInfo, reinterpret_cast<void**>(&info));
  if (FAILED(hr)) return hr;
  HREFTYPE ref = 0;
  hr = coclass->AddRefTypeInfo(info, &ref);
  info->Release();
  if (SUCCEEDED(hr)) hr = coclass->AddImplType(index, ref);
  if (SUCCEEDED(hr)) hr = coclass->SetImplTypeFlags(index, flags);
  return hr;
}

HRESULT Build(ICreateTypeLib2* lib) {
  lib->SetGuid(LIBID_QelTestOcx);
  lib->SetName(const_cast<LPOLESTR>(L"QelTestOcxLib"));
  lib->SetVersion(1, 0);
  ICreateTypeInfo* events = nullptr;
  ICreateTypeInfo* itf = nullptr;
  ICreateTypeInfo* coclass = nullptr;
  HRESULT hr = MakeInterface(lib, L"DQelTestOcxEvents", DIID_DQelTestOcxEvents, false, &events);
  if (SUCCEEDED(hr)) hr = MakeInterface(lib, L"DQelTestOcx", DIID_DQelTestOcx, true, &itf);
  if (SUCCEEDED(hr)) hr = lib->CreateTypeInfo(const_cast<LPOLESTR>(L"QelTestOcx"), TKIND_COCLASS, &coclass);
  if (SUCCEEDED(hr)) {
    coclass->SetGuid(CLSID_QelTestOcx);
    // The source first: a container must skip it to find the default interface.
    hr = AddImplemented(coclass, 0, events, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE);
    if (SUCCEEDED(hr)) hr = AddImplemented(coclass, 1, itf, IMPLTYPEFLAG_FDEFAULT);
    if (SUCCEEDED(hr)) hr = coclass->LayOut();
  }
  for (ICreateTypeInfo* info : {events, itf, coclass})
    if (info) info->Release();
  return hr;
}

HRESULT TypeLib(ITypeLib** out) {
  if (!g_typeLib) {
    ICreateTypeLib2* lib = nullptr;
    HRESULT hr = ::CreateTypeLib2(SYS_WIN32, L"QelTestOcx.tlb", &lib);
    if (FAILED(hr)) return hr;
    hr = Build(lib);
    if (SUCCEEDED(hr)) hr = lib->QueryInterface(IID_ITypeLib, reinterpret_cast<void**>(&g_typeLib));
    lib->Release();
    if (FAILED(hr)) return hr;
  }
  *out = g_typeLib;
  return S_OK;
}

HRESULT InfoOf(const GUID& guid, ITypeInfo** info) {
  if (!info) return E_POINTER;
  *info = nullptr;
  ITypeLib* lib = nullptr;
  HRESULT hr = TypeLib(&lib);
  return FAILED(hr) ? hr : lib->GetTypeInfoOfGuid(guid, info);
}

}  // namespace

HRESULT TestOcxClassTypeInfo(ITypeInfo** info) { return InfoOf(CLSID_QelTestOcx, info); }

HRESULT TestOcxInterfaceTypeInfo(ITypeInfo** info) { return InfoOf(DIID_DQelTestOcx, info); }

void TestOcxFreeTypeLib() {
  if (g_typeLib) g_typeLib->Release();
  g_typeLib = nullptr;
}
