// The control's stream persistence and its property pages.
//
// Stream: the mark "QTOX", the back colour (32-bit), the factor (float), the
// number of characters of the text (32-bit), then the text's UTF-16 units.
#include <windows.h>

#include "testocx_control.h"
#include "testocx_ids.h"
#include "testocx_module.h"

namespace {

constexpr DWORD kMark = 0x584F5451;  // "QTOX"
constexpr DWORD kMostChars = 1u << 20;

struct Header {
  DWORD mark;
  LONG backColor;
  float factor;
  DWORD chars;
};
static_assert(sizeof(Header) == 16, "stream header");

HRESULT ReadAll(IStream* stream, void* into, ULONG bytes) {
  ULONG read = 0;
  HRESULT hr = stream->Read(into, bytes, &read);
  if (FAILED(hr)) return hr;
  return read == bytes ? S_OK : E_FAIL;
}

HRESULT WriteAll(IStream* stream, const void* from, ULONG bytes) {
  ULONG written = 0;
  HRESULT hr = stream->Write(from, bytes, &written);
  if (FAILED(hr)) return hr;
  return written == bytes ? S_OK : STG_E_MEDIUMFULL;
}

}  // namespace

HRESULT CTestOcx::GetClassID(CLSID* clsid) {
  if (!clsid) return E_POINTER;
  *clsid = m_clsid;
  return S_OK;
}

HRESULT CTestOcx::IsDirty() { return m_dirty ? S_OK : S_FALSE; }

HRESULT CTestOcx::Load(LPSTREAM stream) {
  if (!stream) return E_POINTER;
  Header header = {};
  HRESULT hr = ReadAll(stream, &header, sizeof header);
  if (FAILED(hr)) return hr;
  if (header.mark != kMark || header.chars > kMostChars) return E_FAIL;
  std::wstring text(header.chars, L'\0');
  if (header.chars && FAILED(hr = ReadAll(stream, &text[0], header.chars * sizeof(wchar_t)))) return hr;
  m_state = TestOcxState{text, header.backColor, header.factor};
  m_initialised = true;
  m_dirty = false;
  TestOcxLogCall("Load");
  Repaint();
  return S_OK;
}

HRESULT CTestOcx::Save(LPSTREAM stream, WINBOOL clearDirty) {
  if (!stream) return E_POINTER;
  if (m_failSave) return STG_E_CANTSAVE;
  Header header = {kMark, m_state.backColor, m_state.factor, static_cast<DWORD>(m_state.text.size())};
  HRESULT hr = WriteAll(stream, &header, sizeof header);
  if (SUCCEEDED(hr) && header.chars)
    hr = WriteAll(stream, m_state.text.data(), header.chars * sizeof(wchar_t));
  if (SUCCEEDED(hr) && clearDirty) m_dirty = false;
  return hr;
}

HRESULT CTestOcx::GetSizeMax(ULARGE_INTEGER* size) {
  if (!size) return E_POINTER;
  size->QuadPart = sizeof(Header) + m_state.text.size() * sizeof(wchar_t);
  return S_OK;
}

HRESULT CTestOcx::InitNew() {
  if (m_initialised) return E_UNEXPECTED;
  m_initialised = true;
  TestOcxLogCall("InitNew");
  return S_OK;
}

HRESULT CTestOcx::GetPages(CAUUID* pages) {
  if (!pages) return E_POINTER;
  pages->cElems = 1;
  pages->pElems = static_cast<GUID*>(::CoTaskMemAlloc(sizeof(GUID)));
  if (!pages->pElems) {
    pages->cElems = 0;
    return E_OUTOFMEMORY;
  }
  pages->pElems[0] = CLSID_QelTestOcxPage;
  return S_OK;
}
