// The property frame of hosted controls, built on the framework's property
// sheet: one page per page class of the control, each an empty child dialog
// of the size the page asks for, in which the control's page makes its own
// window, with a page site through which the page tells the frame it changed.
#include "olepropframe.h"

#include <memory>
#include <vector>

#include "comptr.h"
#include "oletext.h"
#include "sheets/propsheet.h"
#include "sheets/proppage.h"

namespace {

class COlePage;

// The site of one control page: its changes enable the sheet's Apply button.
class CPageSite : public IPropertyPageSite {
 public:
  CPageSite(COlePage* page, LCID locale) : m_page(page), m_locale(locale) {}
  void Disconnect() { m_page = nullptr; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IPropertyPageSite) {
      *out = static_cast<IPropertyPageSite*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&m_refs)); }
  ULONG STDMETHODCALLTYPE Release() override {
    LONG left = ::InterlockedDecrement(&m_refs);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }
  HRESULT STDMETHODCALLTYPE OnStatusChange(DWORD flags) override;
  HRESULT STDMETHODCALLTYPE GetLocaleID(LCID* locale) override {
    if (!locale) return E_POINTER;
    *locale = m_locale;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetPageContainer(IUnknown** container) override {
    if (container) *container = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG*) override { return S_FALSE; }

 private:
  virtual ~CPageSite() = default;
  LONG m_refs = 1;
  COlePage* m_page;
  LCID m_locale;
};

// One page of a control in the frame.
class COlePage : public CPropertyPage {
 public:
  COlePage(IPropertyPage* page, IUnknown* object, LCID locale)
      : CPropertyPage(0), m_page(page), m_object(object), m_site(new CPageSite(this, locale)) {}
  ~COlePage() override {
    if (m_hWnd) DestroyWindow();
    m_page->SetObjects(0, nullptr);
    m_page->SetPageSite(nullptr);
    m_site->Disconnect();
    m_site->Release();
  }

  // The page's title and size; false when the page describes none.
  bool Describe() {
    PROPPAGEINFO info = {};
    info.cb = sizeof info;
    if (FAILED(m_page->GetPageInfo(&info))) return false;
    m_title = TextFromWide(info.pszTitle);
    m_size = info.size;
    for (LPOLESTR text : {info.pszTitle, info.pszDocString, info.pszHelpFile}) ::CoTaskMemFree(text);
    return SUCCEEDED(m_page->SetPageSite(m_site)) && SUCCEEDED(m_page->SetObjects(1, &m_object));
  }

  PROPSHEETPAGEA BuildPageRecord() override {
    PROPSHEETPAGEA record = CPropertyPage::BuildPageRecord();
    BuildTemplate();
    record.dwFlags = PSP_DLGINDIRECT | PSP_USETITLE;
    record.pResource = reinterpret_cast<LPCDLGTEMPLATE>(m_template.data());
    record.pszTitle = m_title.GetString();
    return record;
  }

  void OnPageChanged() { SetModified(TRUE); }
  void SetOwner(HWND owner) { m_owner = owner; }

 protected:
  BOOL OnInitDialog() override {
    PlaceFrame();
    RECT client;
    GetClientRect(&client);
    if (SUCCEEDED(m_page->Activate(m_hWnd, &client, TRUE))) {
      m_active = true;
      m_page->Show(SW_SHOW);
    }
    return TRUE;
  }
  BOOL OnSetActive() override { return TRUE; }
  BOOL OnKillActive() override { return TRUE; }
  BOOL OnApply() override {
    if (m_active && m_page->IsPageDirty() == S_OK && FAILED(m_page->Apply())) return FALSE;
    return TRUE;
  }
  BOOL PreTranslateMessage(MSG* msg) override {
    return m_active && m_page->TranslateAccelerator(msg) == S_OK;
  }
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == WM_DESTROY && m_active) {
      m_active = false;
      m_page->Deactivate();
    }
    return CPropertyPage::WindowProc(msg, wp, lp);
  }

 private:
  // The frame stands at (0, 0) of its owner's client area.
  void PlaceFrame() {
    POINT origin = {0, 0};
    if (!m_owner || !::ClientToScreen(m_owner, &origin)) return;
    ::SetWindowPos(GetSheetWindow(), nullptr, origin.x, origin.y, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  // An empty page template of the page's size, in dialog units of the
  // system font.
  void BuildTemplate() {
    const LONG units = ::GetDialogBaseUnits();
    const int cx = ::MulDiv(m_size.cx, 4, LOWORD(units));
    const int cy = ::MulDiv(m_size.cy, 8, HIWORD(units));
    const DWORD style = WS_CHILD | WS_DISABLED | WS_CAPTION;
    m_template = {LOWORD(style),         HIWORD(style),         0, 0, 0, 0, 0,
                  static_cast<WORD>(cx), static_cast<WORD>(cy), 0, 0, 0, 0};
  }

  QComPtr<IPropertyPage> m_page;
  IUnknown* m_object;
  CPageSite* m_site;  // one reference held
  CString m_title;
  SIZE m_size = {};
  std::vector<WORD>
      m_template;  // DLGTEMPLATE: style, extended style, items, x, y, cx, cy, menu, class, title
  bool m_active = false;
  HWND m_owner = nullptr;
};

HRESULT CPageSite::OnStatusChange(DWORD flags) {
  if (m_page && (flags & PROPPAGESTATUS_DIRTY)) m_page->OnPageChanged();
  return S_OK;
}

}  // namespace

HRESULT QelShowPropertyFrame(HWND owner, const char* caption, IUnknown* object, const CAUUID& pages,
                             LCID locale) {
  if (!object) return E_POINTER;
  std::vector<std::unique_ptr<COlePage>> made;
  for (ULONG i = 0; i < pages.cElems; ++i) {
    QComPtr<IPropertyPage> page;
    if (FAILED(::CoCreateInstance(pages.pElems[i], nullptr, CLSCTX_INPROC_SERVER, IID_IPropertyPage,
                                  page.OutVoid())))
      continue;
    std::unique_ptr<COlePage> hosted(new COlePage(page.Get(), object, locale));
    hosted->SetOwner(owner);
    if (hosted->Describe()) made.push_back(std::move(hosted));
  }
  if (made.empty()) return E_FAIL;
  CPropertySheet sheet(caption, owner);
  for (auto& page : made) sheet.AddPage(page.get());
  return sheet.DoModal() == -1 ? E_FAIL : S_OK;
}
