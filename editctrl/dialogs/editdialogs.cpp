#include "editdialogs.h"

#include "dialogs/commondlg.h"

#include <commdlg.h>

#include "activex/ocxselectdlg.h"

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

}  // namespace

int OpenLinkDialog(HWND, CAction*, CDrawObj*) { return 0; }

int OpenScriptDialog(HWND, CAction*, CDrawObj*) { return 0; }

int OpenTextDialog(HWND, CDrawMtext*) { return 0; }

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
