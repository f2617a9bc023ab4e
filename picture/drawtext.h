// CDrawText: the single-line text (draw-object kind 3), drawn with its own
// font from reference point A towards end point B, at any angle. A to B gives
// the direction and the length of the text; the text box is A, B and the two
// points one font height "down" from them in the text's own frame.
#pragma once

#include "drawobj.h"

class CDrawText : public CDrawObj {
  DECLARE_SERIAL(CDrawText)

 public:
  CDrawText();

  void Serialize(CArchive& ar) override;
  int GetHandleCount() override;
  CPointD GetHandle(int nHandle) override;
  int HitTest(const CPointD& point, CDrawObj** ppHit) override;
  void MoveHandleTo(int& nHandle, const CPointD& point, HWND hView) override;
  HCURSOR GetHandleCursor(int nHandle) override;
  RECT GetInvalidRect() override;
  CRectD GetRect() override;
  void Draw(CDC* pDC, DWORD dwFlags) override;
  void DrawTracker(CDC* pDC, int nState) override;
  void SetText(const char* pszText) override;
  CString GetText() override;
  void MoveBy(const CPointD& offset) override;
  int Stretch(const CPointD& anchor, const CPointD& from, const CPointD& to) override;
  void Rotate(const CPointD& centre, const DirPair& turn) override;
  void Flip(double x, double y, int nAxis) override;
  void GetPropList(PropDescList* pList) override;
  DrawObjType GetObjType() override;
  BOOL SetProp(int nId, LONG_PTR value) override;
  int GetActionKinds(ActionKindList* pList) override;
  void Scale(const CPointD& anchor, double dFactor) override;

  // Measures the text in the window at the current zoom and places B that
  // far from A (in picture units) in the text's direction, at least one
  // font height; then invalidates the text's area. Nothing without a window.
  void CalcExtent(HWND hView);

  // Opens the text sheet of the editing control for this text (textedit.h);
  // non-zero when the text was written.
  int EditObjectText(HWND hOwner);

  // A new font; the reference height follows it.
  void SetFont(const LOGFONTA& lf);
  const LOGFONTA& GetFont() const { return m_font; }
  void SetPoints(const CPointD& a, const CPointD& b);
  const CPointD& GetA() const { return m_ptA; }
  const CPointD& GetB() const { return m_ptB; }
  double GetRefHeight() const { return m_dRefHeight; }
  // The text box: A, B, B + h down, A + h down.
  void GetTextBox(CPointD box[4]) const;
  // The escapement (tenths of a degree) that drawing gives the font.
  int EscapementOfDirection() const;

 private:
  void PointsChanged();

  CString m_strText;
  LOGFONTA m_font;
  CPointD m_ptA;
  CPointD m_ptB;
  double m_dRefHeight;  // the font height as a double, so stretches keep fractions
};
