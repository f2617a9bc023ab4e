// Adding, switching and removing a link of the one selected object
// (QCM_SETEVENTLINK): mode 0 removes the link of a kind, 1 makes it a
// direct link, 2 a script; a new link gets its kind's defaults, and the
// link's dialog follows.
#include "actkinds.h"
#include "dialogs/editdialogs.h"
#include "drawobj.h"
#include "linkclasses.h"
#include "msgbox.h"
#include "piceditwnd.h"

namespace {

// The allowed modes of the kind in the object's offer (bit 0 direct, bit 1
// script); 0 when the object does not offer the kind.
int OfferedModes(CDrawObj* obj, int kind) {
  ActionKindDesc kinds[32] = {};
  ActionKindList list = {0, kinds};
  obj->GetActionKinds(&list);
  for (int i = 0; i < list.count && i < 32; ++i)
    if (kinds[i].kind == kind) return static_cast<int>((kinds[i].flags >> 8) & 0xFF);
  return 0;
}

bool HasDirectDialog(int kind) {
  switch (kind) {
    case AK_SCRIPT:
    case AK_MOVE: return false;
  }
  return kind < AK_CLICKED;  // the control events have none
}

}  // namespace

CAction* NewLinkOfKind(int kind, int mode) {
  CAction* link = nullptr;
  switch (kind) {
    case AK_SCRIPT: link = new CAction; break;
    case AK_TAGVALUE: link = new CActTagVal; break;
    case AK_COLOR: link = new CActColor; break;
    case AK_FILLCOLOR: link = new CActFillColor; break;
    case AK_FLASH: link = new CActFlash; break;
    case AK_SHOWHIDE: link = new CActShowHide; break;
    case AK_ROLL: link = new CActRoll; break;
    case AK_MOVE: link = new CActMove; break;
    case AK_PERFILL: link = new CActPerFill; break;
    case AK_POINTER: link = new CActPointer; break;
    default: {
      auto* event = new CActEvent;
      event->m_nEvent = kind;
      event->m_nTrigger = kind;
      link = event;
    }
  }
  link->m_nMode = mode;
  return link;
}

void CPicEditWnd::OnSetEventLink(int mode, int kind) {
  if (!m_pPicture || m_selection.size() != 1) return;
  if (mode != AM_NONE && mode != AM_DIRECT && mode != AM_SCRIPT) return;
  CDrawObj* obj = m_selection.front();
  const int offered = OfferedModes(obj, kind);
  if (!offered || (mode != AM_NONE && !(offered & mode))) return;
  if (mode == AM_NONE) {
    obj->RemoveAction(kind);
    NotifyActions();
    SetModified();
    return;
  }
  CAction* link = AsLink(obj->GetAction(kind));
  if (link && link->m_nMode != mode) {
    const char* question = mode == AM_SCRIPT
                               ? "当前已有一个<直接连接>动作,要删除后才能继续!\r是否要删除该动作?"
                               : "当前已有一个<CScript脚本>动作,要删除后才能继续!\r是否要删除该动作?";
    if (QelMessageBox(m_hWnd, question, "提示", MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    link->m_strExpression.Empty();
    link->m_script.m_strSource.Empty();
    link->m_script.m_code.Clear();
    link->m_nMode = mode;
  } else if (!link) {
    link = NewLinkOfKind(kind, mode);
    obj->AddAction(link);
  }
  NotifyActions();
  SetModified();
  const int changed = mode == AM_SCRIPT       ? OpenScriptDialog(m_hWnd, link, obj)
                      : HasDirectDialog(kind) ? OpenLinkDialog(m_hWnd, link, obj)
                                              : 0;
  if (changed) SetModified();
}
