#include "editdialogs.h"

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
  // The platform wants the filter's parts separated by zeros.
  std::vector<char> parts(filter, filter + lstrlenA(filter) + 1);
  for (char& c : parts)
    if (c == '|') c = '\0';
  char file[MAX_PATH] = "";
  OPENFILENAMEA ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = parts.data();
  ofn.lpstrFile = file;
  ofn.nMaxFile = sizeof file;
  ofn.lpstrDefExt = defaultExt;
  ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  if (!::GetOpenFileNameA(&ofn)) return false;
  path = file;
  return true;
}
