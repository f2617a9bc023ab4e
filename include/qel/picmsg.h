// The window-message protocol of the two picture windows ("QELPICEDIT", the
// editing window, and "QELPICVIEW", the runtime window): the messages a host
// sends to a picture window (QCM_), the notices a picture window sends to its
// parent (QCN_), the service requests that expressions, scripts and plug-in
// controls send to the picture window that holds them (QSM_), the plug-in
// messages (QPM_), the viewer's private message (QVM_), the notices of the
// shared list and colour components (QLN_, QCPN_, QCCN_) and the script
// editor's own message (QSE_), with every record a parameter points to.
//
// This header is shared by both control libraries, both programs, the links,
// the script engine and the plug-ins, which are built separately and bound at
// run time only: every number and layout here is fixed. Records are passed by
// pointer and are valid during the call only; the receiver copies what it
// keeps. Integers are 32-bit little-endian, pointers 32-bit.
#pragma once
#include <windows.h>

#include <cstddef>

#include "qel/layout.h"
#include "qel/proprecords.h"
#include "qel/qbtypes.h"

class CTagValue;

// ---- host to picture window -------------------------------------------------
// First parameter 0 unless said; a message a window does not handle answers 0.

#define QCM_SETLOCALCALLBACKS 0x400  // lParam LocalTagCallbackBlock*; the window copies it
#define QCM_SETHOSTCALLBACKS 0x401   // lParam HostCallbackBlock*; the window copies it
#define QCM_PICFOLDER 0x402          // lParam picture folder text, ending in a separator
#define QCM_OPENPIC 0x403            // lParam file name; 0 opened, 1 not openable, 2 no picture object
#define QCM_NEWPIC 0x404             // lParam file name
#define QCM_SAVEPIC 0x405            // 0 saved, 1 file not openable, 2 no picture
#define QCM_SETPROPERTY 0x406        // wParam property id; lParam value, text or LOGFONTA pointer
#define QCM_OBJECTDIALOG 0x407
#define QCM_SETEVENTLINK 0x408  // wParam 0 remove, 1 direct link, 2 script; lParam link kind
#define QCM_COPY 0x409
#define QCM_CUT 0x40A
#define QCM_PASTE 0x40B
#define QCM_UNDO 0x40C
#define QCM_REDO 0x40D
#define QCM_ARRANGE 0x40E     // lParam ArrangeCode
#define QCM_GROUP 0x40F       // lParam 0 group, 1 ungroup
#define QCM_SUBPICTURE 0x410  // lParam 0 make a sub-picture, 1 break it up
#define QCM_ROTATE 0x411      // lParam 0 rotate by 90 degrees, 1 mirror (0), 2 mirror (1)
#define QCM_RENOTIFY 0x412    // sends QCN_PROPERTIES, then QCN_EVENTLINKS
#define QCM_IMPORTWMF 0x413
#define QCM_NOTIFYPROPS 0x414  // sends QCN_PROPERTIES; no host sends it
#define QCM_LOADPICDATA 0x432  // lParam PictureDataBlock*; 0 loaded, 1 no picture object
#define QCM_SELECTTOOL 0x464   // lParam tool id
#define QCM_ZOOM 0x465         // lParam zoom in percent
#define QCM_SNAPGRID 0x466     // lParam 1 snap to the grid, 0 free
#define QCM_COMPILE 0x467      // lParam compiler path; answers the number of script errors
#define QCM_QUERY 0x496        // wParam QueryCode; answers the state asked for

// lParam of QCM_ARRANGE.
enum ArrangeCode {
  QCA_ALIGNLEFT = 0,
  QCA_ALIGNTOP = 1,
  QCA_ALIGNRIGHT = 2,
  QCA_ALIGNBOTTOM = 3,
  QCA_SPACEHORZ = 4,
  QCA_SPACEVERT = 5,
  QCA_BACKWARD = 6,
  QCA_FORWARD = 7,
};

// wParam of QCM_QUERY; any other code answers 0.
enum QueryCode {
  QCQ_CANPASTE = 0,       // 1 when the clipboard offers data that can be pasted
  QCQ_SELCOUNT = 1,       // number of selected objects
  QCQ_CANUNDO = 2,        // 1 when an undo step is held
  QCQ_CANREDO = 3,        // 1 when a redo step is held
  QCQ_MULTISEL = 4,       // 1 when more than one object is selected
  QCQ_GROUPSEL = 5,       // 1 when exactly one group (kind 50) is selected
  QCQ_ANYSEL = 6,         // 1 when at least one object is selected
  QCQ_SUBPICTURESEL = 7,  // 1 when exactly one sub-picture (kind 51) is selected
  QCQ_TOOL = 8,           // the current tool id
  QCQ_MODIFIED = 9,       // the picture's modified flag (0 without a picture)
  QCQ_SNAP = 10,          // 1 when snapping to the grid is on
};

// ---- picture window to its parent -------------------------------------------
// First parameter: the sender's control identifier unless said. Results are ignored.

#define QCN_VIEWCHANGED 0x4C8  // lParam ViewInfo*
#define QCN_PROPERTIES 0x4C9   // lParam PropDescList*
#define QCN_EVENTLINKS 0x4CA   // lParam ActionKindList*
#define QCN_CHANGED 0x4CB      // lParam 0
#define QCN_LINKPICTURE 0x4CC  // lParam picture file name; wParam 0 from links and scripts
// One block of compiler output text (wParam 1, lParam the text) to the
// output window; the picture model sends it itself.
#define QCN_OUTPUTTEXT 0x4DC

// The viewer's own message, posted to itself: opens the pending linked picture.
#define QVM_LOADLINKEDPIC 0x4CD

// ---- the shared list and colour components to their owners ----------------
// Sent by windows of the editing control's list and colour components, which
// are compiled into the editor, the runtime library and the sample plug-in too.

// The owner-drawn list window, posted to its parent on a double click on a row:
// wParam the list's control identifier, lParam the row.
#define QLN_ROWDBLCLK 0x415
// The colour popup to its owner; wParam the colour, lParam 0.
#define QCPN_SELCHANGE 0x7E9     // the hot colour changed while moving over the palette
#define QCPN_SELENDOK 0x7EC      // the selection ended with this colour
#define QCPN_SELENDCANCEL 0x7ED  // the selection was cancelled; the initial colour
// A colour swatch or strip to its parent page: its colour changed (the page
// marks itself modified and answers 0); wParam and lParam 0.
#define QCCN_CHANGED 0x3F3

// The script editor's edit control, posted to itself: destroys its completion
// list once the message that closed it is handled; wParam the showing of the
// list that is to go (a later showing keeps it). Above the rich edit's own
// messages.
#define QSE_DROPTIPLIST 0x8001

// ---- plug-in messages -------------------------------------------------------
// wParam the check word where said; lParam a call record of the plug-in interface.

#define QPM_CALLINTERFACE 0xB01  // host to plug-in window; check word
#define QPM_SETPROPERTY 0xB02    // host to plug-in window; check word
#define QPM_GETPROPERTY 0xB03    // host to plug-in window; check word
#define QPM_FIREEVENT 0xB04      // plug-in window to its picture window; check word of its control id
// Host to plug-in window, sent by the picture model itself: show the plug-in's
// property pages (wParam 0, lParam the zero-terminated title prefix); 0 when
// they were closed with OK.
#define QPM_SHOWPAGES 0xB05
#define QPM_QUERYTAGS 0xB15  // plug-in page to picture window; check word of 219; TagQueryRequest*

// ---- service requests to the picture window ---------------------------------
// wParam: the check word made from QSM_CHECKCODE. Result 1 when the check word
// is wrong, the record pointer is null, or the host table's context or the
// callback is not set; otherwise the callback's result.

#define QSM_CHECKCODE 219  // the code in the low word of every service request's check word

#define QSM_TAGGETATTR 0xB51     // lParam QB_TAGATTR* itself
#define QSM_TAGQUERY 0xB52       // lParam TagQueryRequest*
#define QSM_READREAL 0xB53       // lParam ReadRealRequest*
#define QSM_READREALVAR 0xB54    // lParam VarTagRequest*
#define QSM_READHIS 0xB55        // lParam ReadHisRequest*
#define QSM_READHISVAR 0xB56     // lParam ReadHisVarRequest*
#define QSM_READHISEX 0xB57      // lParam ReadHisExRequest*
#define QSM_GETHISSUM 0xB58      // lParam GetHisSumRequest*
#define QSM_GETHISSUMEX 0xB59    // lParam GetHisSumExRequest*
#define QSM_READTAG 0xB5A        // lParam NumTagRequest*; runtime window only
#define QSM_READLOCAL 0xB5B      // lParam NumTagRequest*; runtime window only
#define QSM_READLOCALVAR 0xB5C   // lParam VarTagRequest*; runtime window only
#define QSM_WRITELOCAL 0xB5D     // lParam NumTagRequest*; runtime window only
#define QSM_WRITELOCALVAR 0xB5E  // lParam VarTagRequest*; runtime window only

// ---- callback tables ----------------------------------------------------------
// LocalTagCallbackBlock (context, pfnLocalTagAt, pfnLocalTagWrite,
// pfnLocalTagRead) and HostCallbackBlock (context and the nine database
// callbacks) belong to the project model, which fills them; every callback
// takes the table's context first.
#include "qel/hostcallbacks.h"

// ---- records of the host messages and notices -------------------------------

struct PictureDataBlock {
  LocalTagCallbackBlock* localTags;
  HostCallbackBlock* hostCallbacks;
  const void* bytes;  // the bytes of a picture file
  DWORD count;
};

struct ViewInfo {
  double x;  // the picture point shown at the window's top-left corner
  double y;
  LONG zoom;  // percent
  DWORD zero;
};

// PropDescList and ActionKindList (count 0 to 32, then a pointer to the first
// record) are the picture model's own; they cross this protocol as they stand.

// ---- records of the service requests ----------------------------------------
// The words in the order in which the window passes them, after the context,
// to the callback.

// Numeric tag request: the value is the 16-byte tag value record
// (CScriptValue in expressions and scripts).
struct NumTagRequest {
  const char* name;  // zero-terminated, at most 79 characters
  QB_VALUE* value;
};

// Variable tag request: a string or blob value.
struct VarTagRequest {
  const char* name;  // zero-terminated, at most 79 characters
  VarReply* value;
};

struct TagQueryRequest {  // QSM_TAGQUERY and QPM_QUERYTAGS
  const char* pattern1;
  const char* pattern2;
  int selector1;
  int selector2;
  QB_TAGQUERYPROC proc;
  void* user;
};

struct ReadRealRequest {
  QB_TAGVALUE* records;
  int count;
};

struct ReadHisRequest {
  const char* name;
  int32_t t0;
  int32_t t1;
  int32_t a;
  int32_t b;
  QB_HISVALUE* records;
  int capacity;
  int* count;
  int* done;
};

struct ReadHisVarRequest {
  const char* name;
  int32_t a;
  int32_t b;
  VarReply* out;
};

struct ReadHisExRequest {
  QB_TAGVALUE* records;
  int32_t time;
  int count;
};

struct GetHisSumRequest {
  const char* name;
  int t0;
  int t1;
  QB_VALUE* a;
  QB_VALUE* b;
  QB_VALUEDATA* c;
  QB_VALUEDATA* d;
  int32_t* e;
};

struct GetHisSumExRequest {
  const char* name;
  int t0;
  int t1;
  int32_t step;
  QB_HISSTEP* records;
  int capacity;
  int* count;
};

// ---- layouts ------------------------------------------------------------------
// Request records carry pointers: their 32-bit layouts are the deliverables',
// and the 64-bit flavour has the natural layout of the same declarations.
// (The callback tables are checked where they are declared.)

QEL_LAYOUT(sizeof(PictureDataBlock), 16, 32);
QEL_LAYOUT(offsetof(PictureDataBlock, hostCallbacks), 4, 8);
QEL_LAYOUT(offsetof(PictureDataBlock, bytes), 8, 16);
QEL_LAYOUT(offsetof(PictureDataBlock, count), 12, 24);

static_assert(sizeof(ViewInfo) == 24, "ViewInfo is 24 bytes");
static_assert(offsetof(ViewInfo, y) == 8 && offsetof(ViewInfo, zoom) == 16 && offsetof(ViewInfo, zero) == 20,
              "ViewInfo layout");

QEL_LAYOUT(sizeof(PropDescList), 8, 16);
QEL_LAYOUT(offsetof(PropDescList, items), 4, 8);
QEL_LAYOUT(sizeof(ActionKindList), 8, 16);
QEL_LAYOUT(offsetof(ActionKindList, items), 4, 8);

QEL_LAYOUT(sizeof(NumTagRequest), 8, 16);
QEL_LAYOUT(offsetof(NumTagRequest, value), 4, 8);
QEL_LAYOUT(sizeof(VarTagRequest), 8, 16);
QEL_LAYOUT(offsetof(VarTagRequest, value), 4, 8);

QEL_LAYOUT(sizeof(TagQueryRequest), 24, 40);
QEL_LAYOUT(offsetof(TagQueryRequest, pattern2), 4, 8);
QEL_LAYOUT(offsetof(TagQueryRequest, selector1), 8, 16);
QEL_LAYOUT(offsetof(TagQueryRequest, selector2), 12, 20);
QEL_LAYOUT(offsetof(TagQueryRequest, proc), 16, 24);
QEL_LAYOUT(offsetof(TagQueryRequest, user), 20, 32);

QEL_LAYOUT(sizeof(ReadRealRequest), 8, 16);
QEL_LAYOUT(offsetof(ReadRealRequest, count), 4, 8);

QEL_LAYOUT(sizeof(ReadHisRequest), 36, 56);
QEL_LAYOUT(offsetof(ReadHisRequest, t0), 4, 8);
QEL_LAYOUT(offsetof(ReadHisRequest, t1), 8, 12);
QEL_LAYOUT(offsetof(ReadHisRequest, a), 12, 16);
QEL_LAYOUT(offsetof(ReadHisRequest, b), 16, 20);
QEL_LAYOUT(offsetof(ReadHisRequest, records), 20, 24);
QEL_LAYOUT(offsetof(ReadHisRequest, capacity), 24, 32);
QEL_LAYOUT(offsetof(ReadHisRequest, count), 28, 40);
QEL_LAYOUT(offsetof(ReadHisRequest, done), 32, 48);

QEL_LAYOUT(sizeof(ReadHisVarRequest), 16, 24);
QEL_LAYOUT(offsetof(ReadHisVarRequest, a), 4, 8);
QEL_LAYOUT(offsetof(ReadHisVarRequest, b), 8, 12);
QEL_LAYOUT(offsetof(ReadHisVarRequest, out), 12, 16);

QEL_LAYOUT(sizeof(ReadHisExRequest), 12, 16);
QEL_LAYOUT(offsetof(ReadHisExRequest, time), 4, 8);
QEL_LAYOUT(offsetof(ReadHisExRequest, count), 8, 12);

QEL_LAYOUT(sizeof(GetHisSumRequest), 32, 56);
QEL_LAYOUT(offsetof(GetHisSumRequest, t0), 4, 8);
QEL_LAYOUT(offsetof(GetHisSumRequest, t1), 8, 12);
QEL_LAYOUT(offsetof(GetHisSumRequest, a), 12, 16);
QEL_LAYOUT(offsetof(GetHisSumRequest, b), 16, 24);
QEL_LAYOUT(offsetof(GetHisSumRequest, c), 20, 32);
QEL_LAYOUT(offsetof(GetHisSumRequest, d), 24, 40);
QEL_LAYOUT(offsetof(GetHisSumRequest, e), 28, 48);

QEL_LAYOUT(sizeof(GetHisSumExRequest), 28, 48);
QEL_LAYOUT(offsetof(GetHisSumExRequest, t0), 4, 8);
QEL_LAYOUT(offsetof(GetHisSumExRequest, t1), 8, 12);
QEL_LAYOUT(offsetof(GetHisSumExRequest, step), 12, 16);
QEL_LAYOUT(offsetof(GetHisSumExRequest, records), 16, 24);
QEL_LAYOUT(offsetof(GetHisSumExRequest, capacity), 20, 32);
QEL_LAYOUT(offsetof(GetHisSumExRequest, count), 24, 40);

// ---- the table of every message number ----------------------------------------
// One row per symbolic name, so that a test can prove that no two names share
// a number.

struct PicMessageName {
  const char* name;
  UINT number;
};

#define QEL_PICMSG_ROW(name) \
  { #name, name }
inline constexpr PicMessageName kPicMessageNames[] = {
    QEL_PICMSG_ROW(QCM_SETLOCALCALLBACKS),
    QEL_PICMSG_ROW(QCM_SETHOSTCALLBACKS),
    QEL_PICMSG_ROW(QCM_PICFOLDER),
    QEL_PICMSG_ROW(QCM_OPENPIC),
    QEL_PICMSG_ROW(QCM_NEWPIC),
    QEL_PICMSG_ROW(QCM_SAVEPIC),
    QEL_PICMSG_ROW(QCM_SETPROPERTY),
    QEL_PICMSG_ROW(QCM_OBJECTDIALOG),
    QEL_PICMSG_ROW(QCM_SETEVENTLINK),
    QEL_PICMSG_ROW(QCM_COPY),
    QEL_PICMSG_ROW(QCM_CUT),
    QEL_PICMSG_ROW(QCM_PASTE),
    QEL_PICMSG_ROW(QCM_UNDO),
    QEL_PICMSG_ROW(QCM_REDO),
    QEL_PICMSG_ROW(QCM_ARRANGE),
    QEL_PICMSG_ROW(QCM_GROUP),
    QEL_PICMSG_ROW(QCM_SUBPICTURE),
    QEL_PICMSG_ROW(QCM_ROTATE),
    QEL_PICMSG_ROW(QCM_RENOTIFY),
    QEL_PICMSG_ROW(QCM_IMPORTWMF),
    QEL_PICMSG_ROW(QCM_NOTIFYPROPS),
    QEL_PICMSG_ROW(QCM_LOADPICDATA),
    QEL_PICMSG_ROW(QCM_SELECTTOOL),
    QEL_PICMSG_ROW(QCM_ZOOM),
    QEL_PICMSG_ROW(QCM_SNAPGRID),
    QEL_PICMSG_ROW(QCM_COMPILE),
    QEL_PICMSG_ROW(QCM_QUERY),
    QEL_PICMSG_ROW(QCN_VIEWCHANGED),
    QEL_PICMSG_ROW(QCN_PROPERTIES),
    QEL_PICMSG_ROW(QCN_EVENTLINKS),
    QEL_PICMSG_ROW(QCN_CHANGED),
    QEL_PICMSG_ROW(QCN_LINKPICTURE),
    QEL_PICMSG_ROW(QCN_OUTPUTTEXT),
    QEL_PICMSG_ROW(QVM_LOADLINKEDPIC),
    QEL_PICMSG_ROW(QPM_CALLINTERFACE),
    QEL_PICMSG_ROW(QPM_SETPROPERTY),
    QEL_PICMSG_ROW(QPM_GETPROPERTY),
    QEL_PICMSG_ROW(QPM_FIREEVENT),
    QEL_PICMSG_ROW(QPM_SHOWPAGES),
    QEL_PICMSG_ROW(QPM_QUERYTAGS),
    QEL_PICMSG_ROW(QSM_TAGGETATTR),
    QEL_PICMSG_ROW(QSM_TAGQUERY),
    QEL_PICMSG_ROW(QSM_READREAL),
    QEL_PICMSG_ROW(QSM_READREALVAR),
    QEL_PICMSG_ROW(QSM_READHIS),
    QEL_PICMSG_ROW(QSM_READHISVAR),
    QEL_PICMSG_ROW(QSM_READHISEX),
    QEL_PICMSG_ROW(QSM_GETHISSUM),
    QEL_PICMSG_ROW(QSM_GETHISSUMEX),
    QEL_PICMSG_ROW(QSM_READTAG),
    QEL_PICMSG_ROW(QSM_READLOCAL),
    QEL_PICMSG_ROW(QSM_READLOCALVAR),
    QEL_PICMSG_ROW(QSM_WRITELOCAL),
    QEL_PICMSG_ROW(QSM_WRITELOCALVAR),
    QEL_PICMSG_ROW(QLN_ROWDBLCLK),
    QEL_PICMSG_ROW(QCPN_SELCHANGE),
    QEL_PICMSG_ROW(QCPN_SELENDOK),
    QEL_PICMSG_ROW(QCPN_SELENDCANCEL),
    QEL_PICMSG_ROW(QCCN_CHANGED),
    QEL_PICMSG_ROW(QSE_DROPTIPLIST),
};
#undef QEL_PICMSG_ROW
