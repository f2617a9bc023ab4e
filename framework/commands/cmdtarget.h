// CCmdTarget: an object that commands (menu items, accelerators, toolbar
// buttons) are routed to, and the command maps that name its handlers.
//
// A class lists its handlers in one table, in its .cpp file:
//
//   class CMainFrame : public CMDIFrameWnd {
//     void OnViewOutput();
//     void OnUpdateViewOutput(CCmdUI* ui);
//     DECLARE_COMMAND_MAP()
//   };
//
//   BEGIN_COMMAND_MAP(CMainFrame, CMDIFrameWnd)
//     ON_COMMAND(ID_VIEW_OUTPUT, OnViewOutput)
//     ON_UPDATE_COMMAND_UI(ID_VIEW_OUTPUT, OnUpdateViewOutput)
//     ON_COMMAND_RANGE(ID_ALIGN_LEFT, ID_ALIGN_BOTTOM, OnAlign)   // void OnAlign(UINT id)
//   END_COMMAND_MAP()
//
// OnCmdMsg looks a command up in the class's map, then in its bases' maps.
// Targets that pass commands on (a frame to its active view, a view to its
// document, a document to its template, a frame to the application) override
// OnCmdMsg and offer the command along that route (frames/frame.h).
#pragma once
#include <windows.h>

#include "object.h"

class CCmdTarget;
class CCmdUI;

// What a route is asked: carry the command out, or tell the state of its
// user-interface item (extra is then the CCmdUI).
enum CmdCode : int { CN_COMMAND = 0, CN_UPDATE_COMMAND_UI = -1 };

// Filled instead of calling the handler when OnCmdMsg is only asked whether
// a handler exists (CCmdUI disables commands without one).
struct CmdHandlerInfo {
  CCmdTarget* target = nullptr;
};

struct CmdMapEntry {
  UINT first;  // the command id, or the first of a range
  UINT last;   // the same, or the last of the range
  int code;    // CN_COMMAND or CN_UPDATE_COMMAND_UI
  void (*call)(CCmdTarget* target, UINT id, void* extra);
};

struct CmdMap {
  const CmdMap* (*base)();     // the base class's map; null for CCmdTarget
  const CmdMapEntry* entries;  // ends with an entry whose call is null
};

class CCmdTarget : public CObject {
  DECLARE_DYNAMIC(CCmdTarget)

 public:
  // TRUE when a handler took the command (or, with info, exists for it).
  virtual BOOL OnCmdMsg(UINT id, int code, void* extra, CmdHandlerInfo* info);

 protected:
  static const CmdMap* GetThisCommandMap();
  virtual const CmdMap* GetCommandMap() const;
};

// ---- command maps -------------------------------------------------------------

#define DECLARE_COMMAND_MAP()               \
 protected:                                 \
  static const CmdMap* GetThisCommandMap(); \
  const CmdMap* GetCommandMap() const override;

#define BEGIN_COMMAND_MAP(class_name, base_name)                                  \
  const CmdMap* class_name::GetCommandMap() const { return GetThisCommandMap(); } \
  const CmdMap* class_name::GetThisCommandMap() {                                 \
    using ThisClass = class_name;                                                 \
    using TheBase = base_name;                                                    \
    static const CmdMapEntry entries[] = {
#define END_COMMAND_MAP()                                           \
  { 0, 0, 0, nullptr }                                              \
  }                                                                 \
  ;                                                                 \
  static const CmdMap map = {&TheBase::GetThisCommandMap, entries}; \
  return &map;                                                      \
  }

// void fn()
#define ON_COMMAND(id, fn) \
  {(UINT)(id), (UINT)(id), CN_COMMAND, [](CCmdTarget* t, UINT, void*) { static_cast<ThisClass*>(t)->fn(); }},

// void fn(UINT id)
#define ON_COMMAND_RANGE(first, last, fn)   \
  {(UINT)(first), (UINT)(last), CN_COMMAND, \
   [](CCmdTarget* t, UINT id, void*) { static_cast<ThisClass*>(t)->fn(id); }},

// void fn(CCmdUI* ui)
#define ON_UPDATE_COMMAND_UI(id, fn)             \
  {(UINT)(id), (UINT)(id), CN_UPDATE_COMMAND_UI, \
   [](CCmdTarget* t, UINT, void* ui) { static_cast<ThisClass*>(t)->fn(static_cast<CCmdUI*>(ui)); }},

// void fn(CCmdUI* ui); ui->m_nID tells which command of the range
#define ON_UPDATE_COMMAND_UI_RANGE(first, last, fn)   \
  {(UINT)(first), (UINT)(last), CN_UPDATE_COMMAND_UI, \
   [](CCmdTarget* t, UINT, void* ui) { static_cast<ThisClass*>(t)->fn(static_cast<CCmdUI*>(ui)); }},
