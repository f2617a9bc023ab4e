// CFrameApp: the command line and the file types registered with the shell.
#include <cstdlib>
#include <string>
#include <vector>

#include "app/frameapp.h"
#include "app/regkey.h"
#include "commands/cmdids.h"
#include "docview/doctemplate.h"

namespace {

CString ProgramPath() {
  std::vector<char> path(MAX_PATH);
  for (;;) {
    DWORD got = ::GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (got < path.size()) return CString(path.data(), static_cast<int>(got));
    path.resize(path.size() * 2);
  }
}

}  // namespace

void CFrameApp::RegisterShellFileTypes() {
  CString program = ProgramPath();
  int iconIndex = 1;  // icon 0 is the program's own; each template's follows
  for (CDocTemplate* tmpl : m_templates) {
    CString typeId, typeName, ext;
    tmpl->GetDocString(typeId, CDocTemplate::regFileTypeId);
    tmpl->GetDocString(typeName, CDocTemplate::regFileTypeName);
    tmpl->GetDocString(ext, CDocTemplate::filterExt);
    if (typeId.IsEmpty()) continue;
    CRegKey key;
    if (key.Create(m_hClassesRoot, typeId)) key.SetString(nullptr, typeName);
    if (key.Create(m_hClassesRoot, typeId + "\\DefaultIcon"))
      key.SetString(nullptr, program + "," + CString(std::to_string(iconIndex).c_str()));
    if (key.Create(m_hClassesRoot, typeId + "\\shell\\open\\command"))
      key.SetString(nullptr, CString("\"") + program + "\" \"%1\"");
    ++iconIndex;
    if (ext.IsEmpty() || !key.Create(m_hClassesRoot, ext)) continue;
    CString owner;
    if (!key.QueryString(nullptr, &owner) || owner.IsEmpty() || owner == typeId)
      key.SetString(nullptr, typeId);
  }
}

void CFrameApp::ParseCommandLine(CCommandLineInfo& info) {
  for (int i = 1; i < __argc; ++i) {
    const char* param = __argv[i];
    BOOL flag = param[0] == '/' || param[0] == '-';
    info.ParseParam(flag ? param + 1 : param, flag, i + 1 == __argc);
  }
}

BOOL CFrameApp::ProcessShellCommand(CCommandLineInfo& info) {
  switch (info.m_nShellCommand) {
    case CCommandLineInfo::FileNew: return OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr);
    case CCommandLineInfo::FileOpen: return OpenDocumentFile(info.m_strFileName) != nullptr;
    default: return TRUE;
  }
}
