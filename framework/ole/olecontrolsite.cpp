#include "olecontrolsite.h"

#include <olectl.h>

#include <new>

#include "olecontrolwnd.h"
#include "oleinplaceframe.h"

namespace {

constexpr LONG kHimetricPerInch = 2540;

}  // namespace

LONG HimetricFromPixels(LONG pixels, int pixelsPerInch) {
  return ::MulDiv(pixels, kHimetricPerInch, pixelsPerInch > 0 ? pixelsPerInch : 96);
}

LONG PixelsFromHimetric(LONG himetric, int pixelsPerInch) {
  return ::MulDiv(himetric, pixelsPerInch > 0 ? pixelsPerInch : 96, kHimetricPerInch);
}

int ScreenPixelsPerInch(bool across) {
  HDC screen = ::GetDC(nullptr);
  int ppi = screen ? ::GetDeviceCaps(screen, across ? LOGPIXELSX : LOGPIXELSY) : 96;
  if (screen) ::ReleaseDC(nullptr, screen);
  return ppi > 0 ? ppi : 96;
}

COleControlSite::COleControlSite(COleControlWnd* owner, const OleAmbientState& ambient)
    : m_owner(owner), m_ambient(ambient) {}

HWND COleControlSite::SiteWindow() const { return m_owner ? m_owner->GetSafeHwnd() : nullptr; }

// ---- IUnknown ---------------------------------------------------------------

HRESULT COleControlSite::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (iid == IID_IUnknown || iid == IID_IOleClientSite)
    *out = static_cast<IOleClientSite*>(this);
  else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite)
    *out = static_cast<IOleInPlaceSite*>(this);
  else if (iid == IID_IOleControlSite)
    *out = static_cast<IOleControlSite*>(this);
  else if (iid == IID_IDispatch)
    *out = static_cast<IDispatch*>(this);
  else if (iid == IID_IAdviseSink)
    *out = static_cast<IAdviseSink*>(this);
  else
    return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

ULONG COleControlSite::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&m_refs)); }

ULONG COleControlSite::Release() {
  LONG left = ::InterlockedDecrement(&m_refs);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

// ---- IOleClientSite -----------------------------------------------------------
// The system keeps a control's state itself (the draw object asks for it), so
// the control is never saved through its site and has no moniker or container.

HRESULT COleControlSite::SaveObject() { return E_NOTIMPL; }

HRESULT COleControlSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
  if (moniker) *moniker = nullptr;
  return E_NOTIMPL;
}

HRESULT COleControlSite::GetContainer(IOleContainer** container) {
  if (container) *container = nullptr;
  return E_NOINTERFACE;
}

HRESULT COleControlSite::ShowObject() { return m_owner ? S_OK : E_UNEXPECTED; }

HRESULT COleControlSite::OnShowWindow(WINBOOL) { return S_OK; }

HRESULT COleControlSite::RequestNewObjectLayout() { return E_NOTIMPL; }

// ---- IOleInPlaceSite -----------------------------------------------------------

HRESULT COleControlSite::GetWindow(HWND* window) {
  if (!window) return E_POINTER;
  *window = SiteWindow();
  return *window ? S_OK : E_FAIL;
}

HRESULT COleControlSite::ContextSensitiveHelp(WINBOOL) { return E_NOTIMPL; }

HRESULT COleControlSite::CanInPlaceActivate() { return SiteWindow() ? S_OK : S_FALSE; }

HRESULT COleControlSite::OnInPlaceActivate() {
  if (!m_owner) return E_UNEXPECTED;
  m_owner->OnControlActivated();
  return S_OK;
}

HRESULT COleControlSite::OnUIActivate() { return m_owner ? S_OK : E_UNEXPECTED; }

HRESULT COleControlSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc,
                                          LPRECT position, LPRECT clip, LPOLEINPLACEFRAMEINFO info) {
  if (frame) *frame = nullptr;
  if (doc) *doc = nullptr;  // the frame serves as the document window too
  HWND window = SiteWindow();
  if (!window) return E_UNEXPECTED;
  if (!frame || !position || !clip || !info) return E_POINTER;
  HWND top = ::GetAncestor(window, GA_ROOT);
  *frame = new (std::nothrow) COleInPlaceFrame(top ? top : window);  // no exception leaves a COM call
  if (!*frame) return E_OUTOFMEMORY;
  ::GetClientRect(window, position);
  *clip = *position;
  info->cb = sizeof *info;
  info->fMDIApp = FALSE;
  info->hwndFrame = top ? top : window;
  info->haccel = nullptr;
  info->cAccelEntries = 0;
  return S_OK;
}

HRESULT COleControlSite::Scroll(SIZE) { return E_NOTIMPL; }

HRESULT COleControlSite::OnUIDeactivate(WINBOOL) { return S_OK; }

HRESULT COleControlSite::OnInPlaceDeactivate() {
  if (m_owner) m_owner->OnControlDeactivated();
  return S_OK;
}

HRESULT COleControlSite::DiscardUndoState() { return S_OK; }

HRESULT COleControlSite::DeactivateAndUndo() { return S_OK; }

// The object's rectangle in the picture decides the size: the control is put
// back where its window is.
HRESULT COleControlSite::OnPosRectChange(LPCRECT) {
  if (!m_owner) return E_UNEXPECTED;
  m_owner->PlaceControl();
  return S_OK;
}

// ---- IOleControlSite ------------------------------------------------------------

HRESULT COleControlSite::OnControlInfoChanged() { return S_OK; }

HRESULT COleControlSite::LockInPlaceActive(WINBOOL) { return S_OK; }

HRESULT COleControlSite::GetExtendedControl(IDispatch** dispatch) {
  if (dispatch) *dispatch = nullptr;
  return E_NOTIMPL;
}

HRESULT COleControlSite::TransformCoords(POINTL* himetric, POINTF* container, DWORD flags) {
  if (!himetric || !container) return E_POINTER;
  const int ppiX = ScreenPixelsPerInch(true);
  const int ppiY = ScreenPixelsPerInch(false);
  if (flags & XFORMCOORDS_HIMETRICTOCONTAINER) {
    container->x = static_cast<float>(PixelsFromHimetric(himetric->x, ppiX));
    container->y = static_cast<float>(PixelsFromHimetric(himetric->y, ppiY));
  } else if (flags & XFORMCOORDS_CONTAINERTOHIMETRIC) {
    himetric->x = HimetricFromPixels(static_cast<LONG>(container->x), ppiX);
    himetric->y = HimetricFromPixels(static_cast<LONG>(container->y), ppiY);
  } else {
    return E_INVALIDARG;
  }
  return S_OK;
}

HRESULT COleControlSite::TranslateAccelerator(MSG*, DWORD) { return S_FALSE; }

HRESULT COleControlSite::OnFocus(WINBOOL) { return S_OK; }

HRESULT COleControlSite::ShowPropertyFrame() { return E_NOTIMPL; }

// ---- IDispatch: ambient properties ------------------------------------------------

HRESULT COleControlSite::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT COleControlSite::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info) *info = nullptr;
  return E_NOTIMPL;
}

HRESULT COleControlSite::GetIDsOfNames(REFIID, LPOLESTR*, UINT count, LCID, DISPID* ids) {
  for (UINT i = 0; ids && i < count; ++i) ids[i] = DISPID_UNKNOWN;
  return DISP_E_UNKNOWNNAME;
}

HRESULT COleControlSite::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                EXCEPINFO*, UINT*) {
  if (!(flags & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;
  if (params && params->cArgs != 0) return DISP_E_BADPARAMCOUNT;
  if (!result) return E_POINTER;
  return GetAmbientProperty(id, m_ambient, result);
}

// ---- IAdviseSink --------------------------------------------------------------

void COleControlSite::OnDataChange(FORMATETC*, STGMEDIUM*) {}

// A control that draws without a window of its own asks to be repainted.
void COleControlSite::OnViewChange(DWORD, LONG) {
  if (HWND window = SiteWindow()) ::InvalidateRect(window, nullptr, FALSE);
}

void COleControlSite::OnRename(IMoniker*) {}

void COleControlSite::OnSave() {}

void COleControlSite::OnClose() {}
