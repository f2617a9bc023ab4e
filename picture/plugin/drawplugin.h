// CDrawPlugin: a draw object (kind 151) whose control comes from a plug-in
// library. It stores the library's file name and a property blob; attached to
// a picture window it loads the library (CPlugHost) and creates a child window
// of the class the plug-in registered under its identifier, disabled in the
// editor. The editor opens the plug-in's property pages through
// ShowProperties (QPM_SHOWPAGES).
//
// A library name that the host refuses (anything but a bare file name of the
// program folder) leaves the object without a window, as a library that does
// not load does; in the editor the object says once in the editor's output
// which library it named.
//
// Destroying the object destroys the window first, then deletes the window
// object, frees the name and the blob, and last unloads the library: the
// window never outlives the code behind it.
#pragma once

#include <memory>

#include "drawctrl.h"
#include "memfile.h"
#include "plughost.h"
#include "wnd.h"

class CDrawPlugin : public CDrawCtrl {
  DECLARE_SERIAL(CDrawPlugin)

 public:
  enum : UINT { kBlobGrowBytes = 1024 };

  CDrawPlugin();
  // A new object of the plug-in drawing tool, for the library of that name.
  explicit CDrawPlugin(const char* pszLibrary);
  ~CDrawPlugin() override;

  // The control part, then the library file name, the blob length and the blob.
  void Serialize(CArchive& ar) override;
  // Loads the library and creates the plug-in's window once; TRUE when the
  // object has its window. In the editor a refused library name is told to
  // the editor's view, the parent of the view context's window.
  BOOL AttachView(const DrawViewContext* pContext, BOOL bRunTime) override;
  void GetPropList(PropDescList* pList) override;
  DrawObjType GetObjType() override;
  // QPM_SHOWPAGES with the title prefix; 1 when the object has a window.
  int ShowProperties(HWND hParent) override;
  int GetActionKinds(ActionKindList* pList) override;
  // The flag, and the plug-in's window shown or hidden with it.
  void SetVisible(BOOL bVisible) override;

  const CString& GetLibraryName() const { return m_strLibrary; }
  void SetLibraryName(const char* pszLibrary) { m_strLibrary = pszLibrary ? pszLibrary : ""; }
  const CPlugHost& GetHost() const { return m_host; }
  HWND GetPluginWnd() const { return m_window ? m_window->GetSafeHwnd() : nullptr; }

  // The property blob: the system keeps it unchanged, nothing reads it.
  DWORD GetBlobLength() const { return m_blob.GetLength(); }
  const BYTE* GetBlobData() const { return m_blob.GetData(); }
  void SetBlob(const void* pBytes, UINT nCount);

 private:
  void StoreBlob(CArchive& ar);
  void LoadBlob(CArchive& ar);
  // Creates the window of the plug-in's class over the object; false when
  // the platform refuses.
  bool CreatePluginWindow(BOOL bRunTime);
  void DestroyPluginWindow();
  // Tells the editor's output, once, that the library name was refused.
  void ReportRefusedLibrary(HWND hView);

  // Fields in the order of the picture model (the window pointer is the
  // base's m_pCtrlWnd; m_window owns the object behind it).
  CPlugHost m_host;
  CMemFile m_blob{kBlobGrowBytes};
  DWORD m_nBlobLength = 0;  // set when the blob is stored or loaded
  CString m_strLibrary;
  std::unique_ptr<CWnd> m_window;
  bool m_bRefusalReported = false;  // never stored
};

// The library that the plug-in drawing tool gives a new object.
extern const char kToolPluginLibrary[];
// The title prefix handed to the plug-in with QPM_SHOWPAGES.
extern const char kPluginPagesTitle[];
// What the editor's output says after the object's heading (which names the
// library) when the library name is refused.
extern const char kPluginRefusedText[];
