// CLinkPage: what every link property page shares. A page borrows the
// editing window and its target (a link, or for the text page a draw
// object); both are null when the page was made by its run-time class, and
// a page without a target writes nothing.
//
// The engineer's edits and radio clicks mark the page modified (which
// enables the sheet's Apply button), and so does a colour swatch or strip
// of the page; filling the controls from the fields does not. A page writes
// into its target only in its apply step (OnApply, run for pages whose
// window was made), then calls LinkWritten so that the editing window tells
// its parent of the links again and the picture counts as modified.
#pragma once
#include <windows.h>

#include "action.h"
#include "sheets/proppage.h"

class CPicEditWnd;

class CLinkPage : public CPropertyPage {
  DECLARE_DYNAMIC(CLinkPage)

 public:
  CLinkPage(UINT templateId, CPicEditWnd* wnd);

  CPicEditWnd* GetEditWindow() const { return m_pWnd; }

  BOOL OnSetActive() override;

 protected:
  BOOL OnInitDialog() override;
  // EN_CHANGE of an edit and BN_CLICKED of a button mark the page modified.
  bool OnCommand(UINT id, UINT code, HWND control) override;
  // A colour swatch or strip of the page tells it of a new colour.
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

  // True while the page itself fills its controls: their change notices are
  // not the engineer's.
  bool IsLoading() const { return m_loading > 0; }
  // Sets a control's text as the page's own doing.
  void ShowText(int id, const char* text);
  // Shows or hides a control.
  void ShowItem(int id, bool show);

  // After a write into the link: the editing window sends its link notice
  // again and marks the picture modified.
  void LinkWritten();

  CPicEditWnd* m_pWnd;

 private:
  friend class CLoadingScope;
  int m_loading = 0;
};

// Marks a stretch of code in which the page fills its own controls.
class CLoadingScope {
 public:
  explicit CLoadingScope(CLinkPage& page) : m_page(page) { ++m_page.m_loading; }
  ~CLoadingScope() { --m_page.m_loading; }
  CLoadingScope(const CLoadingScope&) = delete;
  CLoadingScope& operator=(const CLoadingScope&) = delete;

 private:
  CLinkPage& m_page;
};

// A radio group's choice; when the engineer left every button of the group
// unchecked (a stored value that no button stands for) the choice stays.
void DDX_RadioChoice(CDataExchange* dx, int firstId, int& choice);

// The link when it is of one of the kinds a page writes (and of the class
// that holds their fields), else null.
template <typename Link>
Link* LinkOfKinds(CAction* link, int firstKind, int lastKind) {
  if (!link) return nullptr;
  const int kind = link->GetKind();
  return kind >= firstKind && kind <= lastKind ? dynamic_cast<Link*>(link) : nullptr;
}
