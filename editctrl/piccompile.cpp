// Compiling the scripts of a picture: the window's compile command and the
// library's export, which compiles a picture file without any window.
#include <memory>

#include "drawobj.h"
#include "file.h"
#include "layerwalk.h"
#include "piccompile.h"
#include "piceditwnd.h"
#include "picobj.h"
#include "picstore.h"

int CompilePictureScripts(CPicObj& picture, HWND output, const char* compiler) {
  int errors = 0;
  ForEachObject(picture, [&](CDrawObj* obj) { obj->CompileScripts(output, compiler, errors); });
  return errors;
}

LRESULT CPicEditWnd::OnCompile(const char* compiler) {
  HWND output = GetParent();
  if (!m_pPicture || !output) return 0;
  int errors = CompilePictureScripts(*m_pPicture, output, compiler ? compiler : "");
  // The code bytes travel in the picture file, whatever the number of errors.
  OnSavePic();
  return errors;
}

int CompilePictureFile(HWND output, const char* path, const char* compiler) {
  if (!path) return -1;
  std::unique_ptr<CPicObj> picture(new CPicObj);
  {
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary)) return -1;
    if (!LoadPictureFrom(file, *picture)) return -1;
  }
  int errors = CompilePictureScripts(*picture, output, compiler ? compiler : "");
  ReplacePictureFile(path, *picture);  // a failed store still answers the error count
  return errors;
}

extern "C" int __stdcall QEL_CompilePic(HWND output, const char* path, const char* compiler) {
  try {
    return CompilePictureFile(output, path, compiler);
  } catch (...) {
    return -1;  // nothing may leave the export
  }
}
