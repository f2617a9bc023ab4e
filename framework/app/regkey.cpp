#include "app/regkey.h"

#include <vector>

BOOL CRegKey::Create(HKEY root, const char* path) {
  Close();
  return ::RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &m_key, nullptr) ==
         ERROR_SUCCESS;
}

BOOL CRegKey::Open(HKEY root, const char* path) {
  Close();
  return ::RegOpenKeyExA(root, path, 0, KEY_READ | KEY_WRITE, &m_key) == ERROR_SUCCESS;
}

void CRegKey::Close() {
  if (m_key) ::RegCloseKey(m_key);
  m_key = nullptr;
}

BOOL CRegKey::SetString(const char* name, const char* value) {
  if (!m_key) return FALSE;
  const char* text = value ? value : "";
  return ::RegSetValueExA(m_key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                          static_cast<DWORD>(lstrlenA(text) + 1)) == ERROR_SUCCESS;
}

BOOL CRegKey::QueryString(const char* name, CString* value) const {
  if (!m_key) return FALSE;
  DWORD type = 0, size = 0;
  if (::RegQueryValueExA(m_key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return FALSE;
  if (type != REG_SZ && type != REG_EXPAND_SZ) return FALSE;
  std::vector<char> buf(size + 1, '\0');
  if (::RegQueryValueExA(m_key, name, nullptr, &type, reinterpret_cast<BYTE*>(buf.data()), &size) !=
      ERROR_SUCCESS)
    return FALSE;
  *value = buf.data();  // the stored text may or may not end in its zero
  return TRUE;
}

BOOL CRegKey::SetDword(const char* name, DWORD value) {
  return m_key && ::RegSetValueExA(m_key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                                   sizeof value) == ERROR_SUCCESS;
}

BOOL CRegKey::QueryDword(const char* name, DWORD* value) const {
  DWORD type = 0, size = sizeof *value;
  return m_key &&
         ::RegQueryValueExA(m_key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) ==
             ERROR_SUCCESS &&
         type == REG_DWORD;
}

BOOL CRegKey::DeleteValue(const char* name) {
  return m_key && ::RegDeleteValueA(m_key, name) == ERROR_SUCCESS;
}

BOOL CRegKey::DeleteTree(HKEY root, const char* path) {
  HKEY key = nullptr;
  if (::RegOpenKeyExA(root, path, 0, KEY_READ | KEY_WRITE, &key) != ERROR_SUCCESS) return FALSE;
  char name[256];
  // Always the first subkey: deleting it moves the next one up.
  for (;;) {
    DWORD len = sizeof name;
    if (::RegEnumKeyExA(key, 0, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    if (!DeleteTree(key, name)) break;
  }
  ::RegCloseKey(key);
  return ::RegDeleteKeyA(root, path) == ERROR_SUCCESS;
}
