// Percentage fill: the place of the value in the link's range fills the owner.
#include <cmath>

#include "actkinds.h"
#include "archive.h"
#include "drawobj.h"

IMPLEMENT_SERIAL(CActPerFill, CAction, 0)

namespace {
constexpr double kEmptyFillRange = 1e-6;
constexpr double kEmptyRangeFraction = 0.99999;
}  // namespace

void SerializeRangeFields(CArchive& ar, double& dMinimum, double& dMaximum, int& nFirst, int& nSecond) {
  SerializeFields(ar, dMinimum, dMaximum, nFirst, nSecond);
}

CActPerFill::CActPerFill() : CAction(AM_DIRECT, AT_PICTURE_CYCLE, 1000) {}

void CActPerFill::Serialize(CArchive& ar) {
  CAction::Serialize(ar);
  int colour = static_cast<int>(m_clrFill);
  SerializeRangeFields(ar, m_dMinimum, m_dMaximum, m_nDirection, colour);
  m_clrFill = static_cast<COLORREF>(colour);
}

int CActPerFill::Execute(HWND hWnd) {
  CExpValue v;
  int result = 0;
  if (!EvaluateDirect(v, result)) return result;
  double d = 0.0;
  if (!LinkNumber(v, d)) return 0;
  const double range = m_dMaximum - m_dMinimum;
  const double fraction =
      std::fabs(range) >= kEmptyFillRange ? (d - m_dMinimum) / range : kEmptyRangeFraction;
  // The draw object keeps the fraction to 0..1 for drawing.
  GetOwner()->SetPercentFill(fraction, m_nDirection, m_clrFill);
  RepaintOwner(m_context, hWnd);
  return 1;
}
