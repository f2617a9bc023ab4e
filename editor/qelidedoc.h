// CQelideDoc: the editor's document: one open document is one project. It
// owns the project (local tags, connection entries, the database binding),
// reads and writes the project file, opens the picture windows and the
// local-tag table, edits the connection entries through the connection
// settings library and fills the workspace bar's project tree.
//
// Its title is the project folder. The save command writes every modified
// picture, then the project file, and is enabled while the project or one
// of its pictures is modified. Closing the project (SaveModified, then
// OnCloseDocument) asks for each modified picture first, then for the
// project; a failed save says so and stops the close.
//
// A project file that cannot be read (another magic or version, an early
// end) is reported with "读入工程文件<%s>错误!" and no document is left.
#pragma once
#include <windows.h>

#include <vector>

#include "docview/document.h"
#include "project.h"
#include "qstring.h"

class CPicFrm;
class CPicView;

class CQelideDoc : public CDocument {
  DECLARE_DYNCREATE(CQelideDoc)

 public:
  CQelideDoc();
  ~CQelideDoc() override;

  CProject& GetProject() { return m_project; }
  const CString& GetProjectPath() const { return m_strProjectPath; }
  const CString& GetProjectFolder() const { return m_strProjectFolder; }
  // The project folder and "\pic\": where pictures are named from.
  CString GetPictureFolder() const;

  BOOL OnNewDocument() override;
  BOOL OnOpenDocument(const char* path) override;
  BOOL OnSaveDocument(const char* path) override;
  void OnCloseDocument() override;
  void SetTitle(const char* title) override;
  void Serialize(CArchive& ar) override;
  // The project or any open picture.
  BOOL IsModified() override;
  BOOL SaveModified() override;

  // Writes the project file to the project path (which becomes the
  // document's path and enters the recent-file list).
  BOOL SaveNow();
  // Activates the window of that picture, or opens one (isNew: a new
  // picture written at once); 1 when the picture is shown.
  int OpenPicture(const char* name, BOOL isNew);
  void OpenLocalTagTable();
  // The connection entries in the dialogs of system\Nurvex.dll.
  void ConfigureRtdb();

  std::vector<CPicView*> GetPictureViews() const;
  CPicView* FindPictureView(const char* name) const;
  // Fills the workspace bar's tree with the project.
  void BuildProjectTree();

 protected:
  void ReportLoadFailure(const char* path) override;
  void ReportSaveFailure(const char* path) override;
  // Every modified picture: asked about (ask) or saved without asking.
  BOOL SavePictures(BOOL ask);

  void OnSaveProject();
  void OnUpdateSaveProject(CCmdUI* ui);
  void OnOpenLocalTags();
  void OnConnectionSettings();

  CString m_strProjectPath;
  CString m_strProjectFolder;
  CProject m_project;

  DECLARE_COMMAND_MAP()
};

// The folder part of a path: up to its last "\" or "/".
CString FolderOfPath(const char* path);
