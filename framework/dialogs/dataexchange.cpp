#include "dialogs/dataexchange.h"

#include <stdexcept>

#include "crtformat.h"
#include "dialogs/ddvmessages.h"
#include "dialogs/numbertext.h"
#include "wnd.h"

CString CUserException::GetErrorMessage() const { return "the user was told why a value was refused"; }

CDataExchange::CDataExchange(CWnd* dialog, BOOL saveAndValidate)
    : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

HWND CDataExchange::PrepareCtrl(int id) {
  HWND control = m_pDlgWnd ? m_pDlgWnd->GetDlgItem(id) : nullptr;
  if (!control) throw std::logic_error(qel::FormatStr("dialog control %d is missing", id));
  m_lastControl = control;
  m_lastIsEdit = false;
  return control;
}

HWND CDataExchange::PrepareEditCtrl(int id) {
  HWND control = PrepareCtrl(id);
  m_lastIsEdit = true;
  return control;
}

void CDataExchange::Fail() {
  if (m_lastControl && m_pDlgWnd) {
    ::SetFocus(m_lastControl);
    if (m_lastIsEdit) ::SendMessageA(m_lastControl, EM_SETSEL, 0, -1);
  }
  throw CUserException();
}

namespace {

// A number field: the text written on loading; on saving the text read,
// refused with message when it does not parse.
template <class T, class Parse>
void ExchangeNumber(CDataExchange* dx, int id, T& value, const CString& text, Parse parse,
                    QelDdvMessage message) {
  HWND control = dx->PrepareEditCtrl(id);
  if (!dx->m_bSaveAndValidate) {
    ::SetWindowTextA(control, text);
    return;
  }
  T parsed{};
  if (!parse(QelGetWindowText(control), &parsed)) {
    QelShowDdvMessage(*dx->m_pDlgWnd, message);
    dx->Fail();
  }
  value = parsed;
}

// A value outside [low, high] shows the range message and fails.
template <class T>
void CheckRange(CDataExchange* dx, T value, T low, T high, QelDdvMessage message, CString (*text)(T)) {
  if (!dx->m_bSaveAndValidate || (value >= low && value <= high)) return;
  QelShowDdvMessage(*dx->m_pDlgWnd, message, text(low), text(high));
  dx->Fail();
}

// A value a control keeps itself: read with one message, written with another.
void ExchangeByMessage(CDataExchange* dx, int id, int& value, UINT getMsg, UINT setMsg) {
  HWND control = dx->PrepareCtrl(id);
  if (dx->m_bSaveAndValidate)
    value = static_cast<int>(::SendMessageA(control, getMsg, 0, 0));
  else
    ::SendMessageA(control, setMsg, value, 0);
}

bool IsRadioButton(HWND hwnd) { return (::SendMessageA(hwnd, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) != 0; }

}  // namespace

void DDX_Text(CDataExchange* dx, int id, CString& value) {
  HWND control = dx->PrepareEditCtrl(id);
  if (dx->m_bSaveAndValidate)
    value = QelGetWindowText(control);
  else
    ::SetWindowTextA(control, value);
}

void DDX_Text(CDataExchange* dx, int id, int& value) {
  ExchangeNumber(dx, id, value, QelIntText(value), QelParseInt, QelDdvMessage::kNotInteger);
}

void DDX_Text(CDataExchange* dx, int id, UINT& value) {
  ExchangeNumber(dx, id, value, QelUIntText(value), QelParseUInt, QelDdvMessage::kNotUnsigned);
}

void DDX_Text(CDataExchange* dx, int id, double& value) {
  ExchangeNumber(dx, id, value, QelDoubleText(value), QelParseDouble, QelDdvMessage::kNotNumber);
}

void DDX_Radio(CDataExchange* dx, int id, int& value) {
  HWND button = dx->PrepareCtrl(id);
  if (dx->m_bSaveAndValidate) value = -1;
  // The group runs from the first button to the next control that starts a group.
  for (int index = 0; button && IsRadioButton(button); ++index) {
    if (dx->m_bSaveAndValidate) {
      if (::SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED) value = index;
    } else {
      ::SendMessageA(button, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    button = ::GetWindow(button, GW_HWNDNEXT);
    if (button && (::GetWindowLongPtrA(button, GWL_STYLE) & WS_GROUP)) break;
  }
}

void DDX_Check(CDataExchange* dx, int id, int& value) {
  ExchangeByMessage(dx, id, value, BM_GETCHECK, BM_SETCHECK);
}

void DDX_CBIndex(CDataExchange* dx, int id, int& value) {
  ExchangeByMessage(dx, id, value, CB_GETCURSEL, CB_SETCURSEL);
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
  if (control.m_hWnd) return;
  HWND item = dx->PrepareCtrl(id);
  if (!control.SubclassWindow(item))
    throw std::logic_error(qel::FormatStr("dialog control %d cannot be attached", id));
}

void DDV_MaxChars(CDataExchange* dx, const CString& value, int maxChars) {
  if (!dx->m_bSaveAndValidate) {
    if (dx->LastControl()) ::SendMessageA(dx->LastControl(), EM_LIMITTEXT, maxChars, 0);
    return;
  }
  if (value.GetLength() <= maxChars) return;
  QelShowDdvMessage(*dx->m_pDlgWnd, QelDdvMessage::kTooLong, QelIntText(maxChars));
  dx->Fail();
}

void DDV_MinMaxInt(CDataExchange* dx, int value, int minValue, int maxValue) {
  CheckRange(dx, value, minValue, maxValue, QelDdvMessage::kIntegerOutOfRange, QelIntText);
}

void DDV_MinMaxUInt(CDataExchange* dx, UINT value, UINT minValue, UINT maxValue) {
  CheckRange(dx, value, minValue, maxValue, QelDdvMessage::kIntegerOutOfRange, QelUIntText);
}

void DDV_MinMaxDouble(CDataExchange* dx, double value, double minValue, double maxValue) {
  CheckRange(dx, value, minValue, maxValue, QelDdvMessage::kNumberOutOfRange, QelDoubleText);
}
