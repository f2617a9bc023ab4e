// COleControlSite: the COM object through which one hosted control talks to
// its container (COleControlWnd): the client site, the in-place site, the
// control site, the ambient properties (IDispatch) and the advise sink of
// its view and data changes.
//
// The control may keep references to the site after its window has gone;
// the window therefore disconnects the site when it releases the control,
// and every later call from the control finds no container and is answered
// as such (E_UNEXPECTED, or nothing done).
#pragma once
#include <windows.h>
#include <ocidl.h>
#include <oleidl.h>

#include "oleambient.h"

class COleControlWnd;

class COleControlSite : public IOleClientSite,
                        public IOleInPlaceSite,
                        public IOleControlSite,
                        public IDispatch,
                        public IAdviseSink {
 public:
  // With one reference, held by the caller.
  COleControlSite(COleControlWnd* owner, const OleAmbientState& ambient);
  // The container is gone.
  void Disconnect() { m_owner = nullptr; }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IOleClientSite
  HRESULT STDMETHODCALLTYPE SaveObject() override;
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD assign, DWORD which, IMoniker** moniker) override;
  HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** container) override;
  HRESULT STDMETHODCALLTYPE ShowObject() override;
  HRESULT STDMETHODCALLTYPE OnShowWindow(WINBOOL show) override;
  HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override;

  // IOleWindow
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(WINBOOL enter) override;
  // IOleInPlaceSite
  HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override;
  HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override;
  HRESULT STDMETHODCALLTYPE OnUIActivate() override;
  HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc,
                                             LPRECT position, LPRECT clip,
                                             LPOLEINPLACEFRAMEINFO info) override;
  HRESULT STDMETHODCALLTYPE Scroll(SIZE extent) override;
  HRESULT STDMETHODCALLTYPE OnUIDeactivate(WINBOOL undoable) override;
  HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override;
  HRESULT STDMETHODCALLTYPE DiscardUndoState() override;
  HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override;
  HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT position) override;

  // IOleControlSite
  HRESULT STDMETHODCALLTYPE OnControlInfoChanged() override;
  HRESULT STDMETHODCALLTYPE LockInPlaceActive(WINBOOL lock) override;
  HRESULT STDMETHODCALLTYPE GetExtendedControl(IDispatch** dispatch) override;
  HRESULT STDMETHODCALLTYPE TransformCoords(POINTL* himetric, POINTF* container, DWORD flags) override;
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG* msg, DWORD modifiers) override;
  HRESULT STDMETHODCALLTYPE OnFocus(WINBOOL got) override;
  HRESULT STDMETHODCALLTYPE ShowPropertyFrame() override;

  // IDispatch: the ambient properties
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* exception, UINT* badArg) override;

  // IAdviseSink
  void STDMETHODCALLTYPE OnDataChange(FORMATETC* format, STGMEDIUM* medium) override;
  void STDMETHODCALLTYPE OnViewChange(DWORD aspect, LONG index) override;
  void STDMETHODCALLTYPE OnRename(IMoniker* moniker) override;
  void STDMETHODCALLTYPE OnSave() override;
  void STDMETHODCALLTYPE OnClose() override;

 private:
  virtual ~COleControlSite() = default;
  HWND SiteWindow() const;

  LONG m_refs = 1;
  COleControlWnd* m_owner;
  OleAmbientState m_ambient;
};

// HIMETRIC units (0.01 mm) and the screen's pixels, both ways.
LONG HimetricFromPixels(LONG pixels, int pixelsPerInch);
LONG PixelsFromHimetric(LONG himetric, int pixelsPerInch);
// The screen's pixels per inch across (x) and down.
int ScreenPixelsPerInch(bool across);
