// The whole project's compilation: every picture file below the project's
// picture folder, folders searched in the order the file system gives them.
// A file counts as a picture only when its name ends exactly in ".pic".
//
// Each picture gives one line of output: its full path, then nothing (no
// failure), "    打开文件错误!" (the picture cannot be read) or
// "    编译器错误!" (QelCtrl.dll or its export is missing). A picture open in
// a window is compiled there, with its unsaved edits. A picture that could
// not be compiled counts as one error in the total.
#pragma once
#include <windows.h>

#include <functional>

#include "qstring.h"

struct ProjectCompileHooks {
  // Appends text to the output.
  std::function<void(const char* text)> output;
  // TRUE with the error count when a window shows the picture of that name
  // (the path below the picture folder) and compiled it there.
  std::function<BOOL(const CString& pictureName, int* errors)> compileInWindow;
  // QEL_CompilePic of QelCtrl.dll, or nullptr when it is not bound; -1 for
  // a picture that cannot be read, else its error count.
  int(__stdcall* compileFile)(HWND output, const char* path, const char* compiler) = nullptr;
  HWND outputWindow = nullptr;  // the compiler's messages go here
};

// Runs the compilation with its first and last line; the total of errors.
int CompileProjectPictures(const CString& projectFolder, const CString& compilerPath,
                           const ProjectCompileHooks& hooks);
