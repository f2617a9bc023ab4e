// CDrawCtrlOcx: the stored form, creating the control, its state and pages.
#include "drawctrlocx.h"

#include <ocidl.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "archive.h"
#include "comptr.h"
#include "globalstream.h"
#include "msgbox.h"
#include "offeredcontrols.h"
#include "olecontrolwnd.h"
#include "olepropframe.h"
#include "storedbytes.h"

IMPLEMENT_SERIAL(CDrawCtrlOcx, CDrawCtrl, 0)

const char kOcxNoPagesText[] = "该ActiveX无属性页，请使用属性列表!";

namespace {

// WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, and WS_DISABLED in the editor, so
// that the editor's tools get the mouse.
constexpr DWORD kRunOcxStyle = 0x54000000;
constexpr DWORD kEditorOcxStyle = kRunOcxStyle | WS_DISABLED;
static_assert(kEditorOcxStyle == 0x5C000000, "editor control style");

bool IsZero(const CLSID& clsid) { return clsid == CLSID{}; }

// A stream of exactly count bytes over a copy of them: the control reads
// its state to the stream's end.
IStream* StreamOver(const BYTE* bytes, DWORD count) {
  IStream* stream = CreateStreamOverCopy(bytes, count);
  if (!stream) return nullptr;
  ULARGE_INTEGER size;
  size.QuadPart = count;  // the block is rounded up
  if (FAILED(stream->SetSize(size))) {
    stream->Release();
    return nullptr;
  }
  return stream;
}

// Reads count bytes from the stream in pieces; false when it gives fewer.
bool ReadInPieces(IStream* stream, DWORD count, std::vector<BYTE>& bytes) {
  bytes.resize(count);
  for (DWORD done = 0; done < count;) {
    const ULONG piece = std::min<DWORD>(kStoredBytesPiece, count - done);
    ULONG read = 0;
    if (FAILED(stream->Read(bytes.data() + done, piece, &read)) || read != piece) return false;
    done += piece;
  }
  return true;
}

bool SeekTo(IStream* stream, LONGLONG offset, DWORD origin, ULONGLONG* position = nullptr) {
  LARGE_INTEGER move;
  move.QuadPart = offset;
  ULARGE_INTEGER now = {};
  if (FAILED(stream->Seek(move, origin, &now))) return false;
  if (position) *position = now.QuadPart;
  return true;
}

}  // namespace

CDrawCtrlOcx::CDrawCtrlOcx() = default;

CDrawCtrlOcx::CDrawCtrlOcx(const CLSID& clsid) : m_clsid(clsid) {}

CDrawCtrlOcx::~CDrawCtrlOcx() { DestroyControl(); }

void CDrawCtrlOcx::DestroyControl() {
  m_pCtrlWnd = nullptr;
  m_window.reset();  // releases the control, then destroys the window
}

IUnknown* CDrawCtrlOcx::GetControlUnknown() const {
  return m_window ? m_window->GetControlUnknown() : nullptr;
}

// ---- stored form ------------------------------------------------------------------

void CDrawCtrlOcx::Serialize(CArchive& ar) {
  CDrawCtrl::Serialize(ar);
  if (ar.IsStoring()) {
    ar.Write(&m_clsid, sizeof m_clsid);
    SaveState(ar);
  } else {
    ar.Read(&m_clsid, sizeof m_clsid);
    LoadState(ar);
  }
}

void CDrawCtrlOcx::SaveState(CArchive& ar) { m_nStateLength = StoreBytePieces(ar, m_state); }

void CDrawCtrlOcx::LoadState(CArchive& ar) { m_nStateLength = LoadBytePieces(ar, m_state); }

void CDrawCtrlOcx::SetState(const void* pBytes, UINT nCount) {
  ReplaceBytes(m_state, pBytes, nCount);
  m_nStateLength = nCount;
}

// ---- the control ---------------------------------------------------------------------

IStream* CDrawCtrlOcx::NewStateStream() const {
  const DWORD length = m_state.GetLength();
  return length == 0 ? nullptr : StreamOver(m_state.GetData(), length);
}

BOOL CDrawCtrlOcx::AttachView(const DrawViewContext* pContext, BOOL bRunTime) {
  if (m_window) return TRUE;
  // Only a class that the control picker would offer is created: creating
  // any other would start the code of whatever library is registered for
  // the identifier the picture names. The stored state stays as it was.
  if (IsZero(m_clsid) || !IsOfferedControl(m_clsid)) return FALSE;
  CDrawObj::AttachView(pContext, bRunTime);
  QComPtr<IStream> state;
  state.Attach(NewStateStream());
  OleControlParams params = {
      m_clsid,         "", bRunTime ? kRunOcxStyle : kEditorOcxStyle, DeviceRect(), m_context.hView,
      kControlWindowId};
  params.state = state.Get();
  params.userMode = bRunTime != FALSE;
  std::unique_ptr<COleControlWnd> window(new COleControlWnd);
  // A class that cannot be made leaves the object without a control; nothing
  // is reported.
  if (window->CreateControl(params)) {
    m_window = std::move(window);
    m_pCtrlWnd = m_window.get();
  }
  return FALSE;
}

BOOL CDrawCtrlOcx::SaveControlState() {
  IUnknown* control = GetControlUnknown();
  if (!control) return FALSE;
  QComPtr<IStream> stream;
  QComPtr<IPersistStreamInit> persist;
  if (FAILED(::CreateStreamOnHGlobal(nullptr, TRUE, stream.Out())) ||
      FAILED(persist.QueryFrom(control, IID_IPersistStreamInit)) || FAILED(persist->Save(stream.Get(), TRUE)))
    return FALSE;
  // The position after the save is the length written.
  ULONGLONG written = 0;
  std::vector<BYTE> bytes;
  // A state past what a picture may hold would make the picture unreadable:
  // the old state stays.
  if (!SeekTo(stream.Get(), 0, STREAM_SEEK_CUR, &written) || written > kMaxStoredBytes ||
      !SeekTo(stream.Get(), 0, STREAM_SEEK_SET) ||
      !ReadInPieces(stream.Get(), static_cast<DWORD>(written), bytes))
    return FALSE;
  // The old state goes only now that the new one is complete.
  ReplaceBytes(m_state, bytes.data(), static_cast<UINT>(bytes.size()));
  return TRUE;
}

CString CDrawCtrlOcx::PagesCaption() {
  CString caption = GetTypeName();
  if (!m_strName.IsEmpty()) {
    caption += "[";
    caption += m_strName;
    caption += "]";
  }
  return caption;
}

int CDrawCtrlOcx::ShowProperties(HWND hParent) {
  IUnknown* control = GetControlUnknown();
  QComPtr<IOleObject> ole;
  if (!control || FAILED(ole.QueryFrom(control, IID_IOleObject))) return 0;
  const CString caption = PagesCaption();
  QComPtr<ISpecifyPropertyPages> specify;
  CAUUID pages = {};
  if (SUCCEEDED(specify.QueryFrom(control, IID_ISpecifyPropertyPages)) &&
      SUCCEEDED(specify->GetPages(&pages)) && pages.cElems > 0) {
    HRESULT hr = QelShowPropertyFrame(hParent, caption.GetString(), control, pages, ::GetUserDefaultLCID());
    ::CoTaskMemFree(pages.pElems);
    if (SUCCEEDED(hr)) {
      SaveControlState();
      return 1;
    }
  } else if (pages.pElems) {
    ::CoTaskMemFree(pages.pElems);
  }
  QelMessageBox(hParent, kOcxNoPagesText, nullptr, MB_OK | MB_ICONINFORMATION);
  return 0;
}

void CDrawCtrlOcx::SetVisible(BOOL bVisible) {
  CDrawCtrl::SetVisible(bVisible);
  if (m_window && m_window->GetSafeHwnd()) m_window->ShowWindow(bVisible ? SW_SHOW : SW_HIDE);
}

// ---- properties and links --------------------------------------------------------

void CDrawCtrlOcx::GetPropList(PropDescList* pList) { GetHostedPropList(pList); }

DrawObjType CDrawCtrlOcx::GetObjType() { return DOT_CTRLOCX; }

int CDrawCtrlOcx::GetActionKinds(ActionKindList* pList) { return GetHostedActionKinds(pList); }
