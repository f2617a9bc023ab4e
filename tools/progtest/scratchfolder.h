// A folder of a test's own below the working folder, removed with
// everything in it; its name carries the process id and the folder's number
// in the process, so cases run side by side never share one, nor do cases run
// one after the other in one process (a DLL a case loaded from its folder
// stays loaded, and its file cannot be removed or replaced).
#pragma once
#include <string>

namespace progtest {

class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& name);
  ~ScratchFolder();
  // Ends with a backslash.
  const std::string& Path() const { return m_path; }
  void WriteFile(const std::string& relative, const std::string& bytes) const;
  // The file's bytes; empty when it cannot be read.
  std::string ReadFile(const std::string& relative) const;
  bool Exists(const std::string& relative) const;

 private:
  std::string m_path;
};

// Removes a folder and everything in it (folder ends with a backslash).
void RemoveTree(const std::string& folder);

}  // namespace progtest
