#include "oleinplaceframe.h"

COleInPlaceFrame::COleInPlaceFrame(HWND frame) : m_frame(frame) {}

COleInPlaceFrame::~COleInPlaceFrame() {
  if (m_active) m_active->Release();
}

HRESULT COleInPlaceFrame::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IOleWindow || iid == IID_IOleInPlaceUIWindow ||
      iid == IID_IOleInPlaceFrame) {
    *out = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

ULONG COleInPlaceFrame::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&m_refs)); }

ULONG COleInPlaceFrame::Release() {
  LONG left = ::InterlockedDecrement(&m_refs);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT COleInPlaceFrame::GetWindow(HWND* window) {
  if (!window) return E_POINTER;
  *window = m_frame;
  return S_OK;
}

HRESULT COleInPlaceFrame::ContextSensitiveHelp(WINBOOL) { return E_NOTIMPL; }

// No tool space: controls keep their toolbars to themselves.
HRESULT COleInPlaceFrame::GetBorder(LPRECT) { return INPLACE_E_NOTOOLSPACE; }

HRESULT COleInPlaceFrame::RequestBorderSpace(LPCBORDERWIDTHS) { return INPLACE_E_NOTOOLSPACE; }

HRESULT COleInPlaceFrame::SetBorderSpace(LPCBORDERWIDTHS widths) {
  return widths ? INPLACE_E_NOTOOLSPACE : S_OK;  // null: "I need none"
}

HRESULT COleInPlaceFrame::SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR) {
  if (object) object->AddRef();
  if (m_active) m_active->Release();
  m_active = object;
  return S_OK;
}

HRESULT COleInPlaceFrame::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS widths) {
  if (widths)
    for (LONG& width : widths->width) width = 0;  // the container adds no menus
  return S_OK;
}

HRESULT COleInPlaceFrame::SetMenu(HMENU, HOLEMENU, HWND) { return S_OK; }

HRESULT COleInPlaceFrame::RemoveMenus(HMENU) { return S_OK; }

HRESULT COleInPlaceFrame::SetStatusText(LPCOLESTR) { return S_OK; }

HRESULT COleInPlaceFrame::EnableModeless(WINBOOL) { return S_OK; }

HRESULT COleInPlaceFrame::TranslateAccelerator(LPMSG, WORD) { return S_FALSE; }
