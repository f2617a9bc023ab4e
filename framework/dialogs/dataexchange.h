// Data exchange between a dialog's fields and its controls, with validation.
//
// A dialog's DoDataExchange lists its fields in the order the user sees them,
// each exchange followed by its checks:
//
//   DDX_Text(dx, IDC_PASSWORD, m_password);
//   DDV_MaxChars(dx, m_password, 15);
//   DDX_Text(dx, IDC_PORT, m_port);
//   DDV_MinMaxUInt(dx, m_port, 1024, 65535);
//
// Loading (UpdateData(FALSE)) writes every field into its control (and
// DDV_MaxChars limits what can be typed). Saving (UpdateData(TRUE)) reads them
// back in that order; the first text that is not a number of the field's
// type, or a value outside its limits, shows the framework's validation
// message (ddvmessages.h), puts the focus on that control (its text selected)
// and stops the exchange: UpdateData answers FALSE and the dialog stays.
#pragma once
#include <windows.h>

#include "exceptions.h"
#include "qstring.h"

class CWnd;

// Thrown when the user has been told why a value was refused; the exchange
// that threw it answers FALSE.
class CUserException : public CException {
 public:
  CString GetErrorMessage() const override;
};

class CDataExchange {
 public:
  CDataExchange(CWnd* dialog, BOOL saveAndValidate);

  BOOL m_bSaveAndValidate;  // TRUE: controls to fields, with validation
  CWnd* m_pDlgWnd;          // the dialog whose controls are exchanged

  // The control with that id, remembered as the one that a refusal focuses.
  // A missing control is a fault of the dialog: std::logic_error.
  HWND PrepareCtrl(int id);
  // The same for an edit control, whose text is selected on a refusal.
  HWND PrepareEditCtrl(int id);
  // The control last prepared.
  HWND LastControl() const { return m_lastControl; }
  // Focuses the control last prepared and throws CUserException.
  [[noreturn]] void Fail();

 private:
  HWND m_lastControl = nullptr;
  bool m_lastIsEdit = false;
};

// Texts: a control's whole text. Numbers: the text without leading and
// trailing blanks must be one number of the field's type.
void DDX_Text(CDataExchange* dx, int id, CString& value);
void DDX_Text(CDataExchange* dx, int id, int& value);
void DDX_Text(CDataExchange* dx, int id, UINT& value);
void DDX_Text(CDataExchange* dx, int id, double& value);
// A group of radio buttons that begins with the control id: the index of the
// checked one (-1 when none is).
void DDX_Radio(CDataExchange* dx, int id, int& value);
// A check box: BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
void DDX_Check(CDataExchange* dx, int id, int& value);
// A combo box's selected index (-1 when none).
void DDX_CBIndex(CDataExchange* dx, int id, int& value);
// Attaches a control object to the dialog's control once (SubclassDlgItem).
void DDX_Control(CDataExchange* dx, int id, CWnd& control);

// Checks, after the exchange of their control; only while saving, except that
// DDV_MaxChars also limits the edit control when loading. Lengths count bytes
// of GBK text, which is what fixed-size records can hold.
void DDV_MaxChars(CDataExchange* dx, const CString& value, int maxChars);
void DDV_MinMaxInt(CDataExchange* dx, int value, int minValue, int maxValue);
void DDV_MinMaxUInt(CDataExchange* dx, UINT value, UINT minValue, UINT maxValue);
void DDV_MinMaxDouble(CDataExchange* dx, double value, double minValue, double maxValue);
