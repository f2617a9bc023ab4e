#include "drawmtext.h"

#include "archive.h"
#include "textedit.h"
#include "textfont.h"

IMPLEMENT_SERIAL(CDrawMtext, CDrawRect, 0)
IMPLEMENT_SERIAL(CDrawTagVal, CDrawMtext, 0)

namespace {

// The text colour record: the second colour has no property id of its own.
constexpr int kPropTextColor = 24;

// Wrapped at word boundaries from the top-left, 4 pixels inside.
constexpr FrameInset kMtextInset = {4, 4, 4, 4};
constexpr UINT kMtextFlags = DT_WORDBREAK | DT_EXPANDTABS | DT_EXTERNALLEADING;
// One line, vertically centred, 3 pixels inside left and right, 2 top and bottom.
constexpr FrameInset kTagValInset = {3, 2, 3, 2};
constexpr UINT kTagValFlags = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | DT_EXTERNALLEADING;
static_assert(kMtextFlags == 0x250 && kTagValFlags == 0x264, "text layout flags");

// Only the horizontal alignment bits of a stored alignment reach DrawText.
UINT AlignmentFlags(int nAlign) { return static_cast<UINT>(nAlign) & (DT_CENTER | DT_RIGHT); }

}  // namespace

// ---- CDrawMtext --------------------------------------------------------------

CDrawMtext::CDrawMtext() : m_strText("多行文本"), m_font(DefaultTextFont()) {
  m_nLineStyle = 0;
  m_nLineWidth = 1;
}

void CDrawMtext::Serialize(CArchive& ar) {
  CDrawRect::Serialize(ar);
  if (ar.IsStoring()) {
    ar << m_strText;
    ar.Write(&m_font, sizeof m_font);
  } else {
    ar >> m_strText;
    ar.Read(&m_font, sizeof m_font);
  }
}

DrawObjType CDrawMtext::GetObjType() { return DOT_MTEXT; }

void CDrawMtext::SetText(const char* pszText) { m_strText = pszText ? pszText : ""; }

CString CDrawMtext::GetText() { return m_strText; }

int CDrawMtext::EditObjectText(HWND hOwner) { return ::EditObjectText(hOwner, this); }

int CDrawMtext::HitTest(const CPointD& point, CDrawObj** ppHit) { return HitHandleOrInside(point, ppHit); }

void CDrawMtext::AppendTextColorAndFont(PropDescList* pList) {
  AppendNamedProp(pList, kPropTextColor, PE_COLOR, "字体颜色", m_clrText);
  AppendProp(pList, PROP_FONT, PE_FONT, reinterpret_cast<LONG_PTR>(&m_font));
}

void CDrawMtext::GetPropList(PropDescList* pList) {
  GetBasePropList(pList);
  AppendNamedProp(pList, PROP_PAGES, PE_BUTTON, "编辑文本", 0);
  AppendTextColorAndFont(pList);
  AppendStyleProps(pList);
  AppendGeometryProps(pList);
}

BOOL CDrawMtext::SetTextProp(int nId, LONG_PTR value) {
  switch (nId) {
    case PROP_TEXT: SetText(reinterpret_cast<const char*>(value)); return TRUE;
    case kPropTextColor: m_clrText = static_cast<COLORREF>(value); return TRUE;
    case PROP_FONT:
      if (!value) return FALSE;
      m_font = *reinterpret_cast<const LOGFONTA*>(value);
      return TRUE;
    default: return FALSE;
  }
}

BOOL CDrawMtext::SetProp(int nId, LONG_PTR value) {
  return SetBaseProp(nId, value) || SetTextProp(nId, value) || SetShapeProp(nId, value);
}

void CDrawMtext::DrawFrameText(CDC* pDC, const FrameInset& inset, UINT nFlags) {
  const DeviceFrame frame = GetDeviceFrame();
  auto draw = [&](CDC* pOn) {
    DrawTextInFrame(*pOn, frame, inset, m_strText.GetString(), m_font, m_view.zoom, m_clrText, nFlags);
  };
  if (IsUpright(frame)) {
    draw(pDC);
    return;
  }
  PaintKey key;
  key.Add(frame.xform).Add(frame.width).Add(frame.height).Add(inset).Add(nFlags);
  key.AddText(m_strText.GetString()).Add(m_font).Add(m_view.zoom).Add(m_clrText);
  m_textCache.Paint(
      pDC, key, [&] { return FrameReach(frame, 2); }, draw);
}

void CDrawMtext::Draw(CDC* pDC, DWORD dwFlags) {
  if (!m_bVisible || !m_corners.IsFinite() || !MeetsClip(pDC, CornersReach())) return;
  CDrawRect::Draw(pDC, dwFlags);
  DrawFrameText(pDC, kMtextInset, kMtextFlags);
}

// ---- CDrawTagVal -------------------------------------------------------------

CDrawTagVal::CDrawTagVal() { m_strText = "##.##"; }

void CDrawTagVal::Serialize(CArchive& ar) {
  CDrawMtext::Serialize(ar);
  if (ar.IsStoring())
    ar << m_nAlign;
  else
    ar >> m_nAlign;
}

DrawObjType CDrawTagVal::GetObjType() { return DOT_TAGVAL; }

void CDrawTagVal::GetPropList(PropDescList* pList) {
  GetBasePropList(pList);
  AppendTextColorAndFont(pList);
  AppendStyleProps(pList);
  AppendProp(pList, PROP_ALIGN, PE_ALIGN, m_nAlign);
  AppendGeometryProps(pList);
}

BOOL CDrawTagVal::SetProp(int nId, LONG_PTR value) {
  if (nId == PROP_ALIGN) {
    m_nAlign = static_cast<int>(value);
    return TRUE;
  }
  return CDrawMtext::SetProp(nId, value);
}

int CDrawTagVal::GetActionKinds(ActionKindList* pList) {
  return FillObjectActionKinds(this, LF_TAGVALUE, pList);
}

void CDrawTagVal::Draw(CDC* pDC, DWORD dwFlags) {
  if (!m_bVisible || !m_corners.IsFinite() || !MeetsClip(pDC, CornersReach())) return;
  CDrawRect::Draw(pDC, dwFlags);
  DrawFrameText(pDC, kTagValInset, kTagValFlags | AlignmentFlags(m_nAlign));
  CDrawObj::Draw(pDC, dwFlags);
}
