// The four corners of a rotatable rectangle and the rules that resize, turn
// and mirror it while it stays a rectangle.
//
// P1, P2, P3, P4 go round the rectangle; in its own frame P1 is the top-left,
// P2 the top-right, P3 the bottom-right and P4 the bottom-left corner. The
// frame's x axis runs from P1 to P2 (equally from P4 to P3); its y axis from
// P1 towards P4, which may lie on either side of P1P2 (a mirrored rectangle).
// Working in that frame the sides are axis-parallel, so resizing is plain
// rectangle arithmetic between two turns.
#pragma once

#include "geometry.h"

// Handle numbers of a rotatable rectangle: corners, sides, and the rotation
// handle three quarters along the first side.
enum RectHandleId : int {
  RH_P1 = 1,
  RH_TOP = 2,
  RH_P2 = 3,
  RH_RIGHT = 4,
  RH_P3 = 5,
  RH_BOTTOM = 6,
  RH_P4 = 7,
  RH_LEFT = 8,
  RH_ROTATE = 9,
};
constexpr int kRectHandleLast = RH_ROTATE;

// A resize that leaves a side shorter than this, or a turn dragged closer
// than this to P1, is ignored.
constexpr double kRectMinExtent = 3.0;

inline CPointD Middle(const CPointD& a, const CPointD& b) {
  return CPointD(a.x + (b.x - a.x) * 0.5, a.y + (b.y - a.y) * 0.5);
}

struct RectCorners {
  CPointD p[4];  // P1..P4

  // The axis-parallel rectangle (left, top), (right, top), (right, bottom), (left, bottom).
  static RectCorners FromRect(const CRectD& r);

  // Handle positions 1..9; any other number gives (0, 0).
  CPointD Handle(int nHandle) const;

  // Applies a handle drag to the new handle position q. Corners, sides and
  // the rotation handle follow their rules; a drag that would make the
  // rectangle too small, or any other handle, changes nothing. True when
  // the corners changed.
  bool MoveHandle(int nHandle, const CPointD& q);

  double Width() const { return Distance(p[0], p[1]); }   // |P1P2|
  double Height() const { return Distance(p[0], p[3]); }  // |P1P4|
  // New width along the first side, P1 and P4 staying.
  void SetWidth(double w);
  // New height along the second side, P1 and P2 staying.
  void SetHeight(double h);

  // The direction of the frame's x axis (P1 to P2).
  DirPair XAxis() const { return Direction(p[0], p[1]); }
  // True when P4, turned into the frame about P1, lies above P1.
  bool IsMirrored() const;

  // Whether every corner is finite (a damaged file may hold NaN).
  bool IsFinite() const { return AllFinite(p, 4); }

  // The smallest axis-parallel rectangle holding the corners, normalised.
  CRectD Bounds() const;

  void Offset(double dx, double dy);
  void Rotate(const CPointD& centre, const DirPair& turn);
  // nAxis 0 mirrors about the vertical line x = x0, else about y = y0.
  void Flip(double x0, double y0, int nAxis);
  void Scale(const CPointD& anchor, double f);

 private:
  bool DragCorner(int nCorner, const CPointD& q);
  bool DragSide(int nHandle, const CPointD& q);
  bool DragRotation(const CPointD& q);
};
