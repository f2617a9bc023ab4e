#include "picrunwnd.h"

#include "gdiplusapi.h"

#include "../editctrl/servicerequest.h"
#include "drawobj.h"
#include "exceptions.h"
#include "picfile.h"

CPicRunWnd::CPicRunWnd() {
  Gdiplus::GdiplusStartupInput input;
  if (Gdiplus::GdiplusStartup(&m_gdiplusToken, &input, nullptr) != Gdiplus::Ok) m_gdiplusToken = 0;
  ResetTagCache();
}

CPicRunWnd::~CPicRunWnd() {
  ClearTagCache();
  DeletePicture();
  if (m_gdiplusToken) Gdiplus::GdiplusShutdown(m_gdiplusToken);
}

LRESULT CPicRunWnd::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE: return OnCreate();
    case WM_DESTROY: OnDestroy(); return Default();
    case WM_TIMER: OnTimer(wp); return Default();
    case WM_PAINT: OnPaint(); return 0;
    case WM_PRINTCLIENT: OnPrintClient(reinterpret_cast<HDC>(wp)); return 0;
    case WM_ERASEBKGND: return 1;  // painting fills the background
    case WM_SIZE:
      Default();
      OnSize(static_cast<UINT>(wp));
      return 0;
    // Only the window's own bars scroll the picture; a control's scroll bar
    // reports with its own handle in lParam.
    case WM_HSCROLL:
      if (lp == 0) OnScroll(SB_HORZ, LOWORD(wp));
      return 0;
    case WM_VSCROLL:
      if (lp == 0) OnScroll(SB_VERT, LOWORD(wp));
      return 0;
    case WM_MOUSEMOVE:
      ::SetClassLongPtrA(m_hWnd, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(::LoadCursorA(nullptr, IDC_ARROW)));
      return Default();
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP: return OnMouseButton(msg, wp, lp);
    case QCM_SETLOCALCALLBACKS:
      SetLocalCallbacks(reinterpret_cast<const LocalTagCallbackBlock*>(lp));
      return 0;
    case QCM_SETHOSTCALLBACKS: SetHostCallbacks(reinterpret_cast<const HostCallbackBlock*>(lp)); return 0;
    case QCM_LOADPICDATA: return OnLoadPicture(reinterpret_cast<const PictureDataBlock*>(lp));
    case QCM_ZOOM: return OnZoom(static_cast<int>(lp));
    case QCN_LINKPICTURE: return OnLinkPicture(lp);
    case QPM_FIREEVENT: return IsFireEventValid(static_cast<DWORD>(wp)) ? 0 : 1;
  }
  if (msg >= QSM_TAGGETATTR && msg <= QSM_GETHISSUMEX) return OnHostService(msg, wp, lp);
  if (msg >= QSM_READTAG && msg <= QSM_WRITELOCALVAR) return OnTagService(msg, wp, lp);
  return CWnd::WindowProc(msg, wp, lp);
}

LRESULT CPicRunWnd::OnCreate() {
  const LRESULT created = Default();
  if (created == -1) return -1;
  m_timer = SetTimer(kTimerId, kTickMs);
  return created;
}

void CPicRunWnd::OnDestroy() {
  if (m_timer) KillTimer(m_timer);
  m_timer = 0;
}

void CPicRunWnd::SetLocalCallbacks(const LocalTagCallbackBlock* table) {
  if (table) m_local = *table;
}

void CPicRunWnd::SetHostCallbacks(const HostCallbackBlock* table) {
  if (table) m_host = *table;
}

CPicRunWnd::CLinkRun::CLinkRun(CPicRunWnd& window) : m_window(window) {
  if (m_window.m_linkRuns++ == 0) m_window.m_runLoads = m_window.m_loads;
}

CPicRunWnd::CLinkRun::~CLinkRun() {
  if (--m_window.m_linkRuns == 0) m_window.m_replaced.clear();
}

void CPicRunWnd::DeletePicture() {
  ++m_loads;
  m_pressed = nullptr;
  if (m_linkRuns > 0 && m_picture) m_replaced.push_back(std::move(m_picture));
  m_picture.reset();  // controls destroy their child windows
}

LRESULT CPicRunWnd::OnLoadPicture(const PictureDataBlock* block) {
  if (!block) return 1;
  m_pressed = nullptr;
  SetLocalCallbacks(block->localTags);
  SetHostCallbacks(block->hostCallbacks);
  ClearTagCache();
  DeletePicture();
  ::SetRectEmpty(&m_dirty);
  m_tick = 0;

  // A damaged buffer must not leave a half-read picture behind: the loader
  // deletes what it built, and the window stays without a picture.
  const BYTE* bytes = static_cast<const BYTE*>(block->bytes);
  const UINT count = bytes ? block->count : 0;
  CPicObj* loaded = nullptr;
  try {
    loaded = LoadPictureBuffer(bytes, count);
  } catch (const CException&) {
    loaded = nullptr;
  } catch (const std::bad_alloc&) {
    loaded = nullptr;
  }
  m_zoom = 1.0;
  m_origin = {0, 0};
  if (!loaded) {
    // No picture: no scroll bars of the one before.
    ::ShowScrollBar(m_hWnd, SB_BOTH, FALSE);
    Invalidate(TRUE);
    return 1;
  }
  m_picture.reset(loaded);
  UpdateScrollRanges();
  StartObjects();
  RepositionControls();
  SendViewChanged(static_cast<LONG>(m_zoom * 100));
  Invalidate(TRUE);
  return 0;
}

void CPicRunWnd::StartObjects() {
  m_view = DrawViewContext();
  m_view.pPicture = m_picture.get();
  m_view.hView = m_hWnd;
  m_view.pUpdateRect = &m_dirty;
  POINT origin = {m_origin.x, m_origin.y};
  ForEachObject([&](CDrawObj* obj, CPicLayer*) {
    obj->SetViewTransform(origin, m_zoom);
    obj->AttachView(&m_view, TRUE);
  });
  ForEachObject([&](CDrawObj* obj, CPicLayer*) { obj->PrepareActions(&m_view); });
}

LRESULT CPicRunWnd::OnLinkPicture(LPARAM name) {
  if (RunPictureReplaced()) return 0;
  const HWND parent = GetParent();
  if (parent) ::SendMessageA(parent, QCN_LINKPICTURE, static_cast<WPARAM>(GetDlgCtrlID()), name);
  return 0;
}
