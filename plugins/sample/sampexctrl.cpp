#include "sampexctrl.h"

#include <cstring>

#include "qel/picmsg.h"
#include "qel/checkword.h"
#include "sampexinfo.h"
#include "sampexsheet.h"
#include "sampexvalue.h"

namespace {

// The interface functions: an id and what it makes of its two arguments.
struct SampexFunction {
  WORD id;
  double (*apply)(double a, double b);
};
const SampexFunction kFunctions[] = {
    {SPX_FUNC_ADD, [](double a, double b) { return a + b; }},
    {SPX_FUNC_DEC, [](double a, double b) { return a - b; }},
};
constexpr WORD kCallSlots = 3;  // the return value and two arguments

// The 0xB01 to 0xB03 messages test only that the check word is well formed,
// not which code it carries.
bool CheckWordValid(WPARAM wp) { return IsHostParamValid(static_cast<DWORD>(wp)); }

}  // namespace

CSampexCtrl::CSampexCtrl() : m_face(DefaultSampexFace()) {}

LRESULT CSampexCtrl::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  QPI_CALL* call = reinterpret_cast<QPI_CALL*>(lp);
  switch (msg) {
    case WM_MOUSEMOVE: OnMouseMove(lp); return Default();
    case WM_PAINT: OnPaint(); return 0;
    case WM_ERASEBKGND: return 1;  // painting fills the whole area
    case WM_SIZE: OnSize(); return 0;
    case QPM_CALLINTERFACE: return OnCallInterface(wp, call);
    case QPM_SETPROPERTY: return OnSetProperty(wp, call);
    case QPM_GETPROPERTY: return OnGetProperty(wp, call);
    case QPM_SHOWPAGES: return OnShowPages(reinterpret_cast<const char*>(lp));
  }
  return CWnd::WindowProc(msg, wp, lp);
}

void CSampexCtrl::OnMouseMove(LPARAM lp) {
  HWND parent = GetParent();
  if (!parent) return;
  // The event's argument is the mouse position in the control's client
  // coordinates; the slot count stays 0 although slot 0 carries it.
  POINT pt = {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
  QPI_CALL record = {};
  record.id = SPX_EVENT_MOUSEMOVE;
  record.slot[0].type = QPT_EVENTARG;
  record.slot[0].data.ptr = &pt;
  ::SendMessageA(parent, QPM_FIREEVENT, MakeHostParam(static_cast<DWORD>(GetDlgCtrlID())),
                 reinterpret_cast<LPARAM>(&record));
}

void CSampexCtrl::OnPaint() {
  CPaintDC dc(m_hWnd);
  if (!dc.m_hDC) return;
  RECT client;
  GetClientRect(&client);
  PaintSampexFace(&dc, client, m_face);
}

void CSampexCtrl::OnSize() {
  Default();
  Invalidate(TRUE);
}

LRESULT CSampexCtrl::OnCallInterface(WPARAM wp, QPI_CALL* call) {
  if (!CheckWordValid(wp)) return QPI_ERR_CHECKWORD;
  if (!call) return QPI_ERR_ARGS;
  for (const SampexFunction& f : kFunctions) {
    if (f.id != call->id) continue;
    if (call->count != kCallSlots) return QPI_ERR_ARGS;
    QPI_VALUE& result = *QpiSlot(call, 0);
    result.type = QPT_FLOAT64;
    result.data.f64 = f.apply(SlotAsDouble(*QpiSlot(call, 1)), SlotAsDouble(*QpiSlot(call, 2)));
    return QPI_DONE;
  }
  return QPI_ERR_ID;
}

LRESULT CSampexCtrl::OnSetProperty(WPARAM wp, QPI_CALL* call) {
  if (!CheckWordValid(wp)) return QPI_ERR_CHECKWORD;
  if (!call) return QPI_ERR_ARGS;
  const QPI_VALUE& value = call->slot[0];
  switch (call->id) {
    case SPX_PROP_BACKCOLOR: m_face.back = SlotAs32(value); break;
    case SPX_PROP_FONT:
      if (value.type != QPT_PLOGFONT || !value.data.ptr) return QPI_ERR_ARGS;
      std::memcpy(&m_face.font, value.data.ptr, sizeof m_face.font);
      m_face.font.lfFaceName[LF_FACESIZE - 1] = '\0';
      break;
    default: return QPI_ERR_ID;  // "adjust" included: it cannot be set
  }
  Invalidate(TRUE);
  return QPI_DONE;
}

LRESULT CSampexCtrl::OnGetProperty(WPARAM wp, QPI_CALL* call) {
  if (!CheckWordValid(wp)) return QPI_ERR_CHECKWORD;
  if (!call) return QPI_ERR_ARGS;
  QPI_VALUE& value = call->slot[0];
  switch (call->id) {
    case SPX_PROP_BACKCOLOR:
      if (value.type & QPT_BYPOINTER) return QPI_ERR_ARGS;
      value.type = QPT_COLOR;
      value.data.color = m_face.back;
      return QPI_DONE;
    case SPX_PROP_FONT:
      if (value.type != QPT_PLOGFONT || !value.data.ptr) return QPI_ERR_ARGS;
      std::memcpy(value.data.ptr, &m_face.font, sizeof m_face.font);
      return QPI_DONE;
    default: return QPI_ERR_ID;
  }
}

LRESULT CSampexCtrl::OnShowPages(const char* pszPrefix) {
  if (!pszPrefix) return kSheetNotOk;
  return ShowPropertySheet(m_hWnd, GetParent(), SampexSheetTitle(pszPrefix).GetString());
}
