#include "pageactcolor.h"

#include <commctrl.h>

#include <algorithm>

#include "actkinds.h"
#include "dialogs/numbertext.h"
#include "pageres.h"

IMPLEMENT_DYNCREATE(CPageActColor, CLinkPage)

CString JoinThresholds(const CString* bounds, int levels) {
  CString text;
  for (int i = 0; i < levels && i < CPageActColor::kMaxBounds; ++i) {
    text += bounds[i];
    text += '\t';
  }
  return text;
}

int SplitThresholdText(const char* text, CString* bounds, int maxBounds) {
  int count = 0;
  const char* piece = text;
  for (const char* p = text; p && *p && count < maxBounds; ++p) {
    if (*p != '\t') continue;
    bounds[count++] = CString(piece, static_cast<int>(p - piece));
    piece = p + 1;
  }
  return count;
}

CPageActColor::CPageActColor(CPicEditWnd* wnd, CAction* link)
    : CLinkPage(IDD_PAGE_ACTCOLOR, wnd), m_pLink(link) {
  static_assert(CActColor::kLevels == kMaxBounds, "one colour per bound");
  std::copy(std::begin(CActColor::kDefaultColors), std::end(CActColor::kDefaultColors), m_colors);
}

COLORREF CPageActColor::GetSegmentColor(int index) const { return m_strip.GetColor(index); }

CString CPageActColor::GetBound(int index) const {
  return index >= 0 && index < kMaxBounds ? m_strBounds[index] : CString();
}

void CPageActColor::SplitThresholds() { SplitThresholdText(m_strThresholds, m_strBounds, kMaxBounds); }

void CPageActColor::FillStrip() {
  for (int i = 0; i < kMaxBounds; ++i) m_strip.SetBoundText(i, m_strBounds[i]);
  m_strip.SetSegmentCount(m_nLevels);
  for (int i = 0; i < m_nLevels && i < kMaxBounds; ++i) m_strip.InitColor(i, m_colors[i]);
}

BOOL CPageActColor::OnInitDialog() {
  m_spinLevels.SubclassDlgItem(IDC_COLOR_LEVELS_SPIN, m_hWnd);
  m_spinSegment.SubclassDlgItem(IDC_COLOR_SEGMENT_SPIN, m_hWnd);
  m_strip.SubclassDlgItem(IDC_COLOR_STRIP, m_hWnd);
  SplitThresholds();
  FillStrip();
  m_spinLevels.SetRange(kMinLevels, kMaxLevels);
  m_spinSegment.SetRange(kMinLevels, kMaxLevels);
  m_spinLevels.SetPos(m_nLevels);
  m_spinSegment.SetPos(m_nSegment);
  m_strLower = GetBound(m_nSegment - 2);
  m_strUpper = GetBound(m_nSegment - 1);
  return CLinkPage::OnInitDialog();
}

void CPageActColor::DoDataExchange(CDataExchange* dx) {
  DDX_Text(dx, IDC_COLOR_SEGMENT, m_nSegment);
  DDV_MinMaxInt(dx, m_nSegment, 1, kMaxLevels);
  DDX_Text(dx, IDC_COLOR_LEVELS, m_nLevels);
  DDV_MinMaxInt(dx, m_nLevels, kMinLevels, kMaxLevels);
  DDX_Text(dx, IDC_COLOR_LOWER, m_strLower);
  DDX_Text(dx, IDC_COLOR_UPPER, m_strUpper);
}

bool CPageActColor::OnNotify(NMHDR* header, LRESULT* result) {
  if (header->code != UDN_DELTAPOS) return CLinkPage::OnNotify(header, result);
  const int delta = reinterpret_cast<NMUPDOWN*>(header)->iDelta;
  if (header->idFrom == IDC_COLOR_LEVELS_SPIN)
    StepLevels(delta);
  else if (header->idFrom == IDC_COLOR_SEGMENT_SPIN)
    StepSegment(delta);
  else
    return CLinkPage::OnNotify(header, result);
  *result = 1;  // the page sets the positions itself
  return true;
}

void CPageActColor::StepLevels(int delta) {
  if (delta < 0 && m_nLevels >= kMinLevels + 1)
    --m_nLevels;
  else if (delta > 0 && m_nLevels < kMaxLevels)
    ++m_nLevels;
  m_spinLevels.SetPos(m_nLevels);
  ShowText(IDC_COLOR_LEVELS, QelIntText(m_nLevels));
  m_strip.SetSegmentCount(m_nLevels);
  if (m_nSegment > m_nLevels) {
    m_nSegment = m_nLevels;
    m_spinSegment.SetPos(m_nSegment);
    ShowText(IDC_COLOR_SEGMENT, QelIntText(m_nSegment));
    ShowBounds();
  }
  SetModified();
}

void CPageActColor::StepSegment(int delta) {
  if (delta < 0 && m_nSegment >= 2)
    --m_nSegment;
  else if (delta > 0 && m_nSegment < m_nLevels)
    ++m_nSegment;
  m_spinSegment.SetPos(m_nSegment);
  ShowText(IDC_COLOR_SEGMENT, QelIntText(m_nSegment));
  ShowBounds();
  SetModified();
}

void CPageActColor::ShowBounds() {
  m_strLower = GetBound(m_nSegment - 2);
  m_strUpper = GetBound(m_nSegment - 1);
  ShowText(IDC_COLOR_LOWER, m_strLower);
  ShowText(IDC_COLOR_UPPER, m_strUpper);
}

bool CPageActColor::OnCommand(UINT id, UINT code, HWND control) {
  if (id == IDC_COLOR_UPPER && code == EN_CHANGE && !IsLoading()) TakeUpperBound();
  return CLinkPage::OnCommand(id, code, control);
}

void CPageActColor::TakeUpperBound() {
  const int index = m_nSegment - 1;
  if (index < 0 || index >= kMaxBounds) return;
  m_strBounds[index] = GetDlgItemText(IDC_COLOR_UPPER);
  m_strip.SetBoundText(index, m_strBounds[index]);
}

BOOL CPageActColor::OnApply() {
  auto* link = LinkOfKinds<CActColor>(m_pLink, AK_COLOR, AK_FILLCOLOR);
  if (!link) return TRUE;
  const int levels = std::min(m_nLevels, static_cast<int>(kMaxBounds));
  link->SetThresholdText(JoinThresholds(m_strBounds, levels));
  link->m_nLevels = m_nLevels;
  for (int i = 0; i < levels; ++i) link->m_colors[i] = GetSegmentColor(i);
  LinkWritten();
  return TRUE;
}
