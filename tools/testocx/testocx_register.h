// For the tests: the test control registered in the Wine prefix they run in,
// and the control's own log of the calls its containers made.
//
//   class MyTest : public ::testing::Test {
//     static void SetUpTestSuite() { ASSERT_TRUE(RegisterTestOcx()); }
//   };
//
// Registration loads QelTestOcx.dll from the test program's folder and calls
// its DllRegisterServer (what regsvr32 does), so a fresh prefix has the
// control before the first test that needs it.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

bool RegisterTestOcx();
// What a test suite that hosts the control does first: COM started on this
// thread and the control registered. StopTestOcx ends that start of COM.
bool StartTestOcx();
void StopTestOcx();
// A top-level popup window of width x height at (0, 0) to host controls in,
// shown or not (showing one costs a moment under the test display).
HWND NewTestParent(int width, int height, bool visible);
// The control's log ("SetClientSite;Load;InPlaceActivate;...") and clearing it;
// "" while the DLL is not loaded.
std::string TestOcxLog();
void ClearTestOcxLog();
// Objects of the DLL not yet released; -1 while it is not loaded.
LONG TestOcxLiveObjects();
// The state the full test control saves with that text and back colour (a
// control made for the purpose, without a container); empty on failure.
std::vector<BYTE> TestOcxSavedState(const char* text, COLORREF back);
