// CFrameApp: the registry key, its profile values and the recent-file list.
#include "app/frameapp.h"
#include "app/regkey.h"

namespace {

CString SectionPath(const CString& registryKey, const char* appName, const char* section) {
  return CString("Software\\") + registryKey + "\\" + appName + "\\" + section;
}

}  // namespace

void CFrameApp::SetRegistryKey(const char* key) { m_strRegistryKey = key ? key : ""; }

CString CFrameApp::GetProfileString(const char* section, const char* entry, const char* defaultValue) {
  CString value = defaultValue ? defaultValue : "";
  CRegKey key;
  if (m_strRegistryKey.IsEmpty() ||
      !key.Open(m_hProfileRoot, SectionPath(m_strRegistryKey, m_pszAppName, section)))
    return value;
  CString stored;
  return key.QueryString(entry, &stored) ? stored : value;
}

BOOL CFrameApp::WriteProfileString(const char* section, const char* entry, const char* value) {
  if (m_strRegistryKey.IsEmpty()) return FALSE;
  CRegKey key;
  if (!key.Create(m_hProfileRoot, SectionPath(m_strRegistryKey, m_pszAppName, section))) return FALSE;
  if (!value) {
    key.DeleteValue(entry);
    return TRUE;
  }
  return key.SetString(entry, value);
}

UINT CFrameApp::GetProfileInt(const char* section, const char* entry, int defaultValue) {
  CRegKey key;
  DWORD value = 0;
  if (m_strRegistryKey.IsEmpty() ||
      !key.Open(m_hProfileRoot, SectionPath(m_strRegistryKey, m_pszAppName, section)) ||
      !key.QueryDword(entry, &value))
    return static_cast<UINT>(defaultValue);
  return value;
}

BOOL CFrameApp::WriteProfileInt(const char* section, const char* entry, int value) {
  CRegKey key;
  return !m_strRegistryKey.IsEmpty() &&
         key.Create(m_hProfileRoot, SectionPath(m_strRegistryKey, m_pszAppName, section)) &&
         key.SetDword(entry, static_cast<DWORD>(value));
}

void CFrameApp::LoadStdProfileSettings(UINT count) {
  m_recentFiles.reset(count ? new CRecentFileList(count) : nullptr);
  if (m_recentFiles) m_recentFiles->ReadList(this);
}

void CFrameApp::SaveStdProfileSettings() {
  if (m_recentFiles) m_recentFiles->WriteList(this);
}
