// CToolTipCtrl: the platform's tooltip window, owned by a window of its parent.
#pragma once
#include "wnd.h"

class CToolTipCtrl : public CWnd {
  DECLARE_DYNAMIC(CToolTipCtrl)

 public:
  // A popup tooltip window owned by parent; style adds TTS_ styles.
  BOOL Create(HWND parent, DWORD style = 0);

  // A tip over the whole of window (rect nullptr; such a tool is named by
  // toolId 0 afterwards) or over a rectangle of it under a non-zero toolId.
  // The tooltip watches the window's mouse messages itself (TTF_SUBCLASS).
  BOOL AddTool(HWND window, const char* text, const RECT* rect = nullptr, UINT_PTR toolId = 0);
  void DelTool(HWND window, UINT_PTR toolId = 0);
  void UpdateTipText(const char* text, HWND window, UINT_PTR toolId = 0);
  int GetToolCount() const;
  void Activate(BOOL activate);
  int SetMaxTipWidth(int width);
  // Hands a mouse message to the tooltip for tools that are not subclassed.
  void RelayEvent(MSG* msg);
};
