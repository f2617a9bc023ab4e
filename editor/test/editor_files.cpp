#include "editor_files.h"

#include <windows.h>

#include "file.h"
#include "project.h"

namespace editortest {

std::string BuildProgramFolder() {
  char full[MAX_PATH];
  ::GetFullPathNameA("..\\out\\", MAX_PATH, full, nullptr);
  return full;
}

std::string NewProjectBytes() {
  CProject project;
  project.AddSystemTags();
  CMemFile file;
  project.Store(&file);
  return std::string(reinterpret_cast<const char*>(file.GetData()), file.GetLength());
}

}  // namespace editortest
