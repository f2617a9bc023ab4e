// Files of the editor's tests: the build's program folder and the bytes of
// a new project file.
#pragma once
#include <string>

namespace editortest {

// The build's program folder (..\out\), as a full path ending in a backslash.
std::string BuildProgramFolder();

// The bytes of a new project's file, as the project model writes them.
std::string NewProjectBytes();

}  // namespace editortest
