#include "ctrleditwnd.h"

#include <cstdlib>

#include "drawlink.h"
#include "propdesc.h"

CCtrlEditWnd::CCtrlEditWnd() = default;

CCtrlEditWnd::~CCtrlEditWnd() {
  // Losing the focus while the window goes must not run a link of an
  // object that is being destroyed; and the window goes before its font.
  SetLinks(nullptr, nullptr, nullptr);
  DestroyWindow();
}

void CCtrlEditWnd::SetLinks(CObject* pChange, CObject* pKillFocus, CObject* pSetFocus) {
  m_pChangeLink = pChange;
  m_pKillFocusLink = pKillFocus;
  m_pSetFocusLink = pSetFocus;
}

void CCtrlEditWnd::SetEditFont(const LOGFONTA& lf) {
  m_font = lf;
  m_font.lfHeight = std::abs(lf.lfHeight);
  m_font.lfWidth = 0;
  m_font.lfFaceName[LF_FACESIZE - 1] = '\0';
  auto font = std::make_unique<CFont>();
  if (!font->CreateFontIndirect(&m_font)) return;
  // The window lets go of the old font before it is deleted.
  std::swap(m_pFont, font);
  ApplyFont();
}

void CCtrlEditWnd::ApplyFont() {
  if (m_hWnd && m_pFont) SetFont(*m_pFont, TRUE);
}

bool CCtrlEditWnd::OnChildNotify(UINT msg, WPARAM wp, LPARAM, LRESULT* result) {
  if (msg != WM_COMMAND) return false;
  switch (HIWORD(wp)) {
    case EN_CHANGE: Fire(m_pChangeLink, AK_CHANGE); break;
    case EN_KILLFOCUS: Fire(m_pKillFocusLink, AK_KILLFOCUS); break;
    case EN_SETFOCUS: Fire(m_pSetFocusLink, AK_SETFOCUS); break;
    default: return false;
  }
  *result = 0;
  return true;
}

void CCtrlEditWnd::Fire(CObject* pLink, int nEvent) {
  const DrawLinkOps* pOps = GetDrawLinkOps();
  if (pLink && pOps) pOps->OnTrigger(pLink, nEvent, 0, GetParent());
}
