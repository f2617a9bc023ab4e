#include "picview.h"

#include "crtformat.h"
#include "editortexts.h"
#include "msgbox.h"
#include "picmsg.h"
#include "qelidedoc.h"
#include "winapp.h"

IMPLEMENT_DYNCREATE(CPicView, CView)

namespace {
const char kEditClass[] = "QELPICEDIT";
const char kQelCtrl[] = "QelCtrl.dll";
}  // namespace

CPicView::CPicView() : m_qelCtrl(kQelCtrl) {}

CPicView::~CPicView() {
  if (m_hEdit && ::IsWindow(m_hEdit)) ::DestroyWindow(m_hEdit);
}

CQelideDoc* CPicView::GetDocument() const { return static_cast<CQelideDoc*>(m_pDocument); }

int CPicView::OnCreate(CREATESTRUCTA* cs) {
  if (CView::OnCreate(cs) == -1) return -1;
  m_hEdit = ::CreateWindowExA(0, kEditClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0, m_hWnd,
                              reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kEditWindowId)),
                              ::GetModuleHandleA(nullptr), nullptr);
  if (m_hEdit && GetDocument()) {
    CProject& project = GetDocument()->GetProject();
    HostCallbackBlock host = project.GetHostCallbacks();
    LocalTagCallbackBlock local = project.GetLocalCallbacks();
    ::SendMessageA(m_hEdit, QCM_SETHOSTCALLBACKS, 0, reinterpret_cast<LPARAM>(&host));
    ::SendMessageA(m_hEdit, QCM_SETLOCALCALLBACKS, 0, reinterpret_cast<LPARAM>(&local));
  }
  return 0;
}

void CPicView::OnDestroy() {
  if (m_hEdit && ::IsWindow(m_hEdit)) ::DestroyWindow(m_hEdit);
  m_hEdit = nullptr;
  CView::OnDestroy();
}

LRESULT CPicView::Query(int code) const {
  return m_hEdit ? ::SendMessageA(m_hEdit, QCM_QUERY, static_cast<WPARAM>(code), 0) : 0;
}

void CPicView::SendFolder() {
  if (!m_hEdit || !GetDocument()) return;
  CString folder = GetDocument()->GetPictureFolder();
  ::SendMessageA(m_hEdit, QCM_PICFOLDER, 0, reinterpret_cast<LPARAM>(folder.GetString()));
}

int CPicView::OpenPicture(const char* name) {
  SetPictureName(name);
  if (!m_hEdit) return 0;
  SendFolder();
  return ::SendMessageA(m_hEdit, QCM_OPENPIC, 0, reinterpret_cast<LPARAM>(m_strPictureName.GetString())) == 0 ? 1 : 0;
}

int CPicView::NewPicture(const char* name) {
  SetPictureName(name);
  if (!m_hEdit) return 0;
  SendFolder();
  ::SendMessageA(m_hEdit, QCM_NEWPIC, 0, reinterpret_cast<LPARAM>(m_strPictureName.GetString()));
  return 1;
}

BOOL CPicView::IsPictureModified() const { return Query(QCQ_MODIFIED) != 0; }

BOOL CPicView::SavePicture() {
  if (m_hEdit && ::SendMessageA(m_hEdit, QCM_SAVEPIC, 0, 0) == 0) return TRUE;
  QelMessageBox(m_hWnd, qel::FormatStr(kTextSavePictureFailed, m_strPictureName.GetString()).c_str(), nullptr,
                MB_OK | MB_ICONSTOP);
  return FALSE;
}

int CPicView::Compile(const char* compilerPath) {
  return m_hEdit ? static_cast<int>(::SendMessageA(m_hEdit, QCM_COMPILE, 0, reinterpret_cast<LPARAM>(compilerPath)))
                 : 0;
}

BOOL CPicView::SaveIfModified() {
  if (!IsPictureModified()) return TRUE;
  CString text = qel::FormatStr(kTextPictureModified, m_strPictureName.GetString()).c_str();
  if (QelMessageBox(m_hWnd, text, nullptr, MB_YESNO | MB_ICONQUESTION) != IDYES) return TRUE;
  return SavePicture();
}

LRESULT CPicView::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
  case WM_SIZE:
    if (m_hEdit) ::MoveWindow(m_hEdit, 0, 0, LOWORD(lp), HIWORD(lp), TRUE);
    break;
  case WM_SETFOCUS:
    if (m_hEdit) ::SetFocus(m_hEdit);
    return 0;
  case QCN_OUTPUTTEXT:
    // The compiler's lines belong in the main frame's output bar.
    if (CWinApp* app = QelGetApp())
      if (app->m_pMainWnd) return app->m_pMainWnd->SendMessage(msg, wp, lp);
    return 0;
  }
  return CView::WindowProc(msg, wp, lp);
}
