// The host functions of objects, the picture window, ActiveX controls and
// control objects.
#include "pichost.h"

#include "qel/picmsg.h"
#include "activex/drawctrlocx.h"
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

int CPicScriptHost::CallFunction(int id) {
  SetIntResult(*m_state, 0);
  if (id < 1000) return CScriptVM::CallFunction(id);
  if (id < 1100) return CallObjectFunction(id);
  if (id < 1200) return CallWindowFunction(id);
  if (id < 1300) return CallOcxFunction(id);
  if (id >= 1500 && id < 1600) return CallTagFunction(id);
  if (id >= 1600 && id < 1700) return CallControlFunction(id);
  return kSysUnknown;
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

int CPicScriptHost::CallObjectFunction(int id) {
  static const int kArgs[] = {1, 2, 2, 3, 3};
  if (id < 1050 || id > 1054) return kSysUnknown;
  if (!m_pPicture) return kSysUnknown;
  VmState& s = *m_state;
  int rc = PopArguments(s, kArgs[id - 1050]);
  if (rc) return rc;
  if ((id == 1053 && !(IsPointerArg(s, 0) && IsPointerArg(s, 1) && IsPointerArg(s, 2))) ||
      (id == 1054 && !IsPointerArg(s, 0)))
    return kSysNotPointer;
  CDrawObj* obj;
  rc = FindNamed(0, &obj);
  if (rc || !obj) return rc;
  switch (id) {
    case 1050:
      SetIntResult(s, obj->IsVisible() ? 1 : 0);
      Invalidate(obj);
      return 0;
    case 1051:
      // As a show/hide link does: the flag takes the value unchanged, and
      // every window the object hosts (a button's, an edit box's, a plug-in's
      // or an ActiveX control's, also inside a group) follows it.
      SetIntResult(s, obj->m_bVisible);
      obj->SetVisible(ArgInt(s, 1));
      Invalidate(obj);
      return 0;
    case 1052: {
      const char* text;
      rc = ShownText(1, &text);
      if (rc) return rc;
      Invalidate(obj);
      obj->SetText(text);
      if (obj->GetObjType() == DOT_TEXT) static_cast<CDrawText*>(obj)->CalcExtent(m_hWnd);
      else Invalidate(obj);
      return 0;
    }
    case 1053: {
      CPointD c = obj->GetCenter();
      if (!s.memory.Accessible(ArgAddress(s, 1), 8) || !s.memory.Accessible(ArgAddress(s, 2), 8))
        return kSysBadString;
      WriteBytes(s, ArgAddress(s, 1), &c.x, 8);
      WriteBytes(s, ArgAddress(s, 2), &c.y, 8);
      SetIntResult(s, 1);
      return 0;
    }
    default: {
      CPointD c = obj->GetCenter();
      Invalidate(obj);
      obj->MoveBy(CPointD(ArgDouble(s, 1) - c.x, ArgDouble(s, 2) - c.y));
      Invalidate(obj);
      SetIntResult(s, 1);
      return 0;
    }
  }
}

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
// (pichost_ocx.cpp).
int CPicScriptHost::CallOcxFunction(int id) {
  if (id < 1200 || id > 1202 || !m_pPicture) return kSysUnknown;
  VmState& s = *m_state;
  int args;
  int rc = PopCountedArguments(s, 1, kVmArgArea + 1, &args);
  if (rc) return rc == kSysFormatCount ? kSysOcxCount : rc;
  int count = args + 1;
  if ((id == 1200 && count != 4) || (id == 1201 && count != 5) || (id == 1202 && count < 4))
    return kSysOcxCount;
  if (!IsPointerArg(s, 0) || !IsPointerArg(s, 1) || !IsPointerArg(s, 2)) return kSysNotPointer;
  CDrawObj* obj;
  rc = FindNamed(0, &obj);
  if (rc || !obj) return rc;
  if (obj->GetObjType() != DOT_CTRLOCX) return kSysNotActiveX;
  return CallOcx(static_cast<CDrawCtrlOcx*>(obj), id, args);
}

int CPicScriptHost::CallControlFunction(int id) {
  static const struct {
    int id;
    int args;
  } kFunctions[] = {{1600, 1}, {1601, 2}, {1605, 3}, {1606, 2}, {1680, 2}};
  int args = -1;
  for (const auto& f : kFunctions)
    if (f.id == id) args = f.args;
  if (args < 0 || !m_pPicture) return kSysUnknown;
  VmState& s = *m_state;
  int rc = PopArguments(s, args);
  if (rc) return rc;
  if ((id == 1605 || id == 1606) && !(IsPointerArg(s, 0) && IsPointerArg(s, 1))) return kSysUnknown;
  CDrawObj* obj;
  rc = FindNamed(0, &obj);
  // The edit text's buffer starts empty, also when no object has the name.
  if (!rc && id == 1605 && ArgInt(s, 2) >= 1) rc = WriteTextCharged(s, ArgAddress(s, 1), "", 0);
  if (rc || !obj) return rc;
  DrawObjType type = obj->GetObjType();
  bool button = type == DOT_CHECKBT || type == DOT_RADIOBT;
  HWND control = obj->GetCtrlWnd();
  switch (id) {
    case 1600:
      if (button && control) SetIntResult(s, static_cast<int32_t>(SendMessageA(control, BM_GETCHECK, 0, 0)));
      return 0;
    case 1601:
      if (button && control && ChargeWork(s, kWorkPerRepaint)) {
        SendMessageA(control, BM_SETCHECK, ArgInt(s, 1) ? BST_CHECKED : BST_UNCHECKED, 0);
        InvalidateRect(control, nullptr, TRUE);
      }
      return 0;
    case 1605: {
      int32_t room = ArgInt(s, 2);
      if (room < 1) return 0;
      CString text = obj->GetText();
      int32_t length = static_cast<int32_t>(text.GetLength());
      int32_t n = length >= room ? room - 1 : length;
      rc = WriteTextCharged(s, ArgAddress(s, 1), text.GetString(), static_cast<size_t>(n));
      if (!rc) SetIntResult(s, n);
      return rc;
    }
    case 1606: {
      const char* text;
      rc = ShownText(1, &text);
      if (!rc) obj->SetText(text);
      return rc;
    }
    default:
      if (type >= DOT_PUSHBT && type <= 198 && ChargeWork(s, kWorkPerRepaint)) obj->EnableWnd(ArgInt(s, 1));
      return 0;
  }
}
