#include "scriptlinkdlg.h"

#include "action.h"
#include "piceditwnd.h"
#include "propdesc.h"
#include "scriptdlg.h"

int RunScriptLinkDialog(CPicEditWnd* editWnd, CAction* link) {
  CScriptDlg dialog(editWnd, editWnd ? editWnd->m_hWnd : nullptr);
  dialog.SetLink(link);
  const char* kindName = link ? GetActionKindName(link->GetKind()) : nullptr;
  dialog.SetCaption(CString(kindName ? kindName : "") + " - CScript脚本");
  if (link) {
    dialog.SetScript(link->m_script.m_strSource);
    if (link->m_nTrigger < 100) dialog.SetTrigger(link->m_nTrigger, link->m_nPeriod);
  }
  dialog.DoModal();
  return 1;
}
