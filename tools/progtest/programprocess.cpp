#include "programprocess.h"

#include <vector>

namespace progtest {

namespace {

const DWORD kPollMs = 50;
const int kMessageBoxTextId = 0xFFFF;

struct FindRequest {
  DWORD pid;
  const char* className;
  const char* title;
  HWND found;
};

BOOL CALLBACK MatchTopLevel(HWND hwnd, LPARAM lp) {
  FindRequest* r = reinterpret_cast<FindRequest*>(lp);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  if (pid != r->pid || !::IsWindowVisible(hwnd)) return TRUE;
  char cls[64] = "", title[256] = "";
  ::GetClassNameA(hwnd, cls, sizeof cls);
  ::GetWindowTextA(hwnd, title, sizeof title);
  if (lstrcmpiA(cls, r->className) != 0) return TRUE;
  if (r->title && std::string(title) != r->title) return TRUE;
  r->found = hwnd;
  return FALSE;
}

struct TextRequest {
  const char* text;
  HWND found;
};

BOOL CALLBACK MatchChildText(HWND hwnd, LPARAM lp) {
  TextRequest* r = reinterpret_cast<TextRequest*>(lp);
  char text[256] = "";
  ::GetWindowTextA(hwnd, text, sizeof text);
  if (std::string(text) != r->text) return TRUE;
  r->found = hwnd;
  return FALSE;
}

}  // namespace

ProgramProcess::~ProgramProcess() {
  if (!m_pi.hProcess) return;
  if (Running()) {
    ::TerminateProcess(m_pi.hProcess, 99);
    ::WaitForSingleObject(m_pi.hProcess, 5000);
  }
  ::CloseHandle(m_pi.hThread);
  ::CloseHandle(m_pi.hProcess);
}

bool ProgramProcess::Start(const std::string& folder, const std::string& args) {
  std::string exe = folder + m_exeName;
  std::string line = "\"" + exe + "\"" + (args.empty() ? "" : " " + args);
  std::vector<char> command(line.begin(), line.end());
  command.push_back('\0');
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  return ::CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                          &si, &m_pi) != FALSE;
}

bool ProgramProcess::Running() const {
  return m_pi.hProcess && ::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT;
}

bool ProgramProcess::WaitForExit(DWORD ms, DWORD* exitCode) {
  if (!m_pi.hProcess || ::WaitForSingleObject(m_pi.hProcess, ms) != WAIT_OBJECT_0) return false;
  if (exitCode) ::GetExitCodeProcess(m_pi.hProcess, exitCode);
  return true;
}

HWND ProgramProcess::WaitForWindow(const char* className, const char* title, DWORD ms) const {
  for (DWORD waited = 0;; waited += kPollMs) {
    FindRequest r{m_pi.dwProcessId, className, title, nullptr};
    ::EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&r));
    if (r.found || waited >= ms) return r.found;
    ::Sleep(kPollMs);
  }
}

std::string BoxText(HWND box) {
  char text[512] = "";
  ::GetDlgItemTextA(box, kMessageBoxTextId, text, sizeof text);
  return text;
}

void PressButton(HWND dialog, int id) {
  ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

bool WaitUntilGone(HWND hwnd, DWORD ms) {
  for (DWORD waited = 0; ::IsWindow(hwnd); waited += kPollMs) {
    if (waited >= ms) return false;
    ::Sleep(kPollMs);
  }
  return true;
}

HWND FindChildWithText(HWND parent, const char* text) {
  TextRequest r{text, nullptr};
  ::EnumChildWindows(parent, MatchChildText, reinterpret_cast<LPARAM>(&r));
  return r.found;
}

bool CopyProgramFile(const std::string& name, const std::string& folder) {
  return ::CopyFileA(("..\\out\\" + name).c_str(), (folder + name).c_str(), FALSE) != FALSE;
}

}  // namespace progtest
