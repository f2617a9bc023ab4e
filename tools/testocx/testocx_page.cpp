#include "testocx_page.h"

#include <olectl.h>

#include <string>

#include "testocx_ids.h"
#include "testocx_module.h"

namespace {

const wchar_t kPageClass[] = L"QelTestOcxPage";
const SIZE kPageSize = {240, 80};

LRESULT CALLBACK PageProc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
  auto* page = reinterpret_cast<CTestOcxPage*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (msg == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lp);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  } else if (msg == WM_COMMAND && LOWORD(wp) == kTestOcxPageEdit && HIWORD(wp) == EN_CHANGE && page) {
    page->OnEdited();
    return 0;
  }
  return ::DefWindowProcW(window, msg, wp, lp);
}

const wchar_t* PageClass() {
  WNDCLASSW wc = {};
  if (!::GetClassInfoW(TestOcxInstance(), kPageClass, &wc)) {
    wc.lpfnWndProc = PageProc;
    wc.hInstance = TestOcxInstance();
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    wc.lpszClassName = kPageClass;
    ::RegisterClassW(&wc);
  }
  return kPageClass;
}

HRESULT Property(IDispatch* object, DISPID id, WORD flags, VARIANT* value, VARIANT* result) {
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params = {};
  if (flags == DISPATCH_PROPERTYPUT) {
    params.rgvarg = value;
    params.cArgs = 1;
    params.rgdispidNamedArgs = &named;
    params.cNamedArgs = 1;
  }
  return object->Invoke(id, IID_NULL, 0, flags, &params, result, nullptr, nullptr);
}

wchar_t* TaskText(const wchar_t* text) {
  size_t bytes = (::lstrlenW(text) + 1) * sizeof(wchar_t);
  auto* copy = static_cast<wchar_t*>(::CoTaskMemAlloc(bytes));
  if (copy) ::CopyMemory(copy, text, bytes);
  return copy;
}

}  // namespace

CTestOcxPage::CTestOcxPage() { TestOcxObjectMade(); }

CTestOcxPage::~CTestOcxPage() {
  if (m_window) ::DestroyWindow(m_window);
  ReleaseObject();
  if (m_site) m_site->Release();
  TestOcxObjectGone();
}

HRESULT CTestOcxPage::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IPropertyPage) {
    *out = static_cast<IPropertyPage*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

ULONG CTestOcxPage::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&m_refs)); }

ULONG CTestOcxPage::Release() {
  LONG left = ::InterlockedDecrement(&m_refs);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

void CTestOcxPage::ReleaseObject() {
  if (m_object) m_object->Release();
  m_object = nullptr;
}

HRESULT CTestOcxPage::SetPageSite(IPropertyPageSite* site) {
  if (site) site->AddRef();
  if (m_site) m_site->Release();
  m_site = site;
  return S_OK;
}

HRESULT CTestOcxPage::Activate(HWND parent, LPCRECT rect, WINBOOL) {
  if (!rect) return E_POINTER;
  if (m_window) return E_UNEXPECTED;
  m_window = ::CreateWindowExW(WS_EX_CONTROLPARENT, PageClass(), L"", WS_CHILD, rect->left, rect->top,
                               rect->right - rect->left, rect->bottom - rect->top, parent, nullptr,
                               TestOcxInstance(), this);
  if (!m_window) return E_FAIL;
  m_edit = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                             WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 8, 8, kPageSize.cx - 16, 22,
                             m_window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTestOcxPageEdit)),
                             TestOcxInstance(), nullptr);
  VARIANT text;
  ::VariantInit(&text);
  if (m_object && SUCCEEDED(Property(m_object, TOX_TEXT, DISPATCH_PROPERTYGET, nullptr, &text)) &&
      text.vt == VT_BSTR) {
    m_filling = true;
    ::SetWindowTextW(m_edit, text.bstrVal);
    m_filling = false;
  }
  ::VariantClear(&text);
  m_dirty = false;
  TestOcxLogCall("PageActivate");
  return S_OK;
}

HRESULT CTestOcxPage::Deactivate() {
  if (m_window) ::DestroyWindow(m_window);
  m_window = m_edit = nullptr;
  return S_OK;
}

HRESULT CTestOcxPage::GetPageInfo(PROPPAGEINFO* info) {
  if (!info) return E_POINTER;
  info->cb = sizeof *info;
  info->pszTitle = TaskText(TESTOCX_PAGE_TITLE);
  info->size = kPageSize;
  info->pszDocString = nullptr;
  info->pszHelpFile = nullptr;
  info->dwHelpContext = 0;
  return S_OK;
}

HRESULT CTestOcxPage::SetObjects(ULONG count, IUnknown** objects) {
  ReleaseObject();
  if (count == 0) return S_OK;
  if (!objects || !objects[0]) return E_POINTER;
  return objects[0]->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&m_object));
}

HRESULT CTestOcxPage::Show(UINT cmd) {
  if (m_window) ::ShowWindow(m_window, static_cast<int>(cmd));
  return S_OK;
}

HRESULT CTestOcxPage::Move(LPCRECT rect) {
  if (!rect) return E_POINTER;
  if (m_window)
    ::MoveWindow(m_window, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, TRUE);
  return S_OK;
}

HRESULT CTestOcxPage::IsPageDirty() { return m_dirty ? S_OK : S_FALSE; }

HRESULT CTestOcxPage::Apply() {
  TestOcxLogCall("PageApply");
  if (!m_dirty) return S_OK;
  if (!m_object || !m_edit) return E_UNEXPECTED;
  int length = ::GetWindowTextLengthW(m_edit);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  ::GetWindowTextW(m_edit, &text[0], length + 1);
  VARIANT value;
  value.vt = VT_BSTR;
  value.bstrVal = ::SysAllocStringLen(text.data(), static_cast<UINT>(length));
  HRESULT hr = Property(m_object, TOX_TEXT, DISPATCH_PROPERTYPUT, &value, nullptr);
  ::VariantClear(&value);
  if (SUCCEEDED(hr)) m_dirty = false;
  return hr;
}

HRESULT CTestOcxPage::Help(LPCOLESTR) { return E_NOTIMPL; }

HRESULT CTestOcxPage::TranslateAccelerator(MSG*) { return S_FALSE; }

void CTestOcxPage::OnEdited() {
  if (m_filling) return;
  m_dirty = true;
  if (m_site) m_site->OnStatusChange(PROPPAGESTATUS_DIRTY | PROPPAGESTATUS_VALIDATE);
}
