// The test control's property page: one edit box with the control's Text.
// Editing it makes the page dirty (the frame is told through its page site);
// Apply puts the text into the control through its IDispatch.
#pragma once
#include <windows.h>
#include <ocidl.h>

class CTestOcxPage : public IPropertyPage {
 public:
  CTestOcxPage();

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  HRESULT STDMETHODCALLTYPE SetPageSite(IPropertyPageSite* site) override;
  HRESULT STDMETHODCALLTYPE Activate(HWND parent, LPCRECT rect, WINBOOL modal) override;
  HRESULT STDMETHODCALLTYPE Deactivate() override;
  HRESULT STDMETHODCALLTYPE GetPageInfo(PROPPAGEINFO* info) override;
  HRESULT STDMETHODCALLTYPE SetObjects(ULONG count, IUnknown** objects) override;
  HRESULT STDMETHODCALLTYPE Show(UINT cmd) override;
  HRESULT STDMETHODCALLTYPE Move(LPCRECT rect) override;
  HRESULT STDMETHODCALLTYPE IsPageDirty() override;
  HRESULT STDMETHODCALLTYPE Apply() override;
  HRESULT STDMETHODCALLTYPE Help(LPCOLESTR helpDir) override;
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG* msg) override;

  // From the page's window: the edit box changed.
  void OnEdited();

 private:
  virtual ~CTestOcxPage();
  void ReleaseObject();

  LONG m_refs = 1;
  IPropertyPageSite* m_site = nullptr;
  IDispatch* m_object = nullptr;
  HWND m_window = nullptr;
  HWND m_edit = nullptr;
  bool m_dirty = false;
  bool m_filling = false;  // the page is putting the control's text in
};
