// COcxDispatch: preparing and making one call into a control.
#include "ocxdispatch.h"

#include <cstring>

#include "oletext.h"

namespace {

template <class T>
T Narrow(uint64_t bits) {
  return static_cast<T>(bits);
}

float FloatOf(uint64_t bits) {
  const uint32_t low = static_cast<uint32_t>(bits);
  float f;
  std::memcpy(&f, &low, sizeof f);
  return f;
}

double DoubleOf(uint64_t bits) {
  double d;
  std::memcpy(&d, &bits, sizeof d);
  return d;
}

}  // namespace

bool OcxValueToVariant(const OcxValue& value, VARIANT* out) {
  ::VariantInit(out);
  switch (value.type) {
    case OVT_I8:
      out->vt = VT_I1;
      out->cVal = Narrow<CHAR>(value.bits);
      return true;
    case OVT_U8:
      out->vt = VT_UI1;
      out->bVal = Narrow<BYTE>(value.bits);
      return true;
    case OVT_I16:
      out->vt = VT_I2;
      out->iVal = Narrow<SHORT>(value.bits);
      return true;
    case OVT_U16:
      out->vt = VT_UI2;
      out->uiVal = Narrow<USHORT>(value.bits);
      return true;
    case OVT_I32:
      out->vt = VT_I4;
      out->lVal = Narrow<LONG>(value.bits);
      return true;
    case OVT_U32:
      out->vt = VT_UI4;
      out->ulVal = Narrow<ULONG>(value.bits);
      return true;
    case OVT_F32:
      out->vt = VT_R4;
      out->fltVal = FloatOf(value.bits);
      return true;
    case OVT_I64:
      out->vt = VT_I8;
      out->llVal = Narrow<LONGLONG>(value.bits);
      return true;
    case OVT_F64:
      out->vt = VT_R8;
      out->dblVal = DoubleOf(value.bits);
      return true;
    case OVT_TEXT:
      out->bstrVal = BstrFromText(value.text.GetString());
      if (!out->bstrVal) return false;
      out->vt = VT_BSTR;
      return true;
  }
  return false;
}

COcxDispatch::COcxDispatch(COleControlWnd* control) : m_control(control) { ::VariantInit(&m_result); }

COcxDispatch::~COcxDispatch() {
  FreeArguments();
  ClearResult();
}

void COcxDispatch::FreeArguments() {
  for (VARIANT& v : m_args) ::VariantClear(&v);
  m_args.clear();
}

void COcxDispatch::ClearResult() {
  ::VariantClear(&m_result);
  ::SysFreeString(m_exception.bstrSource);
  ::SysFreeString(m_exception.bstrDescription);
  ::SysFreeString(m_exception.bstrHelpFile);
  m_exception = EXCEPINFO();
  m_bException = false;
}

const COcxMember* COcxDispatch::Find(const char* name, int kind) const {
  for (const COcxMember& m : m_members) {
    if (m.name.Compare(name) != 0) continue;
    if (kind == OCK_METHOD || m.kind == kind) return &m;
  }
  return nullptr;
}

BOOL COcxDispatch::Prepare(const char* name, const OcxValue* args, int count, int kind) {
  if (!name) return FALSE;
  const COcxMember* member = Find(name, kind);
  if (!member) return FALSE;
  FreeArguments();
  ClearResult();
  m_prepared = nullptr;
  if (count < 0 || static_cast<size_t>(count) != member->args.size() || (count > 0 && !args)) return FALSE;
  m_args.resize(static_cast<size_t>(count));
  for (VARIANT& v : m_args) ::VariantInit(&v);
  for (int i = 0; i < count; ++i)
    if (!OcxValueToVariant(args[i], &m_args[static_cast<size_t>(count - 1 - i)])) return FALSE;
  m_prepared = member;
  m_callKind = kind;
  return TRUE;
}

BOOL COcxDispatch::Invoke() {
  if (!m_prepared || !m_dispatch) return FALSE;
  DISPID putId = DISPID_PROPERTYPUT;
  DISPPARAMS params = {m_args.empty() ? nullptr : m_args.data(), nullptr, static_cast<UINT>(m_args.size()),
                       0};
  if (m_callKind & (OCK_PUT | OCK_PUTREF)) {
    params.rgdispidNamedArgs = &putId;
    params.cNamedArgs = 1;
  }
  ClearResult();
  UINT badArg = 0;
  HRESULT hr = m_dispatch->Invoke(m_prepared->id, IID_NULL, ::GetUserDefaultLCID(),
                                  static_cast<WORD>(m_callKind), &params, &m_result, &m_exception, &badArg);
  if (FAILED(hr)) {
    m_bException = hr == DISP_E_EXCEPTION;
    return FALSE;
  }
  return TRUE;
}
