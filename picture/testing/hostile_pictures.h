// Damaged pictures for the tests and the benchmark of drawing: every object
// kind holding the numbers a damaged or hostile file can hold where they
// reach the platform's drawing (NaN and far-out coordinates, line widths and
// font sizes of millions, ...), each next to a valid object that must still
// draw.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "drawobj.h"

class CPicObj;

namespace hostile {

struct Case {
  const char* what;  // what the object holds
  std::function<CDrawObj*()> make;
};

// One case per kind of damage.
const std::vector<Case>& Cases();

// The size of the damaged picture: tens of millions of grid dots per axis.
constexpr int kPictureWidth = 62914815;
constexpr int kPictureHeight = 44564480;

// A picture of that size holding every case `copies` times, each followed by
// a small valid rectangle; stored and read back as a picture file would be.
// Every object comes back selected, so its selection frame is drawn too.
std::unique_ptr<CPicObj> HostilePicture(int copies = 1);

// The cases and their neighbours in groups nested `depth` deep (each group
// holds some of them and the next group, the innermost the rest), stored and
// read back, all selected: what a fuzzed picture of nested groups holds.
std::unique_ptr<CPicObj> NestedHostilePicture(int depth);

// The valid neighbour that follows each case: a blue 20 x 20 rectangle at
// (150, 150).
CDrawObj* ValidNeighbour();
constexpr COLORREF kNeighbourColour = RGB(0, 0, 255);

}  // namespace hostile
