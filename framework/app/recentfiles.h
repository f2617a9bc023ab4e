// CRecentFileList: the files opened last, newest first, at most a fixed
// number, kept in the registry (section "Recent File List", entries
// "File1", "File2", ...) and shown in the file menu in place of the item
// ID_FILE_MRU_FILE1.
#pragma once
#include <windows.h>

#include <vector>

#include "qstring.h"

class CCmdUI;
class CFrameApp;

class CRecentFileList {
 public:
  static const char kSection[];  // "Recent File List"

  explicit CRecentFileList(UINT size);

  UINT GetMaxSize() const { return m_size; }
  int GetCount() const { return static_cast<int>(m_files.size()); }
  const CString& operator[](int index) const { return m_files[static_cast<size_t>(index)]; }

  // Puts the full path first; an entry of the same path (case ignored)
  // moves up instead of being repeated; the oldest falls off the end.
  void Add(const char* path);
  void Remove(int index);

  void ReadList(CFrameApp* app);
  void WriteList(CFrameApp* app) const;

  // The menu text of an entry: "&1 " and the path ("&" doubled), a long path
  // shortened in its middle.
  CString MenuText(int index) const;
  // Replaces the ID_FILE_MRU_FILE1..n items of ui's menu with the entries
  // (the first item stays, disabled, when the list is empty).
  void UpdateMenu(CCmdUI* ui);

 private:
  UINT m_size;
  std::vector<CString> m_files;
  CString m_emptyText;  // the placeholder item's own text
};
