// COleInPlaceFrame: the frame that an in-place active control is told about.
// The system's windows give controls no menus, tool space or status line, so
// every request is answered as a frame without them would: menus and borders
// are refused or ignored, the frame's window is the top-level window of the
// control's container. The same object serves as the document (UI) window.
#pragma once
#include <windows.h>
#include <oleidl.h>

class COleInPlaceFrame : public IOleInPlaceFrame {
 public:
  // With one reference, held by the caller.
  explicit COleInPlaceFrame(HWND frame);

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  // IOleWindow
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(WINBOOL enter) override;
  // IOleInPlaceUIWindow
  HRESULT STDMETHODCALLTYPE GetBorder(LPRECT border) override;
  HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS widths) override;
  HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS widths) override;
  HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR name) override;
  // IOleInPlaceFrame
  HRESULT STDMETHODCALLTYPE InsertMenus(HMENU shared, LPOLEMENUGROUPWIDTHS widths) override;
  HRESULT STDMETHODCALLTYPE SetMenu(HMENU shared, HOLEMENU descriptor, HWND object) override;
  HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU shared) override;
  HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR text) override;
  HRESULT STDMETHODCALLTYPE EnableModeless(WINBOOL enable) override;
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG msg, WORD id) override;

 private:
  virtual ~COleInPlaceFrame();
  LONG m_refs = 1;
  HWND m_frame;
  IOleInPlaceActiveObject* m_active = nullptr;  // the UI-active object, referenced
};
