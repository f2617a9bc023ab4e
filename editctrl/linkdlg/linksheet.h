// The modal sheet that the link dialogs show: the title, the pages in order,
// OK, Cancel and Apply, owned by the editing window.
#pragma once
#include <initializer_list>

class CPicEditWnd;
class CPropertyPage;

// 1 when the sheet was closed with OK, else 0.
int RunLinkSheet(CPicEditWnd* wnd, const char* title, std::initializer_list<CPropertyPage*> pages);
