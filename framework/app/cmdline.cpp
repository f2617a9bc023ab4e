#include "app/cmdline.h"

void CCommandLineInfo::ParseParam(const char* param, BOOL flag, BOOL) {
  if (flag || !param || !*param) return;
  if (m_nShellCommand == FileOpen) return;  // the first file counts
  m_nShellCommand = FileOpen;
  m_strFileName = param;
}
