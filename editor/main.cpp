// QelMake.exe: the engineer's editor.
#include <windows.h>

#include "editorapp.h"

namespace {
CEditorApp theApp;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) { return QelRunApp(instance, show); }
