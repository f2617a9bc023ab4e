// The script dialog of one link: the editing window's way into the script
// editor for a link in script mode.
#pragma once

class CAction;
class CPicEditWnd;

// Shows the script editor for the link, captioned with the link kind's
// display name and " - CScript脚本"; a cyclic link (trigger below 100) hands
// over its trigger and period, which its trigger command edits. The dialog
// stores the script itself; the answer is 1 whatever the engineer did.
int EditScriptLink(CPicEditWnd* editWnd, CAction* link);
