// The invalidations of one tick of a picture window, gathered and made once.
//
// Script host functions invalidate their object's area in the picture
// window on every call (MoveTo twice). Each invalidation is a round trip to
// the platform's window manager, which under Wine costs some 20 us: with a
// script per object that was most of a tick. While a window runs its tick
// (tickscope.h), invalidations asked for that window are kept in the
// window's list instead, and at the end of the tick the window invalidates
// the union of its dirty rectangle and the list in one call. The update
// region is the same set of pixels as before, so the same pixels are
// repainted by the same paint.
//
//   { CTickScope tick(m_hWnd, m_repaint, ...); ... CTickRepaint::Invalidate(hWnd, r) ... }
//   m_repaint.Flush(m_hWnd, m_dirty);
//
// Invalidations for a window that runs no tick are made at once.
#pragma once
#include <windows.h>

#include <vector>

class CTickRepaint {
 public:
  // Invalidates r in hWnd with erasing: at once, or at the end of the tick
  // that hWnd is running on this thread.
  static void Invalidate(HWND hWnd, const RECT& r);

  // Invalidates, with erasing and in one call, the union of `dirty` and
  // every area gathered since the last flush; nothing when both are empty.
  // The list is emptied (its room is kept for the next tick).
  void Flush(HWND hWnd, const RECT& dirty);

  // The areas gathered and not yet flushed.
  const std::vector<RECT>& Gathered() const { return m_rects; }

 private:
  std::vector<RECT> m_rects;
};
