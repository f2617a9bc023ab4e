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

#include "drawobjtype.h"
#include "editing/layerstate.h"
#include "geometry.h"
#include "memfile.h"
#include "qel/picmsg.h"
#include "qstring.h"
#include "wnd.h"

class CAction;
class CDC;
class CDrawGroup;
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
  // QCN_PROPERTIES then QCN_EVENTLINKS: after every change of the selection.
  void NotifySelectionChanged();

  // ---- state (the tools and the editing commands work on it) ----------------
  CPicObj* GetPicture() const { return m_pPicture.get(); }
  CPicLayer* GetCurrentLayer() const { return m_pCurrentLayer; }
  const std::vector<CDrawObj*>& GetSelection() const { return m_selection; }
  void ClearSelection();
  // Without add the selection is emptied first; an object not selected yet
  // is appended, repainted, and the property and link notices are sent.
  void Select(CDrawObj* obj, bool add);
  // Takes one object out of the selection (repainted, notices sent).
  void Deselect(CDrawObj* obj);
  bool IsSelected(CDrawObj* obj) const;
  // Appends every object of the current layer lying strictly inside the
  // window rectangle; without add the selection is emptied first. The
  // notices go when the selection changed.
  void SelectInRect(const RECT& client, bool add);
  // The topmost object of the current layer whose hit test takes the
  // picture point, or null; *handle gets the hit test's answer.
  CDrawObj* ObjectAt(const CPointD& pic, int* handle = nullptr);

  // ---- changing the current layer (the tools and the commands) --------------
  // With saveUndo an undo state is saved first, else the picture is only
  // marked modified; the object's name is trimmed, it is appended to the
  // current layer and gets the view transform and context.
  void AddObject(CDrawObj* obj, bool saveUndo);
  // Takes the object out of the layer and the selection (not deleted).
  void RemoveObject(CDrawObj* obj);
  // The same for many objects, in one walk of the layer.
  void RemoveObjects(const std::vector<CDrawObj*>& objects);
  // Gives one object the window's view context and transform.
  void AttachObject(CDrawObj* obj);
  // Snapshots the current layer on the undo list, drops the redo list and
  // marks the picture modified.
  void SaveUndoState();
  void SetModified();
  // Invalidates an object's area (device pixels) without erasing.
  void InvalidateObject(CDrawObj* obj);
  // The colour new objects are drawn in: the current drawing colour, first
  // replaced by its inverse when it equals the picture's background.
  COLORREF DrawingColor();
  bool IsSnapOn() const { return m_bSnap != 0; }
  // What the host handed over: the picture folder (ending in a separator),
  // the local-tag table and the database callbacks (zero until sent).
  const CString& GetPictureFolder() const { return m_strFolder; }
  const LocalTagCallbackBlock& GetLocalCallbacks() const { return m_localCallbacks; }
  const HostCallbackBlock& GetHostCallbacks() const { return m_hostCallbacks; }
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

  // Reads a metafile and adds its drawing as one selected group; true when
  // something arrived. A file that cannot be read is reported in a box.
  bool ImportWmfFile(const char* path);

  static constexpr int kGridStep = 8;
  static constexpr int kMemFileGrowth = 16384;
  static constexpr int kUndoLimit = 64;
  // The bytes that the undo states may hold together, and the redo states
  // likewise: a layer of tens of thousands of objects, or of controls with
  // megabytes of state, would otherwise keep 65 copies of itself. The oldest
  // states go first; the newest is always kept.
  static constexpr size_t kUndoBudgetBytes = size_t(64) << 20;
  static constexpr int kPasteStep = 16;  // picture pixels per paste, times the paste count

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
  // The mouse goes to the current tool.
  void OnMouse(UINT msg, WPARAM flags, LPARAM at);
  void OnSelectTool(int id);
  // Editing commands (editing/): each works on the selection of the current layer.
  void OnSetProperty(int id, LONG_PTR value);
  void SetPictureProperty(int id, LONG_PTR value);
  void SetOneObjectProperty(CDrawObj* target, int id, LONG_PTR value);
  void OnObjectDialog();
  void OnSetEventLink(int mode, int kind);
  void OnCopy();
  void OnCut();
  void OnPaste();
  void OnUndo();
  void OnRedo();
  void OnArrange(int code);
  void OnGroup(int code);
  void OnSubPicture(int code);
  void OnRotate(int code);
  void OnImportWmf();
  // Writes the selection to the clipboard; false when nothing was selected or
  // it did not reach the clipboard (held by another program, no memory).
  bool CopySelection();
  // Keeps the present layer state on keep and restores the newest of take
  // (undo: take the undo list, keep on the redo list; redo the other way).
  void SwapLayerState(CLayerStateStack& take, CLayerStateStack& keep);
  // Replaces the current layer's objects with a saved state.
  void RestoreLayerState(CMemFile& state);
  // Gathers the selection into group (which takes the first selected
  // object's place); the one place where groups are made.
  void GroupSelection(CDrawGroup* group);
  // Puts the children of the one selected group back into the layer.
  void UngroupSelection(DrawObjType kind);
  void AlignSelection(int code);
  void SpaceSelection(bool horizontal);
  void StepSelection(bool forward);
  // True (after the message box) when the selection holds a control.
  bool RefuseControls(const char* text, UINT icon);
  // Adds an imported group at the picture's import place.
  void PlaceImportedGroup(CDrawGroup* group);

  // Tells the tools that the current layer's objects are about to be
  // restored, taken away or replaced, so that none keeps an object of it.
  void LayerChanging();
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
  // The handles of the selected objects that reach into the area.
  void DrawTrackers(CDC& dc, const RECT& area);
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
  // Saved layer states of undo and redo.
  CLayerStateStack m_undo{kUndoLimit, kUndoBudgetBytes};
  CLayerStateStack m_redo{CLayerStateStack::kUnlimited, kUndoBudgetBytes};
  int m_nPasteCount = 0;      // pastes since the last copy
  COLORREF m_clrDrawing = 0;  // the current drawing colour
};

// What a change of several objects leaves to repaint: each object's area
// while few are involved; from kWholeRepaintCount objects on, the whole
// window once, when the batch goes. A change of thousands of objects would
// otherwise leave a region of thousands of rectangles, which every drawing
// of the next paint is clipped against.
class CRepaintBatch {
 public:
  static constexpr size_t kWholeRepaintCount = 8;

  CRepaintBatch(CPicEditWnd& wnd, size_t objects) : m_wnd(wnd), m_whole(objects >= kWholeRepaintCount) {}
  ~CRepaintBatch();
  CRepaintBatch(const CRepaintBatch&) = delete;
  CRepaintBatch& operator=(const CRepaintBatch&) = delete;

  // The object's present area.
  void Add(CDrawObj* obj);
  bool IsWhole() const { return m_whole; }

 private:
  CPicEditWnd& m_wnd;
  bool m_whole;
};

// The process-wide clipboard format "QELPICCLIP", registered once.
UINT PicClipboardFormat();
// The current tool id, one for every editing window of the process.
int& CurrentToolId();

// A new link of a kind in a mode (1 direct, 2 script) with the kind's
// defaults; the mouse and control events are event links of that kind.
CAction* NewLinkOfKind(int kind, int mode);

// Snaps one coordinate to the 8-pixel grid: truncated to an integer v with
// r = v % 8 (the sign of v), v - r when r < 5, else v - r + 8; so 12 gives 8,
// 13 gives 16, and a negative coordinate always moves toward zero.
int SnapCoord(double v);
