// CScriptDlg: the modal "自定义脚本" dialog in which the engineer writes the
// script of a link in script mode: a coloured rich edit with indentation and
// completion, a toolbar (save, cut, copy, paste, compile, trigger) and the
// picker of system functions and tags beside it. Saving writes the script
// (and for a cyclic link its trigger and period) into the link and saves the
// picture file; compiling checks the script with the compiler and shows the
// compiler's lines, leaving the link as it is.
#pragma once
#include <windows.h>

#include <string>

#include "controls/imagelist.h"
#include "dialogs/dialog.h"
#include "gripbar.h"
#include "pages/pagetrigger.h"
#include "picktab.h"
#include "scriptcolorizer.h"
#include "scriptedit.h"
#include "scripteditor_res.h"

class CAction;
class CPicEditWnd;

class CScriptDlg : public CDialog, public CTriggerHolder {
 public:
  // The editing window may be null; so may the link (set with SetLink).
  explicit CScriptDlg(CPicEditWnd* editWnd, HWND parent = nullptr);

  void SetLink(CAction* link) { m_pLink = link; }
  void SetCaption(const char* caption) { m_strCaption = caption; }
  void SetScript(const char* script) { m_strScript = script; }
  // The trigger and period of a cyclic link; enables the trigger command.
  void SetTrigger(int trigger, int periodMs);
  // What the trigger page hands back when it serves this dialog: the values
  // reach the link when the script is saved.
  void TakeTrigger(int trigger, int periodMs) override;

  bool IsTriggerGiven() const { return m_bTriggerGiven; }
  int GetTrigger() const { return m_nTrigger; }
  int GetPeriod() const { return m_nPeriod; }
  bool IsModified() const { return m_bModified; }
  const CString& GetScript() const { return m_strScript; }
  CScriptEdit& GetEdit() { return m_edit; }
  CGripToolBar& GetToolbar() { return m_toolbar; }
  CScriptPickTab& GetPicker() { return m_picker; }
  const CScriptColorizer& GetColorizer() const { return m_colorizer; }

  // The compiler the compile command runs; the program folder's
  // "sc\Tarnic.exe" unless a test names another.
  void SetCompilerPath(const char* path) { m_strCompiler = path; }

  INT_PTR DoModal() override;
  BOOL PreTranslateMessage(MSG* msg) override;
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

  // Replaces the text with the frame of a script (after asking, when the
  // control holds more than one line).
  void InsertFrameScript();

  // The frame script, as inserted into an empty script.
  static const char kFrameScript[];
  static constexpr int kToolbarHeight = 38;
  static constexpr int kPickerWidth = 320;
  static constexpr int kPickerTop = 18;
  // The title of the sheet of the trigger command.
  static const char kTriggerSheetTitle[];

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  bool OnCommand(UINT id, UINT code, HWND control) override;
  bool OnNotify(NMHDR* header, LRESULT* result) override;

 private:
  struct Command;
  static const Command kCommands[];

  // The picker of functions and tags, inserting into the text.
  void CreatePicker();
  void CreateToolbar();
  void Layout(int width, int height);
  // Replaces the text, coloured, with the caret at its start.
  void PutText(const CString& text);
  void OnTextChanged();
  // Ctrl+Z and Ctrl+Y: the control's undo or redo, and the text coloured
  // anew (colours are no step of the undo).
  void OnUndo(bool redo);
  // What the colourer left for later is coloured while the dialog is idle:
  // on its timer, a few pieces at a time, until nothing is left.
  void ColourWhenIdle();
  // One timer message's pieces.
  void ColourSomeNow();
  void UpdateToolbar();
  CString TooltipOf(UINT command) const;

  // Rules of the commands.
  bool CanSave() const;
  bool HasSelection() const;
  bool CanPaste() const;
  bool CanEditTrigger() const;

  void OnSave();
  void OnCut();
  void OnCopy();
  void OnPaste();
  void OnTrigger();
  void OnCompile();
  // Streams the text out, writes it into the link and saves the picture.
  void Save();

  CPicEditWnd* m_pEditWnd;
  CAction* m_pLink = nullptr;
  CString m_strCaption = "自定义脚本";
  bool m_bTriggerGiven = false;
  int m_nPeriod = 1000;
  int m_nTrigger = 0;
  CScriptColorizer m_colorizer;
  CString m_strScript;
  bool m_bModified = false;
  CScriptPickTab m_picker;
  CScriptEdit m_edit;
  CGripToolBar m_toolbar;
  CImageList m_images;
  CImageList m_hotImages;
  CImageList m_disabledImages;
  CString m_strCompiler;
  // The tooltip text being shown (the toolbar reads it after the notice).
  CString m_strTooltip;
  std::wstring m_wideTooltip;
};
