// The script dialog of one link: what the editing window opens for a link in
// script mode (through OpenScriptDialog, which the link dialogs' script entry
// calls too).
#pragma once

class CAction;
class CPicEditWnd;

// Shows the script editor for the link, captioned with the link kind's
// display name and " - CScript脚本"; a cyclic link (trigger below 100) hands
// over its trigger and period, which its trigger command edits. The dialog
// stores the script itself; the answer is 1 whatever the engineer did.
int RunScriptLinkDialog(CPicEditWnd* editWnd, CAction* link);
