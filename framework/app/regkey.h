// CRegKey: an open registry key, closed by its owner.
#pragma once
#include <windows.h>

#include "qstring.h"

class CRegKey {
 public:
  CRegKey() = default;
  ~CRegKey() { Close(); }
  CRegKey(const CRegKey&) = delete;
  CRegKey& operator=(const CRegKey&) = delete;

  // Opens (Create: makes when missing) root\path for reading and writing;
  // FALSE when that is refused.
  BOOL Create(HKEY root, const char* path);
  BOOL Open(HKEY root, const char* path);
  void Close();
  HKEY Handle() const { return m_key; }
  bool IsOpen() const { return m_key != nullptr; }

  // name nullptr or "" is the key's default value.
  BOOL SetString(const char* name, const char* value);
  // FALSE when there is no such text value.
  BOOL QueryString(const char* name, CString* value) const;
  BOOL SetDword(const char* name, DWORD value);
  BOOL QueryDword(const char* name, DWORD* value) const;
  BOOL DeleteValue(const char* name);

  // Removes root\path with everything below it.
  static BOOL DeleteTree(HKEY root, const char* path);

 private:
  HKEY m_key = nullptr;
};
