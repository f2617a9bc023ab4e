// The dialogs wait for the framework's dialog layer: until it stands, they
// are not shown and answer "not confirmed".
#include "editordialogs.h"
#include "newitem.h"

BOOL AskNewProject(HWND, CString*, CString*) { return FALSE; }
BOOL AskProjectFile(HWND, CString*) { return FALSE; }
void ShowAboutBox(HWND) {}
BOOL AskNewItemName(HWND, bool, const CString&, CString*) { return FALSE; }
