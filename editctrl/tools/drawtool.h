// The drawing tools of the editing window. The tool id is the kind of draw
// object the tool makes (0: the selection tool). Every tool object exists
// once per process, and the mouse state they share (the key flags of the
// last button-down, the snapped down and last points, the selection tool's
// drag mode and grabbed handle) is one for all editing windows, like the
// current tool id: it follows the window that last had mouse input.
#pragma once
#include <windows.h>

#include "geometry.h"

class CPicEditWnd;

enum DragMode { DRAG_NONE = 0, DRAG_RUBBERBAND = 1, DRAG_MOVE = 2, DRAG_RESIZE = 3 };

struct ToolMouseState {
  UINT downFlags = 0;   // MK_ flags of the last button-down
  POINT down = {0, 0};  // window points, snapped
  POINT last = {0, 0};
  int dragMode = DRAG_NONE;
  int handle = 0;
  // The gesture that the last button-down began has saved its undo state:
  // one state for a gesture, however many mouse messages it takes.
  bool stateSaved = false;
};
ToolMouseState& ToolMouse();

class CDrawTool {
 public:
  explicit CDrawTool(int id) : m_id(id) {}
  virtual ~CDrawTool() = default;
  CDrawTool(const CDrawTool&) = delete;
  CDrawTool& operator=(const CDrawTool&) = delete;

  int Id() const { return m_id; }

  // Capture, key flags, down point := last point := the snapped point; a
  // gesture begins that has saved no undo state yet.
  virtual void OnLButtonDown(CPicEditWnd& wnd, UINT flags, POINT pt);
  virtual void OnLButtonDblClk(CPicEditWnd& wnd, UINT flags, POINT pt);
  // Releases the capture; a click without a move ends the tool.
  virtual void OnLButtonUp(CPicEditWnd& wnd, UINT flags, POINT pt);
  // Last point := the snapped point; arrow cursor.
  virtual void OnMouseMove(CPicEditWnd& wnd, UINT flags, POINT pt);
  // Back to the selection tool.
  virtual void OnCancel();
  // The host chooses another tool while this one is current.
  virtual void OnToolChange(CPicEditWnd& wnd);
  // The objects of the window's current layer are about to be restored,
  // taken away or replaced (undo, redo, cut, paste, grouping, another
  // picture): a tool making an object there ends it now, while it still
  // exists, and keeps nothing of the layer afterwards.
  virtual void OnLayerChanging(CPicEditWnd& wnd);
  // The window is being destroyed: a tool forgets what it kept of it,
  // touching nothing.
  virtual void OnWindowGone(HWND hwnd);

  // The first tool with the id; null for an id without a tool.
  static CDrawTool* FindTool(int id);
  // Tell every tool of the process.
  static void TellLayerChanging(CPicEditWnd& wnd);
  static void TellWindowGone(HWND hwnd);

 private:
  int m_id;
};
