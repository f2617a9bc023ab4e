// CDrawCtrl: the base of the draw objects that own a child window of the
// picture window (kind 100): push buttons, check boxes, radio buttons, edit
// boxes, and the ActiveX and plug-in controls. It keeps the window over the
// object's rectangle in device units, keeps a minimum size, and turns the
// geometry properties into moves and resizes. In the editor the windows are
// disabled, so the picture window's tools handle the objects; at run time
// they take input and their events reach the links.
#pragma once

#include "drawobj.h"

class CWnd;

class CDrawCtrl : public CDrawObj {
  DECLARE_SERIAL(CDrawCtrl)

 public:
  CDrawCtrl();

  void Serialize(CArchive& ar) override;
  // The frame first; then anywhere inside the rectangle is the body.
  int HitTest(const CPointD& point, CDrawObj** ppHit) override;
  void DrawTracker(CDC* pDC, int nState) override;
  void Flip(double x, double y, int nAxis) override;
  // Keeps the object larger than 6 units each way (12 when smaller).
  void OnViewChanged() override;
  void EnableWnd(BOOL bEnable) override;
  DrawObjType GetObjType() override;
  BOOL SetProp(int nId, LONG_PTR value) override;
  void CountWindows(int& nCount) override;
  // Adds the window's move over the rectangle (at least 6 units each way).
  void DeferWindowPos(HDWP& hdwp) override;
  // True only for kind 100, whatever the control: selections ask for 100.
  BOOL HasType(DrawObjType type) override;

  // Added after the fifty operations, in this order.
  virtual double GetWidth();
  virtual double GetHeight();
  virtual void SetWidth(double w);
  virtual void SetHeight(double h);

  // The window, once the object is attached to a picture window.
  CWnd* GetWindowObject() const { return m_pCtrlWnd; }

 protected:
  // The normalised rectangle in device pixels.
  RECT DeviceRect() const;
  // Ids 9 to 12 (each followed by OnViewChanged); 1 when handled.
  BOOL SetGeometryProp(int nId, LONG_PTR value);
  // Records 9, 10, 11 and 12 after what the list holds.
  void AppendGeometryProps(PropDescList* pList);
  // Grows each side of the normalised rectangle that is shorter than least
  // to least; the rectangle is stored normalised only when a side grew.
  void GrowSidesTo(double least);
  // The minimum size of every control (OnViewChanged of the base).
  void KeepMinimumSize();
  // The link of an event kind (500, 510, 511, 520), given that event as its
  // trigger so that it fires when the window reports it; null when none.
  CObject* PrepareEventLink(int nKind);
  // What the ActiveX and plug-in objects list: the base records, their
  // property-page button (50), then 9 to 12.
  void GetHostedPropList(PropDescList* pList);
  // Their one link kind: a custom script.
  int GetHostedActionKinds(ActionKindList* pList);

  CWnd* m_pCtrlWnd = nullptr;  // not stored
};

// A font for a control window at the view's zoom: height x zoom + 0.5, truncated.
LOGFONTA ZoomedControlFont(const LOGFONTA& lf, double dZoom);
// The default font of new buttons and edit boxes: the platform's GUI font,
// height |height| + 2, width 0.
LOGFONTA DefaultControlFont();
// A font as controls keep it: height made positive, width 0.
LOGFONTA ControlFontOf(const LOGFONTA& lf);
// The control id of every control window.
constexpr UINT kControlWindowId = 0xFFFF;
