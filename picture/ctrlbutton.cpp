// CCtrlButton: clicks, check state, colours and fonts.
#include "ctrlbutton.h"

#include <cstdlib>

#include "drawlink.h"
#include "propdesc.h"

namespace {
// The style bits of a button's type: none of them set means a plain push
// button, which must become owner-drawn to paint in the object's colours.
constexpr DWORD kButtonTypeBits = 0xB;
}  // namespace

CCtrlButton::CCtrlButton(CtrlButtonType type) : m_type(type), m_clrFace(::GetSysColor(COLOR_BTNFACE)) {
  m_brFace.CreateSolidBrush(m_clrFace);
}

CCtrlButton::~CCtrlButton() {
  // No notification of the window's end may reach the link or paint with
  // a brush that is already gone.
  m_pLink = nullptr;
  DestroyWindow();
}

void CCtrlButton::PreSubclassWindow() {
  if ((GetStyle() & kButtonTypeBits) == 0) ModifyStyle(0, BS_OWNERDRAW);
}

void CCtrlButton::SetButtonFont(const LOGFONTA& lf) {
  m_font = lf;
  m_font.lfHeight = std::abs(lf.lfHeight);
  m_font.lfWidth = 0;
  m_font.lfFaceName[LF_FACESIZE - 1] = '\0';
}

void CCtrlButton::SetColors(COLORREF clrText, COLORREF clrFace) {
  m_clrFace = clrFace;
  m_brFace.DeleteObject();
  m_brFace.CreateSolidBrush(clrFace);
  m_clrText = clrText;
}

LRESULT CCtrlButton::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case BM_SETCHECK: return OnSetCheck(wp);
    case BM_GETCHECK: return m_nCheck;
  }
  return CWnd::WindowProc(msg, wp, lp);
}

bool CCtrlButton::OnChildNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  switch (msg) {
    case WM_COMMAND:
      // An owner-drawn button reports the second of two quick clicks as a
      // double click only; the operator clicked twice all the same.
      if (HIWORD(wp) != BN_CLICKED && HIWORD(wp) != BN_DOUBLECLICKED) return false;
      OnClicked();
      *result = 0;
      return true;
    case WM_DRAWITEM:
      OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
      *result = TRUE;
      return true;
    case WM_CTLCOLORBTN:
      *result = reinterpret_cast<LRESULT>(OnCtlColor(reinterpret_cast<HDC>(wp)));
      return true;
  }
  return false;
}

void CCtrlButton::OnClicked() {
  // Radio buttons form no groups: checking one leaves the others alone.
  if (m_type == CBT_RADIO) {
    m_nCheck = 1;
    Invalidate();
  } else if (m_type == CBT_CHECK) {
    m_nCheck = m_nCheck ? 0 : 1;
    Invalidate();
  }
  const DrawLinkOps* pOps = GetDrawLinkOps();
  if (m_pLink && pOps) pOps->OnTrigger(m_pLink, AK_CLICKED, 0, GetParent());
}

LRESULT CCtrlButton::OnSetCheck(WPARAM state) {
  m_nCheck = (state == BST_CHECKED || state == BST_INDETERMINATE) ? 1 : 0;
  Invalidate();
  return 0;
}

HBRUSH CCtrlButton::OnCtlColor(HDC hdc) {
  ::SetBkColor(hdc, m_clrFace);
  ::SetTextColor(hdc, m_clrText);
  return static_cast<HBRUSH>(m_brFace);
}
