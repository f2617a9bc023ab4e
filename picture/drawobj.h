// CDrawObj: the base of every draw object of a picture.
//
// It carries what all objects share (bounding rectangle, name, comment,
// colours, line and fill attributes, visibility), the object's animation
// links, and the view transform that its window gives it. The windows, tools,
// links and script host treat every object through the fifty virtual
// operations below; their order is fixed (subclasses add operations only
// after SetAngle).
#pragma once

#include <windows.h>

#include <vector>

#include "collections.h"
#include "drawlink.h"
#include "drawobjtype.h"
#include "gdiwrap.h"
#include "geometry.h"
#include "object.h"
#include "paintcache.h"
#include "propdesc.h"
#include "qstring.h"

class CArchive;

class CDrawObj : public CObject {
  DECLARE_SERIAL(CDrawObj)

 public:
  CDrawObj();
  ~CDrawObj() override;  // 2
  CDrawObj(const CDrawObj&) = delete;
  CDrawObj& operator=(const CDrawObj&) = delete;

  // ---- the fifty virtual operations, in slot order ----------------------
  // 1 GetRuntimeClass and 2 the destructor are declared above.
  void Serialize(CArchive& ar) override;        // 3
  virtual void AssertValid() const;             // 4
  virtual void Dump(void* pDumpContext) const;  // 5
  // Copies the window's five context words; returns 1.
  virtual BOOL AttachView(const DrawViewContext* pContext, BOOL bRunTime);  // 6
  // Gives every link its context, once.
  virtual void PrepareActions(const DrawViewContext* pContext);  // 7
  virtual void SetViewTransform(POINT ptOrigin, double dZoom);   // 8
  // True when the object (its GetRect) lies strictly inside the rectangle.
  virtual BOOL IsInRect(const CRectD& rect);  // 9
  virtual int GetHandleCount();               // 10
  virtual CPointD GetHandle(int nHandle);     // 11
  // Handle number, 0 for the body, -1 for a miss; the object hit goes to *ppHit.
  virtual int HitTest(const CPointD& point, CDrawObj** ppHit);  // 12
  // The test of an object inside a group.
  virtual int HitTestChild(const CPointD& point, CDrawObj** ppHit);           // 13
  virtual void MoveHandleTo(int& nHandle, const CPointD& point, HWND hView);  // 14
  virtual HCURSOR GetHandleCursor(int nHandle);                               // 15
  virtual RECT GetHandleRect(int nHandle);                                    // 16
  // The device area that drawing the object may touch.
  virtual RECT GetInvalidRect();               // 17
  virtual CRectD GetRect();                    // 18
  virtual void Delete();                       // 19
  virtual void Draw(CDC* pDC, DWORD dwFlags);  // 20
  // States 1 and 2 draw the handles.
  virtual void DrawTracker(CDC* pDC, int nState);                                      // 21
  virtual void SetText(const char* pszText);                                           // 22
  virtual CString GetText();                                                           // 23
  virtual void MoveBy(const CPointD& offset);                                          // 24
  virtual int Stretch(const CPointD& anchor, const CPointD& from, const CPointD& to);  // 25
  virtual void Rotate(const CPointD& centre, const DirPair& turn);                     // 26
  // nAxis 0 mirrors about the vertical line through x, else about the horizontal line through y.
  virtual void Flip(double x, double y, int nAxis);  // 27
  virtual void OnViewChanged();                      // 28
  virtual void EnableWnd(BOOL bEnable);              // 29
  // Fills pList->items (room for 32 records) and sets the count.
  virtual void GetPropList(PropDescList* pList);  // 30
  virtual DrawObjType GetObjType();               // 31
  // 1 when the id was handled.
  virtual BOOL SetProp(int nId, LONG_PTR value);  // 32
  virtual int ShowProperties(HWND hParent);       // 33
  // Fills the link kinds the object offers into pList->items (room for
  // kMaxActionKinds records); returns their number, also set as the count.
  virtual int GetActionKinds(ActionKindList* pList);          // 34
  virtual void CountWindows(int& nCount);                     // 35
  virtual void DeferWindowPos(HDWP& hdwp);                    // 36
  virtual void Scale(const CPointD& anchor, double dFactor);  // 37
  virtual void SetSelected(BOOL bSelected);                   // 38
  virtual BOOL IsSelected(CDrawObj** ppObj);                  // 39
  virtual void DrawSelFrame(CDC* pDC);                        // 40
  virtual BOOL HasType(DrawObjType type);                     // 41
  virtual void CopyToList(CObList& list);                     // 42
  // Compiles the script links; errors go to hOutput (message 0x4DC) and nErrors.
  virtual void CompileScripts(HWND hOutput, const char* pszCompiler, int& nErrors);  // 43
  virtual CDrawObj* FindByName(const char* pszName);                                 // 44
  virtual CDrawObj* FindByNameShallow(const char* pszName);                          // 45
  // Number of links that ran.
  virtual int FireActions(int nKind, DWORD dwTick, HWND hWnd);  // 46
  virtual void SetVisible(BOOL bVisible);                       // 47
  virtual BOOL IsVisible();                                     // 48
  virtual HWND GetCtrlWnd();                                    // 49
  virtual void SetAngle(double dDegrees);                       // 50

  // ---- non-virtual operations -------------------------------------------
  void SetColors(COLORREF c) { m_clrLine = m_clrText = c; }
  // Mode (1 direct, 2 script) of the first link of that kind, or 0.
  int FindAction(int nKind) const;
  CObject* GetAction(int nKind) const;
  BOOL RemoveAction(int nKind);
  // Takes ownership of a link (appended to the array).
  void AddAction(CObject* pLink) { m_actions.Add(pLink); }
  CObArray& GetActions() { return m_actions; }
  // A deep copy through the archive; null when the copy cannot be made.
  CDrawObj* Clone();
  CPointD PointToDevice(const CPointD& p) const { return m_view.ToDevice(p); }
  CRectD RectToDevice(const CRectD& r) const { return m_view.ToDevice(r); }
  // Adds the object's invalid area to a dirty rectangle (normalised first).
  void UnionInvalidRect(RECT* pUpdate);
  // The percentage fill that a link sets; the fraction is kept to 0..1.
  void SetPercentFill(double dFraction, int nDirection, COLORREF c);
  CPointD GetCenter() const;
  const char* GetTypeName();
  static void DrawSolidEllipse(CDC* pDC, const RECT& rect, COLORREF c);
  const ViewTransform& GetView() const { return m_view; }
  // The device rectangle of the selection frame around r (picture units),
  // as DrawSelFrame draws it; r must be finite.
  RECT SelFrameRect(CRectD r) const;

  // ---- stored fields, in file order -------------------------------------
  CString m_strName;
  CString m_strComment;
  CRectD m_rect;
  COLORREF m_clrLine = 0;  // -1: no outline for filled shapes
  COLORREF m_clrText = 0;  // second colour: text of the multi-line text
  int m_nLineWidth = 1;
  int m_nLineStyle = 0;  // a Windows pen style number
  int m_nFillStyle = 0;  // 0 none, 1 plain, 2..5 gradients
  COLORREF m_clrFill1 = 0xFFFFFF;
  COLORREF m_clrFill2 = 0;
  BOOL m_bVisible = TRUE;
  int m_nReserved[3] = {0, 0, 0};
  CString m_strReserved;
  CObArray m_actions;  // the links, owned

  // ---- run-time fields (never stored) -----------------------------------
  ViewTransform m_view;  // zoom and origin from the window
  BOOL m_bActionsPrepared = FALSE;
  CString m_strRunTime;
  DrawViewContext m_context;
  BOOL m_bHasMouseActions = FALSE;
  BOOL m_bSelected = FALSE;
  double m_dPerFill = 0.0;  // percentage fill fraction, 0..1
  int m_nPerFillDir = -1;   // -1 until a percentage-fill link sets it
  COLORREF m_clrPerFill = 255;
  CPaintCache m_paintCache;  // what the last paints drew (paintcache.h)

 protected:
  // The base part of the property list (type, name, comment); returns the count.
  int GetBasePropList(PropDescList* pList);
  // Handles ids 1 and 2.
  BOOL SetBaseProp(int nId, LONG_PTR value);
  // Line style, width and colour, and TOPX / TOPY as a move of the bounding
  // box: the ids every drawn shape takes alike; 1 when handled.
  BOOL SetLineAndTopProp(int nId, LONG_PTR value);
  // Fill colours 1 and 2 and the fill mode; 1 when handled.
  BOOL SetFillProp(int nId, LONG_PTR value);
  // The device rectangle of picture rectangle r (normalised), grown by nGrow pixels.
  RECT InvalidRectOf(CRectD r, int nGrow = 4) const;
  void InvalidateIn(HWND hView);
  // How the editor's output names this object and one thing of it (a link
  // kind, a library), before what it says of them:
  // "\n\t<type>(<name>@LEFT=<x>,TOP=<y>) - (<what>):\n\t\t".
  CString OutputHeading(const char* pszWhat);
  // Handle rectangle grown for hit testing at high zoom.
  BOOL HandleContains(int nHandle, POINT ptDevice);
  POINT DevicePointRounded(const CPointD& p) const { return m_view.ToDevicePoint(p); }
  POINT DevicePointTruncated(const CPointD& p) const;
  void DeleteActions();

  // ---- painting (drawobj_paint.cpp) --------------------------------------
  // The inputs every drawing reads: the view, the colours, the line and
  // fill styles and the percentage fill.
  PaintKey BasePaintKey() const;
  // The device rectangle holding the points (picture units), grown by
  // nGrow pixels on every side: the pixels a drawing near them can touch.
  RECT DeviceReach(const CPointD* pts, size_t n, int nGrow) const;
  RECT DeviceReach(const std::vector<CPointD>& pts, int nGrow) const {
    return DeviceReach(pts.data(), pts.size(), nGrow);
  }
  // Whether a device rectangle meets the part of the DC being painted (its
  // clip box); true when the DC cannot say. An object whose drawing stays
  // within reach is not drawn where it cannot show.
  static bool MeetsClip(CDC* pDC, const RECT& reach);
};

// The base handle positions 1..8 of a rectangle taken as stored.
CPointD RectHandle(const CRectD& r, int nHandle);
// Moves the sides of r that base handle nHandle (1..8) holds to point; false,
// with r unchanged, for any other handle.
bool MoveRectHandle(CRectD& r, int nHandle, const CPointD& point);
// The cursor of a handle number (base rules).
HCURSOR BaseHandleCursor(int nHandle);
