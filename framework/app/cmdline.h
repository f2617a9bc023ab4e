// CCommandLineInfo: what the program's command line asks for.
#pragma once
#include <windows.h>

#include "qstring.h"

class CCommandLineInfo {
 public:
  enum ShellCommand { FileNew, FileOpen, FileNothing };

  virtual ~CCommandLineInfo() = default;
  // One argument of the command line; flag when it began with '/' or '-'
  // (which is then left out of param). A file name asks to open that file;
  // flags are ignored.
  virtual void ParseParam(const char* param, BOOL flag, BOOL last);

  ShellCommand m_nShellCommand = FileNew;
  CString m_strFileName;
};
