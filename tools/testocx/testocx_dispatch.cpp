// The control's IDispatch (members by a switch on the dispatch id) and its
// class information.
#include <windows.h>
#include <oleauto.h>

#include <string>

#include "testocx_control.h"
#include "testocx_ids.h"
#include "testocx_module.h"

namespace {

HRESULT Coerce(VARIANT* in, VARTYPE type, VARIANT* out) {
  ::VariantInit(out);
  return ::VariantChangeType(out, in, 0, type);
}

void ReturnLong(VARIANT* result, LONG value) {
  if (!result) return;
  result->vt = VT_I4;
  result->lVal = value;
}

void ReturnBool(VARIANT* result, bool value) {
  if (!result) return;
  result->vt = VT_BOOL;
  result->boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
}

void ReturnText(VARIANT* result, const std::wstring& text) {
  if (!result) return;
  result->vt = VT_BSTR;
  result->bstrVal = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

struct NameRow {
  const wchar_t* name;
  DISPID id;
};
const NameRow kNames[] = {
    {L"Text", TOX_TEXT},       {L"BackColor", TOX_BACKCOLOR},
    {L"Length", TOX_LENGTH},   {L"UserMode", TOX_USERMODE},
    {L"Add", TOX_ADD},         {L"Repeat", TOX_REPEAT},
    {L"Version", TOX_VERSION}, {L"Factor", TOX_FACTOR},
    {L"Fail", TOX_FAIL},       {L"FailSave", TOX_FAILSAVE},
};

}  // namespace

HRESULT CTestOcx::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = (m_features & TOF_TYPEINFO) ? 1 : 0;
  return S_OK;
}

HRESULT CTestOcx::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
  if (!info) return E_POINTER;
  *info = nullptr;
  if (!(m_features & TOF_TYPEINFO)) return E_NOTIMPL;
  if (index != 0) return DISP_E_BADINDEX;
  return TestOcxInterfaceTypeInfo(info);
}

HRESULT CTestOcx::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (!names || !ids || count == 0) return E_POINTER;
  for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
  for (const NameRow& row : kNames)
    if (::lstrcmpiW(row.name, names[0]) == 0) {
      ids[0] = row.id;
      return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
    }
  return DISP_E_UNKNOWNNAME;
}

HRESULT CTestOcx::GetClassInfo(ITypeInfo** info) { return TestOcxClassTypeInfo(info); }

HRESULT CTestOcx::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                         EXCEPINFO* exception, UINT* badArg) {
  if (!params) return E_POINTER;
  if (result) ::VariantInit(result);
  if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
    if (params->cArgs != 1 || params->cNamedArgs != 1 || params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)
      return DISP_E_BADPARAMCOUNT;
    return PutProperty(id, &params->rgvarg[0]);
  }
  if ((flags & DISPATCH_PROPERTYGET) && params->cArgs == 0) {
    HRESULT hr = GetProperty(id, result);
    if (hr != DISP_E_MEMBERNOTFOUND || !(flags & DISPATCH_METHOD)) return hr;
  }
  if (flags & DISPATCH_METHOD) return CallMethod(id, params, result, exception, badArg);
  return DISP_E_MEMBERNOTFOUND;
}

HRESULT CTestOcx::GetProperty(DISPID id, VARIANT* result) {
  switch (id) {
    case TOX_TEXT: ReturnText(result, m_state.text); return S_OK;
    case TOX_BACKCOLOR: ReturnLong(result, m_state.backColor); return S_OK;
    case TOX_LENGTH: ReturnLong(result, static_cast<LONG>(m_state.text.size())); return S_OK;
    case TOX_USERMODE: ReturnBool(result, AmbientUserMode()); return S_OK;
    case TOX_VERSION: ReturnLong(result, kTestOcxVersion); return S_OK;
    case TOX_FAILSAVE: ReturnBool(result, m_failSave); return S_OK;
    case TOX_FACTOR:
      if (result) {
        result->vt = VT_R4;
        result->fltVal = m_state.factor;
      }
      return S_OK;
  }
  return DISP_E_MEMBERNOTFOUND;
}

HRESULT CTestOcx::PutProperty(DISPID id, VARIANT* value) {
  static const struct {
    DISPID id;
    VARTYPE type;
  } kPuts[] = {{TOX_TEXT, VT_BSTR}, {TOX_BACKCOLOR, VT_I4}, {TOX_FACTOR, VT_R4}, {TOX_FAILSAVE, VT_BOOL}};
  for (const auto& put : kPuts) {
    if (put.id != id) continue;
    VARIANT v;
    HRESULT hr = Coerce(value, put.type, &v);
    if (FAILED(hr)) return DISP_E_TYPEMISMATCH;
    switch (id) {
      case TOX_TEXT: m_state.text.assign(v.bstrVal, ::SysStringLen(v.bstrVal)); break;
      case TOX_BACKCOLOR: m_state.backColor = v.lVal; break;
      case TOX_FACTOR: m_state.factor = v.fltVal; break;
      case TOX_FAILSAVE: m_failSave = v.boolVal != VARIANT_FALSE; return S_OK;
    }
    ::VariantClear(&v);
    m_dirty = true;
    Repaint();
    return S_OK;
  }
  return DISP_E_MEMBERNOTFOUND;
}

HRESULT CTestOcx::CallMethod(DISPID id, DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                             UINT* badArg) {
  struct Arity {
    DISPID id;
    UINT count;
  };
  static const Arity kArity[] = {{TOX_ADD, 2}, {TOX_REPEAT, 2}, {TOX_SECRET, 0}, {TOX_FAIL, 0}};
  const Arity* arity = nullptr;
  for (const Arity& a : kArity)
    if (a.id == id) arity = &a;
  if (!arity) return DISP_E_MEMBERNOTFOUND;
  if (params->cArgs != arity->count) return DISP_E_BADPARAMCOUNT;
  VARIANT a, b;
  ::VariantInit(&a);
  ::VariantInit(&b);
  HRESULT hr = S_OK;
  switch (id) {
    case TOX_ADD:
      if (FAILED(hr = ::DispGetParam(params, 0, VT_I4, &a, badArg))) return hr;
      if (FAILED(hr = ::DispGetParam(params, 1, VT_I4, &b, badArg))) return hr;
      ReturnLong(result, a.lVal + b.lVal);
      return S_OK;
    case TOX_REPEAT: {
      if (FAILED(hr = ::DispGetParam(params, 0, VT_BSTR, &a, badArg))) return hr;
      if (FAILED(hr = ::DispGetParam(params, 1, VT_I2, &b, badArg))) {
        ::VariantClear(&a);
        return hr;
      }
      std::wstring piece(a.bstrVal, ::SysStringLen(a.bstrVal)), text;
      for (SHORT i = 0; i < b.iVal && i < 1000; ++i) text += piece;
      ::VariantClear(&a);
      ReturnText(result, text);
      return S_OK;
    }
    case TOX_SECRET: ReturnLong(result, 42); return S_OK;
    case TOX_FAIL:
      if (exception) {
        *exception = EXCEPINFO();
        exception->scode = E_FAIL;
        exception->bstrSource = ::SysAllocString(L"QelTestOcx");
        exception->bstrDescription = ::SysAllocString(TESTOCX_FAIL_TEXT);
      }
      return DISP_E_EXCEPTION;
  }
  return DISP_E_MEMBERNOTFOUND;
}
