// CDrawCtrlOcx: a draw object (kind 150) that hosts a registered ActiveX
// control in a child window of the picture window. It stores the control's
// class identifier and the control's persisted state; attached to a picture
// window it creates the control (through the framework's control
// containment) with that state, disabled in the editor; only for a class
// that the control picker offers (offeredcontrols.h), since a picture may
// name any class. The editor opens the control's own property pages through
// ShowProperties, and the state the control then saves replaces the stored
// one.
//
// Destroying the object releases the control and destroys its window first,
// then frees the state.
#pragma once

#include <windows.h>

#include <memory>

#include "drawctrl.h"
#include "memfile.h"

class COleControlWnd;
struct IStream;
struct IUnknown;

class CDrawCtrlOcx : public CDrawCtrl {
  DECLARE_SERIAL(CDrawCtrlOcx)

 public:
  enum : UINT { kStateGrowBytes = 1024 };

  CDrawCtrlOcx();
  // A new object of the ActiveX tool, for the chosen class.
  explicit CDrawCtrlOcx(const CLSID& clsid);
  ~CDrawCtrlOcx() override;

  // The control part, then the class identifier and the state.
  void Serialize(CArchive& ar) override;
  // Creates the control once (none for an all-zero class identifier, a
  // class that is no offered control or one that cannot be made) and loads
  // the stored state into it. 1 when the window existed already, else 0.
  BOOL AttachView(const DrawViewContext* pContext, BOOL bRunTime) override;
  // The control's own property pages in the system's property frame; 1
  // when they were shown (the state is then taken from the control again).
  int ShowProperties(HWND hParent) override;
  void GetPropList(PropDescList* pList) override;
  DrawObjType GetObjType() override;
  int GetActionKinds(ActionKindList* pList) override;
  // The flag, and the control's window shown or hidden with it.
  void SetVisible(BOOL bVisible) override;

  // Takes the live control's state into the stored state; FALSE (the old
  // state kept) without a control, without stream persistence, when the
  // control's save fails, or when it saves more than kMaxStoredBytes.
  BOOL SaveControlState();
  // The state's part of the picture file.
  void SaveState(CArchive& ar);
  void LoadState(CArchive& ar);

  const CLSID& GetClassId() const { return m_clsid; }
  void SetClassId(const CLSID& clsid) { m_clsid = clsid; }
  DWORD GetStateLength() const { return m_state.GetLength(); }
  const BYTE* GetStateData() const { return m_state.GetData(); }
  void SetState(const void* pBytes, UINT nCount);
  // The hosting window and the control, while the object is attached.
  COleControlWnd* GetControlWnd() const { return m_window.get(); }
  IUnknown* GetControlUnknown() const;

 private:
  // A stream over global memory holding the stored state, at its start;
  // null when the state is empty or the stream cannot be made.
  IStream* NewStateStream() const;
  void DestroyControl();
  CString PagesCaption();

  // Fields in the order of the picture model (the window pointer is the
  // base's m_pCtrlWnd; m_window owns the object behind it).
  CLSID m_clsid = {};
  CMemFile m_state{kStateGrowBytes};
  DWORD m_nStateLength = 0;  // set when the state is stored or loaded
  std::unique_ptr<COleControlWnd> m_window;
};

// The message of ShowProperties for a control without property pages.
extern const char kOcxNoPagesText[];
