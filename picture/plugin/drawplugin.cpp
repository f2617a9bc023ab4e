// CDrawPlugin: the stored form, attaching the plug-in's window, its pages.
#include "drawplugin.h"

#include "archive.h"
#include "qel/picmsg.h"
#include "picobj.h"
#include "storedbytes.h"
#include "wnd.h"

IMPLEMENT_SERIAL(CDrawPlugin, CDrawCtrl, 0)

const char kToolPluginLibrary[] = "Sampex.dll";
const char kPluginPagesTitle[] = "插件1";
const char kPluginRefusedText[] = "插件库只能是程序目录中的文件名，拒绝加载!\n";

namespace {

// WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, and WS_DISABLED in the editor, so
// that the editor's tools get the mouse.
constexpr DWORD kRunPluginStyle = 0x54000000;
constexpr DWORD kEditorPluginStyle = kRunPluginStyle | WS_DISABLED;
static_assert(kEditorPluginStyle == 0x5C000000, "editor plug-in style");

// The control id of the next plug-in window of a picture (1 without one).
int TakePluginId(CPicObj* pPicture) { return pPicture ? pPicture->m_nNextPluginId++ : 1; }

}  // namespace

CDrawPlugin::CDrawPlugin() = default;

CDrawPlugin::CDrawPlugin(const char* pszLibrary) { SetLibraryName(pszLibrary); }

CDrawPlugin::~CDrawPlugin() {
  DestroyPluginWindow();
  // The members follow in reverse order: the name, the blob, then the host,
  // which frees the library.
}

void CDrawPlugin::DestroyPluginWindow() {
  m_pCtrlWnd = nullptr;
  m_window.reset();  // the window is destroyed with its object
}

// ---- stored form ------------------------------------------------------------------

void CDrawPlugin::Serialize(CArchive& ar) {
  CDrawCtrl::Serialize(ar);
  if (ar.IsStoring()) {
    ar << m_strLibrary;
    StoreBlob(ar);
  } else {
    ar >> m_strLibrary;
    LoadBlob(ar);
    m_bRefusalReported = false;  // a name of its own, to be told of afresh
  }
}

void CDrawPlugin::StoreBlob(CArchive& ar) { m_nBlobLength = StoreBytePieces(ar, m_blob); }

void CDrawPlugin::LoadBlob(CArchive& ar) { m_nBlobLength = LoadBytePieces(ar, m_blob); }

void CDrawPlugin::SetBlob(const void* pBytes, UINT nCount) {
  ReplaceBytes(m_blob, pBytes, nCount);
  m_nBlobLength = nCount;
}

// ---- the plug-in's window -------------------------------------------------------

BOOL CDrawPlugin::AttachView(const DrawViewContext* pContext, BOOL bRunTime) {
  if (m_window) return TRUE;
  if (m_strLibrary.IsEmpty()) return FALSE;
  const int loaded = m_host.Load(m_strLibrary.GetString());
  // A library that does not load is not reported: the object simply stays
  // without a window. A refused name may be a picture's attempt to run
  // foreign code, and the engineer is told which object made it.
  if (loaded == CPlugHost::kRefusedName && !bRunTime && pContext) ReportRefusedLibrary(pContext->hView);
  if (loaded != CPlugHost::kLoaded) return FALSE;
  CDrawObj::AttachView(pContext, bRunTime);
  return CreatePluginWindow(bRunTime);
}

void CDrawPlugin::ReportRefusedLibrary(HWND hView) {
  if (m_bRefusalReported) return;
  m_bRefusalReported = true;
  // The editing window's parent is the editor's view, which hands output
  // text on to the output bar.
  HWND hOutput = hView ? ::GetParent(hView) : nullptr;
  if (!hOutput) return;
  CString text = OutputHeading(m_strLibrary.GetString());
  text += kPluginRefusedText;
  ::SendMessageA(hOutput, QCN_OUTPUTTEXT, 1, reinterpret_cast<LPARAM>(text.GetString()));
}

bool CDrawPlugin::CreatePluginWindow(BOOL bRunTime) {
  const RECT rc = DeviceRect();
  const int id = TakePluginId(m_context.pPicture);
  std::unique_ptr<CWnd> window(new CWnd);
  if (!window->Create(m_host.GetIdentifier(), "", bRunTime ? kRunPluginStyle : kEditorPluginStyle, rc,
                      m_context.hView, static_cast<UINT>(id)))
    return false;  // the library stays loaded
  m_window = std::move(window);
  m_pCtrlWnd = m_window.get();
  return true;
}

int CDrawPlugin::ShowProperties(HWND) {
  HWND hWnd = GetPluginWnd();
  if (!hWnd) return 0;
  // The plug-in's answer (OK or not) is not used: the editor counts any
  // opening of the pages as a change.
  ::SendMessageA(hWnd, QPM_SHOWPAGES, 0, reinterpret_cast<LPARAM>(kPluginPagesTitle));
  return 1;
}

void CDrawPlugin::SetVisible(BOOL bVisible) {
  CDrawCtrl::SetVisible(bVisible);
  if (HWND hWnd = GetPluginWnd()) ::ShowWindow(hWnd, bVisible ? SW_SHOW : SW_HIDE);
}

// ---- properties and links --------------------------------------------------------

void CDrawPlugin::GetPropList(PropDescList* pList) { GetHostedPropList(pList); }

DrawObjType CDrawPlugin::GetObjType() { return DOT_PLUGIN; }

int CDrawPlugin::GetActionKinds(ActionKindList* pList) { return GetHostedActionKinds(pList); }
