// Where the platform's metafile player puts what a metafile draws, and how
// much work that is, followed record by record before a single record is
// handed to it.
//
// The player maps a part of its device space, the frame, onto the image's
// corners; whatever a record draws lands where the metafile's own mapping
// (mapping mode, window and viewport, world transform, each saved and
// restored with the DC) takes it. A metafile is refused when something it
// draws lands far outside the frame (so that a few units of frame cannot
// stand for millions of pixels), when a pen or a font is several times
// larger than the picture itself, or when the rows its shapes and texts
// cover (the platform's fill work grows with them, wherever the shapes are
// clipped) add up to more than kMaxWork frame heights. The largest pen or
// font it makes is reported, so that drawing can choose a size at which
// the player's glyphs and strokes stay bounded too.
#pragma once

#include <windows.h>

#include <vector>

#include "geometry.h"
#include "metafilecheck.h"

class CMetafileBounds {
 public:
  // Records of one metafile at most.
  static constexpr size_t kMaxRecords = 100000;
  // Nested saves of the DC state at most.
  static constexpr size_t kMaxSaveDepth = 64;
  // Coordinates, extents and origins of the records, as the platform's
  // own coordinate space allows them (27 bits).
  static constexpr double kMaxLogical = 134217727.0;
  // What is drawn stays within the frame grown by its own width and
  // height on every side.
  static constexpr double kReachFrames = 1.0;
  // Pens and fonts at most this many times the frame's smaller side.
  static constexpr double kMaxSizeFrames = 4.0;
  // The rows all shapes and texts cover, in frame heights.
  static constexpr double kMaxWork = 1024.0;

  // frame: the player's device units mapped onto the image; pixels per
  // millimetre of the reference device (for the metric mapping modes).
  CMetafileBounds(const CRectD& frame, double dPixelsPerMmX, double dPixelsPerMmY);

  // Whether the frame itself is usable: finite, within kMaxLogical, with a
  // width and a height of at least one unit.
  bool IsUsable() const { return m_bUsable; }

  // Each call below is false when the record that makes it is refused.
  bool Record();  // counts a record
  bool SetMapMode(int nMode);
  bool SetWindowOrg(double x, double y);
  bool OffsetWindowOrg(double dx, double dy);
  bool SetWindowExt(double cx, double cy);
  bool ScaleWindowExt(double xNum, double xDenom, double yNum, double yDenom);
  bool SetViewportOrg(double x, double y);
  bool OffsetViewportOrg(double dx, double dy);
  bool SetViewportExt(double cx, double cy);
  bool ScaleViewportExt(double xNum, double xDenom, double yNum, double yDenom);
  bool SetWorldTransform(const XFORM& x);
  bool ModifyWorldTransform(const XFORM& x, DWORD nMode);
  bool Save();
  bool Restore(int nRelative);

  // A pen of this width in logical units (0 for a one-pixel pen).
  bool Pen(double dWidth);
  // A font of this height and width in logical units.
  bool Font(double dHeight, double dWidth);
  // Something drawn through (or within) these logical points, with the
  // widest pen made so far.
  bool Draw(const CPointD* pts, size_t n);
  // A text of nChars characters written at a logical point with the
  // tallest font made so far.
  bool Text(const CPointD& at, size_t nChars);

  // The frame, the largest pen or font made (device units) and the rows
  // covered (frame heights), once the records are walked.
  MetafileSummary Summary() const;

 private:
  struct Mapping {
    int mode = MM_TEXT;
    CPointD windowOrg, viewportOrg;
    CPointD windowExt{1.0, 1.0}, viewportExt{1.0, 1.0};
    XFORM world = {1, 0, 0, 1, 0, 0};
  };

  // Device units per logical unit along each axis (signed).
  CPointD Ratio() const;
  CPointD ToDevice(const CPointD& p) const;
  // The most device units one logical unit can become, in any direction.
  double Magnification() const;
  // A device box inside the reach of the frame; adds its rows to the work.
  bool Lands(const CRectD& box);
  // A pen or font size in logical units, within kMaxSizeFrames.
  bool Sized(double dSize);
  static bool SetOrigin(CPointD& origin, double x, double y);
  static bool SetExtent(CPointD& extent, double cx, double cy);
  static bool ScaleExtent(CPointD& extent, double xNum, double xDenom, double yNum, double yDenom);
  static bool IsLogical(double v) { return v >= -kMaxLogical && v <= kMaxLogical; }
  static bool IsExtent(double v) { return IsLogical(v) && v != 0.0; }

  CRectD m_frame;
  CRectD m_reach;
  double m_smallerSide = 0.0;
  CPointD m_pixelsPerMm;
  bool m_bUsable = false;
  Mapping m_mapping;
  std::vector<Mapping> m_saved;
  double m_widestPen = 0.0;    // logical units
  double m_tallestFont = 0.0;  // logical units
  double m_largestSize = 0.0;  // device units
  double m_work = 0.0;
  size_t m_records = 0;
};
