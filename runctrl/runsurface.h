// The runtime window's off-screen drawing surface, kept from one paint to
// the next.
//
// A paint draws the picture into a memory bitmap over the area being
// painted and copies that area to the window in one block, so animation does
// not flicker. Making and freeing a bitmap of the window's size on every
// paint cost some 2 ms of each tick of a full window under Wine; the runtime
// window repaints every tick, so it keeps one bitmap of its client size (made
// again only when the window grows) and paints in client coordinates. Each
// paint starts from the same state: the device context's state is saved
// before and restored after, drawing is clipped to the painted area, and
// only that area (filled with the background colour first) is copied.
// While the objects draw, the surface holds the DC pen and brush, so that the
// plain rectangles of a picture are drawn in one call each (plainrect.h), and
// says that its clip box is the painted area (knownclip.h); each paint is
// one paint pass (paintcache.h).
#pragma once
#include <windows.h>

#include <optional>

#include "gdiwrap.h"
#include "knownclip.h"
#include "paintcache.h"
#include "plainrect.h"

class CRunSurface {
 public:
  // The surface for painting `area` (client coordinates) of a window whose
  // client area is `client` large, onto `output`: the area is filled with
  // `background` and clipped to. Null when no surface can be had.
  CDC* Begin(CDC& output, SIZE client, const RECT& area, COLORREF background);
  // Copies the area to the output and restores the surface's state.
  void End(CDC& output);

 private:
  bool Fit(CDC& output, SIZE client, const RECT& area);

  CBitmap m_bitmap;  // goes after the context that holds it
  CDC m_dc;
  HGDIOBJ m_firstBitmap = nullptr;  // what the memory context held at first
  SIZE m_size = {0, 0};
  RECT m_area = {0, 0, 0, 0};
  int m_saved = 0;
  std::optional<PlainShapeColours> m_plainColours;  // from Begin to End
  std::optional<CKnownClipBox> m_knownClip;         // from Begin to End
  std::optional<CPaintPass> m_pass;                 // from Begin to End
};
