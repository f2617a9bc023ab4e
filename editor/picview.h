// CPicView: the view of one picture window: it hosts an editing window of
// the class "QELPICEDIT" from QelCtrl.dll (loaded once more by every view
// and freed after its window), hands it the project's callback tables, the
// picture folder and the picture, and asks it for the picture's state.
// Its compiler output goes on to the main frame.
#pragma once
#include <windows.h>

#include "docview/view.h"
#include "modulehandle.h"
#include "qstring.h"

class CQelideDoc;

class CPicView : public CView {
  DECLARE_DYNCREATE(CPicView)

 public:
  enum : UINT { kEditWindowId = 1000 };

  CPicView();
  ~CPicView() override;

  CQelideDoc* GetDocument() const;
  // The picture's path relative to the project's picture folder.
  const CString& GetPictureName() const { return m_strPictureName; }
  void SetPictureName(const char* name) { m_strPictureName = name ? name : ""; }
  HWND GetEditWindow() const { return m_hEdit; }

  // Loads (OpenPicture) or creates and writes (NewPicture) the picture in the
  // editing window; 1 when that worked, else 0.
  int OpenPicture(const char* name);
  int NewPicture(const char* name);
  BOOL IsPictureModified() const;
  // Writes the picture; FALSE when it could not be written.
  BOOL SavePicture();
  // Compiles the picture's scripts; the number of errors.
  int Compile(const char* compilerPath);
  // Asks "<%s>已经修改，是否要存!" when the picture is modified and saves on
  // Yes; FALSE when the save failed (reported).
  BOOL SaveIfModified();

  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

 protected:
  int OnCreate(CREATESTRUCTA* cs) override;
  void OnDestroy() override;
  LRESULT Query(int code) const;
  void SendFolder();

  CModuleHandle m_qelCtrl;  // freed after the window (members go after the destructor body)
  HWND m_hEdit = nullptr;
  CString m_strPictureName;
};
