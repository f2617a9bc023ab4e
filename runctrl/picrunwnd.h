// CPicRunWnd: the runtime picture window (class "QELPICVIEW") in which a
// picture runs live.
//
// The host hands it its two callback tables and then each picture as a
// memory buffer (QCM_LOADPICDATA). The window owns the picture, drives its
// links from one 100 ms timer, keeps the tag cache that expressions and
// scripts read through (QSM_ service requests), passes mouse buttons to the
// object under the cursor as link events and forwards picture-link requests
// to its parent. It never edits, selects or compiles.
//
// Its handlers live in small files named for their concern: the message
// switch and picture loading here (picrunwnd.cpp), the tick (runtick.cpp),
// scrolling and zoom (runview.cpp), painting (runpaint.cpp), mouse events
// (runmouse.cpp), the tag and host services (runservices.cpp).
#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "qel/picmsg.h"
#include "drawobj.h"
#include "picobj.h"
#include "runsurface.h"
#include "tagcache.h"
#include "tickrepaint.h"
#include "tickscope.h"
#include "wnd.h"

class CPicRunWnd : public CWnd, private CTickScope::Answerer {
 public:
  // The timer that drives the links, and its period.
  static constexpr UINT_PTR kTimerId = 1;
  static constexpr UINT kTickMs = 100;

  CPicRunWnd();
  ~CPicRunWnd() override;

  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

  // ---- the tag cache ------------------------------------------------------
  void ResetTagCache() { m_tags.Reset(); }
  void ClearTagCache() { m_tags.Clear(); }
  int FindTag(const char* name, QB_VALUE* out) { return m_tags.FindTag(name, out, m_host); }
  void RefreshTags() { m_tags.RefreshTags(m_host); }
  void StoreTagValue(const QB_TAGVALUE& record) { m_tags.StoreTagValue(record); }

  // Runs tick n: the timer and picture-cycle events, the repaint of what
  // changed, and on every eighth tick (n mod 8 = 7) the tag refresh.
  void RunTick(DWORD n);

 private:
  // While the window runs links (its tick, a mouse button), a picture that
  // a handler they called replaces is kept, not deleted, until the
  // outermost run ends: the walk, the object and the link that asked are
  // still on the stack and read it. Its links ask for no other picture
  // meanwhile: the host has answered the first request.
  class CLinkRun {
   public:
    explicit CLinkRun(CPicRunWnd& window);
    ~CLinkRun();
    CLinkRun(const CLinkRun&) = delete;
    CLinkRun& operator=(const CLinkRun&) = delete;

   private:
    CPicRunWnd& m_window;
  };
  // True while a run goes on whose picture has been replaced.
  bool RunPictureReplaced() const { return m_linkRuns > 0 && m_runLoads != m_loads; }

  // picrunwnd.cpp
  LRESULT OnCreate();
  void OnDestroy();
  LRESULT OnLoadPicture(const PictureDataBlock* block);
  LRESULT OnLinkPicture(LPARAM name);
  void SetLocalCallbacks(const LocalTagCallbackBlock* table);
  void SetHostCallbacks(const HostCallbackBlock* table);
  void DeletePicture();
  // Every object of every layer, layers last to first, objects first to last.
  template <class F>
  void ForEachObject(F f);
  void StartObjects();

  // runtick.cpp
  void OnTimer(UINT_PTR id);
  // The requests of the window's own links and scripts during its tick,
  // answered as the window procedure answers them.
  LRESULT AnswerRequest(UINT msg, WPARAM wp, LPARAM lp) override;
  // The tick divisor of the picture period (at least 1).
  DWORD PictureCycleDivisor() const;
  // The timer event of tick n, and the picture cycle when it is due, to
  // every object.
  void FireTick(DWORD n);

  // runview.cpp
  void OnSize(UINT type);
  void OnScroll(int bar, int code);
  LRESULT OnZoom(int percent);
  void UpdateScrollRanges();
  // The new view transform to every object, repaint, control windows
  // re-placed, QCN_VIEWCHANGED sent with the zoom percent.
  void ApplyView(LONG zoomPercent);
  void RepositionControls();
  void SendViewChanged(LONG zoomPercent);
  CPointD ClientToPic(POINT device) const;

  // runpaint.cpp
  void OnPaint();
  // WM_PRINTCLIENT: the whole client area into the given context, drawn as
  // a paint draws it (what PrintWindow shows).
  void OnPrintClient(HDC target);
  void Paint(CDC& dc, const RECT& area);

  // runmouse.cpp
  LRESULT OnMouseButton(UINT msg, WPARAM wp, LPARAM lp);
  CDrawObj* HitObject(POINT device);

  // runservices.cpp
  LRESULT OnHostService(UINT msg, WPARAM wp, LPARAM lp);
  LRESULT OnTagService(UINT msg, WPARAM wp, LPARAM lp);
  LRESULT ReadTag(const NumTagRequest& request);
  LRESULT ReadLocal(const NumTagRequest& request);
  LRESULT ReadLocalVar(const VarTagRequest& request);
  LRESULT WriteLocal(const NumTagRequest& request);
  LRESULT WriteLocalVar(const VarTagRequest& request);

  // ---- state, in the order the window holds it ----------------------------
  std::unique_ptr<CPicObj> m_picture;
  HostCallbackBlock m_host = {};
  LocalTagCallbackBlock m_local = {};
  CTagCache m_tags;
  ULONG_PTR m_gdiplusToken = 0;
  UINT_PTR m_timer = 0;
  RECT m_dirty = {0, 0, 0, 0};    // client coordinates; links enlarge it
  CTickRepaint m_repaint;         // what scripts invalidate during a tick
  DWORD m_tick = 0;               // ticks since the last picture load
  CDrawObj* m_pressed = nullptr;  // the object that last took a button-down
  double m_zoom = 1.0;
  POINT m_origin = {0, 0};    // scroll origin, device pixels
  bool m_layingBars = false;  // the scroll bars are being laid out
  ViewInfo m_viewInfo = {};
  DrawViewContext m_view;  // what every object of the picture is given
  CRunSurface m_surface;   // the off-screen surface of every paint
  // Counts picture loads, so that a walk over the objects stops when a
  // handler it called (a link, a host callback) replaced the picture.
  DWORD m_loads = 0;
  int m_linkRuns = 0;                                // the runs of links going on (CLinkRun)
  DWORD m_runLoads = 0;                              // m_loads when the outermost of them began
  std::vector<std::unique_ptr<CPicObj>> m_replaced;  // kept until it ends
};

template <class F>
void CPicRunWnd::ForEachObject(F f) {
  if (!m_picture) return;
  const DWORD loads = m_loads;
  CObList& layers = m_picture->m_layers;
  for (POSITION lp = layers.GetTailPosition(); lp;) {
    auto* layer = static_cast<CPicLayer*>(layers.GetPrev(lp));
    if (!layer) continue;
    for (POSITION op = layer->m_objects.GetHeadPosition(); op;) {
      auto* obj = static_cast<CDrawObj*>(layer->m_objects.GetNext(op));
      if (obj) f(obj, layer);
      if (loads != m_loads) return;
    }
  }
}
