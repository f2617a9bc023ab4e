#include "app/recentfiles.h"

#include <algorithm>
#include <string>

#include "app/frameapp.h"
#include "commands/cmdids.h"
#include "commands/cmdui.h"
#include "docfile.h"

const char CRecentFileList::kSection[] = "Recent File List";

namespace {

const int kMaxShownChars = 60;  // longer paths are shortened in the menu
const char kEntryFormat[] = "File";

CString EntryName(int index) { return CString(kEntryFormat) + CString(std::to_string(index + 1).c_str()); }

// "C:\a\b\c\d\name.qel" -> "C:\a\...\name.qel" when too long.
CString Shorten(const CString& path) {
  if (path.GetLength() <= kMaxShownChars) return path;
  int last = std::max(path.ReverseFind('\\'), path.ReverseFind('/'));
  int first = path.Find('\\', path.Find('\\') + 1);
  if (last <= 0 || first < 0 || first >= last) return path;
  return path.Left(first + 1) + "..." + path.Mid(last);
}

}  // namespace

CRecentFileList::CRecentFileList(UINT size) : m_size(size) {}

void CRecentFileList::Add(const char* path) {
  if (!path || !*path || m_size == 0) return;
  CString full = QelFullPath(path);
  m_files.erase(std::remove_if(m_files.begin(), m_files.end(),
                               [&](const CString& f) { return f.CompareNoCase(full) == 0; }),
                m_files.end());
  m_files.insert(m_files.begin(), full);
  if (m_files.size() > m_size) m_files.resize(m_size);
}

void CRecentFileList::Remove(int index) {
  if (index >= 0 && index < GetCount()) m_files.erase(m_files.begin() + index);
}

void CRecentFileList::ReadList(CFrameApp* app) {
  m_files.clear();
  for (UINT i = 0; i < m_size; ++i) {
    CString path = app->GetProfileString(kSection, EntryName(static_cast<int>(i)), "");
    if (!path.IsEmpty()) m_files.push_back(path);
  }
}

void CRecentFileList::WriteList(CFrameApp* app) const {
  for (UINT i = 0; i < m_size; ++i) {
    const char* value = i < m_files.size() ? m_files[i].GetString() : nullptr;
    app->WriteProfileString(kSection, EntryName(static_cast<int>(i)), value);
  }
}

CString CRecentFileList::MenuText(int index) const {
  CString shown = Shorten(m_files[static_cast<size_t>(index)]);
  shown.Replace("&", "&&");
  return CString("&") + CString(std::to_string(index + 1).c_str()) + " " + shown;
}

void CRecentFileList::UpdateMenu(CCmdUI* ui) {
  HMENU menu = ui->m_hMenu;
  if (!menu) return;
  if (m_emptyText.IsEmpty()) {
    char text[256] = "";
    ::GetMenuStringA(menu, ui->m_nIndex, text, sizeof text, MF_BYPOSITION);
    m_emptyText = text;
  }
  // Out with the entries shown before, in with the list as it stands.
  for (UINT i = 0; i < m_size; ++i) ::DeleteMenu(menu, ID_FILE_MRU_FILE1 + i, MF_BYCOMMAND);
  if (m_files.empty()) {
    ::InsertMenuA(menu, ui->m_nIndex, MF_BYPOSITION | MF_STRING | MF_GRAYED, ID_FILE_MRU_FILE1, m_emptyText);
    ui->m_nIndexMax = static_cast<UINT>(::GetMenuItemCount(menu));
    ui->m_bEnableChanged = TRUE;
    return;
  }
  for (int i = 0; i < GetCount(); ++i)
    ::InsertMenuA(menu, ui->m_nIndex + static_cast<UINT>(i), MF_BYPOSITION | MF_STRING,
                  ID_FILE_MRU_FILE1 + static_cast<UINT>(i), MenuText(i));
  ui->m_nIndex += static_cast<UINT>(GetCount()) - 1;  // the last entry put in
  ui->m_nIndexMax = static_cast<UINT>(::GetMenuItemCount(menu));
  ui->m_bEnableChanged = TRUE;
}
