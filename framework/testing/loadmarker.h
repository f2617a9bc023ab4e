// The load marker of the tests: libraries and classes of our own that no
// part of the system may ever start (a plug-in outside the program folder, a
// COM class that is no control) append their name to a marker file when
// their code runs, and a test proves that nothing was written.
//
// The file is named by the process's environment variable QEL_LOAD_MARKER,
// which a test sets to a file of its own process (ctest runs test programs
// side by side); where it is unset the libraries write nothing.
//
//   loadmarker::Armed marker;          // the variable set, no file yet
//   ... open, paste, run ...
//   EXPECT_EQ(marker.Written(), "");   // no foreign code ran
//
// Header only: the marker libraries and the tests include it alike.
#pragma once
#include <windows.h>

#include <string>

namespace loadmarker {

constexpr char kVariable[] = "QEL_LOAD_MARKER";

// Library side: appends who and a line end to the marker file, when the
// process names one. Safe in DllMain (kernel32 only).
inline void Write(const char* who) {
  char path[MAX_PATH] = "";
  const DWORD length = ::GetEnvironmentVariableA(kVariable, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  HANDLE file = ::CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  ::WriteFile(file, who, static_cast<DWORD>(::lstrlenA(who)), &written, nullptr);
  ::WriteFile(file, "\n", 1, &written, nullptr);
  ::CloseHandle(file);
}

// Test side: a marker file of this process in the temporary folder, named by
// the variable while the object lives; removed before and after.
class Armed {
 public:
  Armed() {
    char folder[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, folder);
    m_path = std::string(folder) + "qel-load-marker-" + std::to_string(::GetCurrentProcessId()) + ".txt";
    ::DeleteFileA(m_path.c_str());
    ::SetEnvironmentVariableA(kVariable, m_path.c_str());
  }
  ~Armed() {
    ::SetEnvironmentVariableA(kVariable, nullptr);
    ::DeleteFileA(m_path.c_str());
  }
  Armed(const Armed&) = delete;
  Armed& operator=(const Armed&) = delete;

  const std::string& Path() const { return m_path; }
  // What the marker libraries wrote so far, one name a line; "" when none ran.
  std::string Written() const {
    std::string text;
    HANDLE file = ::CreateFileA(m_path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return text;
    char buffer[256];
    DWORD read = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) text.append(buffer, read);
    ::CloseHandle(file);
    return text;
  }

 private:
  std::string m_path;
};

}  // namespace loadmarker
