// The kind number that every draw object reports and by which the drawing
// tools create objects (tool 0 is the selection tool).
#pragma once

enum DrawObjType : int {
  DOT_BASE = 0,
  DOT_POLY = 1,
  DOT_LINE = 2,
  DOT_TEXT = 3,
  DOT_POLYGON = 4,
  DOT_RECT = 5,
  DOT_BEZIER = 6,
  DOT_BEZIERFILL = 7,
  DOT_ELLIPSE = 8,
  DOT_ARROW = 9,
  DOT_PIPE = 10,
  DOT_TAGVAL = 11,
  DOT_BITMAP = 12,
  DOT_MTEXT = 13,
  DOT_GROUP = 50,
  DOT_CELL = 51,
  DOT_CTRL = 100,
  DOT_PUSHBT = 101,
  DOT_CHECKBT = 102,
  DOT_RADIOBT = 103,
  DOT_CTRLEDIT = 104,
  DOT_CTRLOCX = 150,
  DOT_PLUGIN = 151,
};
