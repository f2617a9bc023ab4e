#include "commands/cmdui.h"

#include "commands/cmdtarget.h"

void CCmdUI::Enable(BOOL on) {
  m_bEnableChanged = TRUE;
  if (!m_hMenu || m_hSubMenu) return;  // a pop-up's own item is left alone
  ::EnableMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | (on ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
}

void CCmdUI::SetCheck(int check) {
  if (!m_hMenu || m_hSubMenu) return;
  ::CheckMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | (check ? MF_CHECKED : MF_UNCHECKED));
}

void CCmdUI::SetRadio(BOOL on) {
  if (!m_hMenu || m_hSubMenu) return;
  if (on)
    ::CheckMenuRadioItem(m_hMenu, m_nIndex, m_nIndex, m_nIndex, MF_BYPOSITION);
  else
    ::CheckMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | MF_UNCHECKED);
}

void CCmdUI::SetText(const char* text) {
  if (!m_hMenu || m_hSubMenu) return;
  MENUITEMINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  info.dwTypeData = const_cast<char*>(text ? text : "");
  ::SetMenuItemInfoA(m_hMenu, m_nIndex, TRUE, &info);
}

BOOL CCmdUI::DoUpdate(CCmdTarget* target, BOOL disableIfNoHandler) {
  if (m_nID == 0 || !target) return TRUE;  // separators and the like
  m_bEnableChanged = FALSE;
  BOOL answered = target->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, nullptr);
  if (disableIfNoHandler && !m_bEnableChanged) {
    CmdHandlerInfo info;
    Enable(target->OnCmdMsg(m_nID, CN_COMMAND, this, &info));
  }
  return answered;
}

BOOL QelIsCommandEnabled(CCmdTarget* target, UINT id) {
  CTestCmdUI state;
  state.m_nID = id;
  target->OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &state, nullptr);
  return state.m_bEnabled;
}
