// CAction: one animation link of a draw object. When its trigger comes it
// either evaluates an infix expression over tags and changes its draw object
// (a direct link, mode 1) or runs its compiled script (mode 2). The kinds
// (actkinds.h) add their stored fields and apply the expression value.
//
// Life of a link: created empty by its class record while a picture loads
// (or by the link dialogs), given its run context once when its owner
// prepares its links (SetContext), then fired by the picture window through
// the owner (CDrawObj::FireActions -> OnTrigger -> Execute).
#pragma once
#include <windows.h>

#include "drawlink.h"
#include "expression.h"
#include "expvalue.h"
#include "object.h"
#include "propdesc.h"
#include "qstring.h"
#include "script.h"

class CArchive;
class CDrawObj;

// Trigger numbers below the event numbers (which are the mouse and control
// link kinds, 101 and up).
enum ActionTrigger : int {
  AT_PICTURE_CYCLE = 0,
  AT_OWN_PERIOD = 1,
};

class CAction : public CObject {
  DECLARE_SERIAL(CAction)

 public:
  CAction();
  ~CAction() override;
  CAction(const CAction&) = delete;
  CAction& operator=(const CAction&) = delete;

  // Mode, trigger, period, reserved text, expression text, then the script
  // in place; each kind appends its own fields.
  void Serialize(CArchive& ar) override;
  virtual void AssertValid() const {}
  virtual void Dump(void*) const {}
  // The link-kind number (0: custom script).
  virtual int GetKind() const { return AK_SCRIPT; }
  // Performs the link once; non-zero when it acted. hWnd is the window
  // argument of the trigger: with a window the link repaints it directly,
  // without one it adds its area to the context's dirty rectangle.
  virtual int Execute(HWND hWnd);

  // Stores the run context and checks the expression text (an empty text
  // leaves the compiled flag as it was).
  void SetContext(const DrawViewContext& context);
  // The trigger rule; the result of Execute, or 0 when the link does not fire.
  int OnTrigger(int nEvent, DWORD dwTick, HWND hWnd);
  // Whether the rule fires for event nEvent on tick dwTick.
  bool Fires(int nEvent, DWORD dwTick) const;

  CDrawObj* GetOwner() const { return m_context.pObject; }
  const DrawViewContext& GetContext() const { return m_context; }
  BOOL IsCompiled() const { return m_bCompiled; }

  // Stored fields, in file order.
  int m_nMode;     // 1 direct link, 2 script; anything else does nothing
  int m_nTrigger;  // 0 picture cycle, 1 own period, or an event number
  int m_nPeriod;   // own period in milliseconds
  CString m_strReserved;
  CString m_strExpression;
  CScript m_script;

 protected:
  // Creates a link with a kind's default mode, trigger and period.
  CAction(int nMode, int nTrigger, int nPeriod);

  // The common part of Execute for the kinds that apply a value. Returns
  // true when the kind is to apply the value v; otherwise result holds what
  // Execute returns (1 after a script run, 0 for any failure).
  bool EvaluateDirect(CExpValue& v, int& result);
  // The same for the kinds that apply an integer to a plain object: also
  // false (result 0) for a control as owner or a string value.
  bool EvaluateOwnerInteger(int& n, int& result);

  DrawViewContext m_context;  // picture, owner, picture window, dirty rectangle
  BOOL m_bCompiled = FALSE;
  CExpression m_expression;
};

// The value as a number: a double unchanged, an integer converted; false
// for a string (the kinds that need a number then do nothing).
bool LinkNumber(const CExpValue& v, double& d);
// The value as an integer: a double truncated toward zero; false for a string.
bool LinkInteger(const CExpValue& v, int& n);

// Gathers the owner's areas of one change and repaints them: with a window
// the union is invalidated (with erasing) when Finish is called; without
// one each area goes straight into the context's dirty rectangle.
class CLinkRepaint {
 public:
  CLinkRepaint(const DrawViewContext& context, HWND hWnd);
  // Adds the owner's current invalid rectangle.
  void AddOwner();
  void Finish();

 private:
  CDrawObj* m_pOwner;
  RECT* m_pUpdate;
  HWND m_hWnd;
  RECT m_area;
};

// The repaint after a change that touches the owner's area once.
void RepaintOwner(const DrawViewContext& context, HWND hWnd);
