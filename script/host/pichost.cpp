// The host functions of objects, the picture window, ActiveX controls and
// control objects.
#include "pichost.h"

#include "qel/picmsg.h"
#include "activex/drawctrlocx.h"
#include "activex/ocxdispatch.h"
#include "drawobj.h"
#include "drawtext.h"
#include "picobj.h"
#include "tickrepaint.h"
#include "vmargs.h"
#include "vmcodes.h"
#include "vmwork.h"

CPicScriptHost::CPicScriptHost(const DrawViewContext& context)
    : m_hWnd(context.hView),
      m_pPicture(context.pPicture),
      m_pOwner(context.pObject),
      m_pUpdate(context.pUpdateRect) {}

namespace {

constexpr uint32_t kNameAndTwoDestinations = PointerArg(0) | PointerArg(1) | PointerArg(2);

// The ActiveX functions: the object's name, the member's name, the
// destination, then the member's arguments; each calls its member its way.
const HostFunction<int> kOcxFunctions[] = {
    {1200, "ocx_GetVal", CountedArgs(3, 3), kNameAndTwoDestinations, OCK_GET},
    {1201, "ocx_SetVal", CountedArgs(4, 4), kNameAndTwoDestinations, OCK_PUT},
    {1202, "ocx_Invoke", CountedArgs(3, kVmArgArea), kNameAndTwoDestinations, OCK_METHOD},
};

// The check box's or radio button's window of the object, or null.
HWND CheckButtonWindow(CDrawObj* obj) {
  if (!obj) return nullptr;
  DrawObjType type = obj->GetObjType();
  return type == DOT_CHECKBT || type == DOT_RADIOBT ? obj->GetCtrlWnd() : nullptr;
}

}  // namespace

const CPicScriptHost::Group CPicScriptHost::kGroups[] = {
    {1000, 1099, &CPicScriptHost::CallObjectFunction},  {1100, 1199, &CPicScriptHost::CallWindowFunction},
    {1200, 1299, &CPicScriptHost::CallOcxFunction},     {1500, 1599, &CPicScriptHost::CallTagFunction},
    {1600, 1699, &CPicScriptHost::CallControlFunction},
};

const HostFunction<CPicScriptHost::ObjectRun> CPicScriptHost::kObjectFunctions[] = {
    {1050, "GetViewFlag", FixedArgs(1), 0, &CPicScriptHost::GetViewFlag},
    {1051, "SetViewFlag", FixedArgs(2), 0, &CPicScriptHost::SetViewFlag},
    {1052, "SetViewText", FixedArgs(2), 0, &CPicScriptHost::SetViewText},
    {1053, "GetCenterPoint", FixedArgs(3), kNameAndTwoDestinations, &CPicScriptHost::GetCenterPoint},
    {1054, "MoveTo", FixedArgs(3), PointerArg(0), &CPicScriptHost::MoveTo},
};

// The control functions take the object's name and, but for the check
// state's and the enabling's, text buffers as pointers.
const HostFunction<CPicScriptHost::ObjectRun> CPicScriptHost::kControlFunctions[] = {
    {1600, "bt_GetCheck", FixedArgs(1), 0, &CPicScriptHost::GetCheck},
    {1601, "bt_SetCheck", FixedArgs(2), 0, &CPicScriptHost::SetCheck},
    {1605, "ed_GetText", FixedArgs(3), PointerArg(0) | PointerArg(1), &CPicScriptHost::GetEditText},
    {1606, "ed_SetText", FixedArgs(2), PointerArg(0) | PointerArg(1), &CPicScriptHost::SetEditText},
    {1680, "EnableWindow", FixedArgs(2), 0, &CPicScriptHost::EnableControl},
};

int CPicScriptHost::CallFunction(int id) {
  SetIntResult(*m_state, 0);
  if (id < 1000) return CScriptVM::CallFunction(id);
  for (const Group& group : kGroups)
    if (id >= group.first && id <= group.last) return (this->*group.call)(id);
  return kSysUnknown;
}

bool CPicScriptHost::PointersGiven(uint32_t pointers) const {
  for (int i = 0; pointers >> i; ++i)
    if ((pointers >> i & 1) && !IsPointerArg(*m_state, i)) return false;
  return true;
}

int CPicScriptHost::FindNamed(int i, CDrawObj** obj) {
  *obj = m_pOwner;
  if (ArgAddress(*m_state, i) == 0) return 0;
  const char* name;
  size_t length;
  int rc = TextArg(*m_state, i, &name, &length);
  if (!rc) *obj = m_named.Find(*m_pPicture, name, length, m_pOwner);
  return rc;
}

void CPicScriptHost::Invalidate(CDrawObj* obj) {
  // Paid for first: a run that cannot pay ends after this function.
  if (!m_hWnd || !ChargeWork(*m_state, kWorkPerRepaint)) return;
  // During the window's tick the area joins the tick's one invalidation.
  CTickRepaint::Invalidate(m_hWnd, obj->GetInvalidRect());
}

int CPicScriptHost::ShownText(int i, const char** text) {
  size_t length;
  int rc = TextArg(*m_state, i, text, &length);
  if (!rc && !ChargeWork(*m_state, length * kWorkPerShownChar)) rc = kSysOverBudget;
  return rc;
}

int CPicScriptHost::CallOnNamedObject(const HostFunction<ObjectRun>* f, int not_pointer,
                                      bool without_object) {
  if (!f || !m_pPicture) return kSysUnknown;
  int rc = PopArguments(*m_state, f->args.least);
  if (rc) return rc;
  if (!PointersGiven(f->pointers)) return not_pointer;
  CDrawObj* obj;
  rc = FindNamed(0, &obj);
  if (rc || (!obj && !without_object)) return rc;
  return (this->*f->run)(obj);
}

int CPicScriptHost::CallObjectFunction(int id) {
  return CallOnNamedObject(FindHostFunction(kObjectFunctions, id), kSysNotPointer, false);
}

int CPicScriptHost::GetViewFlag(CDrawObj* obj) {
  SetIntResult(*m_state, obj->IsVisible() ? 1 : 0);
  Invalidate(obj);
  return 0;
}

// As a show/hide link does: the flag takes the value unchanged, and every
// window the object hosts (a button's, an edit box's, a plug-in's or an
// ActiveX control's, also inside a group) follows it.
int CPicScriptHost::SetViewFlag(CDrawObj* obj) {
  SetIntResult(*m_state, obj->m_bVisible);
  obj->SetVisible(ArgInt(*m_state, 1));
  Invalidate(obj);
  return 0;
}

int CPicScriptHost::SetViewText(CDrawObj* obj) {
  const char* text;
  int rc = ShownText(1, &text);
  if (rc) return rc;
  Invalidate(obj);
  obj->SetText(text);
  if (obj->GetObjType() == DOT_TEXT)
    static_cast<CDrawText*>(obj)->CalcExtent(m_hWnd);
  else
    Invalidate(obj);
  return 0;
}

int CPicScriptHost::GetCenterPoint(CDrawObj* obj) {
  VmState& s = *m_state;
  CPointD c = obj->GetCenter();
  if (!s.memory.Accessible(ArgAddress(s, 1), 8) || !s.memory.Accessible(ArgAddress(s, 2), 8))
    return kSysBadString;
  WriteBytes(s, ArgAddress(s, 1), &c.x, 8);
  WriteBytes(s, ArgAddress(s, 2), &c.y, 8);
  SetIntResult(s, 1);
  return 0;
}

int CPicScriptHost::MoveTo(CDrawObj* obj) {
  VmState& s = *m_state;
  CPointD c = obj->GetCenter();
  Invalidate(obj);
  obj->MoveBy(CPointD(ArgDouble(s, 1) - c.x, ArgDouble(s, 2) - c.y));
  Invalidate(obj);
  SetIntResult(s, 1);
  return 0;
}

// OpenPic, the one function of the picture window.
int CPicScriptHost::CallWindowFunction(int id) {
  if (id != 1100 || !m_pPicture) return kSysUnknown;
  VmState& s = *m_state;
  int rc = PopArguments(s, 1);
  if (rc) return rc;
  const char* name;
  size_t length;
  rc = TextArg(s, 0, &name, &length);
  if (rc) return rc;
  if (m_hWnd) SendMessageA(m_hWnd, QCN_LINKPICTURE, 0, reinterpret_cast<LPARAM>(name));
  return 0;
}

// The argument checks of the ActiveX functions; the call itself is CallOcx
// (pichost_ocx.cpp). Any count within the argument area is popped before the
// function's own count is checked.
int CPicScriptHost::CallOcxFunction(int id) {
  const auto* f = FindHostFunction(kOcxFunctions, id);
  if (!f || !m_pPicture) return kSysUnknown;
  VmState& s = *m_state;
  int args;
  int rc = PopCountedArguments(s, 1, kVmArgArea + 1, &args);
  if (rc) return rc == kSysFormatCount ? kSysOcxCount : rc;
  if (args < f->args.least || args > f->args.most) return kSysOcxCount;
  if (!PointersGiven(f->pointers)) return kSysNotPointer;
  CDrawObj* obj;
  rc = FindNamed(0, &obj);
  if (rc || !obj) return rc;
  if (obj->GetObjType() != DOT_CTRLOCX) return kSysNotActiveX;
  return CallOcx(static_cast<CDrawCtrlOcx*>(obj), f->run, args);
}

// Unlike the object functions, the control functions run also when nothing
// has the name (ed_GetText then empties its buffer), and arguments that are
// not pointers make the function unknown.
int CPicScriptHost::CallControlFunction(int id) {
  return CallOnNamedObject(FindHostFunction(kControlFunctions, id), kSysUnknown, true);
}

int CPicScriptHost::GetCheck(CDrawObj* obj) {
  if (HWND button = CheckButtonWindow(obj))
    SetIntResult(*m_state, static_cast<int32_t>(SendMessageA(button, BM_GETCHECK, 0, 0)));
  return 0;
}

int CPicScriptHost::SetCheck(CDrawObj* obj) {
  HWND button = CheckButtonWindow(obj);
  if (button && ChargeWork(*m_state, kWorkPerRepaint)) {
    SendMessageA(button, BM_SETCHECK, ArgInt(*m_state, 1) ? BST_CHECKED : BST_UNCHECKED, 0);
    InvalidateRect(button, nullptr, TRUE);
  }
  return 0;
}

// The text cut to the buffer of argument 1, whose room argument 2 gives.
int CPicScriptHost::GetEditText(CDrawObj* obj) {
  VmState& s = *m_state;
  int32_t room = ArgInt(s, 2);
  if (room < 1) return 0;
  // The buffer starts empty, also when no object has the name.
  int rc = WriteTextCharged(s, ArgAddress(s, 1), "", 0);
  if (rc || !obj) return rc;
  CString text = obj->GetText();
  int32_t length = static_cast<int32_t>(text.GetLength());
  int32_t n = length >= room ? room - 1 : length;
  rc = WriteTextCharged(s, ArgAddress(s, 1), text.GetString(), static_cast<size_t>(n));
  if (!rc) SetIntResult(s, n);
  return rc;
}

int CPicScriptHost::SetEditText(CDrawObj* obj) {
  if (!obj) return 0;
  const char* text;
  int rc = ShownText(1, &text);
  if (!rc) obj->SetText(text);
  return rc;
}

// Any control object (push button to the last control type) follows.
int CPicScriptHost::EnableControl(CDrawObj* obj) {
  if (!obj) return 0;
  DrawObjType type = obj->GetObjType();
  if (type >= DOT_PUSHBT && type <= 198 && ChargeWork(*m_state, kWorkPerRepaint))
    obj->EnableWnd(ArgInt(*m_state, 1));
  return 0;
}
