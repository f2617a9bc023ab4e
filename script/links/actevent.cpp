// Mouse and control events: a script, or a command to the picture window.
#include <cstring>
#include <string>

#include "qel/picmsg.h"
#include "actkinds.h"
#include "archive.h"

IMPLEMENT_SERIAL(CActEvent, CAction, 0)

namespace {
// The command verb that opens another picture; its argument is the name.
const char kLinkVerb[] = "link";
constexpr char kCommandSeparator = '\n';
}  // namespace

CActEvent::CActEvent() : CAction(AM_SCRIPT, AT_PICTURE_CYCLE, 1000) {}

void CActEvent::Serialize(CArchive& ar) {
  CAction::Serialize(ar);
  SerializeFields(ar, m_nEvent, m_strCommand);
}

int CActEvent::Execute(HWND) {
  // A picture link on a mouse event carries no expression, so it never gets
  // a compiled one: in mode 1 it runs on its command alone.
  if (m_nMode == AM_DIRECT && m_strExpression.IsEmpty()) return GetOwner() ? SendCommand() : 0;
  // Otherwise the common part: a script runs, another mode does nothing, and
  // an expression must evaluate before the command is carried out.
  CExpValue unused;
  int result = 0;
  if (!EvaluateDirect(unused, result)) return result;
  return SendCommand();
}

int CActEvent::SendCommand() {
  const char* command = m_strCommand.GetString();
  const char* separator = std::strchr(command, kCommandSeparator);
  if (!separator || !m_context.hView || !::IsWindow(m_context.hView)) return 0;
  if (std::string(command, separator) != kLinkVerb) return 0;
  ::SendMessageA(m_context.hView, QCN_LINKPICTURE, 0, reinterpret_cast<LPARAM>(separator + 1));
  return 1;
}
