// Helpers of the link tests: the class registry set up with links, a link of
// every kind with non-default fields, and a prepared owner.
#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "actkinds.h"
#include "drawobj.h"

namespace linktest {

// Registers the model's, the shapes' and the link classes (idempotent).
void RegisterAll();

// One link of each class, every stored field away from its default, with
// script source, code bytes and both spare texts filled.
std::vector<CAction*> LinksOfEveryKind();

// The bytes of an object stored through an object reference.
std::vector<BYTE> StoredBytes(CObject* pObj);

// Gives the link a direct expression and a context with the owner and the
// dirty rectangle (no picture window unless given).
void PrepareDirect(CDrawObj& owner, CAction* link, const char* expression, RECT* dirty, HWND hView = nullptr);

}  // namespace linktest

#include <map>
#include <string>

#include "scriptvalue.h"

namespace linktest {

// A message-only picture window of the test: answers QSM_READTAG from its
// map and records the picture names of QCN_LINKPICTURE.
class TestPictureWindow {
 public:
  TestPictureWindow();
  ~TestPictureWindow();
  HWND hwnd() const { return m_hwnd; }

  std::map<std::string, CScriptValue> tags;
  std::vector<std::string> linkedPictures;
  std::vector<WPARAM> linkWParams;

 private:
  static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
  HWND m_hwnd;
};

}  // namespace linktest
