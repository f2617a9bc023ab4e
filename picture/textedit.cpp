#include "textedit.h"

namespace {

TextEditorFn g_pfnTextEditor = nullptr;

}  // namespace

void SetTextEditor(TextEditorFn pfnEditor) { g_pfnTextEditor = pfnEditor; }

int EditObjectText(HWND hOwner, CDrawObj* pObj) {
  return g_pfnTextEditor && pObj ? g_pfnTextEditor(hOwner, pObj) : 0;
}
