#include "editdialogs.h"

#include "activex/ocxselectdlg.h"
#include "dialogs/commondlg.h"
#include "drawmtext.h"
#include "linkdlg/linkdialogs.h"
#include "piceditwnd.h"
#include "scripteditor/scriptlinkdlg.h"
#include "textedit.h"

#include <commdlg.h>

#include <vector>

namespace {

OpenFileAnswer& TestAnswer() {
  static OpenFileAnswer answer;
  return answer;
}

ControlPickAnswer& TestPick() {
  static ControlPickAnswer answer;
  return answer;
}

// The editing window behind a handle of this module, or null.
CPicEditWnd* EditWindowOf(HWND owner) { return dynamic_cast<CPicEditWnd*>(CWnd::FromHandlePermanent(owner)); }

int EditTextOfObject(HWND owner, CDrawObj* object) { return EditTextSheet(EditWindowOf(owner), object); }

}  // namespace

void InstallEditDialogs() { SetTextEditor(EditTextOfObject); }

int OpenLinkDialog(HWND owner, CAction* link, CDrawObj*) { return EditDirectLink(EditWindowOf(owner), link); }

int OpenScriptDialog(HWND owner, CAction* link, CDrawObj*) {
  // The script dialog saves the picture itself: nothing is left to mark.
  RunScriptLinkDialog(EditWindowOf(owner), link);
  return 0;
}

int OpenTextDialog(HWND owner, CDrawMtext* text) { return text ? text->EditObjectText(owner) : 0; }

bool PickActiveXControl(HWND owner, CLSID* chosen) {
  if (TestPick()) return TestPick()(chosen);
  return SelectOcxControl(owner, chosen);
}

void SetControlPickAnswer(ControlPickAnswer answer) { TestPick() = std::move(answer); }

void SetOpenFileAnswer(OpenFileAnswer answer) { TestAnswer() = std::move(answer); }

bool AskOpenFileName(HWND owner, const char* filter, const char* defaultExt, std::string& path) {
  if (TestAnswer()) return TestAnswer()(path);
  CFileDialog dialog(TRUE, defaultExt, nullptr, OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY,
                     filter, owner);
  if (dialog.DoModal() != IDOK) return false;
  path = dialog.GetPathName().GetString();
  return true;
}
