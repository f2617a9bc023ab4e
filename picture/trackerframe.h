// The dotted frame that the trackers draw around their objects (every
// selected object, groups and controls): alternating black and white pixels,
// so it shows on any background.
#pragma once

#include <windows.h>

#include "dcscope.h"
#include "gdiwrap.h"

// Along the rows y = top and y = bottom - 1, pixel x black and x + 1 white for
// x = left, left + 2, ... while x < right - 2; the columns likewise.
void DrawTrackerFrame(CDC* pDC, const RECT& r);
// Those frames one after another.
void DrawTrackerFrames(CDC* pDC, const RECT* frames, int count);
// The two frames the trackers draw around an object: outer, then outer
// shrunk by a pixel on every side.
void DrawTrackerFramePair(CDC* pDC, const RECT& outer);

// The frames drawn on one DC during a paint of many objects (a group's)
// ask the DC what they need of it (its mapping, brush origin and clip box)
// once, at the first frame, instead of at each: the objects drawn between
// leave those as they found them, and narrow the clip only inside the box
// known (CKnownClipBox). Scopes belong to the thread that opens them and
// nest (CDcScope).
class CFramePaint : public CDcScope<CFramePaint> {
 public:
  explicit CFramePaint(HDC hdc) : CDcScope(hdc) {}

  // The paint open on hdc on this thread; null when none is.
  static CFramePaint* Of(HDC hdc) { return Innermost(hdc); }

  // What a frame needs of the DC.
  struct Device {
    bool patterned = false;  // MM_TEXT and the brushes made: else pixel by pixel
    int parity = 0;          // of device x + y less brush origin x + y at logical (0, 0)
    bool clipKnown = false;
    RECT clip = {0, 0, 0, 0};
  };
  // Asked of the DC at the first call.
  const Device& DeviceOf(CDC* pDC);

 private:
  bool m_bAsked = false;
  Device m_device;
};
