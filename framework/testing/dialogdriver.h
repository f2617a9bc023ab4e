// DialogDriver: what a test does with a dialog, message box or property sheet
// that is on the screen, as a user would: read its caption and texts, type,
// choose, click. Acts that may open another window (clicks, double clicks,
// choosing a page) are posted, so that the window opens in the dialog's own
// loop and the script's next step finds it; reading and typing happen at once.
// A control that is missing, hidden or disabled where the user would need it
// fails the test.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace qeltest {

class DialogDriver {
 public:
  explicit DialogDriver(HWND window) : m_window(window) {}

  HWND Window() const { return m_window; }
  std::string Caption() const;
  // The control with that id; in a property sheet the shown page is searched
  // first (the windows inside it too), then the sheet (OK, Cancel, Apply).
  // nullptr when there is none.
  HWND Item(int id) const;
  std::string Text(int id) const;
  // The texts of every static control, in tab order (labels with no id of their own).
  std::vector<std::string> StaticTexts() const;
  // A message box's text.
  std::string MessageText() const;
  bool IsEnabled(int id) const;
  bool IsVisible(int id) const;
  bool IsChecked(int id) const;
  // The id of the control (a child of the dialog or of the shown page) that
  // holds the focus (the one the dialog gives it back to, when another
  // program's window took the activation meanwhile); 0 when it is elsewhere.
  int FocusId() const;

  // Replaces the text of an edit control (as typed, so EN_CHANGE follows), of
  // a combo box's edit, or of an IP address control ("a.b.c.d", "" for blank).
  void Type(int id, const char* text);
  // The dotted text of an IP address control, blank fields as 0.
  std::string IpAddress(int id) const;
  // Chooses an item of a combo box; the dialog hears CBN_SELCHANGE.
  void ChooseComboItem(int id, int index);
  // Clicks a button (push, check or radio); Press is the same for a message
  // box's IDOK, IDYES, IDNO or IDCANCEL.
  void Click(int id);
  void Press(int id) { Click(id); }

  int ListRowCount(int id) const;
  std::string ListText(int id, int row, int column) const;
  int ListSelectedRow(int id) const;
  void SelectListRow(int id, int row);
  void DoubleClickListRow(int id, int row);

  // Property sheets.
  bool IsSheet() const;
  HWND Page() const;
  int ActivePage() const;
  // The text of page index's tab (its title); empty when there is none.
  std::string PageTitle(int index) const;
  void SelectPage(int index);

 private:
  HWND Require(int id, bool mustBeEnabled) const;
  HWND m_window;
};

// The texts of any window, GBK bytes.
std::string WindowText(HWND hwnd);

// The first window with that id inside parent, at any depth; nullptr when
// there is none.
HWND DescendantWithId(HWND parent, int id);

}  // namespace qeltest
