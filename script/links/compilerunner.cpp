#include "compilerunner.h"

#include <string>

#include "binobj.h"
#include "crtformat.h"

namespace {

const char kSourceFile[] = "csstmp.sc";
const char kCodeFile[] = "csstmp.so";
const char kErrorFile[] = "cscerr.txt";
// Runs a console program without a console window.
constexpr DWORD kNoWindow = 0x08000000;
// After a forced stop: how long to wait for the process to be gone.
constexpr DWORD kStopWaitMs = 5000;

class CHandle {
 public:
  explicit CHandle(HANDLE h = nullptr) : m_h(h) {}
  ~CHandle() {
    if (m_h && m_h != INVALID_HANDLE_VALUE) ::CloseHandle(m_h);
  }
  CHandle(const CHandle&) = delete;
  CHandle& operator=(const CHandle&) = delete;
  HANDLE get() const { return m_h; }
  bool valid() const { return m_h && m_h != INVALID_HANDLE_VALUE; }

 private:
  HANDLE m_h;
};

bool HasBlank(const CString& s) {
  for (int i = 0; i < s.GetLength(); ++i)
    if (s[i] == ' ' || s[i] == '\t') return true;
  return false;
}

}  // namespace

CScriptCompiler::CScriptCompiler(const char* pszSource, const char* pszCompiler)
    : m_strPath(pszCompiler), m_strSource(pszSource) {
  const std::string path(m_strPath.GetString());
  const size_t slash = path.find_last_of("\\/");
  if (slash != std::string::npos && slash > 0) m_strFolder = CString(path.c_str(), static_cast<int>(slash));
}

CString CScriptCompiler::FolderFile(const char* pszName) const {
  if (m_strFolder.IsEmpty()) return CString(pszName);
  CString path = m_strFolder;
  path += "\\";
  path += pszName;
  return path;
}

CString CScriptCompiler::CommandLine() const {
  const bool quote = HasBlank(m_strPath) && m_strPath[0] != '"';
  CString program = quote ? CString("\"") + m_strPath + "\"" : m_strPath;
  return CString(qel::FormatStr("%s  /ch csstmp.sc", program.GetString()).c_str());
}

void CScriptCompiler::Fail(const char* pszFormat, const char* pszArg) {
  m_strError = qel::FormatStr(pszFormat, pszArg).c_str();
}

int CScriptCompiler::Compile(CBinObj& code) {
  code.Clear();
  m_strError.Empty();
  if (m_strSource.IsEmpty()) return 0;
  if (!RemoveOldOutput() || !WriteSource() || !RunCompiler()) return 0;
  return ReadResult(code);
}

bool CScriptCompiler::RemoveOldOutput() {
  for (const char* name : {kCodeFile, kErrorFile}) {
    CString path = FolderFile(name);
    if (::DeleteFileA(path) || ::GetLastError() == ERROR_FILE_NOT_FOUND) continue;
    if (::GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) continue;  // gone after all
    Fail("无法删除上次编译留下的文件 %s。\r\n", path);
    return false;
  }
  return true;
}

bool CScriptCompiler::WriteSource() {
  CString path = FolderFile(kSourceFile);
  CHandle file(::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  const DWORD size = static_cast<DWORD>(m_strSource.GetLength());
  if (!file.valid() || !::WriteFile(file.get(), m_strSource.GetString(), size, &written, nullptr) ||
      written != size) {
    Fail("无法写入脚本源文件 %s。\r\n", path);
    return false;
  }
  return true;
}

bool CScriptCompiler::RunCompiler() {
  CString command = CommandLine();
  std::string buffer(command.GetString(), command.GetLength() + 1);  // CreateProcess may write to it
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  const char* folder = m_strFolder.IsEmpty() ? nullptr : m_strFolder.GetString();
  if (!::CreateProcessA(nullptr, &buffer[0], nullptr, nullptr, TRUE, kNoWindow, nullptr, folder, &startup,
                        &process)) {
    Fail("无法启动脚本编译器 %s。\r\n", m_strPath);
    return false;
  }
  CHandle hProcess(process.hProcess);
  CHandle hThread(process.hThread);
  if (::WaitForSingleObject(hProcess.get(), m_dwTimeout) == WAIT_OBJECT_0) return true;
  // Left running, it could still write its files while the next script is
  // compiled, and they would be taken for that script's result.
  ::TerminateProcess(hProcess.get(), 1);
  ::WaitForSingleObject(hProcess.get(), kStopWaitMs);
  Fail("脚本编译器 %s 运行超过十秒，已被终止。\r\n", m_strPath);
  return false;
}

int CScriptCompiler::ReadResult(CBinObj& code) {
  CHandle file(::CreateFileA(FolderFile(kErrorFile), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.valid()) {
    char piece[1024];
    DWORD got = 0;
    while (::ReadFile(file.get(), piece, sizeof piece, &got, nullptr) && got > 0)
      m_strError += CString(piece, static_cast<int>(got));
    if (!m_strError.IsEmpty()) return 0;
    if (code.LoadFromFile(FolderFile(kCodeFile))) return 1;
  }
  // The compiler stopped before it wrote a result (it could not read the
  // source, say): without a line here the script would count as compiled.
  Fail("脚本编译器 %s 没有生成代码。\r\n", m_strPath);
  return 0;
}
