// The picture model's side of the attribute and link-kind records
// (qel/proprecords.h): their names and how draw objects fill them.
#pragma once
#include <windows.h>

#include <functional>

#include "qel/proprecords.h"

// Display name of a property id; "" for an id without one.
const char* GetPropName(int id);

// Fills id, kind and the id's display name, zeroes minimum and maximum; the
// value is the caller's.
void GetPropDesc(int id, int kind, PropDesc* rec);
// The same with a given name, cut to 19 bytes without splitting a GBK
// double-byte character; a null name is the empty name.
void SetPropDesc(int id, int kind, const char* name, PropDesc* rec);

// Object-type name of a draw-object kind (-1 is the picture); null for a kind
// without a name (the base object and the plain control).
const char* GetTypeName(int objType);
constexpr int kPictureTypeKey = -1;

// Display name of a link kind (each begins with a blank); null for a number
// that is no link kind.
const char* GetActionKindName(int kind);

// The families of draw objects that offer the same link kinds.
enum LinkFamily {
  LF_NONE,         // base object, group, plain control
  LF_POLYLINE,     // poly-line, curve
  LF_LINE,         // line, arrow
  LF_FILLED,       // polygon, closed curve, rectangle, ellipse, image, multi-line text
  LF_PIPE_TEXT,    // pipe, single-line text
  LF_TAGVALUE,     // tag-value display
  LF_SUBPICTURE,   // sub-picture
  LF_PUSHBUTTON,   // push button
  LF_CHECK_RADIO,  // check box, radio button
  LF_EDIT,         // edit box
  LF_HOSTED,       // ActiveX control, plug-in control
};

// Family of a draw-object kind (LF_NONE for kinds that offer no links).
LinkFamily LinkFamilyOfType(int objType);

// The most kinds any family offers.
constexpr int kMaxActionKinds = 11;

// Mode (0 none, 1 direct, 2 script) of the object's link of a kind.
using FindActionFn = std::function<int(int kind)>;

// Fills the link-kind records of a family in offer order, each with the mode
// of the existing link from findAction, and returns how many were written
// (at most capacity). A null findAction means the object has no links.
int FillActionKinds(LinkFamily family, const FindActionFn& findAction, ActionKindDesc* out, int capacity);
