#include "docview/doctemplate.h"

#include <algorithm>

#include "docfile.h"
#include "docview/document.h"
#include "docview/view.h"
#include "winapp.h"
#include "resources/resload.h"
#include "wndmodule.h"

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)
IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)

namespace {

CString Extension(const CString& path) {
  int dot = path.ReverseFind('.');
  int slash = std::max(path.ReverseFind('\\'), path.ReverseFind('/'));
  return dot > slash ? path.Mid(dot) : CString();
}

}  // namespace

CDocTemplate::CDocTemplate(UINT resourceId, CRuntimeClass* docClass, CRuntimeClass* frameClass,
                           CRuntimeClass* viewClass)
    : m_nIDResource(resourceId), m_pDocClass(docClass), m_pFrameClass(frameClass), m_pViewClass(viewClass) {
  LoadTemplate();
}

CDocTemplate::~CDocTemplate() {
  // Documents still open go first (their frames with them).
  while (!m_docList.empty()) {
    CDocument* doc = m_docList.back();
    doc->OnCloseDocument();
    if (!m_docList.empty() && m_docList.back() == doc) m_docList.pop_back();  // kept by its owner
  }
  if (m_hMenuShared) ::DestroyMenu(m_hMenuShared);
  if (m_hAccelTable) ::DestroyAcceleratorTable(m_hAccelTable);
}

void CDocTemplate::LoadTemplate() {
  if (m_loaded) return;
  m_loaded = true;
  m_strDocStrings = QelLoadStringText(m_nIDResource);
  HINSTANCE res = QelGetResourceHandle();
  m_hMenuShared = ::LoadMenuA(res, MAKEINTRESOURCEA(m_nIDResource));
  m_hAccelTable = ::LoadAcceleratorsA(res, MAKEINTRESOURCEA(m_nIDResource));
}

CString CDocTemplate::DocStringField(const CString& docString, DocStringIndex index) {
  int start = 0;
  for (int i = 0; i < index; ++i) {
    int next = docString.Find('\n', start);
    if (next < 0) return CString();
    start = next + 1;
  }
  int end = docString.Find('\n', start);
  return end < 0 ? docString.Mid(start) : docString.Mid(start, end - start);
}

BOOL CDocTemplate::GetDocString(CString& text, DocStringIndex index) const {
  text = DocStringField(m_strDocStrings, index);
  return !text.IsEmpty();
}

CDocTemplate::Confidence CDocTemplate::MatchDocType(const char* path, CDocument** match) {
  *match = nullptr;
  CString full = QelFullPath(path);
  for (CDocument* doc : m_docList)
    if (!doc->GetPathName().IsEmpty() && doc->GetPathName().CompareNoCase(full) == 0) {
      *match = doc;
      return yesAlreadyOpen;
    }
  CString ext;
  GetDocString(ext, filterExt);
  if (!ext.IsEmpty() && Extension(full).CompareNoCase(ext) == 0) return yesAttemptNative;
  return yesAttemptForeign;
}

CDocument* CDocTemplate::CreateNewDocument() {
  CObject* made = m_pDocClass ? m_pDocClass->CreateObject() : nullptr;
  CDocument* doc = dynamic_cast<CDocument*>(made);
  if (!doc) {
    delete made;
    return nullptr;
  }
  AddDocument(doc);
  return doc;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* doc, CFrameWnd* other) {
  CObject* made = m_pFrameClass ? m_pFrameClass->CreateObject() : nullptr;
  CFrameWnd* frame = dynamic_cast<CFrameWnd*>(made);
  if (!frame) {
    delete made;
    return nullptr;
  }
  CCreateContext context;
  context.m_pCurrentFrame = other;
  context.m_pCurrentDoc = doc;
  context.m_pNewViewClass = m_pViewClass;
  context.m_pNewDocTemplate = this;
  CWinApp* app = QelGetApp();
  HWND parent = app && app->m_pMainWnd ? app->m_pMainWnd->m_hWnd : nullptr;
  if (!frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, parent,
                        &context)) {
    // A frame whose window was never made does not delete itself.
    if (!frame->m_hWnd) delete frame;
    return nullptr;
  }
  return frame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* frame, CDocument* doc, BOOL makeVisible) {
  frame->InitialUpdateFrame(doc, makeVisible);
}

void CDocTemplate::SetDefaultTitle(CDocument* doc) {
  CString title;
  if (!GetDocString(title, docName)) title = "Untitled";
  title += CString(std::to_string(++m_nUntitledCount).c_str());
  doc->SetTitle(title);
}

void CDocTemplate::AddDocument(CDocument* doc) {
  if (std::find(m_docList.begin(), m_docList.end(), doc) == m_docList.end()) m_docList.push_back(doc);
  doc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* doc) {
  m_docList.erase(std::remove(m_docList.begin(), m_docList.end(), doc), m_docList.end());
  if (doc->m_pDocTemplate == this) doc->m_pDocTemplate = nullptr;
}

CMultiDocTemplate::~CMultiDocTemplate() = default;

CDocument* CMultiDocTemplate::OpenDocumentFile(const char* path, BOOL makeVisible) {
  CDocument* doc = CreateNewDocument();
  if (!doc) return nullptr;
  BOOL autoDelete = doc->m_bAutoDelete;
  doc->m_bAutoDelete = FALSE;  // a frame that fails must not take the document
  CFrameWnd* frame = CreateNewFrame(doc, nullptr);
  doc->m_bAutoDelete = autoDelete;
  if (!frame) {
    delete doc;
    return nullptr;
  }
  if (!path) {
    SetDefaultTitle(doc);
    if (!doc->OnNewDocument()) {
      frame->DestroyWindow();  // its view was the document's last: the document goes too
      return nullptr;
    }
  } else {
    if (!doc->OnOpenDocument(path)) {
      frame->DestroyWindow();
      return nullptr;
    }
    doc->SetPathName(path);
  }
  InitialUpdateFrame(frame, doc, makeVisible);
  return doc;
}
