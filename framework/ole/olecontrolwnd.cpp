#include "olecontrolwnd.h"

#include <ocidl.h>

#include <new>

#include "olecontainment.h"
#include "olecontrolsite.h"
#include "wndclass.h"
#include "wndmodule.h"

namespace {

// The hosting window's class: a plain window of this module, filled with the
// window colour where a control leaves its area unpainted.
const char kSiteClassName[] = "QelOleControlSite";

const char* SiteClass() {
  WNDCLASSA existing = {};
  if (!::GetClassInfoA(QelGetInstanceHandle(), kSiteClassName, &existing))
    QelRegisterCreatingClass(kSiteClassName, CS_DBLCLKS,
                             reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)),
                             ::LoadCursor(nullptr, IDC_ARROW), ::DefWindowProcA);
  return kSiteClassName;
}

// Runs one step of the release; a control that throws does not stop the rest.
template <class Fn>
void Step(Fn fn) {
  try {
    fn();
  } catch (...) {
  }
}

}  // namespace

COleControlWnd::COleControlWnd() = default;

COleControlWnd::~COleControlWnd() { ReleaseControl(); }

BOOL COleControlWnd::CreateControl(const OleControlParams& params) {
  if (!QelControlContainerEnabled() || m_hWnd || m_unknown) return FALSE;
  HRESULT hr = ::CoCreateInstance(params.clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER,
                                  IID_IUnknown, m_unknown.OutVoid());
  if (FAILED(hr) || !m_unknown || FAILED(m_oleObject.QueryFrom(m_unknown.Get(), IID_IOleObject))) {
    m_oleObject.Release();
    m_unknown.Release();
    return FALSE;
  }
  const RECT& r = params.rect;
  if (!CreateEx(0, SiteClass(), params.text ? params.text : "", params.style, r.left, r.top, r.right - r.left,
                r.bottom - r.top, params.parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(params.id)))) {
    CloseAndRelease();
    return FALSE;
  }
  m_site = new (std::nothrow) COleControlSite(this, OleAmbientState{params.userMode});
  if (!m_site) {
    ReleaseControl();
    return FALSE;
  }
  m_oleObject->GetMiscStatus(DVASPECT_CONTENT, &m_miscStatus);
  // Some controls read their ambient properties while they initialise.
  const bool siteFirst = (m_miscStatus & OLEMISC_SETCLIENTSITEFIRST) != 0;
  if (siteFirst) m_oleObject->SetClientSite(m_site);
  InitControlState(params.state);
  if (!siteFirst) m_oleObject->SetClientSite(m_site);
  ConnectAdvise();
  RECT client;
  GetClientRect(&client);
  SetControlExtent(client.right, client.bottom);
  const bool hidden = params.userMode && (m_miscStatus & OLEMISC_INVISIBLEATRUNTIME);
  if (!hidden) ActivateInPlace();
  return TRUE;
}

void COleControlWnd::InitControlState(IStream* state) {
  QComPtr<IPersistStreamInit> persist;
  if (FAILED(persist.QueryFrom(m_unknown.Get(), IID_IPersistStreamInit))) return;
  // A state that does not load leaves the control as new rather than half-read.
  if (!state || FAILED(persist->Load(state))) persist->InitNew();
}

void COleControlWnd::ConnectAdvise() {
  m_advise.reset(new COleObjectAdviseHolder(m_oleObject.Get()));
  DWORD cookie = 0;
  if (SUCCEEDED(m_oleObject->Advise(static_cast<IAdviseSink*>(m_site), &cookie)))
    m_advise->m_dwCookie = cookie;
  if (SUCCEEDED(m_viewObject.QueryFrom(m_unknown.Get(), IID_IViewObject)))
    m_viewObject->SetAdvise(DVASPECT_CONTENT, 0, static_cast<IAdviseSink*>(m_site));
}

void COleControlWnd::ActivateInPlace() {
  RECT client;
  GetClientRect(&client);
  m_oleObject->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, static_cast<IOleClientSite*>(m_site), 0, m_hWnd,
                      &client);
}

void COleControlWnd::SetControlExtent(int cx, int cy) {
  if (!m_oleObject) return;
  SIZEL extent = {HimetricFromPixels(cx, ScreenPixelsPerInch(true)),
                  HimetricFromPixels(cy, ScreenPixelsPerInch(false))};
  m_oleObject->SetExtent(DVASPECT_CONTENT, &extent);
}

void COleControlWnd::OnControlActivated() { m_inPlace.QueryFrom(m_unknown.Get(), IID_IOleInPlaceObject); }

void COleControlWnd::OnControlDeactivated() { m_inPlace.Release(); }

void COleControlWnd::PlaceControl() {
  if (!m_inPlace || !m_hWnd) return;
  RECT client;
  GetClientRect(&client);
  m_inPlace->SetObjectRects(&client, &client);
}

HWND COleControlWnd::GetControlWindow() const {
  HWND window = nullptr;
  if (!m_inPlace || FAILED(m_inPlace->GetWindow(&window))) return nullptr;
  return window;
}

LRESULT COleControlWnd::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SIZE:
      SetControlExtent(LOWORD(lp), HIWORD(lp));
      PlaceControl();
      return 0;
    case WM_SETFOCUS:
      if (HWND control = GetControlWindow()) ::SetFocus(control);
      return 0;
    case WM_DESTROY:
      // The parent is going (its children with it): the control lets go of
      // its window while that still exists.
      Deactivate();
      CloseAndRelease();
      break;
  }
  return CWnd::WindowProc(msg, wp, lp);
}

void COleControlWnd::Deactivate() {
  if (!m_inPlace) return;
  QComPtr<IOleInPlaceObject> inPlace = m_inPlace;
  Step([&] { inPlace->UIDeactivate(); });
  Step([&] { inPlace->InPlaceDeactivate(); });
  m_inPlace.Release();
}

void COleControlWnd::CloseAndRelease() {
  if (m_oleObject) Step([&] { m_oleObject->Close(OLECLOSE_NOSAVE); });
  if (m_viewObject) Step([&] { m_viewObject->SetAdvise(DVASPECT_CONTENT, 0, nullptr); });
  Step([&] { m_advise.reset(); });  // revokes the advise cookie, releases its reference
  if (m_oleObject && m_site) Step([&] { m_oleObject->SetClientSite(nullptr); });
  if (m_site) {
    m_site->Disconnect();
    m_site->Release();
    m_site = nullptr;
  }
  Step([&] { m_viewObject.Release(); });
  Step([&] { m_oleObject.Release(); });
  Step([&] { m_unknown.Release(); });
}

void COleControlWnd::ReleaseControl() {
  Deactivate();
  CloseAndRelease();
  if (m_hWnd) DestroyWindow();
}
