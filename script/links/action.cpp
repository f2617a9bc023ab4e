// CAction: stored form, run context, trigger rule and the common part of
// executing a link.
#include "action.h"

#include "archive.h"
#include "drawobj.h"
#include "experror.h"
#include "scriptvalue.h"

IMPLEMENT_SERIAL(CAction, CObject, 0)

CAction::CAction() : CAction(AM_SCRIPT, AT_PICTURE_CYCLE, 1000) {}

CAction::CAction(int nMode, int nTrigger, int nPeriod)
    : m_nMode(nMode), m_nTrigger(nTrigger), m_nPeriod(nPeriod) {}

CAction::~CAction() = default;

void CAction::Serialize(CArchive& ar) {
  if (ar.IsStoring())
    ar << m_nMode << m_nTrigger << m_nPeriod << m_strReserved << m_strExpression;
  else
    ar >> m_nMode >> m_nTrigger >> m_nPeriod >> m_strReserved >> m_strExpression;
  m_script.Serialize(ar);
}

void CAction::SetContext(const DrawViewContext& context) {
  m_context = context;
  if (!m_strExpression.IsEmpty()) m_bCompiled = m_expression.CheckText(m_strExpression.GetString()) == EXP_OK;
}

bool CAction::Fires(int nEvent, DWORD dwTick) const {
  if (nEvent != m_nTrigger) return false;
  if (nEvent != AT_OWN_PERIOD) return true;
  // The picture window ticks every 100 ms. A period below 200 ms (and a
  // negative one, which no link page allows) fires on every tick.
  const int ticks = m_nPeriod / 100;
  if (ticks <= 1) return true;
  return dwTick % static_cast<DWORD>(ticks) == 1;
}

int CAction::OnTrigger(int nEvent, DWORD dwTick, HWND hWnd) {
  return Fires(nEvent, dwTick) ? Execute(hWnd) : 0;
}

int CAction::Execute(HWND) {
  CExpValue v;
  int result = 0;
  EvaluateDirect(v, result);  // the base kind applies no value
  return result;
}

bool CAction::EvaluateDirect(CExpValue& v, int& result) {
  result = 0;
  if (m_nMode == AM_SCRIPT) {
    m_script.Run();  // its result is of no interest to the link
    result = 1;
    return false;
  }
  if (m_nMode != AM_DIRECT || !GetOwner() || !m_bCompiled) return false;
  return m_expression.Calculate(v, m_context.hView) == EXP_OK;
}

namespace {
// Controls (types 100 and up) show, hide and place their own windows.
bool IsControl(CDrawObj* pObj) { return pObj->GetObjType() >= DOT_CTRL; }
}  // namespace

bool CAction::EvaluateOwnerInteger(int& n, int& result) {
  CExpValue v;
  if (!EvaluateDirect(v, result)) return false;
  return !IsControl(GetOwner()) && LinkInteger(v, n);
}

bool LinkNumber(const CExpValue& v, double& d) {
  switch (v.GetType()) {
    case EV_INT: d = v.GetInt(); return true;
    case EV_DOUBLE: d = v.GetDouble(); return true;
    default: return false;
  }
}

bool LinkInteger(const CExpValue& v, int& n) {
  switch (v.GetType()) {
    case EV_INT: n = v.GetInt(); return true;
    case EV_DOUBLE: n = TruncToInt32(v.GetDouble()); return true;
    default: return false;
  }
}

// ---- repaint ---------------------------------------------------------------

CLinkRepaint::CLinkRepaint(const DrawViewContext& context, HWND hWnd)
    : m_pOwner(context.pObject), m_pUpdate(context.pUpdateRect), m_hWnd(hWnd), m_area{} {}

void CLinkRepaint::AddOwner() {
  if (!m_pOwner) return;
  if (m_hWnd)
    m_pOwner->UnionInvalidRect(&m_area);
  else if (m_pUpdate)
    m_pOwner->UnionInvalidRect(m_pUpdate);
}

void CLinkRepaint::Finish() {
  if (m_hWnd) ::InvalidateRect(m_hWnd, &m_area, TRUE);
}

void RepaintOwner(const DrawViewContext& context, HWND hWnd) {
  CLinkRepaint repaint(context, hWnd);
  repaint.AddOwner();
  repaint.Finish();
}
