#include "commands/cmdtarget.h"

#include "commands/cmdui.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

namespace {

const CmdMapEntry kNoEntries[] = {{0, 0, 0, nullptr}};
const CmdMap kRootMap = {nullptr, kNoEntries};

const CmdMapEntry* FindEntry(const CmdMap* map, UINT id, int code) {
  for (; map; map = map->base ? map->base() : nullptr)
    for (const CmdMapEntry* e = map->entries; e->call; ++e)
      if (e->code == code && id >= e->first && id <= e->last) return e;
  return nullptr;
}

}  // namespace

const CmdMap* CCmdTarget::GetThisCommandMap() { return &kRootMap; }
const CmdMap* CCmdTarget::GetCommandMap() const { return &kRootMap; }

BOOL CCmdTarget::OnCmdMsg(UINT id, int code, void* extra, CmdHandlerInfo* info) {
  const CmdMapEntry* entry = FindEntry(GetCommandMap(), id, code);
  if (!entry) return FALSE;
  if (info) {
    info->target = this;
    return TRUE;
  }
  if (code == CN_UPDATE_COMMAND_UI) {
    CCmdUI* ui = static_cast<CCmdUI*>(extra);
    ui->m_bContinueRouting = FALSE;
    entry->call(this, id, extra);
    return !ui->m_bContinueRouting;
  }
  entry->call(this, id, extra);
  return TRUE;
}
