#include "editdialogs.h"

#include "dialogs/commondlg.h"
#include "piceditwnd.h"
#include "scripteditor/scriptlinkdlg.h"

#include <commdlg.h>

#include <vector>

namespace {

OpenFileAnswer& TestAnswer() {
  static OpenFileAnswer answer;
  return answer;
}

}  // namespace

int OpenLinkDialog(HWND, CAction*, CDrawObj*) { return 0; }

int OpenScriptDialog(HWND owner, CAction* link, CDrawObj*) {
  // The script dialog saves the picture itself: nothing is left to mark.
  RunScriptLinkDialog(dynamic_cast<CPicEditWnd*>(CWnd::FromHandlePermanent(owner)), link);
  return 0;
}

int OpenTextDialog(HWND, CDrawMtext*) { return 0; }

bool PickActiveXControl(HWND, CLSID*) { return false; }


void SetOpenFileAnswer(OpenFileAnswer answer) { TestAnswer() = std::move(answer); }

bool AskOpenFileName(HWND owner, const char* filter, const char* defaultExt, std::string& path) {
  if (TestAnswer()) return TestAnswer()(path);
  CFileDialog dialog(TRUE, defaultExt, nullptr, OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY,
                     filter, owner);
  if (dialog.DoModal() != IDOK) return false;
  path = dialog.GetPathName().GetString();
  return true;
}
