// The link kinds: each adds its stored fields after those of CAction and
// applies the value of its expression to the owning draw object.
#pragma once
#include <windows.h>

#include "action.h"
#include "archive.h"

// Displayed value (kind 1): the value as the owner's text.
class CActTagVal : public CAction {
  DECLARE_SERIAL(CActTagVal)

 public:
  CActTagVal();
  void Serialize(CArchive& ar) override;
  int GetKind() const override { return AK_TAGVALUE; }
  int Execute(HWND hWnd) override;

  int m_nDecimals = 2;  // of a double value; kept to 0..6 when used
};

// Colour (kind 2): the level of the value picks one of ten colours, set as
// the text colour of texts that show values and as the line colour otherwise.
class CActColor : public CAction {
  DECLARE_SERIAL(CActColor)

 public:
  static constexpr int kLevels = 10;
  // The colours of a new link (and of a new colour page): green, red, yellow,
  // cyan, magenta, blue, then black.
  static const COLORREF kDefaultColors[kLevels];

  CActColor();
  void Serialize(CArchive& ar) override;
  int GetKind() const override { return AK_COLOR; }
  int Execute(HWND hWnd) override;

  // Sets the threshold text and the thresholds read from it: up to ten
  // numbers, each followed by a TAB.
  void SetThresholdText(const char* pszText);
  // The level that v falls in, or -1.
  int FindLevel(const CExpValue& v) const;

  int m_nLevels = 2;
  COLORREF m_colors[kLevels];
  CString m_strThresholds;
  // Read from the threshold text, not stored.
  double m_dThresholds[kLevels];
  int m_nThresholds[kLevels];

 protected:
  // Where the matching colour goes.
  virtual void ApplyColor(CDrawObj* pOwner, COLORREF c);
};

static_assert(sizeof(COLORREF) * CActColor::kLevels == 40, "ten colours stored as 40 bytes");

// Fill colour (kind 3): as the colour link, into the owner's fill colour.
class CActFillColor : public CActColor {
  DECLARE_SERIAL(CActFillColor)

 public:
  CActFillColor() = default;
  int GetKind() const override { return AK_FILLCOLOR; }

 protected:
  void ApplyColor(CDrawObj* pOwner, COLORREF c) override;
};

// Flashing (kind 4): while the value is true the owner blinks at the link's
// rate; when it turns false the owner's first visibility comes back.
class CActFlash : public CAction {
  DECLARE_SERIAL(CActFlash)

 public:
  CActFlash();
  void Serialize(CArchive& ar) override;
  int GetKind() const override { return AK_FLASH; }
  int Execute(HWND hWnd) override;

  int m_nOption = 0;  // stored, not read
  // Run-time state.
  BOOL m_bFirstRun = TRUE;
  BOOL m_bSavedVisible = TRUE;
};

// Show/hide (kind 5): the owner is shown while the value is non-zero.
class CActShowHide : public CAction {
  DECLARE_SERIAL(CActShowHide)

 public:
  CActShowHide();
  int GetKind() const override { return AK_SHOWHIDE; }
  int Execute(HWND hWnd) override;
};

// Rotation (kind 6): turns the owner about its centre by the step while the
// value is non-zero, or (swing) once forward and back with the value.
class CActRoll : public CAction {
  DECLARE_SERIAL(CActRoll)

 public:
  CActRoll();
  void Serialize(CArchive& ar) override;
  int GetKind() const override { return AK_ROLL; }
  int Execute(HWND hWnd) override;

  int m_nSwing = 0;
  int m_nStep = 30;  // degrees
  // Run-time state of the swing: 1 while turned forward.
  int m_nRotated = 0;
};

// Movement (kind 7): only a script moves objects.
class CActMove : public CAction {
  DECLARE_SERIAL(CActMove)

 public:
  CActMove();
  void Serialize(CArchive& ar) override;
  int GetKind() const override { return AK_MOVE; }

  CString m_strOption;  // stored, not read
};

// A link's own fields after the common ones, stored or read in the order
// given (the stored form is the fields' values one after another).
template <typename... Fields>
void SerializeFields(CArchive& ar, Fields&... fields) {
  if (ar.IsStoring())
    (ar << ... << fields);
  else
    (ar >> ... >> fields);
}

// The percentage fill and the pointer share one stored form: two doubles,
// then two 32-bit integers.
void SerializeRangeFields(CArchive& ar, double& dMinimum, double& dMaximum, int& nFirst, int& nSecond);

// Percentage fill (kind 8): the place of the value in the range as the
// owner's fill fraction.
class CActPerFill : public CAction {
  DECLARE_SERIAL(CActPerFill)

 public:
  CActPerFill();
  void Serialize(CArchive& ar) override;
  int GetKind() const override { return AK_PERFILL; }
  int Execute(HWND hWnd) override;

  double m_dMinimum = 0.0;
  double m_dMaximum = 100.0;
  int m_nDirection = 0;
  COLORREF m_clrFill = 0x00FFFF;
};

// Meter pointer (kind 9): the value turns a line or an arrow between the
// start and end angles.
class CActPointer : public CAction {
  DECLARE_SERIAL(CActPointer)

 public:
  CActPointer();
  void Serialize(CArchive& ar) override;
  int GetKind() const override { return AK_POINTER; }
  int Execute(HWND hWnd) override;

  // The angle for v (degrees, not clamped); false when the range is empty.
  bool AngleOf(double v, double& degrees) const;

  double m_dMinimum = 0.0;
  double m_dMaximum = 100.0;
  int m_nStartAngle = 180;  // degrees
  int m_nEndAngle = 270;
};

// Mouse and control events (kinds 101-105, 500, 510, 511, 520): a script, or
// the command "link" with a picture name, which asks the picture window to
// open that picture.
class CActEvent : public CAction {
  DECLARE_SERIAL(CActEvent)

 public:
  CActEvent();
  void Serialize(CArchive& ar) override;
  int GetKind() const override { return m_nEvent; }
  int Execute(HWND hWnd) override;

  int m_nEvent = 100;
  CString m_strCommand;  // verb, line feed, argument

 private:
  // The "link" command: asks the picture window to open the named picture.
  int SendCommand();
};
