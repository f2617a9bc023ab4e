// What each drawing tool makes: the draw object of the tool's kind with the
// tool's defaults, the size of the fixed-size objects, and the point limit
// of the point-by-point tools. One table; the tools read it.
#pragma once
#include <windows.h>

class CDrawObj;

// How a tool makes its object.
enum ToolFamily {
  TF_NONE,    // no tool with that id
  TF_SELECT,  // the selection tool
  TF_POINTS,  // point by point: poly-lines, lines, curves, pipes, polygons
  TF_FRAMED,  // a frame: dragged, or of a fixed size from the click
  TF_TEXT,    // single-line text
};

struct ToolKind {
  int id;
  ToolFamily family;
  int pointLimit;  // point-by-point tools: more points than this finish the object
  SIZE fixedSize;  // framed tools: {0, 0} for a dragged frame
};

// The table row of a tool id; family TF_NONE for an id without a tool.
const ToolKind& ToolKindOf(int id);

// A new object of the tool's kind with the tool's defaults and the given
// colour as its line and text colour; null for an id that makes nothing
// here (the image, whose object needs its file, and the controls whose
// parts are not built yet).
CDrawObj* NewToolObject(int id, COLORREF color);
