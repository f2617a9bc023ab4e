// CPlugHost: the host's side of one control plug-in library. It loads the
// library by the name a plug-in object stores, binds the five QPI_ exports
// by name, and keeps the plug-in's information record and its four
// information tables.
//
// A picture comes from anywhere, and loading a library runs its start-up
// code: only a bare file name is loaded, and only from the folder of the
// module that links this host (the program folder), never through the
// system's search order.
//
// What a plug-in hands back is checked before it is used: the count that a
// table function returns is held to [0, the count asked for], and every text
// field of the record and of the tables ends in a zero, so the identifier can
// be used as a window class name.
#pragma once
#include <windows.h>

#include <memory>

#include "modulehandle.h"
#include "qel/qpi.h"

class CPlugHost {
 public:
  // Results of Load.
  enum : int {
    kLoaded = 0,
    kNoLibrary = -1,      // no path, or the library cannot be loaded
    kMissingExport = -2,  // one of the five exports is missing (the library is freed)
    kNoMemory = -3,       // a table could not be allocated (the library is freed)
    kRefusedName = -4,    // not a bare file name (a drive, a separator, "..", ":"): nothing loaded
  };
  enum : int { kPathSize = 256 };  // at most 255 characters of the path are kept
  enum : int { kExportCount = 5 };

  CPlugHost();
  ~CPlugHost();  // unloads
  CPlugHost(const CPlugHost&) = delete;
  CPlugHost& operator=(const CPlugHost&) = delete;

  // Loads the library of that bare file name from the program folder
  // (unloading the one held first), binds the exports and reads the record
  // and the tables; one of the results above.
  int Load(const char* pszName);
  // True for a name without a drive, a folder separator ('\\' or '/'), ".."
  // or ':', read as the system reads an 8-bit name (a trail byte of a
  // double-byte character is no separator).
  static bool IsBareFileName(const char* pszName);
  // Frees the library, forgets the exports, the record and the tables; the
  // path stays.
  void Unload();

  bool IsLoaded() const { return m_module.Get() != nullptr; }
  HMODULE GetModule() const { return m_module.Get(); }
  // The name as the object gave it (at most 255 characters of it).
  const char* GetPath() const { return m_szPath; }
  // The record as the plug-in filled it, its counts those the tables hold.
  const QPI_PLUGINFO& GetInfo() const { return m_info; }
  // The plug-in's identifier: the name of its window class.
  const char* GetIdentifier() const { return m_info.szIdent; }

  const QPI_ITEMINFO* GetProperties() const { return TableAs<QPI_ITEMINFO>(kProperties); }
  const QPI_INTERFACEINFO* GetInterfaces() const { return TableAs<QPI_INTERFACEINFO>(kInterfaces); }
  const QPI_ITEMINFO* GetEvents() const { return TableAs<QPI_ITEMINFO>(kEvents); }
  const QPI_ENUMINFO* GetEnums() const { return TableAs<QPI_ENUMINFO>(kEnums); }

 private:
  // The tables in the order they are read; each is absent while its count is 0.
  enum Table : int { kProperties, kInterfaces, kEvents, kEnums, kTableCount };

  template <class T>
  const T* TableAs(Table t) const {
    return reinterpret_cast<const T*>(m_tables[t].get());
  }
  bool BindExports();
  // Reads one table: false when it cannot be allocated.
  bool ReadTable(Table t);

  QPI_PLUGINFO m_info;
  CModuleHandle m_module;
  char m_szPath[kPathSize];
  FARPROC m_exports[kExportCount];  // in the order of the export names
  std::unique_ptr<BYTE[]> m_tables[kTableCount];
};
