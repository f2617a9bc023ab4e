// CPicScriptHost: the script machine of a script link in a picture. It adds
// the link's run context and serves the host functions (ids from 1000):
// objects of the picture, opening a picture, calls into ActiveX controls,
// tags through the picture window's service requests, and push buttons, edit
// boxes and control windows. Lower ids go to the library.
#pragma once
#include <windows.h>

#include <string>

#include "drawlink.h"
#include "namedobjects.h"
#include "scriptvm.h"

class CDrawCtrlOcx;
class CDrawObj;
class CPicObj;

class CPicScriptHost : public CScriptVM {
 public:
  explicit CPicScriptHost(const DrawViewContext& context);

  int CallFunction(int id) override;

  // Run context, copied from the link's context when the host is created.
  HWND m_hWnd;            // the picture window
  CPicObj* m_pPicture;
  CDrawObj* m_pOwner;     // the link's draw object
  RECT* m_pUpdate;

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
  // The call of an ActiveX function (1200-1202) into the object's control,
  // with args arguments popped.
  int CallOcx(CDrawCtrlOcx* ocx, int id, int args);

 private:
  CNamedObjects m_named;  // the objects this script named, found once
};
