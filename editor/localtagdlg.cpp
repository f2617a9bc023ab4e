#include "localtagdlg.h"

#include <cstring>

#include "crtformat.h"
#include "editortexts.h"
#include "msgbox.h"
#include "resource.h"
#include "tagrecords.h"

namespace {

const int kNameChars = 31;
const int kDescriptionChars = 79;
const int kUnitChars = 15;
const int kInitialValueChars = 79;
const int kTypeCount = 7;        // the type codes 1 to 7
const int kNewTagTypeIndex = 2;  // float32

// A text field of a record, never read past its end.
template <size_t N>
CString FieldText(const char (&field)[N]) {
  return TagFieldText(reinterpret_cast<const BYTE*>(field), 0, static_cast<int>(N));
}

}  // namespace

CLocalTagDlg::CLocalTagDlg(HWND owner, CLocalTagArray& tags, const LocalTagRecord* modify)
    : CDialog(IDD_LOCALTAG, owner), m_typeIndex(kNewTagTypeIndex), m_tags(tags), m_modify(modify) {
  if (!modify) return;
  m_name = FieldText(modify->name);
  m_description = FieldText(modify->description);
  m_unit = FieldText(modify->unit);
  m_initialValue = FieldText(modify->initialValue);
  m_typeIndex = modify->type - 1;
}

BOOL CLocalTagDlg::OnInitDialog() {
  SetWindowText(IsAdding() ? kTitleAddLocalTag : kTitleModifyLocalTag);
  HWND types = GetDlgItem(IDC_TAG_TYPE);
  for (int type = 1; type <= kTypeCount; ++type)
    ::SendMessageA(types, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(GetTagTypeName(type)));
  ::EnableWindow(GetDlgItem(IDC_NAME), IsAdding());
  return CDialog::OnInitDialog();
}

void CLocalTagDlg::DoDataExchange(CDataExchange* dx) {
  DDX_Text(dx, IDC_NAME, m_name);
  DDV_MaxChars(dx, m_name, kNameChars);
  DDX_CBIndex(dx, IDC_TAG_TYPE, m_typeIndex);
  DDX_Text(dx, IDC_TAG_DESCRIPTION, m_description);
  DDV_MaxChars(dx, m_description, kDescriptionChars);
  DDX_Text(dx, IDC_TAG_UNIT, m_unit);
  DDV_MaxChars(dx, m_unit, kUnitChars);
  DDX_Text(dx, IDC_TAG_INITIAL, m_initialValue);
  DDV_MaxChars(dx, m_initialValue, kInitialValueChars);
}

bool CLocalTagDlg::AcceptName() {
  const char* refusal = nullptr;
  std::string text;
  if (m_name.IsEmpty()) {
    refusal = kTextEnterTagName;
  } else if (IsAdding() && m_tags.Find(m_name) >= 0) {
    text = qel::FormatStr(kTextTagExists, m_name.GetString());
    refusal = text.c_str();
  }
  if (!refusal) return true;
  QelMessageBox(m_hWnd, refusal, kTitleError, MB_OK | MB_ICONSTOP);
  GotoDlgCtrl(GetDlgItem(IDC_NAME));
  return false;
}

void CLocalTagDlg::OnOK() {
  if (!UpdateData(TRUE) || !AcceptName()) return;
  if (IsAdding()) {
    LocalTagRecord tag =
        MakeLocalTag(m_name, m_description, m_unit, m_initialValue, static_cast<BYTE>(m_typeIndex + 1));
    m_tags.Append(tag);
  }
  EndDialog(IDOK);
}

BOOL CLocalTagDlg::ApplyTo(LocalTagRecord& record) const {
  // A type code beyond the list (from a damaged file) stays until one is chosen.
  BYTE type = m_typeIndex >= 0 ? static_cast<BYTE>(m_typeIndex + 1) : record.type;
  LocalTagRecord changed = MakeLocalTag(record.name, m_description, m_unit, m_initialValue, type);
  if (FieldText(record.description) == m_description && FieldText(record.unit) == m_unit &&
      FieldText(record.initialValue) == m_initialValue && record.type == changed.type)
    return FALSE;
  std::memcpy(record.description, changed.description, sizeof record.description);
  std::memcpy(record.unit, changed.unit, sizeof record.unit);
  std::memcpy(record.initialValue, changed.initialValue, sizeof record.initialValue);
  record.type = changed.type;
  return TRUE;
}
