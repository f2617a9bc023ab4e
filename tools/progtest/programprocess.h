// A program of the system run as a child process of a test: started in a
// program folder of the test's own, its windows and message boxes found from
// outside, its boxes answered by pressing their buttons, and ended (by its
// own process handle) if the test leaves it running.
#pragma once
#include <windows.h>

#include <string>

namespace progtest {

class ProgramProcess {
 public:
  // exeName: the program file in the folder given to Start ("QelView.exe").
  explicit ProgramProcess(const char* exeName) : m_exeName(exeName) {}
  ~ProgramProcess();  // ends the process if it still runs
  ProgramProcess(const ProgramProcess&) = delete;
  ProgramProcess& operator=(const ProgramProcess&) = delete;

  // Starts folder + the program with folder as working folder; args follow
  // the program's quoted path on the command line.
  bool Start(const std::string& folder, const std::string& args = std::string());
  bool Running() const;
  // Waits for the end; false on time-out.
  bool WaitForExit(DWORD ms, DWORD* exitCode = nullptr);
  DWORD Pid() const { return m_pi.dwProcessId; }

  // A visible top-level window of the process of that class (and title,
  // when given); null after the time-out.
  HWND WaitForWindow(const char* className, const char* title, DWORD ms) const;
  // A message box of the process with that title.
  HWND WaitForBox(const char* title, DWORD ms) const { return WaitForWindow("#32770", title, ms); }

 private:
  std::string m_exeName;
  PROCESS_INFORMATION m_pi = {};
};

// The text of a message box.
std::string BoxText(HWND box);
// Presses a button of a dialog (IDOK, IDYES, ...).
void PressButton(HWND dialog, int id);
// Waits until the window is gone; false on time-out.
bool WaitUntilGone(HWND hwnd, DWORD ms);
// The first child (at any depth) with exactly this text, or null.
HWND FindChildWithText(HWND parent, const char* text);
// Copies a file of the program folder (..\out) into a test folder.
bool CopyProgramFile(const std::string& name, const std::string& folder);

// Asks pred every 100 ms until it holds (true) or ms have passed (false).
template <class Pred>
bool WaitFor(Pred pred, DWORD ms) {
  for (DWORD waited = 0;; waited += 100) {
    if (pred()) return true;
    if (waited >= ms) return false;
    ::Sleep(100);
  }
}

}  // namespace progtest
