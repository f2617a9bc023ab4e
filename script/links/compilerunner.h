// CScriptCompiler: turns one script source into code bytes by running the
// compiler Tarnic as its own process, without a window, in the compiler's
// folder, and reading the files it leaves there: "cscerr.txt" with its
// messages, or (when that is empty) the code-byte file "csstmp.so".
//
// The temporary files are shared by every compilation, so two compilations
// must not run at the same time. Each compile deletes the previous result
// first: an old "csstmp.so" is never taken for this script's code.
#pragma once
#include <windows.h>

#include "qstring.h"

class CBinObj;

class CScriptCompiler {
 public:
  // How long the compiler may run before it is stopped.
  static constexpr DWORD kTimeoutMs = 10000;

  // The folder is the compiler path up to its last backslash or slash; a
  // path without one (or with it first) leaves the folder empty, which
  // means the current working folder.
  CScriptCompiler(const char* pszSource, const char* pszCompiler);

  // 1 when new code bytes were loaded into `code`, 0 otherwise; the
  // compiler's messages (or one line of the runner's own, ending in a
  // carriage return and line feed) are left in m_strError. `code` is
  // emptied first.
  int Compile(CBinObj& code);

  // Only tests shorten the wait.
  void SetTimeout(DWORD dwMilliseconds) { m_dwTimeout = dwMilliseconds; }

  // The path of one of the temporary files in the compiler's folder.
  CString FolderFile(const char* pszName) const;
  // The command line: the compiler path (quoted when it holds a blank),
  // two blanks, "/ch csstmp.sc".
  CString CommandLine() const;

  CString m_strError;
  CString m_strSpare;  // kept empty
  CString m_strFolder;
  CString m_strPath;
  CString m_strSource;

 private:
  bool RemoveOldOutput();
  bool WriteSource();
  // False when the compiler could not be started or ran past the time-out
  // (it is stopped then); the error text holds the reason.
  bool RunCompiler();
  int ReadResult(CBinObj& code);
  void Fail(const char* pszFormat, const char* pszArg);

  DWORD m_dwTimeout = kTimeoutMs;
};
