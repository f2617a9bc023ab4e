// The editor's dialogs: new project (133), new picture or folder (137), the
// about box (100) and the project file dialog.
#include "editordialogs.h"

#include <shlobj.h>

#include "dialogs/commondlg.h"
#include "dialogs/dialog.h"
#include "editortexts.h"
#include "itemnames.h"
#include "msgbox.h"
#include "newitem.h"
#include "resource.h"

namespace {

const int kProjectNameChars = 32;
const int kLocationChars = 200;
const int kItemNameChars = 24;

// The name field of a dialog, trimmed, must not be empty; otherwise the
// message and the field gets the focus back.
bool TakeName(CDialog& dialog, CString& name, const char* emptyText, const char* emptyTitle) {
  name.Trim();
  if (!name.IsEmpty()) return true;
  QelMessageBox(dialog.m_hWnd, emptyText, emptyTitle, MB_OK | MB_ICONSTOP);
  dialog.GotoDlgCtrl(dialog.GetDlgItem(IDC_NAME));
  return false;
}

class CNewProjectDlg : public CDialog {
 public:
  CNewProjectDlg(HWND owner, const CString& location)
      : CDialog(IDD_NEWPROJECT, owner), m_location(location) {}
  CString m_name;
  CString m_location;

 protected:
  void DoDataExchange(CDataExchange* dx) override {
    DDX_Text(dx, IDC_NAME, m_name);
    DDV_MaxChars(dx, m_name, kProjectNameChars);
    DDX_Text(dx, IDC_LOCATION, m_location);
    DDV_MaxChars(dx, m_location, kLocationChars);
  }
  void OnOK() override {
    if (UpdateData(TRUE) && TakeName(*this, m_name, kTextEnterProjectName, nullptr)) EndDialog(IDOK);
  }
  bool OnCommand(UINT id, UINT code, HWND) override {
    if (id != IDC_BROWSE || code != BN_CLICKED) return false;
    OnBrowse();
    return true;
  }
  // The shell's folder browser for the location.
  void OnBrowse() {
    BROWSEINFOA browse = {};
    browse.hwndOwner = m_hWnd;
    browse.lpszTitle = kTitleChooseProjectFolder;
    browse.ulFlags = BIF_RETURNONLYFSDIRS;
    IMalloc* memory = nullptr;
    if (FAILED(::SHGetMalloc(&memory)) || !memory) {
      QelMessageBox(m_hWnd, kTextPathOperationError, nullptr, MB_OK | MB_ICONSTOP);
      return;
    }
    LPITEMIDLIST chosen = ::SHBrowseForFolderA(&browse);
    if (chosen) {
      char path[MAX_PATH] = "";
      if (::SHGetPathFromIDListA(chosen, path))
        SetDlgItemText(IDC_LOCATION, path);
      else
        QelMessageBox(m_hWnd, kTextNoDirectory, nullptr, MB_OK | MB_ICONSTOP);
      memory->Free(chosen);
    }
    memory->Release();
  }
};

class CNewItemDlg : public CDialog {
 public:
  CNewItemDlg(HWND owner, bool picture, const CString& folder)
      : CDialog(IDD_NEWITEM, owner), m_picture(picture), m_folder(folder) {}
  CString m_name;

 protected:
  BOOL OnInitDialog() override {
    SetWindowText(m_picture ? kTitleNewPicture : kTitleNewFolder);
    SetDlgItemText(IDC_NAME_LABEL, m_picture ? kLabelPictureName : kLabelFolderName);
    CDialog::OnInitDialog();
    // The folder field is read-only: a name typed at once goes to the name.
    GotoDlgCtrl(GetDlgItem(IDC_NAME));
    return FALSE;
  }
  void DoDataExchange(CDataExchange* dx) override {
    DDX_Text(dx, IDC_LOCATION, m_folder);
    DDX_Text(dx, IDC_NAME, m_name);
    DDV_MaxChars(dx, m_name, kItemNameChars);
  }
  // A name that is empty or no usable file name is refused while the dialog
  // is open, the field focused with its text selected for the next try.
  void OnOK() override {
    if (!UpdateData(TRUE)) return;
    if (AcceptItemName(m_hWnd, m_name, kTextEnterName, kTitleError)) {
      EndDialog(IDOK);
      return;
    }
    GotoDlgCtrl(GetDlgItem(IDC_NAME));
  }

 private:
  bool m_picture;
  CString m_folder;
};

}  // namespace

BOOL AskNewProject(HWND owner, CString* name, CString* location) {
  CNewProjectDlg dialog(owner, *location);
  if (dialog.DoModal() != IDOK) return FALSE;
  *name = dialog.m_name;
  *location = dialog.m_location;
  return TRUE;
}

BOOL AskProjectFile(HWND owner, CString* path) {
  CFileDialog dialog(TRUE, "qel", nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST,
                     kFilterProject, owner);
  dialog.SetTitle(kTitleOpenProject);
  if (dialog.DoModal() != IDOK) return FALSE;
  *path = dialog.GetPathName();
  return TRUE;
}

void ShowAboutBox(HWND owner) {
  CDialog about(IDD_ABOUTBOX, owner);
  about.DoModal();
}

BOOL AskNewItemName(HWND owner, bool picture, const CString& folder, CString* name) {
  CNewItemDlg dialog(owner, picture, folder);
  if (dialog.DoModal() != IDOK) return FALSE;
  *name = dialog.m_name;
  return TRUE;
}
