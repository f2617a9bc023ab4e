// CPicView: the view of one picture window. It hosts one editing window of
// the class "QELPICEDIT" (control 1000, from its own reference to
// QelCtrl.dll) between a ruler along its top (1001) and one along its left
// (1002), 22 pixels thick, and paints the corner between them.
//
// It drives the editing window with the picture window messages only: on
// creation the project's host and local-tag callback tables, then the
// picture folder and the picture to open or make. It carries out the
// drawing and editing commands of the active picture window, enabling and
// checking them from the window's answers to QCM_QUERY, and passes the
// window's notices on: the view's origin and zoom to the rulers, the
// properties and event links to the workspace bar's lists, a double click
// to the bar's "属性/动作" tab, the compiler's output to the output bar.
#pragma once
#include <windows.h>

#include "docview/view.h"
#include "picedithost.h"
#include "qstring.h"
#include "rulerwnd.h"

class CQelideDoc;
struct PicCommand;
struct ViewInfo;

class CPicView : public CView {
  DECLARE_DYNCREATE(CPicView)

 public:
  enum : UINT { kEditWindowId = 1000, kTopRulerId = 1001, kLeftRulerId = 1002 };
  // Zoom percent: at first, the step of zooming in and out, the limits.
  enum : int { kZoomDefault = 100, kZoomStep = 20, kZoomMin = 25, kZoomMax = 400 };

  CPicView();
  ~CPicView() override;

  CQelideDoc* GetDocument() const;
  // The picture's path relative to the project's picture folder.
  const CString& GetPictureName() const { return m_strPictureName; }
  void SetPictureName(const char* name) { m_strPictureName = name ? name : ""; }
  HWND GetEditWindow() const { return m_edit.GetSafeHwnd(); }
  CPicEditHost& GetEditHost() { return m_edit; }
  CRulerWnd& GetTopRuler() { return m_topRuler; }
  CRulerWnd& GetLeftRuler() { return m_leftRuler; }
  int GetZoom() const { return m_zoom; }

  // Loads (OpenPicture) or creates and writes (NewPicture) the picture in the
  // editing window; 1 when that worked, else 0.
  int OpenPicture(const char* name);
  int NewPicture(const char* name);
  BOOL IsPictureModified() const;
  // Writes the picture; FALSE (after saying so) when it could not be written.
  BOOL SavePicture();
  // Compiles the picture's scripts; the number of errors.
  int Compile(const char* compilerPath);
  // Asks "<%s>已经修改，是否要存!" when the picture is modified and saves on
  // Yes; FALSE when the save failed (reported).
  BOOL SaveIfModified();
  // Has the editing window send its properties and event links again.
  void Renotify();

  BOOL OnCmdMsg(UINT id, int code, void* extra, CmdHandlerInfo* info) override;
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

 protected:
  int OnCreate(CREATESTRUCTA* cs) override;
  void OnDestroy() override;
  void OnDraw(CDC* dc) override;
  void Layout(int width, int height);
  void SendFolder();
  void OnNotice(UINT msg, WPARAM wp, LPARAM lp);
  void OnViewChanged(const ViewInfo* info);

  // The commands (piccommands.cpp).
  void RunCommand(const PicCommand& command);
  void UpdateCommand(const PicCommand& command, CCmdUI* ui);
  bool IsEnabled(const PicCommand& command) const;
  void Zoom(UINT id);
  void CompilePicture();

  CPicEditHost m_edit;
  CRulerWnd m_topRuler{CRulerWnd::kHorizontal};
  CRulerWnd m_leftRuler{CRulerWnd::kVertical};
  CString m_strPictureName;
  int m_zoom = kZoomDefault;
};
