// CDocument: the data a program edits and the file it lives in; shown by
// one or more views (CView), made by a document template.
//
// A document knows whether it was changed since it was last read or written
// (the modified flag), its file's full path and its title. Reading and
// writing go through Serialize with an archive on the file. A failed read
// or write is reported (ReportLoadFailure, ReportSaveFailure) and changes
// nothing: a failed save leaves the file as it was and the document
// modified, and reports failure to whoever asked for the save.
#pragma once
#include <windows.h>

#include <vector>

#include "commands/cmdtarget.h"
#include "qstring.h"

class CArchive;
class CDocTemplate;
class CFrameWnd;
class CView;

class CDocument : public CCmdTarget {
  DECLARE_DYNAMIC(CDocument)

 public:
  CDocument();
  ~CDocument() override;

  const CString& GetTitle() const { return m_strTitle; }
  virtual void SetTitle(const char* title);
  const CString& GetPathName() const { return m_strPathName; }
  // The full path; the title becomes the file's name; addToRecent enters it
  // in the application's recent-file list.
  virtual void SetPathName(const char* path, BOOL addToRecent = TRUE);
  CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

  virtual BOOL IsModified() { return m_bModified; }
  void SetModifiedFlag(BOOL modified = TRUE) { m_bModified = modified; }

  // ---- views ---------------------------------------------------------------
  void AddView(CView* view);
  void RemoveView(CView* view);
  const std::vector<CView*>& GetViews() const { return m_views; }
  void UpdateAllViews(CView* sender, LPARAM hint = 0, CObject* hintObject = nullptr);
  // TRUE when a view of the document sits in a frame other than frame.
  BOOL HasOtherFrame(CFrameWnd* frame) const;
  // Lets every frame of the document show its title again.
  void UpdateFrameCounts();

  // ---- life ----------------------------------------------------------------
  virtual BOOL OnNewDocument();
  virtual BOOL OnOpenDocument(const char* path);
  virtual BOOL OnSaveDocument(const char* path);
  // Destroys the document's frames and, when it deletes itself, the document.
  virtual void OnCloseDocument();
  virtual void DeleteContents() {}
  virtual void Serialize(CArchive& ar) override;

  // Asks whether to save a modified document (Yes, No, Cancel); FALSE when
  // the user cancelled or the save failed.
  virtual BOOL SaveModified();
  // TRUE when frame may close: another frame shows the document, or
  // SaveModified agreed.
  virtual BOOL CanCloseFrame(CFrameWnd* frame);
  // Saves to its path; FALSE when it has none or the save failed.
  virtual BOOL DoFileSave();
  virtual BOOL DoSave(const char* path, BOOL replace = TRUE);

  BOOL OnCmdMsg(UINT id, int code, void* extra, CmdHandlerInfo* info) override;

  BOOL m_bAutoDelete = TRUE;  // deleted when its last view or its close goes

 protected:
  // The save question (Yes, No, Cancel) for a modified document: IDYES ...
  int AskToSave();
  // The message boxes of a failed read or write (path is the file's).
  virtual void ReportLoadFailure(const char* path);
  virtual void ReportSaveFailure(const char* path);
  // The last view went away.
  virtual void OnChangedViewList();
  void OnFileSave();
  void OnFileClose();

  CString m_strTitle;
  CString m_strPathName;
  CDocTemplate* m_pDocTemplate = nullptr;
  std::vector<CView*> m_views;
  BOOL m_bModified = FALSE;
  bool m_bClosing = false;

  friend class CDocTemplate;
  DECLARE_COMMAND_MAP()
};
