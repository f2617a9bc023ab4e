// The control as an OLE object: its site, advise sinks, verbs (in-place
// activation in a window of its own inside the container's window), extent
// and closing.
#include <windows.h>
#include <ole2.h>

#include "testocx_control.h"
#include "testocx_module.h"

namespace {

constexpr DWORD kMiscStatus = OLEMISC_SETCLIENTSITEFIRST | OLEMISC_ACTIVATEWHENVISIBLE |
                              OLEMISC_RECOMPOSEONRESIZE | OLEMISC_INSIDEOUT | OLEMISC_CANTLINKINSIDE;

}  // namespace

HRESULT CTestOcx::SetClientSite(IOleClientSite* site) {
  TestOcxLogCall(site ? "SetClientSite" : "SetClientSite(null)");
  if (site) site->AddRef();
  if (m_site) m_site->Release();
  m_site = site;
  return S_OK;
}

HRESULT CTestOcx::GetClientSite(IOleClientSite** site) {
  if (!site) return E_POINTER;
  *site = m_site;
  if (m_site) m_site->AddRef();
  return S_OK;
}

HRESULT CTestOcx::SetHostNames(LPCOLESTR, LPCOLESTR) { return S_OK; }

HRESULT CTestOcx::Close(DWORD) {
  TestOcxLogCall("Close");
  InPlaceDeactivate();
  if (m_adviseHolder) m_adviseHolder->SendOnClose();
  return S_OK;
}

HRESULT CTestOcx::SetMoniker(DWORD, IMoniker*) { return E_NOTIMPL; }

HRESULT CTestOcx::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
  if (moniker) *moniker = nullptr;
  return E_NOTIMPL;
}

HRESULT CTestOcx::InitFromData(IDataObject*, WINBOOL, DWORD) { return E_NOTIMPL; }

HRESULT CTestOcx::GetClipboardData(DWORD, IDataObject** data) {
  if (data) *data = nullptr;
  return E_NOTIMPL;
}

HRESULT CTestOcx::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND, LPCRECT) {
  switch (verb) {
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_INPLACEACTIVATE:
    case OLEIVERB_UIACTIVATE: return ActivateInPlace(site ? site : m_site);
    case OLEIVERB_HIDE:
      if (m_window) ::ShowWindow(m_window, SW_HIDE);
      return S_OK;
  }
  return OLEOBJ_S_INVALIDVERB;
}

HRESULT CTestOcx::ActivateInPlace(IOleClientSite* site) {
  if (m_window) return S_OK;
  if (!site) return E_UNEXPECTED;
  IOleInPlaceSite* inPlace = nullptr;
  if (FAILED(site->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&inPlace))))
    return E_NOINTERFACE;
  HWND parent = nullptr;
  IOleInPlaceFrame* frame = nullptr;
  IOleInPlaceUIWindow* doc = nullptr;
  RECT position = {}, clip = {};
  OLEINPLACEFRAMEINFO info = {};
  info.cb = sizeof info;
  if (inPlace->CanInPlaceActivate() != S_OK || FAILED(inPlace->GetWindow(&parent)) ||
      FAILED(inPlace->GetWindowContext(&frame, &doc, &position, &clip, &info))) {
    inPlace->Release();
    return E_FAIL;
  }
  if (frame) frame->Release();
  if (doc) doc->Release();
  inPlace->OnInPlaceActivate();
  m_inPlaceSite = inPlace;
  m_window = CreateTestOcxWindow(this, parent, position);
  TestOcxLogCall("InPlaceActivate");
  return m_window ? S_OK : E_FAIL;
}

HRESULT CTestOcx::EnumVerbs(IEnumOLEVERB** verbs) {
  if (verbs) *verbs = nullptr;
  return OLEOBJ_E_NOVERBS;
}

HRESULT CTestOcx::Update() { return S_OK; }

HRESULT CTestOcx::IsUpToDate() { return S_OK; }

HRESULT CTestOcx::GetUserClassID(CLSID* clsid) { return GetClassID(clsid); }

HRESULT CTestOcx::GetUserType(DWORD form, LPOLESTR* type) { return ::OleRegGetUserType(m_clsid, form, type); }

HRESULT CTestOcx::SetExtent(DWORD aspect, SIZEL* size) {
  if (aspect != DVASPECT_CONTENT) return E_FAIL;
  if (!size) return E_POINTER;
  m_extent = *size;
  return S_OK;
}

HRESULT CTestOcx::GetExtent(DWORD aspect, SIZEL* size) {
  if (aspect != DVASPECT_CONTENT) return E_FAIL;
  if (!size) return E_POINTER;
  *size = m_extent;
  return S_OK;
}

HRESULT CTestOcx::Advise(IAdviseSink* sink, DWORD* connection) {
  if (!m_adviseHolder && FAILED(::CreateOleAdviseHolder(&m_adviseHolder))) return E_OUTOFMEMORY;
  return m_adviseHolder->Advise(sink, connection);
}

HRESULT CTestOcx::Unadvise(DWORD connection) {
  TestOcxLogCall("Unadvise");
  return m_adviseHolder ? m_adviseHolder->Unadvise(connection) : OLE_E_NOCONNECTION;
}

HRESULT CTestOcx::EnumAdvise(IEnumSTATDATA** advise) {
  if (advise) *advise = nullptr;
  return E_NOTIMPL;
}

HRESULT CTestOcx::GetMiscStatus(DWORD, DWORD* status) {
  if (!status) return E_POINTER;
  *status = kMiscStatus;
  return S_OK;
}

HRESULT CTestOcx::SetColorScheme(LOGPALETTE*) { return E_NOTIMPL; }

// ---- IOleInPlaceObject ------------------------------------------------------------

HRESULT CTestOcx::GetWindow(HWND* window) {
  if (!window) return E_POINTER;
  *window = m_window;
  return m_window ? S_OK : E_FAIL;
}

HRESULT CTestOcx::ContextSensitiveHelp(WINBOOL) { return E_NOTIMPL; }

HRESULT CTestOcx::InPlaceDeactivate() {
  if (!m_inPlaceSite) return S_OK;
  TestOcxLogCall("InPlaceDeactivate");
  if (m_window) ::DestroyWindow(m_window);
  m_window = nullptr;
  IOleInPlaceSite* site = m_inPlaceSite;
  m_inPlaceSite = nullptr;
  site->OnInPlaceDeactivate();
  site->Release();
  return S_OK;
}

HRESULT CTestOcx::UIDeactivate() { return S_OK; }

HRESULT CTestOcx::SetObjectRects(LPCRECT position, LPCRECT) {
  if (!position) return E_POINTER;
  if (m_window)
    ::MoveWindow(m_window, position->left, position->top, position->right - position->left,
                 position->bottom - position->top, TRUE);
  return S_OK;
}

HRESULT CTestOcx::ReactivateAndUndo() { return E_NOTIMPL; }
