// The picture window whose tick is running on this thread, as its own links
// and scripts reach it meanwhile.
//
// While a window runs its tick it opens a scope for its handle. Requests
// that its links and scripts address to that handle during the tick are then
// served by the window without a platform message (a tag read of a direct
// link or a script answered from the window's tag cache), and the areas its
// scripts invalidate are gathered to be invalidated once at the end of the
// tick (tickrepaint.h). Everything addressed to another window, and
// everything outside a tick (mouse and control events), goes by the
// platform as before, so every other caller sees the same messages.
//
//   CTickScope tick(m_hWnd, m_repaint, *this);
//   ... links and scripts run ...
//
// Scopes belong to the thread that opens them and nest: a tick that runs
// inside another one (a link that makes a window tick) adds its window, and
// both are served until the inner one ends.
#pragma once
#include <windows.h>

class CTickRepaint;

class CTickScope {
 public:
  // The window's own answer to a request message, as its window procedure
  // gives it.
  class Answerer {
   public:
    virtual LRESULT AnswerRequest(UINT msg, WPARAM wp, LPARAM lp) = 0;

   protected:
    ~Answerer() = default;
  };

  CTickScope(HWND hWnd, CTickRepaint& repaint, Answerer& answerer);
  ~CTickScope();
  CTickScope(const CTickScope&) = delete;
  CTickScope& operator=(const CTickScope&) = delete;

  // The scope of the tick that hWnd runs on this thread; null when it runs none.
  static CTickScope* Of(HWND hWnd);

  CTickRepaint& Repaint() const { return m_repaint; }
  Answerer& Requests() const { return m_answerer; }

 private:
  HWND m_hWnd;
  CTickRepaint& m_repaint;
  Answerer& m_answerer;
  CTickScope* m_outer;
};
