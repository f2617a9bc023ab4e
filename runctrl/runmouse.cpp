// Mouse buttons as link events of the object under the cursor.
//
// Mouse events are fired with the window as the window argument, so the
// links that run repaint their object at once instead of through the tick's
// dirty rectangle. The pressed object is replaced only by a hit and
// forgotten only when a picture is loaded: a release over the object that
// last took a button-down counts as a click.
#include "drawobj.h"
#include "picrunwnd.h"
#include "propdesc.h"

CDrawObj* CPicRunWnd::HitObject(POINT device) {
  if (!m_picture) return nullptr;
  const CPointD point = ClientToPic(device);
  // Hit tests run against the drawing order: the first layer (drawn last,
  // on top) first, and within a layer the last object first.
  CObList& layers = m_picture->m_layers;
  for (POSITION lp = layers.GetHeadPosition(); lp;) {
    auto* layer = static_cast<CPicLayer*>(layers.GetNext(lp));
    if (!layer) continue;
    for (POSITION op = layer->m_objects.GetTailPosition(); op;) {
      auto* obj = static_cast<CDrawObj*>(layer->m_objects.GetPrev(op));
      if (!obj) continue;
      CDrawObj* hit = nullptr;
      if (obj->HitTest(point, &hit) == 0 && hit) return hit;
    }
  }
  return nullptr;
}

LRESULT CPicRunWnd::OnMouseButton(UINT msg, WPARAM, LPARAM lp) {
  if (!m_picture) return 0;  // dropped without the default handling
  CLinkRun run(*this);
  const POINT device = {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
  CDrawObj* hit = HitObject(device);
  const DWORD loads = m_loads;
  bool skipDefault = false;
  switch (msg) {
    case WM_LBUTTONDOWN:
      if (hit) {
        m_pressed = hit;
        hit->FireActions(AK_LBUTTON_DOWN, 0, m_hWnd);
      } else {
        SetFocus();
      }
      break;
    case WM_LBUTTONUP:
      if (hit) {
        if (hit == m_pressed) hit->FireActions(AK_MOUSE_CLICK, 0, m_hWnd);
        // A click link may have loaded another picture: hit is gone then.
        if (loads == m_loads) hit->FireActions(AK_LBUTTON_UP, 0, m_hWnd);
      }
      break;
    case WM_RBUTTONDOWN:
      if (hit) {
        m_pressed = hit;
        skipDefault = hit->FireActions(AK_RBUTTON_DOWN, 0, m_hWnd) != 0;
      } else {
        SetFocus();
      }
      break;
    case WM_RBUTTONUP:
      if (hit) {
        m_pressed = hit;
        // A right-button link that ran replaces the context menu.
        skipDefault = hit->FireActions(AK_RBUTTON_UP, 0, m_hWnd) != 0;
      }
      break;
  }
  return skipDefault ? 0 : Default();
}
