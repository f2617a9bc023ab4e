// CMainFrame: QelMake's main frame: the menus (their items drawn with the
// toolbars' images), the standard, drawing and alignment toolbars, the
// status bar, the "WorkSpace" and "OutPut" docking bars, and the whole
// project's compilation into the output bar through QelCtrl.dll, which the
// frame loads for its life.
#pragma once
#include <windows.h>

#include <vector>

#include "bars/statusbar.h"
#include "modulehandle.h"
#include "frames/mdiframe.h"
#include "outputbar.h"
#include "workspacebar.h"
#include "bars/wraptoolbar.h"

class CMainFrame : public CMDIFrameWnd {
  DECLARE_DYNAMIC(CMainFrame)

 public:
  using CompilePicFn = int(__stdcall*)(HWND output, const char* path, const char* compiler);

  // programFolder: where "sc\Tarnic.exe" is (ends with a backslash).
  explicit CMainFrame(const std::string& programFolder);
  ~CMainFrame() override;

  CWorkspaceBar& GetWorkspaceBar() { return m_wndWorkspace; }
  COutputBar& GetOutputBar() { return m_wndOutput; }
  CWrapToolBar& GetStandardBar() { return m_wndToolBar; }
  CWrapToolBar& GetDrawBar() { return m_wndDrawBar; }
  CWrapToolBar& GetAlignBar() { return m_wndAlignBar; }
  CStatusBar& GetStatusBar() { return m_wndStatusBar; }
  CompilePicFn GetCompileExport() const { return m_pfnCompilePic; }

  void ShowDrawBar(BOOL show);
  // The output bar shown and emptied; text appended to it.
  void ShowOutput();
  void ClearOutput() { m_wndOutput.Clear(); }
  void AppendOutput(const char* text) { m_wndOutput.AppendText(text); }
  // Compiles every picture of the active project; the total of errors.
  int CompileProject();

  // The current choice of the alignment and zoom drop-down buttons; a new
  // choice shows its image on the button.
  UINT GetAlignChoice() const { return m_alignChoice; }
  UINT GetZoomChoice() const { return m_zoomChoice; }
  void SetAlignChoice(UINT id);
  void SetZoomChoice(UINT id);

  // The lists of the "属性/动作" tab (attrlist/mainframe_lists.cpp): the
  // records of an editing window's notices, shown until the next ones; the
  // lists send their edits back to that window (by default the editing
  // window of the active picture view). A null list empties its list.
  void ShowProperties(const PropDescList* list, HWND editWindow = nullptr);
  void ShowEventLinks(const ActionKindList* list, HWND editWindow = nullptr);
  // Empties both lists (a picture window closing, the local-tag table active).
  void ClearPropertyLists();
  // The editing window of the active picture view, or nullptr.
  HWND GetActivePicEditWindow() const;

  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

 protected:
  int OnCreate(CREATESTRUCTA* cs) override;
  BOOL OnNotify(WPARAM wp, LPARAM lp, LRESULT* result) override;
  void OnInitMenuPopup(HMENU popup, UINT index, BOOL sysMenu) override;

  BOOL CreateToolBars();
  BOOL CreateDockingBars();
  // The drop-down menu of an alignment or zoom button, under the button.
  void ShowDropDown(UINT buttonId, const RECT& button);

  // Menus with images (mainframe_menus.cpp).
  void AddMenuImages(HMENU popup);
  BOOL OnMeasureMenuImage(MEASUREITEMSTRUCT* item);
  BOOL OnDrawMenuImage(const DRAWITEMSTRUCT* item);
  // The toolbar and image of a command, from the image set.
  CWrapToolBar* FindImage(UINT id, int* image) const;

  void OnViewWorkspace();
  void OnUpdateViewWorkspace(CCmdUI* ui);
  void OnViewOutput();
  void OnUpdateViewOutput(CCmdUI* ui);
  void OnCompileProject();
  void OnUpdateCompileProject(CCmdUI* ui);

  std::string m_programFolder;
  CModuleHandle m_qelCtrl;
  CompilePicFn m_pfnCompilePic = nullptr;
  CStatusBar m_wndStatusBar;
  CWrapToolBar m_wndToolBar;
  CWrapToolBar m_wndDrawBar;
  CWrapToolBar m_wndAlignBar;
  CWorkspaceBar m_wndWorkspace;
  COutputBar m_wndOutput;
  std::vector<CWrapToolBar*> m_imageBars;  // where menu items find their images
  UINT m_alignChoice;
  UINT m_zoomChoice;

  DECLARE_COMMAND_MAP()
};
