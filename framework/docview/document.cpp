#include "docview/document.h"

#include <algorithm>

#include "app/frameapp.h"
#include "archive.h"
#include "crtformat.h"
#include "docfile.h"
#include "docview/doctemplate.h"
#include "docview/view.h"
#include "file.h"
#include "frames/frame.h"
#include "msgbox.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

namespace {
const char kAskToSave[] = "是否保存对 %s 的修改?";
const char kLoadFailed[] = "无法打开文件 %s。";
const char kSaveFailed[] = "无法保存文件 %s。";
}  // namespace

BEGIN_COMMAND_MAP(CDocument, CCmdTarget)
ON_COMMAND(ID_FILE_SAVE, OnFileSave)
ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
END_COMMAND_MAP()

CDocument::CDocument() = default;

CDocument::~CDocument() {
  if (m_pDocTemplate) m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(const char* title) {
  m_strTitle = title ? title : "";
  UpdateFrameCounts();
}

void CDocument::SetPathName(const char* path, BOOL addToRecent) {
  m_strPathName = QelFullPath(path);
  int slash = std::max(m_strPathName.ReverseFind('\\'), m_strPathName.ReverseFind('/'));
  SetTitle(m_strPathName.Mid(slash + 1));
  CFrameApp* app = QelGetFrameApp();
  if (addToRecent && app) app->AddToRecentFileList(m_strPathName);
}

void CDocument::AddView(CView* view) {
  if (std::find(m_views.begin(), m_views.end(), view) != m_views.end()) return;
  m_views.push_back(view);
  view->m_pDocument = this;
}

void CDocument::RemoveView(CView* view) {
  auto it = std::find(m_views.begin(), m_views.end(), view);
  if (it == m_views.end()) return;
  m_views.erase(it);
  view->m_pDocument = nullptr;
  OnChangedViewList();
}

void CDocument::OnChangedViewList() {
  if (m_views.empty() && m_bAutoDelete && !m_bClosing) OnCloseDocument();
}

void CDocument::UpdateAllViews(CView* sender, LPARAM hint, CObject* hintObject) {
  for (CView* view : std::vector<CView*>(m_views))
    if (view != sender) view->OnUpdate(sender, hint, hintObject);
}

BOOL CDocument::HasOtherFrame(CFrameWnd* frame) const {
  for (CView* view : m_views)
    if (view->GetParentFrame() != frame) return TRUE;
  return FALSE;
}

void CDocument::UpdateFrameCounts() {
  for (CView* view : m_views)
    if (CFrameWnd* frame = view->GetParentFrame()) frame->OnUpdateFrameTitle(TRUE);
}

BOOL CDocument::OnNewDocument() {
  DeleteContents();
  m_strPathName.Empty();
  SetModifiedFlag(FALSE);
  return TRUE;
}

BOOL CDocument::OnOpenDocument(const char* path) {
  DeleteContents();
  SetModifiedFlag(TRUE);  // a document half read must not look unchanged
  if (!QelReadDocumentFile(path, [this](CArchive& ar) { Serialize(ar); })) {
    ReportLoadFailure(path);
    DeleteContents();
    return FALSE;
  }
  SetModifiedFlag(FALSE);
  return TRUE;
}

BOOL CDocument::OnSaveDocument(const char* path) {
  if (!QelWriteDocumentFile(path, [this](CArchive& ar) { Serialize(ar); })) {
    ReportSaveFailure(path);
    return FALSE;
  }
  SetModifiedFlag(FALSE);
  return TRUE;
}

void CDocument::Serialize(CArchive&) {}

void CDocument::OnCloseDocument() {
  if (m_bClosing) return;
  m_bClosing = true;
  BOOL autoDelete = m_bAutoDelete;
  // Each frame goes with its views; the views leave the list as they go.
  while (!m_views.empty()) {
    CView* view = m_views.front();
    CFrameWnd* frame = view->GetParentFrame();
    if (frame)
      frame->DestroyWindow();
    else
      view->DestroyWindow();
    if (!m_views.empty() && m_views.front() == view) RemoveView(view);  // not a window any more
  }
  DeleteContents();
  if (autoDelete)
    delete this;
  else
    m_bClosing = false;
}

int CDocument::AskToSave() {
  CString name = m_strPathName.IsEmpty() ? m_strTitle : m_strPathName;
  return QelMessageBox(nullptr, qel::FormatStr(kAskToSave, name.GetString()).c_str(), nullptr,
                       MB_YESNOCANCEL | MB_ICONEXCLAMATION);
}

BOOL CDocument::SaveModified() {
  if (!IsModified()) return TRUE;
  switch (AskToSave()) {
    case IDYES: return DoFileSave();
    case IDNO: return TRUE;
    default: return FALSE;
  }
}

BOOL CDocument::CanCloseFrame(CFrameWnd* frame) { return HasOtherFrame(frame) || SaveModified(); }

BOOL CDocument::DoFileSave() { return DoSave(m_strPathName); }

BOOL CDocument::DoSave(const char* path, BOOL replace) {
  if (!path || !*path) return FALSE;
  CString target = path;  // path may be our own m_strPathName
  if (!OnSaveDocument(target)) return FALSE;
  if (replace) SetPathName(target);
  return TRUE;
}

void CDocument::ReportLoadFailure(const char* path) {
  QelMessageBox(nullptr, qel::FormatStr(kLoadFailed, path ? path : "").c_str(), nullptr,
                MB_OK | MB_ICONEXCLAMATION);
}

void CDocument::ReportSaveFailure(const char* path) {
  QelMessageBox(nullptr, qel::FormatStr(kSaveFailed, path ? path : "").c_str(), nullptr,
                MB_OK | MB_ICONEXCLAMATION);
}

BOOL CDocument::OnCmdMsg(UINT id, int code, void* extra, CmdHandlerInfo* info) {
  if (CCmdTarget::OnCmdMsg(id, code, extra, info)) return TRUE;
  return m_pDocTemplate && m_pDocTemplate->OnCmdMsg(id, code, extra, info);
}

void CDocument::OnFileSave() { DoFileSave(); }

void CDocument::OnFileClose() {
  if (SaveModified()) OnCloseDocument();
}
