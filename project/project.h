// CProject: everything a project holds besides its pictures: the local tags,
// the server connection entries, two header texts, the live local-tag values,
// the database binding, and the two callback tables that every picture window
// of the project receives. It reads and writes the project file (".qel").
//
// Project file, little-endian, no gaps: magic 0xACBC7755, version 0x00030000,
// header text 1, header text 2 (archive strings: length prefix, GBK bytes),
// local tag count N (32-bit), N records of 256 bytes, connection entry count M
// (32-bit, 0 to 8), M entries of 64 bytes. Nothing follows.
//
// Used on the user-interface thread only.
#pragma once
#include <windows.h>

#include <memory>

#include "file.h"
#include "qel/hostcallbacks.h"
#include "localtagarray.h"
#include "qstring.h"
#include "rtdbclient.h"
#include "rtdbconn.h"
#include "tagvaluemap.h"

class CArchive;

class CProject {
 public:
  enum : DWORD { kMagic = 0xACBC7755, kVersion = 0x00030000 };
  enum LoadResult : int { kLoaded = 0, kWrongMagic = 1, kWrongVersion = 2 };

  CProject();
  // Deletes the binding (stopping its worker and unloading the library) and
  // every live value.
  ~CProject();
  CProject(const CProject&) = delete;
  CProject& operator=(const CProject&) = delete;

  // Reads a project file from the file's position: kLoaded, kWrongMagic or
  // kWrongVersion. The magic and version read are kept; reading stops at the
  // first mismatch and leaves the rest as it was. A file that ends early or
  // cannot be read throws CArchiveException or CFileException.
  int Load(CFile* file);
  // Writes the project file as the project stands, with the current magic and
  // version; write failures throw.
  void Store(CFile* file) const;

  // Appends the two system tags of a new project: "@suser" (string) and
  // "@dwpower" (32-bit integer). The editor's new-project command calls it.
  void AddSystemTags();
  // The viewer's live values: for every local tag, in order, the value of its
  // name (made when missing) gets the tag's type and its initial-value text.
  void MakeLocalValues();

  const HostCallbackBlock& GetHostCallbacks() const { return m_hostCallbacks; }
  const LocalTagCallbackBlock& GetLocalCallbacks() const { return m_localCallbacks; }
  CRtdbClient* GetClient() const { return m_client.get(); }

  // The three local-tag callbacks; the context is the project.
  static int __stdcall LocalTagAt(void* context, int index, void* record);
  static int __stdcall LocalTagWrite(void* context, const char* name, const CTagValue* value);
  static int __stdcall LocalTagRead(void* context, const char* name, CTagValue* value);

  DWORD m_magic = kMagic;
  DWORD m_version = kVersion;
  CString m_header1;
  CString m_header2;
  CLocalTagArray m_localTags;
  CRtdbConnBlock m_conn;
  CTagValueMap m_values;

 private:
  void LoadTags(CArchive& ar);
  void LoadEntries(CArchive& ar);

  std::unique_ptr<CRtdbClient> m_client;
  HostCallbackBlock m_hostCallbacks;
  LocalTagCallbackBlock m_localCallbacks;
};
