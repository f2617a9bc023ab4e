// COleControlWnd: a window of the system that hosts one ActiveX control.
//
// CreateControl makes the control from its class identifier (in-process
// server or handler), gives it a site (COleControlSite), initialises it from
// the given state or as new, makes a child window of the parent over the
// rectangle and activates the control in place inside it. The control's own
// window fills that window: moving, resizing, hiding, showing, enabling and
// disabling this window does the same to the control.
//
//   COleControlWnd wnd;
//   OleControlParams params = {clsid, "", WS_CHILD | WS_VISIBLE, rect, parent, 0xFFFF};
//   if (wnd.CreateControl(params)) wnd.GetControlUnknown()->QueryInterface(...);
//
// Releasing the control (ReleaseControl, or the destructor) deactivates it,
// closes it and releases it, in that order; the site is disconnected so that
// a control which keeps a reference to it finds no container afterwards.
// Nothing of this throws.
#pragma once
#include <windows.h>
#include <oleidl.h>

#include <memory>

#include "adviseholder.h"
#include "comptr.h"
#include "wnd.h"

class COleControlSite;

struct OleControlParams {
  CLSID clsid;
  const char* text;  // the window text of the hosting window
  DWORD style;       // the hosting window's style (WS_CHILD and the like)
  RECT rect;         // in the parent's client coordinates
  HWND parent;
  UINT id;  // the control id of the hosting window
  // The control's persisted state, loaded through IPersistStreamInit in place
  // of starting it new; null for a new control. Read from its current position.
  IStream* state = nullptr;
  // The ambient user mode: true at run time, false while an editor shows it.
  bool userMode = true;
};

class COleControlWnd : public CWnd {
 public:
  COleControlWnd();
  ~COleControlWnd() override;

  // False, with no window, when containment is not enabled in this module,
  // this object hosts a control already, the class cannot be created or has
  // no IOleObject, or the window cannot be made.
  BOOL CreateControl(const OleControlParams& params);
  // Deactivates, closes and releases the control, then destroys the window.
  void ReleaseControl();

  // The control's IUnknown (no reference added); null without a control.
  IUnknown* GetControlUnknown() const { return m_unknown.Get(); }
  // The control's own in-place window, null while it has none.
  HWND GetControlWindow() const;
  bool IsInPlaceActive() const { return static_cast<bool>(m_inPlace); }

  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  friend class COleControlSite;
  // Calls from the site.
  void OnControlActivated();
  void OnControlDeactivated();
  void PlaceControl();

  void InitControlState(IStream* state);
  void ConnectAdvise();
  void ActivateInPlace();
  void Deactivate();
  void CloseAndRelease();
  void SetControlExtent(int cx, int cy);

  QComPtr<IUnknown> m_unknown;
  QComPtr<IOleObject> m_oleObject;
  QComPtr<IOleInPlaceObject> m_inPlace;
  QComPtr<IViewObject> m_viewObject;
  std::unique_ptr<COleObjectAdviseHolder> m_advise;
  COleControlSite* m_site = nullptr;  // one reference held
  DWORD m_miscStatus = 0;
};
