// Colour and fill colour: the level of the value among the thresholds picks
// one of ten colours.
#include <cstdlib>
#include <cstring>

#include "actkinds.h"
#include "archive.h"
#include "drawobj.h"

IMPLEMENT_SERIAL(CActColor, CAction, 0)
IMPLEMENT_SERIAL(CActFillColor, CActColor, 0)

const COLORREF CActColor::kDefaultColors[CActColor::kLevels] = {
    0x00FF00, 0x0000FF, 0x00FFFF, 0xFFFF00, 0xFF00FF, 0xFF0000, 0, 0, 0, 0};

namespace {
constexpr char kThresholdEnd = '\t';
}  // namespace

CActColor::CActColor() : CAction(AM_DIRECT, AT_PICTURE_CYCLE, 1000) {
  std::memcpy(m_colors, kDefaultColors, sizeof m_colors);
  SetThresholdText("0\t1\t");
}

void CActColor::Serialize(CArchive& ar) {
  CAction::Serialize(ar);
  if (ar.IsStoring()) {
    ar << m_nLevels;
    ar.Write(m_colors, sizeof m_colors);
    ar << m_strThresholds;
  } else {
    CString thresholds;
    ar >> m_nLevels;
    ar.Read(m_colors, sizeof m_colors);
    ar >> thresholds;
    SetThresholdText(thresholds.GetString());
  }
}

void CActColor::SetThresholdText(const char* pszText) {
  m_strThresholds = pszText ? pszText : "";
  for (int i = 0; i < kLevels; ++i) {
    m_dThresholds[i] = 0.0;
    m_nThresholds[i] = 0;
  }
  // Only pieces closed by a TAB count; text after the last TAB is ignored.
  const char* piece = m_strThresholds.GetString();
  for (int i = 0; i < kLevels; ++i) {
    const char* end = std::strchr(piece, kThresholdEnd);
    if (!end) break;
    const std::string number(piece, end);
    m_dThresholds[i] = std::atof(number.c_str());
    m_nThresholds[i] = static_cast<int>(std::atol(number.c_str()));
    piece = end + 1;
  }
}

int CActColor::FindLevel(const CExpValue& v) const {
  const bool isInt = v.GetType() == EV_INT;
  if (!isInt && v.GetType() != EV_DOUBLE) return -1;
  const double d = v.GetDouble();
  const int n = v.GetInt();
  // v <= threshold(i), and above threshold(i-1) for i > 0.
  auto atMost = [&](int i) { return isInt ? n <= m_nThresholds[i] : d <= m_dThresholds[i]; };
  for (int i = 0; i < m_nLevels && i < kLevels; ++i) {
    if (atMost(i) && (i == 0 || !atMost(i - 1))) return i;
  }
  return -1;
}

void CActColor::ApplyColor(CDrawObj* pOwner, COLORREF c) {
  const int type = pOwner->GetObjType();
  if (type == DOT_TAGVAL || type == DOT_MTEXT)
    pOwner->m_clrText = c;
  else
    pOwner->m_clrLine = c;
}

int CActColor::Execute(HWND hWnd) {
  CExpValue v;
  int result = 0;
  if (!EvaluateDirect(v, result)) return result;
  if (v.IsString()) return 0;
  const int level = FindLevel(v);
  if (level >= 0) ApplyColor(GetOwner(), m_colors[level]);
  RepaintOwner(m_context, hWnd);
  return 1;
}

void CActFillColor::ApplyColor(CDrawObj* pOwner, COLORREF c) { pOwner->m_clrFill1 = c; }
