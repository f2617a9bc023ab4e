#include "drawctrledit.h"

#include <cstdlib>

#include "archive.h"
#include "drawrect.h"

IMPLEMENT_SERIAL(CDrawCtrlEdit, CDrawCtrl, 0)

namespace {

constexpr COLORREF kNewFaceColor = 0xC8D0D4;
// WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, and WS_DISABLED in the editor.
constexpr DWORD kRunEditStyle = 0x54000000;
constexpr DWORD kEditorEditStyle = kRunEditStyle | WS_DISABLED;
constexpr DWORD kMultiLineBits = ES_WANTRETURN | WS_VSCROLL;
static_assert(kMultiLineBits == 0x201000, "multi-line bits");
constexpr DWORD kStyleBits = EDIT_MULTILINE | EDIT_PASSWORD | EDIT_READONLY;
// Room around the text inside the border.
constexpr int kFontMargin = 6;

}  // namespace

CDrawCtrlEdit::CDrawCtrlEdit() : m_font(DefaultControlFont()), m_strText("edit") {
  m_clrLine = 0;
  m_clrFill1 = kNewFaceColor;
}

CDrawCtrlEdit::~CDrawCtrlEdit() = default;

void CDrawCtrlEdit::Serialize(CArchive& ar) {
  CDrawCtrl::Serialize(ar);
  if (ar.IsStoring()) {
    GetText();
    ar << m_strText << m_dwStyle;
    ar.Write(&m_font, sizeof m_font);
  } else {
    ar >> m_strText >> m_dwStyle;
    ar.Read(&m_font, sizeof m_font);
  }
}

DWORD CDrawCtrlEdit::WindowStyleBits() const {
  return WS_BORDER | (m_dwStyle & kStyleBits) |
         ((m_dwStyle & EDIT_MULTILINE) ? kMultiLineBits : ES_AUTOHSCROLL);
}

BOOL CDrawCtrlEdit::CreateEditWindow(DWORD dwBaseStyle, HWND hParent) {
  if (!m_edit.Create("EDIT", "", dwBaseStyle | WindowStyleBits(), DeviceRect(), hParent, kControlWindowId))
    return FALSE;
  m_edit.SetEditFont(ZoomedControlFont(m_font, m_view.zoom));
  m_edit.SetWindowText(m_strText.GetString());
  return TRUE;
}

BOOL CDrawCtrlEdit::AttachView(const DrawViewContext* pContext, BOOL bRunTime) {
  if (m_edit.GetSafeHwnd()) return TRUE;
  CDrawObj::AttachView(pContext, bRunTime);
  if (!CreateEditWindow(bRunTime ? kRunEditStyle : kEditorEditStyle, m_context.hView)) return FALSE;
  m_pCtrlWnd = &m_edit;
  return TRUE;
}

void CDrawCtrlEdit::RecreateWindow() {
  if (!m_edit.GetSafeHwnd()) return;
  GetText();  // what was typed survives
  const bool enabled = m_edit.IsWindowEnabled() != FALSE;
  HWND parent = m_edit.GetParent();
  m_edit.DestroyWindow();
  // WS_CLIPSIBLINGS stays, so overlapping controls do not paint over it.
  CreateEditWindow(enabled ? kRunEditStyle : kEditorEditStyle, parent);
}

void CDrawCtrlEdit::PrepareActions(const DrawViewContext* pContext) {
  CDrawCtrl::PrepareActions(pContext);
  m_edit.SetLinks(PrepareEventLink(AK_CHANGE), PrepareEventLink(AK_KILLFOCUS), PrepareEventLink(AK_SETFOCUS));
}

void CDrawCtrlEdit::SetText(const char* pszText) {
  m_strText = pszText ? pszText : "";
  if (m_edit.GetSafeHwnd()) m_edit.SetWindowText(m_strText.GetString());
}

CString CDrawCtrlEdit::GetText() {
  if (m_edit.GetSafeHwnd()) m_edit.GetWindowText(m_strText);
  return m_strText;
}

int CDrawCtrlEdit::StoredFontHeight() const { return std::abs(m_font.lfHeight); }

void CDrawCtrlEdit::KeepFontRoom() { GrowSidesTo(StoredFontHeight() + kFontMargin); }

void CDrawCtrlEdit::OnViewChanged() {
  m_edit.SetEditFont(ZoomedControlFont(m_font, m_view.zoom));
  KeepFontRoom();
}

void CDrawCtrlEdit::GetPropList(PropDescList* pList) {
  GetBasePropList(pList);
  GetText();  // the record points at the stored text, which must hold what was typed
  AppendProp(pList, PROP_TEXT, PE_TEXT, reinterpret_cast<LONG_PTR>(m_strText.GetString()));
  AppendProp(pList, PROP_FONT, PE_FONT, reinterpret_cast<LONG_PTR>(&m_font));
  AppendProp(pList, PROP_PASSWORD, PE_BOOL, (m_dwStyle & EDIT_PASSWORD) ? 1 : 0);
  AppendProp(pList, PROP_READONLY, PE_BOOL, (m_dwStyle & EDIT_READONLY) ? 1 : 0);
  AppendProp(pList, PROP_MULTILINE, PE_BOOL, (m_dwStyle & EDIT_MULTILINE) ? 1 : 0);
  AppendGeometryProps(pList);
}

DrawObjType CDrawCtrlEdit::GetObjType() { return DOT_CTRLEDIT; }

BOOL CDrawCtrlEdit::SetStyleBit(DWORD dwBit, LONG_PTR value) {
  if (value)
    m_dwStyle |= dwBit;
  else
    m_dwStyle &= ~dwBit;
  RecreateWindow();
  return TRUE;
}

void CDrawCtrlEdit::SetFontProp(const LOGFONTA& lf) {
  m_font = ControlFontOf(lf);
  // The box is measured in picture units, so it is compared with the
  // stored height, not the zoomed one.
  const double fit = StoredFontHeight() + kFontMargin;
  const double height = m_rect.bottom - m_rect.top;
  if (height < fit || (!(m_dwStyle & EDIT_MULTILINE) && height > fit)) {
    m_rect.bottom = m_rect.top + fit;
    OnViewChanged();
  }
  m_edit.SetEditFont(ZoomedControlFont(m_font, m_view.zoom));
  if (m_edit.GetSafeHwnd()) m_edit.Invalidate(TRUE);
}

BOOL CDrawCtrlEdit::SetProp(int nId, LONG_PTR value) {
  if (CDrawCtrl::SetProp(nId, value)) return TRUE;
  switch (nId) {
    case PROP_TEXT: SetText(reinterpret_cast<const char*>(value)); return TRUE;
    case PROP_PASSWORD: return SetStyleBit(EDIT_PASSWORD, value);
    case PROP_READONLY: return SetStyleBit(EDIT_READONLY, value);
    case PROP_MULTILINE: return SetStyleBit(EDIT_MULTILINE, value);
    case PROP_FONT:
      if (!value) return FALSE;
      SetFontProp(*reinterpret_cast<const LOGFONTA*>(value));
      return TRUE;
    default: return FALSE;
  }
}

int CDrawCtrlEdit::GetActionKinds(ActionKindList* pList) {
  return FillObjectActionKinds(this, LF_EDIT, pList);
}

HWND CDrawCtrlEdit::GetCtrlWnd() { return m_edit.GetSafeHwnd(); }
