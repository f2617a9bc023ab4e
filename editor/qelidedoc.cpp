// CQelideDoc: the project's life: new, read, write, close, its windows.
#include "qelidedoc.h"

#include <algorithm>

#include "archive.h"
#include "commands/cmdui.h"
#include "crtformat.h"
#include "docfile.h"
#include "docview/doctemplate.h"
#include "editorapp.h"
#include "editortexts.h"
#include "mainframe.h"
#include "exceptions.h"
#include "file.h"
#include "foldertree.h"
#include "localtagframe.h"
#include "msgbox.h"
#include "picframe.h"
#include "picview.h"
#include "projecttexts.h"
#include "projecttree.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CQelideDoc, CDocument)

BEGIN_COMMAND_MAP(CQelideDoc, CDocument)
ON_COMMAND(ID_FILE_SAVE, OnSaveProject)
ON_UPDATE_COMMAND_UI(ID_FILE_SAVE, OnUpdateSaveProject)
ON_COMMAND(ID_OPEN_LOCALTAGS, OnOpenLocalTags)
ON_COMMAND(ID_CONNECTION_SETTINGS, OnConnectionSettings)
END_COMMAND_MAP()

CString FolderOfPath(const char* path) {
  CString text = path ? path : "";
  int slash = std::max(text.ReverseFind('\\'), text.ReverseFind('/'));
  return slash < 0 ? CString() : text.Left(slash);
}

CQelideDoc::CQelideDoc() = default;

CQelideDoc::~CQelideDoc() = default;

CString CQelideDoc::GetPictureFolder() const { return m_strProjectFolder + "\\" + kPictureFolder + "\\"; }

BOOL CQelideDoc::OnNewDocument() {
  if (!CDocument::OnNewDocument()) return FALSE;
  if (CEditorApp* app = EditorApp()) {
    m_strProjectPath = app->m_strPendingPath;
    m_strProjectFolder = app->m_strPendingFolder;
  }
  m_project.AddSystemTags();
  SetModifiedFlag(TRUE);
  UpdateAllViews(nullptr);
  // A project that cannot be written is not made.
  return SaveNow();
}

BOOL CQelideDoc::OnOpenDocument(const char* path) {
  if (!CDocument::OnOpenDocument(path)) return FALSE;
  UpdateAllViews(nullptr);
  m_strProjectPath = QelFullPath(path);
  m_strProjectFolder = FolderOfPath(m_strProjectPath);
  if (CEditorApp* app = EditorApp()) {
    app->m_strPendingPath = m_strProjectPath;
    app->m_strPendingFolder = m_strProjectFolder;
  }
  return TRUE;
}

void CQelideDoc::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    m_project.Store(ar.GetFile());
    return;
  }
  // Another magic or version is a file of some other kind: refused whole,
  // so that it is never opened empty and written over later.
  if (m_project.Load(ar.GetFile()) != CProject::kLoaded)
    throw CArchiveException(CArchiveException::badSchema);
  CRtdbClient* client = m_project.GetClient();
  if (client->SetEntriesAndBind(m_project.m_conn, 0) == 1) client->Start();
}

BOOL CQelideDoc::OnSaveDocument(const char* path) {
  return SavePictures(FALSE) && CDocument::OnSaveDocument(path);
}

BOOL CQelideDoc::SaveNow() { return DoSave(m_strProjectPath); }

void CQelideDoc::SetTitle(const char* title) {
  CProjectTree* tree = EditorProjectTree();
  if (tree && !m_strProjectPath.IsEmpty() && !tree->GetRootItem()) BuildProjectTree();
  CDocument::SetTitle(m_strProjectFolder.IsEmpty() ? title : m_strProjectFolder.GetString());
}

void CQelideDoc::BuildProjectTree() {
  CProjectTree* tree = EditorProjectTree();
  if (!tree) return;
  CString fileName = m_strProjectPath.Mid(
      std::max(m_strProjectPath.ReverseFind('\\'), m_strProjectPath.ReverseFind('/')) + 1);
  HTREEITEM root =
      tree->InsertItem(fileName, kItemRoot, kTipRoot, this, TVI_ROOT, kImageProject, kImageProject);
  tree->SetItemState(root, TVIS_BOLD, TVIS_BOLD);
  tree->InsertItem(kNameConnection, kItemConnection, kTipConnection, this, root, kImageConnection,
                   kImageConnection);
  tree->InsertItem(kNameLocalTags, kItemLocalTags, kTipLocalTags, this, root, kImageLocalTags,
                   kImageLocalTags);
  HTREEITEM pictures = tree->InsertItem(kNamePictures, kItemPictureFolder, kTipFolder, this, root,
                                        kImageFolder, kImageFolderOpen);
  tree->InsertItem(kNameAbout, kItemAbout, kTipAbout, this, root, kImageAbout, kImageAbout);
  CFolderTreeFiller(*tree, this).Fill(pictures, m_strProjectFolder + "\\" + kPictureFolder);
  tree->Expand(pictures);
  tree->Expand(root);
}

void CQelideDoc::OnCloseDocument() {
  if (CProjectTree* tree = EditorProjectTree()) tree->DeleteAllItems();
  CDocument::OnCloseDocument();  // the project (and its binding) goes with the document
  // The drawing toolbar goes with the picture windows it serves.
  if (CMainFrame* frame = EditorMainFrame()) frame->ShowDrawBar(FALSE);
}

BOOL CQelideDoc::IsModified() {
  if (m_bModified) return TRUE;
  for (CPicView* view : GetPictureViews())
    if (view->IsPictureModified()) return TRUE;
  return FALSE;
}

BOOL CQelideDoc::SavePictures(BOOL ask) {
  for (CPicView* view : GetPictureViews()) {
    if (!view->IsPictureModified()) continue;
    if (!(ask ? view->SaveIfModified() : view->SavePicture())) return FALSE;
  }
  return TRUE;
}

BOOL CQelideDoc::SaveModified() {
  if (!SavePictures(TRUE)) return FALSE;
  if (!m_bModified) return TRUE;
  switch (AskToSave()) {
    case IDYES: return CDocument::OnSaveDocument(m_strProjectPath);  // the pictures were asked about
    case IDNO: return TRUE;
    default: return FALSE;
  }
}

void CQelideDoc::ReportLoadFailure(const char* path) {
  QelMessageBox(nullptr, qel::FormatStr(kTextProjectReadError, path ? path : "").c_str(), nullptr,
                MB_OK | MB_ICONSTOP);
}

void CQelideDoc::ReportSaveFailure(const char* path) {
  QelMessageBox(nullptr, qel::FormatStr(kTextSaveProjectFailed, path ? path : "").c_str(), nullptr,
                MB_OK | MB_ICONSTOP);
}

std::vector<CPicView*> CQelideDoc::GetPictureViews() const {
  std::vector<CPicView*> views;
  for (CView* view : m_views)
    if (auto* picture = dynamic_cast<CPicView*>(view)) views.push_back(picture);
  return views;
}

CPicView* CQelideDoc::FindPictureView(const char* name) const {
  for (CPicView* view : GetPictureViews())
    if (view->GetPictureName() == name) return view;  // names compare exactly
  return nullptr;
}

int CQelideDoc::OpenPicture(const char* name, BOOL isNew) {
  if (CPicView* open = FindPictureView(name)) {
    if (CFrameWnd* frame = open->GetParentFrame()) frame->ActivateFrame(-1);
    return 1;
  }
  CEditorApp* app = EditorApp();
  CDocTemplate* tmpl = app ? app->GetPictureTemplate() : nullptr;
  CFrameWnd* frame = tmpl ? tmpl->CreateNewFrame(this, nullptr) : nullptr;
  if (!frame) return 0;
  auto* view =
      dynamic_cast<CPicView*>(CWnd::FromHandlePermanent(::GetDlgItem(frame->m_hWnd, AFX_IDW_PANE_FIRST)));
  if (!view) {
    frame->DestroyWindow();
    return 0;
  }
  view->SetPictureName(name);
  tmpl->InitialUpdateFrame(frame, this, TRUE);
  frame->ActivateFrame(SW_SHOWMAXIMIZED);
  if (isNew ? view->NewPicture(name) : view->OpenPicture(name)) return 1;
  // An empty window is no use: it goes, after saying why. The project keeps
  // a window (its local-tag table), so that it does not close with it.
  QelMessageBox(nullptr, qel::FormatStr(kTextOpenPictureFailed, name).c_str(), nullptr, MB_OK | MB_ICONSTOP);
  if (!HasOtherFrame(frame)) OpenLocalTagTable();
  frame->DestroyWindow();
  return 0;
}

void CQelideDoc::OpenLocalTagTable() {
  for (CView* view : m_views)
    if (dynamic_cast<CLocalTagView*>(view)) {
      if (CFrameWnd* frame = view->GetParentFrame()) frame->ActivateFrame(-1);
      return;
    }
  CDocTemplate* tmpl = GetDocTemplate();
  CFrameWnd* frame = tmpl ? tmpl->CreateNewFrame(this, nullptr) : nullptr;
  if (!frame) return;
  tmpl->InitialUpdateFrame(frame, this, TRUE);
  frame->ActivateFrame(SW_SHOWMAXIMIZED);
}

void CQelideDoc::OnSaveProject() { SaveNow(); }

void CQelideDoc::OnUpdateSaveProject(CCmdUI* ui) { ui->Enable(IsModified()); }

void CQelideDoc::OnOpenLocalTags() { OpenLocalTagTable(); }

void CQelideDoc::OnConnectionSettings() { ConfigureRtdb(); }
