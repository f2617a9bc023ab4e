// Flashing and show/hide: links that change the owner's visibility.
#include <cmath>

#include "actkinds.h"
#include "archive.h"
#include "drawobj.h"

IMPLEMENT_SERIAL(CActFlash, CAction, 0)
IMPLEMENT_SERIAL(CActShowHide, CAction, 0)

namespace {
// The flash condition: a non-zero integer, a double of at least 1e-6 in
// size, or a non-empty string.
bool FlashCondition(const CExpValue& v) {
  switch (v.GetType()) {
    case EV_INT: return v.GetInt() != 0;
    case EV_DOUBLE: return std::fabs(v.GetDouble()) >= 1e-6;
    case EV_STRING: return v.GetString()[0] != '\0';
    default: return false;
  }
}
}  // namespace

CActFlash::CActFlash() : CAction(AM_SCRIPT, AT_OWN_PERIOD, 400) {}

void CActFlash::Serialize(CArchive& ar) {
  CAction::Serialize(ar);
  SerializeFields(ar, m_nOption);
}

int CActFlash::Execute(HWND hWnd) {
  CExpValue v;
  int result = 0;
  if (!EvaluateDirect(v, result)) return result;
  CDrawObj* owner = GetOwner();
  if (m_bFirstRun) {
    m_bSavedVisible = owner->IsVisible();
    m_bFirstRun = FALSE;
  }
  owner->SetVisible(FlashCondition(v) ? !owner->IsVisible() : m_bSavedVisible);
  RepaintOwner(m_context, hWnd);
  return 1;
}

CActShowHide::CActShowHide() : CAction(AM_SCRIPT, AT_PICTURE_CYCLE, 1000) {}

int CActShowHide::Execute(HWND hWnd) {
  int n = 0;
  int result = 0;
  if (!EvaluateOwnerInteger(n, result)) return result;
  CDrawObj* owner = GetOwner();
  const bool visible = owner->IsVisible() != FALSE;
  if (visible == (n != 0)) return 0;  // nothing to change, nothing to repaint
  owner->SetVisible(n != 0);
  RepaintOwner(m_context, hWnd);
  return 1;
}
