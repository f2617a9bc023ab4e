#include "projectcompile.h"

#include "crtformat.h"
#include "editortexts.h"
#include "foldertree.h"

namespace {

const int kMaxDepth = 32;  // deeper folders (a loop of links) are left out

class CProjectCompile {
 public:
  CProjectCompile(const CString& projectFolder, const CString& compiler, const ProjectCompileHooks& hooks)
      : m_pictureRoot(projectFolder + "\\" + kPictureFolder + "\\"), m_compiler(compiler), m_hooks(hooks) {}

  void CompileFolder(const CString& folder, int depth) {
    if (depth >= kMaxDepth) return;
    ForEachFolderEntry(folder + "\\*.*", [&](const char* name, bool isFolder) {
      CString path = folder + "\\" + name;
      if (isFolder)
        CompileFolder(path, depth + 1);
      else if (IsPictureFileName(name))
        CompilePicture(path);
    });
  }

  int Total() const { return m_total; }

 private:
  void CompilePicture(const CString& path) {
    m_hooks.output(path);
    CString name = path.Mid(m_pictureRoot.GetLength());
    int errors = 0;
    if (m_hooks.compileInWindow && m_hooks.compileInWindow(name, &errors)) {
      m_total += errors;
      m_hooks.output("\n");
      return;
    }
    if (!m_hooks.compileFile) {
      Failed(kTextCompilerError);
      return;
    }
    errors = m_hooks.compileFile(m_hooks.outputWindow, path, m_compiler);
    if (errors == -1) {
      Failed(kTextOpenFileError);
      return;
    }
    m_total += errors;
    m_hooks.output("\n");
  }

  // A picture that could not be compiled at all is one error: the last line
  // never reports success for it.
  void Failed(const char* line) {
    m_hooks.output(line);
    ++m_total;
  }

  CString m_pictureRoot;
  CString m_compiler;
  const ProjectCompileHooks& m_hooks;
  int m_total = 0;
};

}  // namespace

int CompileProjectPictures(const CString& projectFolder, const CString& compilerPath,
                           const ProjectCompileHooks& hooks) {
  hooks.output(kTextCompileProject);
  CProjectCompile compile(projectFolder, compilerPath, hooks);
  compile.CompileFolder(projectFolder + "\\" + kPictureFolder, 0);
  hooks.output(qel::FormatStr(kTextCompileDone, compile.Total()).c_str());
  return compile.Total();
}
