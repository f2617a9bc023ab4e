// Choosing a tool (QCM_SELECTTOOL) and handing the mouse to the current tool.
#include <objbase.h>

#include "dialogs/editdialogs.h"
#include "drawtool.h"
#include "imagefile.h"
#include "msgbox.h"
#include "piceditwnd.h"
#include "toolchoice.h"

namespace {

// An ActiveX class is usable when an instance (in-process server or
// handler) gives its basic interface.
bool CanCreateControl(const CLSID& clsid) {
  IUnknown* instance = nullptr;
  HRESULT hr = ::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER, IID_IUnknown,
                                  reinterpret_cast<void**>(&instance));
  if (FAILED(hr) || !instance) return false;
  instance->Release();
  return true;
}

// The image tool once the engineer chose its file; the selection tool when
// the choice was cancelled, or when the file cannot be drawn, which is said.
int ChooseImageFile(HWND owner) {
  switch (ChosenImage().Choose(owner)) {
    case ImageChoice::chosen: return DOT_BITMAP;
    case ImageChoice::unreadable: SayImageUnreadable(owner); break;
    case ImageChoice::cancelled: break;
  }
  return 0;
}

}  // namespace

CLSID& ChosenControlClass() {
  static CLSID chosen = {};
  return chosen;
}

void CPicEditWnd::OnSelectTool(int id) {
  if (CDrawTool* old = CDrawTool::FindTool(CurrentToolId()))
    if (CurrentToolId() != id) old->OnToolChange(*this);
  CurrentToolId() = id;
  if (id == DOT_BITMAP) {
    CurrentToolId() = 0;  // while the engineer chooses
    CurrentToolId() = ChooseImageFile(m_hWnd);
  } else if (id == DOT_CTRLOCX) {
    CLSID chosen = {};
    if (!PickActiveXControl(m_hWnd, &chosen)) {
      CurrentToolId() = 0;
    } else if (!CanCreateControl(chosen)) {
      CurrentToolId() = 0;
      QelMessageBox(m_hWnd, "该控件不符合规范!", "错误", MB_OK | MB_ICONSTOP);
    } else {
      ChosenControlClass() = chosen;
    }
  }
}

void CPicEditWnd::OnMouse(UINT msg, WPARAM flags, LPARAM at) {
  CDrawTool* tool = CDrawTool::FindTool(CurrentToolId());
  if (!tool || !m_pPicture) return;
  const POINT pt = {static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
  const UINT keys = static_cast<UINT>(flags);
  switch (msg) {
    case WM_LBUTTONDOWN: tool->OnLButtonDown(*this, keys, pt); break;
    case WM_LBUTTONUP: tool->OnLButtonUp(*this, keys, pt); break;
    case WM_LBUTTONDBLCLK: tool->OnLButtonDblClk(*this, keys, pt); break;
    case WM_MOUSEMOVE: tool->OnMouseMove(*this, keys, pt); break;
  }
}
