// CPicScriptHost: the script machine of a script link in a picture. It adds
// the link's run context and serves the host functions (ids from 1000):
// objects of the picture, opening a picture, calls into ActiveX controls,
// tags through the picture window's service requests, and push buttons, edit
// boxes and control windows. Lower ids go to the library.
//
// Each group of host functions is a table of rows, one a function, as the
// library's are: the id and the name the function list gives it, the
// arguments it pops, those that must be pointers, and what it does once they
// are popped and checked.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "drawlink.h"
#include "namedobjects.h"
#include "scriptvm.h"

class CDrawCtrlOcx;
class CDrawObj;
class CPicObj;

// The arguments of a host function: a fixed number, or, for one declared
// with a final "...", a counted number from least to most (not counting the
// count that the compiler pushes last).
struct HostArgs {
  int least;
  int most;
  bool counted;
};
constexpr HostArgs FixedArgs(int n) { return {n, n, false}; }
constexpr HostArgs CountedArgs(int least, int most) { return {least, most, true}; }

// Bit i of a row's pointer arguments: argument i must be an address or pointer.
constexpr uint32_t PointerArg(int i) { return uint32_t(1) << i; }

template <typename Run>
struct HostFunction {
  int id;
  const char* name;  // as the function list (the compiler's stdlib.txt) gives it
  HostArgs args;
  uint32_t pointers;  // PointerArg bits
  Run run;
};

// The row of the table with the id, or null.
template <typename Run, size_t N>
const HostFunction<Run>* FindHostFunction(const HostFunction<Run> (&table)[N], int id) {
  for (const HostFunction<Run>& f : table)
    if (f.id == id) return &f;
  return nullptr;
}

class CPicScriptHost : public CScriptVM {
 public:
  explicit CPicScriptHost(const DrawViewContext& context);

  int CallFunction(int id) override;

  // Run context, copied from the link's context when the host is created.
  HWND m_hWnd;  // the picture window
  CPicObj* m_pPicture;
  CDrawObj* m_pOwner;  // the link's draw object
  RECT* m_pUpdate;

  // What a function of an object group does with the object named by its
  // first argument (null in the control group when nothing has the name).
  using ObjectRun = int (CPicScriptHost::*)(CDrawObj* obj);

 protected:
  virtual int CallObjectFunction(int id);   // 1000-1099
  virtual int CallWindowFunction(int id);   // 1100-1199
  virtual int CallOcxFunction(int id);      // 1200-1299
  virtual int CallTagFunction(int id);      // 1500-1599
  virtual int CallControlFunction(int id);  // 1600-1699

  // The object named by argument i: a null pointer names the owner. 0, or
  // the failure code when the name is not a readable text (or over the
  // budget); *obj is null when nothing has the name.
  int FindNamed(int i, CDrawObj** obj);
  // Invalidates the object's rectangle in the picture window, charged to the run.
  void Invalidate(CDrawObj* obj);
  // The text of argument i that an object will show, charged by its length.
  int ShownText(int i, const char** text);
  // The call of an ActiveX member of the given kind (OcxCallKind) into the
  // object's control, with args arguments popped.
  int CallOcx(CDrawCtrlOcx* ocx, int kind, int args);

 private:
  // Whether every argument the bits name is a pointer.
  bool PointersGiven(uint32_t pointers) const;
  // Runs a row of a group of functions on the object that argument 0
  // names: kSysUnknown for no row (or no picture), else its arguments
  // popped, its pointers checked (else `not_pointer`) and the object found;
  // with nothing of that name, the row runs on null only `without_object`.
  int CallOnNamedObject(const HostFunction<ObjectRun>* f, int not_pointer, bool without_object);

  // The object functions (1050-1054).
  int GetViewFlag(CDrawObj* obj);
  int SetViewFlag(CDrawObj* obj);
  int SetViewText(CDrawObj* obj);
  int GetCenterPoint(CDrawObj* obj);
  int MoveTo(CDrawObj* obj);
  // The control functions (1600-1680).
  int GetCheck(CDrawObj* obj);
  int SetCheck(CDrawObj* obj);
  int GetEditText(CDrawObj* obj);
  int SetEditText(CDrawObj* obj);
  int EnableControl(CDrawObj* obj);

  // The tables, in pichost.cpp: the groups by their ranges of ids, and the
  // functions of the groups that work on a named object.
  struct Group {
    int first;
    int last;
    int (CPicScriptHost::*call)(int id);
  };
  static const Group kGroups[];
  static const HostFunction<ObjectRun> kObjectFunctions[];
  static const HostFunction<ObjectRun> kControlFunctions[];

  CNamedObjects m_named;  // the objects this script named, found once
};
