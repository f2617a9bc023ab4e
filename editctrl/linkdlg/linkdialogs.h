// The link dialogs: one function per link kind, each given the editing window
// (may be null) and the link. A direct link is edited in a modal property
// sheet of link pages (pages/); the pages write into the link when the sheet
// is confirmed or applied, so these functions only copy the link's values
// into the pages. Each answers 1 when the sheet was closed with OK and 0
// otherwise, also for a link of a kind that does not fit (nothing opens).
#pragma once
#include "qstring.h"

class CAction;
class CDrawObj;
class CPicEditWnd;

int EditTagValLink(CPicEditWnd* wnd, CAction* link);    // kind 1
int EditColorLink(CPicEditWnd* wnd, CAction* link);     // kinds 2 and 3
int EditFlashLink(CPicEditWnd* wnd, CAction* link);     // kind 4
int EditShowHideLink(CPicEditWnd* wnd, CAction* link);  // kind 5
int EditRollLink(CPicEditWnd* wnd, CAction* link);      // kind 6
int EditPerFillLink(CPicEditWnd* wnd, CAction* link);   // kind 8
int EditPointerLink(CPicEditWnd* wnd, CAction* link);   // kind 9
int EditHyperLink(CPicEditWnd* wnd, CAction* link);     // every event kind (100 and above)
// The script editor, for a link of any kind; 1 whatever the outcome.
int EditScriptLink(CPicEditWnd* wnd, CAction* link);

// The direct link's dialog of its kind; 0 for a kind without one (the
// movement, the custom script, the control events).
int EditDirectLink(CPicEditWnd* wnd, CAction* link);

// The text sheet of a text object: one text page, titled with the object's
// type name. Non-zero when the page wrote the text (OK or Apply).
int EditTextSheet(CPicEditWnd* wnd, CDrawObj* object);

// The target picture of an event link's command text (verb, line feed,
// argument): empty for an empty command; false when the command is no
// "link" (another verb, or no line feed).
bool HyperLinkTarget(const char* command, CString& target);
