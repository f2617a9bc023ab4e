// The control object: its interfaces and its life.
#include "testocx_control.h"

#include "testocx_ids.h"
#include "testocx_module.h"

CTestOcx::CTestOcx(const CLSID& clsid, unsigned features)
    : m_clsid(clsid), m_features(features), m_state{TESTOCX_DEFAULT_TEXT, kTestOcxDefaultBack, 1.0f} {
  TestOcxObjectMade();
}

CTestOcx::~CTestOcx() {
  TestOcxLogCall("Release");
  if (m_window) ::DestroyWindow(m_window);
  if (m_inPlaceSite) m_inPlaceSite->Release();
  if (m_site) m_site->Release();
  if (m_adviseHolder) m_adviseHolder->Release();
  TestOcxObjectGone();
}

HRESULT CTestOcx::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (iid == IID_IUnknown || iid == IID_IDispatch || iid == DIID_DQelTestOcx)
    *out = static_cast<IDispatch*>(this);
  else if (iid == IID_IProvideClassInfo && (m_features & TOF_CLASSINFO))
    *out = static_cast<IProvideClassInfo*>(this);
  else if (iid == IID_IPersist || iid == IID_IPersistStreamInit)
    *out = static_cast<IPersistStreamInit*>(this);
  else if (iid == IID_ISpecifyPropertyPages && (m_features & TOF_PAGES))
    *out = static_cast<ISpecifyPropertyPages*>(this);
  else if (iid == IID_IOleObject)
    *out = static_cast<IOleObject*>(this);
  else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceObject)
    *out = static_cast<IOleInPlaceObject*>(this);
  else if (iid == IID_IOleControl)
    *out = static_cast<IOleControl*>(this);
  else
    return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

ULONG CTestOcx::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&m_refs)); }

ULONG CTestOcx::Release() {
  LONG left = ::InterlockedDecrement(&m_refs);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

void CTestOcx::Repaint() {
  if (m_window) ::InvalidateRect(m_window, nullptr, TRUE);
}

bool CTestOcx::AmbientUserMode() {
  IDispatch* ambient = nullptr;
  if (!m_site || FAILED(m_site->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&ambient))))
    return true;  // no container that says otherwise
  DISPPARAMS none = {};
  VARIANT value;
  ::VariantInit(&value);
  HRESULT hr = ambient->Invoke(DISPID_AMBIENT_USERMODE, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &value,
                               nullptr, nullptr);
  ambient->Release();
  bool userMode = true;
  if (SUCCEEDED(hr) && SUCCEEDED(::VariantChangeType(&value, &value, 0, VT_BOOL)))
    userMode = value.boolVal != VARIANT_FALSE;
  ::VariantClear(&value);
  return userMode;
}

// ---- IOleControl -----------------------------------------------------------

HRESULT CTestOcx::GetControlInfo(CONTROLINFO* info) {
  if (!info) return E_POINTER;
  info->hAccel = nullptr;
  info->cAccel = 0;
  info->dwFlags = 0;
  return S_OK;
}

HRESULT CTestOcx::OnMnemonic(MSG*) { return S_OK; }

HRESULT CTestOcx::OnAmbientPropertyChange(DISPID) {
  Repaint();
  return S_OK;
}

HRESULT CTestOcx::FreezeEvents(WINBOOL) { return S_OK; }
