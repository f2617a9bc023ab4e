#include "ocxselectdlg.h"

#include "activex/ocxresource.h"
#include "msgbox.h"

namespace {

// The item data of a control listed past the table: nothing to choose.
constexpr DWORD_PTR kNoEntry = static_cast<DWORD_PTR>(-1);

}  // namespace

COcxSelectDlg::COcxSelectDlg(HWND parent) : CDialog(IDD_OCX_SELECT, parent), m_listRegistered(true) {}

COcxSelectDlg::COcxSelectDlg(std::vector<OcxCatalogEntry> controls, HWND parent)
    : CDialog(IDD_OCX_SELECT, parent), m_controls(std::move(controls)), m_listRegistered(false) {}

BOOL COcxSelectDlg::OnInitDialog() {
  m_list.SubclassDlgItem(IDC_OCX_LIST, m_hWnd);
  if (m_listRegistered) m_controls = ListRegisteredControls();
  for (const OcxCatalogEntry& control : m_controls) {
    const int item = m_list.AddString(control.name.GetString());
    if (item < 0) continue;
    DWORD_PTR data = kNoEntry;
    if (m_table.size() < static_cast<size_t>(kMaxClasses)) {
      data = m_table.size();
      m_table.push_back(control.clsid);
    }
    m_list.SetItemData(item, data);
  }
  return CDialog::OnInitDialog();
}

void COcxSelectDlg::OnOK() {
  const int item = m_list.GetCurSel();
  if (item < 0) {
    QelMessageBox(m_hWnd, "请选择一个OCX控件", "提示", MB_OK | MB_ICONINFORMATION);
    return;
  }
  const DWORD_PTR index = m_list.GetItemData(item);
  if (index >= m_table.size()) return;  // listed, but not held: the dialog stays open
  m_chosen = m_table[index];
  m_chosenName = m_list.GetText(item);
  EndDialog(IDOK);
}

bool SelectOcxControl(HWND owner, CLSID* chosen) {
  COcxSelectDlg dialog(owner);
  if (dialog.DoModal() != IDOK) return false;
  if (chosen) *chosen = dialog.GetChosen();
  return true;
}
