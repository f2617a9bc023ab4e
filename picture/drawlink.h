// What a draw object asks of its animation links.
//
// The link classes (CAction and its kinds) belong to the script engine, which
// is built on top of this model; the model only stores them (as objects of
// its link array) and drives them through these operations. The engine
// installs its table once at start-up; without a table a link has kind 0,
// mode 0 and never runs, so the model works (and its tests run) on its own.
#pragma once

#include <windows.h>

#include "qel/layout.h"

#include "object.h"
#include "qstring.h"

class CDrawObj;
class CPicObj;

// The five words that a window hands to each of its objects, and (with the
// object in the second place) the context of a link.
struct DrawViewContext {
  CPicObj* pPicture = nullptr;
  CDrawObj* pObject = nullptr;  // the windows set it to none; links get their owner here
  HWND hView = nullptr;
  RECT* pUpdateRect = nullptr;  // the dirty rectangle of the current tick
  DWORD dwReserved = 0;
};
QEL_LAYOUT(sizeof(DrawViewContext), 20, 40);  // five words

struct DrawLinkOps {
  // Link-kind number (Overview, link kinds).
  int (*GetKind)(CObject* pLink);
  // 1 direct link, 2 script.
  int (*GetMode)(CObject* pLink);
  // Prepares the link's script with the context, then sets the link's context.
  void (*Prepare)(CObject* pLink, const DrawViewContext& context);
  // The trigger rule; non-zero when the link ran.
  int (*OnTrigger)(CObject* pLink, int nKind, DWORD dwTick, HWND hWnd);
  // True when the link's script holds source text.
  bool (*HasScriptSource)(CObject* pLink);
  // Compiles the link's script; returns the number of error lines.
  int (*Compile)(CObject* pLink, const char* pszCompiler, CString& strErrors);
  // The class of link objects, checked while a picture loads (null: any object).
  const CRuntimeClass* pLinkClass;
  // Gives the link its trigger: the controls make their event links fire on
  // their own event (500, 510, 511, 520) when they are prepared.
  void (*SetTrigger)(CObject* pLink, int nTrigger);
};

// Installs the engine's table (null removes it). Not thread-safe: call once at start-up.
void SetDrawLinkOps(const DrawLinkOps* pOps);
const DrawLinkOps* GetDrawLinkOps();
