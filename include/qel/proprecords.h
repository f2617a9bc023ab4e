// The records through which draw objects and pictures describe their
// editable attributes and their possible animation links to the host's
// attribute list (QCN_PROPERTIES, QCN_EVENTLINKS, QCM_SETPROPERTY,
// QCM_SETEVENTLINK). They cross the editing window's message protocol, so
// their layout is fixed.
#pragma once
#include <windows.h>

#include <cstddef>

#include "qel/layout.h"

// Editor kind: the low 7 bits select the editor, the bits above qualify it.
enum PropEditor {
  PE_INTEGER = 0,
  PE_BOOL = 1,       // shown "TRUE" / "FALSE"; non-zero is true
  PE_COLOR = 2,      // colour reference; minimum != 0 allows -1 (no colour)
  PE_TEXT = 4,       // value points to text
  PE_FONT = 5,       // value points to a LOGFONTA
  PE_GUID = 6,       // value points to a 16-byte identifier
  PE_LINESTYLE = 7,  // pen style number
  PE_FILLMODE = 8,   // fill style 0 to 5
  PE_ALIGN = 9,      // alignment number
  PE_BUTTON = 10,    // opens a dialog; value 0
};
enum : int {
  PK_EDITOR_MASK = 0x7F,
  PK_READONLY = 0x80,
  PK_MIN_APPLIES = 0x100,  // a smaller entered number is replaced by the minimum
  PK_MAX_APPLIES = 0x200,
};

// Property ids as the host's attribute list sends them back.
enum PropId {
  PROP_TYPE = 0,
  PROP_NAME = 1,
  PROP_COMMENT = 2,
  PROP_TEXT = 3,
  PROP_LINESTYLE = 4,
  PROP_LINEWIDTH = 5,
  PROP_LINECOLOR = 6,
  PROP_FILLCOLOR1 = 7,
  PROP_FILLMODE = 8,
  PROP_TOPX = 9,
  PROP_TOPY = 10,
  PROP_WIDTH = 11,
  PROP_HEIGHT = 12,
  PROP_FONT = 13,
  PROP_ARROWSIZE = 14,
  PROP_ARROWANGLE = 15,
  PROP_PIPEWIDTH = 16,
  PROP_ALIGN = 17,
  PROP_READONLY = 18,
  PROP_MULTILINE = 19,
  PROP_PASSWORD = 20,
  PROP_SUBPICID = 21,
  PROP_CHILDCOUNT = 22,
  PROP_FILLCOLOR2 = 23,
  PROP_PICNAME = 30,
  PROP_PICBKCOLOR = 31,
  PROP_PICPERIOD = 32,
  PROP_STRUCTNAME = 33,
  PROP_PAGES = 50,   // button: the object's own property pages
  PROP_LAYERS = 51,  // button: layer management; its user gives the name
};

constexpr int kPropNameSize = 20;  // at most 19 bytes and a zero

struct PropDesc {
  int id;
  int kind;
  LONG_PTR value;  // integer, colour reference, or pointer, by editor kind
  int minimum;
  int maximum;
  char name[kPropNameSize];
};
// The value holds a pointer for some editor kinds: 40 bytes in the 32-bit
// flavour, the natural 48 in the 64-bit one.
QEL_LAYOUT(sizeof(PropDesc), 40, 48);
static_assert(offsetof(PropDesc, id) == 0 && offsetof(PropDesc, kind) == 4 && offsetof(PropDesc, value) == 8,
              "PropDesc layout");
QEL_LAYOUT(offsetof(PropDesc, minimum), 12, 16);
QEL_LAYOUT(offsetof(PropDesc, maximum), 16, 20);
QEL_LAYOUT(offsetof(PropDesc, name), 20, 24);

// The pair handed to GetPropList and GetActionKinds: count and records.
struct PropDescList {
  int count;
  PropDesc* items;
};

// ---- link kinds -----------------------------------------------------------

enum ActionKind {
  AK_SCRIPT = 0,
  AK_TAGVALUE = 1,
  AK_COLOR = 2,
  AK_FILLCOLOR = 3,
  AK_FLASH = 4,
  AK_SHOWHIDE = 5,
  AK_ROLL = 6,
  AK_MOVE = 7,
  AK_PERFILL = 8,
  AK_POINTER = 9,
  AK_MOUSE_CLICK = 101,
  AK_LBUTTON_DOWN = 102,
  AK_LBUTTON_UP = 103,
  AK_RBUTTON_DOWN = 104,
  AK_RBUTTON_UP = 105,
  AK_CLICKED = 500,
  AK_SETFOCUS = 510,
  AK_KILLFOCUS = 511,
  AK_CHANGE = 520,
};

// Link modes: what a link of a kind does, and which modes a kind allows.
enum : int {
  AM_NONE = 0,
  AM_DIRECT = 1,
  AM_SCRIPT = 2,
  AM_ALLOW_BOTH = 3,
  AM_ALLOW_SCRIPT = 2,
};

constexpr int kActionKindNameSize = 24;

struct ActionKindDesc {
  int kind;
  DWORD flags;  // low byte: mode of the existing link; second byte: allowed modes
  char name[kActionKindNameSize];
};
static_assert(sizeof(ActionKindDesc) == 32, "ActionKindDesc crosses the window protocol");
static_assert(offsetof(ActionKindDesc, kind) == 0, "ActionKindDesc layout");
static_assert(offsetof(ActionKindDesc, flags) == 4, "ActionKindDesc layout");
static_assert(offsetof(ActionKindDesc, name) == 8, "ActionKindDesc layout");

struct ActionKindList {
  int count;
  ActionKindDesc* items;
};
