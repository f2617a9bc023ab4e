// QelView.exe: the operator's viewer.
#include <windows.h>

#include "viewerapp.h"

namespace {
CViewerApp theApp;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) { return QelRunApp(instance, show); }
