// CDrawMtext: the multi-line text (draw-object kind 13), a rotatable
// rectangle whose text wraps inside it; and CDrawTagVal, the tag-value
// display (kind 11), whose text stands on one line with a chosen alignment
// and is replaced at run time by its displayed-value link.
#pragma once

#include "drawrect.h"
#include "frametext.h"

class CDrawMtext : public CDrawRect {
  DECLARE_SERIAL(CDrawMtext)

 public:
  CDrawMtext();

  void Serialize(CArchive& ar) override;
  DrawObjType GetObjType() override;
  void SetText(const char* pszText) override;
  CString GetText() override;
  // Handles 1 to 9, then anywhere inside the corners, whatever the fill.
  int HitTest(const CPointD& point, CDrawObj** ppHit) override;
  void GetPropList(PropDescList* pList) override;
  BOOL SetProp(int nId, LONG_PTR value) override;
  void Draw(CDC* pDC, DWORD dwFlags) override;

  // Opens the text sheet of the editing control for this text (textedit.h);
  // non-zero when the text was written.
  int EditObjectText(HWND hOwner);

  void SetFont(const LOGFONTA& lf) { m_font = lf; }
  const LOGFONTA& GetFont() const { return m_font; }

 protected:
  // The ids of the text records (3 text, 24 text colour, 13 font); 1 when handled.
  BOOL SetTextProp(int nId, LONG_PTR value);
  void AppendTextColorAndFont(PropDescList* pList);
  // The text in the rectangle's frame, inset and laid out with the flags.
  // A turned text (laid out in a bitmap and mapped onto the frame) is kept
  // between paints; an upright one is drawn with its smoothing against
  // what lies beneath it.
  void DrawFrameText(CDC* pDC, const FrameInset& inset, UINT nFlags);

  CString m_strText;
  LOGFONTA m_font;
  CPaintCache m_textCache;  // the turned text's last paints
};

class CDrawTagVal : public CDrawMtext {
  DECLARE_SERIAL(CDrawTagVal)

 public:
  CDrawTagVal();

  void Serialize(CArchive& ar) override;
  DrawObjType GetObjType() override;
  void GetPropList(PropDescList* pList) override;
  BOOL SetProp(int nId, LONG_PTR value) override;
  int GetActionKinds(ActionKindList* pList) override;
  void Draw(CDC* pDC, DWORD dwFlags) override;

  // 0 left, 1 centred, 2 right (DT_LEFT, DT_CENTER, DT_RIGHT).
  int m_nAlign = 2;
};
