#include "linkclasses.h"

#include "actkinds.h"
#include "drawlink.h"

namespace {

// An object of another class in a link array (only code can put one there;
// loading refuses it) has kind 0, mode 0 and never runs.
int LinkKind(CObject* p) {
  CAction* link = AsLink(p);
  return link ? link->GetKind() : AK_SCRIPT;
}

int LinkMode(CObject* p) {
  CAction* link = AsLink(p);
  return link ? link->m_nMode : AM_NONE;
}

void PrepareLink(CObject* p, const DrawViewContext& context) {
  if (CAction* link = AsLink(p)) {
    link->m_script.Prepare(context);
    link->SetContext(context);
  }
}

int TriggerLink(CObject* p, int nEvent, DWORD dwTick, HWND hWnd) {
  CAction* link = AsLink(p);
  return link ? link->OnTrigger(nEvent, dwTick, hWnd) : 0;
}

bool LinkHasSource(CObject* p) {
  CAction* link = AsLink(p);
  return link && !link->m_script.m_strSource.IsEmpty();
}

// Compiles the link's script through the compiler at pszCompiler; the number
// of message lines, with the messages appended to strErrors.
int CompileLink(CObject* p, const char* pszCompiler, CString& strErrors) {
  CAction* link = AsLink(p);
  return link ? link->m_script.Compile(pszCompiler, strErrors) : 0;
}

void SetLinkTrigger(CObject* p, int nTrigger) {
  if (CAction* link = AsLink(p)) link->m_nTrigger = nTrigger;
}

const DrawLinkOps kLinkOps = {
    LinkKind,       LinkMode, PrepareLink, TriggerLink, LinkHasSource, CompileLink, RUNTIME_CLASS(CAction),
    SetLinkTrigger,
};

}  // namespace

void RegisterLinkClasses() {
  static CRuntimeClass* const classes[] = {
      RUNTIME_CLASS(CAction),       RUNTIME_CLASS(CActTagVal), RUNTIME_CLASS(CActColor),
      RUNTIME_CLASS(CActFillColor), RUNTIME_CLASS(CActFlash),  RUNTIME_CLASS(CActShowHide),
      RUNTIME_CLASS(CActRoll),      RUNTIME_CLASS(CActMove),   RUNTIME_CLASS(CActPerFill),
      RUNTIME_CLASS(CActPointer),   RUNTIME_CLASS(CActEvent),  RUNTIME_CLASS(CScript),
      RUNTIME_CLASS(CBinObj),
  };
  CRuntimeClass::RegisterAll(classes);
  SetDrawLinkOps(&kLinkOps);
}

CAction* AsLink(CObject* pObj) {
  return pObj && pObj->IsKindOf(RUNTIME_CLASS(CAction)) ? static_cast<CAction*>(pObj) : nullptr;
}
