// CPicEditWnd: the editing window "QELPICEDIT", in which the editor shows one
// picture and lets the engineer change it. The host drives it with the
// messages of picmsg.h; the window tells its parent of its view, of the
// properties and links of the selection, and sends compiler output.
//
// The window owns the picture. Its objects get the window's zoom and scroll
// origin as their view transform; the window's own bars scroll the picture
// in device pixels. Mouse tools, selection editing, undo and the clipboard
// are built on the state kept here.
#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "geometry.h"
#include "memfile.h"
#include "picmsg.h"
#include "qstring.h"
#include "wnd.h"

class CDC;
class CDrawObj;
class CPicLayer;
class CPicObj;

class CPicEditWnd : public CWnd {
 public:
  CPicEditWnd();
  ~CPicEditWnd() override;

  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

  // ---- coordinate mapping -------------------------------------------------
  // Window point to picture point, in doubles: (device + origin) / zoom.
  CPointD ClientToPic(POINT pt) const;
  // The same rounded to integers (+0.5, truncated).
  POINT ClientToPicPoint(POINT pt) const;
  // Integer picture point to window point: picture * zoom - origin + 0.5, truncated.
  POINT PicToClientPoint(POINT pt) const;
  RECT ClientToPicRect(const RECT& rc) const;

  // Snaps a picture point (in place) to the 8-pixel grid when snapping is on.
  void SnapToGrid(CPointD& pt) const;
  // Maps a window point to the picture, snaps it and maps it back.
  void SnapClientPoint(POINT& pt) const;

  // ---- notices --------------------------------------------------------------
  void NotifyViewChanged();
  void NotifySelection();
  void NotifyActions();

  // ---- state (the tools and the editing commands work on it) ----------------
  CPicObj* GetPicture() const { return m_pPicture.get(); }
  CPicLayer* GetCurrentLayer() const { return m_pCurrentLayer; }
  const std::vector<CDrawObj*>& GetSelection() const { return m_selection; }
  void ClearSelection();
  // Without add the selection is emptied first; an object not selected yet
  // is appended, repainted, and the property and link notices are sent.
  void Select(CDrawObj* obj, bool add);
  bool IsSnapOn() const { return m_bSnap != 0; }
  double GetZoom() const { return m_dZoom; }
  POINT GetOrigin() const { return m_ptOrigin; }

  // Recomputes the bar ranges for the picture's size at the current zoom and
  // keeps the origin inside them.
  void UpdateScrollRanges();
  // After the view changed: the objects' transform, a repaint, the control
  // windows and QCN_VIEWCHANGED.
  void ApplyViewChange();
  // Moves the child windows of the visible layers' objects (or of the
  // selected ones) in one deferred batch.
  void RepositionControls(bool selectedOnly = false);

  static constexpr int kGridStep = 8;
  static constexpr int kMemFileGrowth = 16384;
  static constexpr int kUndoLimit = 64;

 private:
  // Message handlers, one per message.
  void OnSize(UINT type);
  void OnScroll(int bar, UINT request);
  LRESULT OnMouseWheel(short delta);
  void OnPaint();
  bool OnKeyDown(UINT key);
  LRESULT OnQuery(int code) const;
  LRESULT OnZoom(int percent);
  void OnSnapGrid(LPARAM on);
  LRESULT OnOpenPic(const char* name);
  LRESULT OnNewPic(const char* name);
  LRESULT OnSavePic();
  LRESULT OnCompile(const char* compiler);
  LRESULT OnServiceRequest(UINT msg, WPARAM wp, LPARAM lp) const;

  // Drops the selection and the picture; the window shows nothing.
  void DropPicture();
  // Takes a picture just read or created: first layer current, name, view reset.
  void AdoptPicture(std::unique_ptr<CPicObj> picture);
  // Gives every object of the visible layers the window's view context.
  void AttachObjects();
  void SetObjectsViewTransform();
  void FillViewInfo();
  // Sets one axis's origin (clamped to the range) and applies the change;
  // false when it stays where it was.
  bool ScrollTo(int bar, int origin);
  CString PicturePath() const;
  void DrawGrid(CDC& dc, const RECT& area) const;
  void MoveSelection(int dx, int dy);

  std::unique_ptr<CPicObj> m_pPicture;
  CString m_strFolder;
  CString m_strFileName;
  HostCallbackBlock m_hostCallbacks = {};
  LocalTagCallbackBlock m_localCallbacks = {};
  RECT m_rcDirty = {0, 0, 0, 0};
  std::vector<CDrawObj*> m_selection;  // objects of the current layer, not owned
  int m_bSnap = 1;
  CPicLayer* m_pCurrentLayer = nullptr;
  PropDesc m_props[32] = {};
  int m_nProps = 0;
  ActionKindDesc m_actionKinds[32] = {};
  int m_nActionKinds = 0;
  double m_dZoom = 1.0;
  int m_nZoomPercent = 100;  // the percent last asked for; ViewInfo reports it
  POINT m_ptOrigin = {0, 0};
  // The bars' range ends and pages (device pixels), 0 without a picture.
  SIZE m_szRange = {0, 0};
  SIZE m_szPage = {0, 0};
  bool m_bUpdatingRanges = false;  // a bar shown or hidden resizes the window meanwhile
  ViewInfo m_viewInfo = {};
  // Saved layer states of undo and redo, newest last.
  std::vector<std::unique_ptr<CMemFile>> m_undo;
  std::vector<std::unique_ptr<CMemFile>> m_redo;
};

// The process-wide clipboard format "QELPICCLIP", registered once.
UINT PicClipboardFormat();
// The current tool id, one for every editing window of the process.
int& CurrentToolId();

// Snaps one coordinate to the 8-pixel grid: truncated to an integer v with
// r = v % 8 (the sign of v), v - r when r < 5, else v - r + 8; so 12 gives 8,
// 13 gives 16, and a negative coordinate always moves toward zero.
int SnapCoord(double v);
