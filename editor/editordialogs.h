// The editor's own dialogs, each shown modally and answering TRUE when the
// engineer confirmed it.
#pragma once
#include <windows.h>

#include "qstring.h"

// Dialog 133 "新建工程": a project name (at most 32 characters, blanks
// trimmed, not empty) and its location (at most 200 characters, preset to
// *location), with a browse button for the location (the shell's folder
// browser "选择工程目录").
BOOL AskNewProject(HWND owner, CString* name, CString* location);
// The file dialog for opening a project ("打开QelHmi工程文件").
BOOL AskProjectFile(HWND owner, CString* path);
// Dialog 100: the about box.
void ShowAboutBox(HWND owner);
