// The test control: one COM object with the interfaces a container needs
// (dispatch, class information, stream persistence, property pages, OLE
// object, in-place object, control). Which of the optional ones a class
// offers is given by its features.
#pragma once
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <string>

enum TestOcxFeature : unsigned {
  TOF_CLASSINFO = 1,  // IProvideClassInfo
  TOF_PAGES = 2,      // ISpecifyPropertyPages
  TOF_TYPEINFO = 4,   // IDispatch::GetTypeInfo gives the interface's type information
};

// What the control stores.
struct TestOcxState {
  std::wstring text;
  LONG backColor;
  float factor;
};

class CTestOcx : public IDispatch,
                 public IProvideClassInfo,
                 public IPersistStreamInit,
                 public ISpecifyPropertyPages,
                 public IOleObject,
                 public IOleInPlaceObject,
                 public IOleControl {
 public:
  CTestOcx(const CLSID& clsid, unsigned features);

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IDispatch (testocx_dispatch.cpp)
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* exception, UINT* badArg) override;
  // IProvideClassInfo
  HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** info) override;

  // IPersist, IPersistStreamInit (testocx_persist.cpp)
  HRESULT STDMETHODCALLTYPE GetClassID(CLSID* clsid) override;
  HRESULT STDMETHODCALLTYPE IsDirty() override;
  HRESULT STDMETHODCALLTYPE Load(LPSTREAM stream) override;
  HRESULT STDMETHODCALLTYPE Save(LPSTREAM stream, WINBOOL clearDirty) override;
  HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER* size) override;
  HRESULT STDMETHODCALLTYPE InitNew() override;
  // ISpecifyPropertyPages
  HRESULT STDMETHODCALLTYPE GetPages(CAUUID* pages) override;

  // IOleObject (testocx_ole.cpp)
  HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite* site) override;
  HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite** site) override;
  HRESULT STDMETHODCALLTYPE SetHostNames(LPCOLESTR app, LPCOLESTR obj) override;
  HRESULT STDMETHODCALLTYPE Close(DWORD saveOption) override;
  HRESULT STDMETHODCALLTYPE SetMoniker(DWORD which, IMoniker* moniker) override;
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD assign, DWORD which, IMoniker** moniker) override;
  HRESULT STDMETHODCALLTYPE InitFromData(IDataObject* data, WINBOOL creation, DWORD reserved) override;
  HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD reserved, IDataObject** data) override;
  HRESULT STDMETHODCALLTYPE DoVerb(LONG verb, LPMSG msg, IOleClientSite* site, LONG index, HWND parent,
                                   LPCRECT position) override;
  HRESULT STDMETHODCALLTYPE EnumVerbs(IEnumOLEVERB** verbs) override;
  HRESULT STDMETHODCALLTYPE Update() override;
  HRESULT STDMETHODCALLTYPE IsUpToDate() override;
  HRESULT STDMETHODCALLTYPE GetUserClassID(CLSID* clsid) override;
  HRESULT STDMETHODCALLTYPE GetUserType(DWORD form, LPOLESTR* type) override;
  HRESULT STDMETHODCALLTYPE SetExtent(DWORD aspect, SIZEL* size) override;
  HRESULT STDMETHODCALLTYPE GetExtent(DWORD aspect, SIZEL* size) override;
  HRESULT STDMETHODCALLTYPE Advise(IAdviseSink* sink, DWORD* connection) override;
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD connection) override;
  HRESULT STDMETHODCALLTYPE EnumAdvise(IEnumSTATDATA** advise) override;
  HRESULT STDMETHODCALLTYPE GetMiscStatus(DWORD aspect, DWORD* status) override;
  HRESULT STDMETHODCALLTYPE SetColorScheme(LOGPALETTE* palette) override;
  // IOleWindow, IOleInPlaceObject
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(WINBOOL enter) override;
  HRESULT STDMETHODCALLTYPE InPlaceDeactivate() override;
  HRESULT STDMETHODCALLTYPE UIDeactivate() override;
  HRESULT STDMETHODCALLTYPE SetObjectRects(LPCRECT position, LPCRECT clip) override;
  HRESULT STDMETHODCALLTYPE ReactivateAndUndo() override;
  // IOleControl
  HRESULT STDMETHODCALLTYPE GetControlInfo(CONTROLINFO* info) override;
  HRESULT STDMETHODCALLTYPE OnMnemonic(MSG* msg) override;
  HRESULT STDMETHODCALLTYPE OnAmbientPropertyChange(DISPID id) override;
  HRESULT STDMETHODCALLTYPE FreezeEvents(WINBOOL freeze) override;

  // For the window: what it paints.
  const TestOcxState& State() const { return m_state; }

 private:
  virtual ~CTestOcx();
  HRESULT ActivateInPlace(IOleClientSite* site);
  void Repaint();
  bool AmbientUserMode();
  HRESULT GetProperty(DISPID id, VARIANT* result);
  HRESULT PutProperty(DISPID id, VARIANT* value);
  HRESULT CallMethod(DISPID id, DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception, UINT* badArg);

  LONG m_refs = 1;
  CLSID m_clsid;
  unsigned m_features;
  TestOcxState m_state;
  bool m_dirty = false;
  bool m_initialised = false;
  bool m_failSave = false;
  SIZEL m_extent = {2540, 2540};
  IOleClientSite* m_site = nullptr;
  IOleInPlaceSite* m_inPlaceSite = nullptr;  // while in-place active
  IOleAdviseHolder* m_adviseHolder = nullptr;
  HWND m_window = nullptr;
};

// The control's window class, registered once per load of the DLL.
bool RegisterTestOcxWindowClass(HINSTANCE instance);
void UnregisterTestOcxWindowClass(HINSTANCE instance);
HWND CreateTestOcxWindow(CTestOcx* control, HWND parent, const RECT& rect);
