#include "drawbutton.h"

#include <cstring>

#include "archive.h"
#include "drawrect.h"

IMPLEMENT_SERIAL(CDrawPushBt, CDrawCtrl, 0)
IMPLEMENT_SERIAL(CDrawCheckBt, CDrawPushBt, 0)
IMPLEMENT_SERIAL(CDrawRadioBt, CDrawPushBt, 0)

namespace {

constexpr COLORREF kNewFaceColor = 0xC8D0D4;
// WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | BS_OWNERDRAW, and WS_DISABLED in the editor.
constexpr DWORD kRunButtonStyle = 0x5400000B;
constexpr DWORD kEditorButtonStyle = kRunButtonStyle | WS_DISABLED;
static_assert(kEditorButtonStyle == 0x5C00000B, "editor button style");

}  // namespace

CDrawPushBt::CDrawPushBt() : CDrawPushBt(CBT_PUSH, "按钮") {}

CDrawPushBt::CDrawPushBt(CtrlButtonType type, const char* pszCaption)
    : m_font(DefaultControlFont()), m_strCaption(pszCaption), m_button(type) {
  m_clrLine = 0;
  m_clrFill1 = kNewFaceColor;
}

CDrawPushBt::~CDrawPushBt() = default;

void CDrawPushBt::Serialize(CArchive& ar) {
  CDrawCtrl::Serialize(ar);
  if (ar.IsStoring()) {
    ar << m_strCaption;
    ar.Write(&m_font, sizeof m_font);
  } else {
    ar >> m_strCaption;
    ar.Read(&m_font, sizeof m_font);
  }
}

BOOL CDrawPushBt::AttachView(const DrawViewContext* pContext, BOOL bRunTime) {
  if (m_button.GetSafeHwnd()) return TRUE;
  CDrawObj::AttachView(pContext, bRunTime);
  const DWORD style = bRunTime ? kRunButtonStyle : kEditorButtonStyle;
  if (!m_button.Create("BUTTON", m_strCaption.GetString(), style, DeviceRect(), m_context.hView,
                       kControlWindowId))
    return FALSE;
  HandFontToWindow();
  HandColorsToWindow();
  m_pCtrlWnd = &m_button;
  return TRUE;
}

void CDrawPushBt::PrepareActions(const DrawViewContext* pContext) {
  CDrawCtrl::PrepareActions(pContext);
  m_button.SetLink(PrepareEventLink(AK_CLICKED));
}

void CDrawPushBt::SetText(const char* pszText) {
  m_strCaption = pszText ? pszText : "";
  if (m_button.GetSafeHwnd()) m_button.SetWindowText(m_strCaption.GetString());
}

CString CDrawPushBt::GetText() { return m_strCaption; }

void CDrawPushBt::HandFontToWindow() { m_button.SetButtonFont(ZoomedControlFont(m_font, m_view.zoom)); }

void CDrawPushBt::HandColorsToWindow() { m_button.SetColors(m_clrLine, m_clrFill1); }

void CDrawPushBt::OnViewChanged() {
  CDrawCtrl::OnViewChanged();
  HandFontToWindow();
}

void CDrawPushBt::GetPropList(PropDescList* pList) {
  GetBasePropList(pList);
  AppendProp(pList, PROP_TEXT, PE_TEXT, reinterpret_cast<LONG_PTR>(m_strCaption.GetString()));
  AppendNamedProp(pList, PROP_LINECOLOR, PE_COLOR, "字体颜色", m_clrLine);
  AppendProp(pList, PROP_FONT, PE_FONT, reinterpret_cast<LONG_PTR>(&m_font));
  AppendNamedProp(pList, PROP_FILLCOLOR1, PE_COLOR, "背景颜色", m_clrFill1);
  AppendGeometryProps(pList);
}

DrawObjType CDrawPushBt::GetObjType() { return DOT_PUSHBT; }

BOOL CDrawPushBt::SetProp(int nId, LONG_PTR value) {
  if (CDrawCtrl::SetProp(nId, value)) return TRUE;
  switch (nId) {
    case PROP_TEXT: SetText(reinterpret_cast<const char*>(value)); return TRUE;
    case PROP_LINECOLOR:
    case PROP_FILLCOLOR1:
      (nId == PROP_LINECOLOR ? m_clrLine : m_clrFill1) = static_cast<COLORREF>(value);
      HandColorsToWindow();
      break;
    case PROP_FONT:
      if (!value) return FALSE;
      m_font = ControlFontOf(*reinterpret_cast<const LOGFONTA*>(value));
      HandFontToWindow();
      break;
    default: return FALSE;
  }
  if (m_button.GetSafeHwnd()) m_button.Invalidate(TRUE);
  return TRUE;
}

int CDrawPushBt::GetActionKinds(ActionKindList* pList) {
  return FillObjectActionKinds(this, GetObjType() == DOT_PUSHBT ? LF_PUSHBUTTON : LF_CHECK_RADIO, pList);
}

HWND CDrawPushBt::GetCtrlWnd() { return m_button.GetSafeHwnd(); }

CDrawCheckBt::CDrawCheckBt() : CDrawPushBt(CBT_CHECK, "check") {}

DrawObjType CDrawCheckBt::GetObjType() { return DOT_CHECKBT; }

CDrawRadioBt::CDrawRadioBt() : CDrawPushBt(CBT_RADIO, "radio") {}

DrawObjType CDrawRadioBt::GetObjType() { return DOT_RADIOBT; }
