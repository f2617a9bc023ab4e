// The main frame's side of the attribute and event-link lists: what the
// picture views hand over from their editing windows' notices.
#include "frames/mdichild.h"
#include "mainframe.h"
#include "picview.h"

HWND CMainFrame::GetActivePicEditWindow() const {
  CMDIChildWnd* child = MDIGetActive();
  CPicView* view = child ? dynamic_cast<CPicView*>(child->GetActiveView()) : nullptr;
  return view ? view->GetEditWindow() : nullptr;
}

void CMainFrame::ShowProperties(const PropDescList* list, HWND editWindow) {
  m_wndWorkspace.GetAttributeList().LoadAttributes(editWindow ? editWindow : GetActivePicEditWindow(), list);
}

void CMainFrame::ShowEventLinks(const ActionKindList* list, HWND editWindow) {
  m_wndWorkspace.GetEventLinkList().LoadLinks(editWindow ? editWindow : GetActivePicEditWindow(), list);
}

void CMainFrame::ClearPropertyLists() {
  m_wndWorkspace.GetAttributeList().Clear();
  m_wndWorkspace.GetEventLinkList().Clear();
}
