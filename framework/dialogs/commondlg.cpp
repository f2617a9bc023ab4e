#include "dialogs/commondlg.h"

#include <cstring>

#include "dialogs/modalloop.h"

namespace {

// The custom colours of the colour dialog, kept for the module's life as the
// platform expects.
COLORREF g_customColours[16] = {};

INT_PTR Answer(BOOL chosen) { return chosen ? IDOK : IDCANCEL; }

}  // namespace

std::string QelFileFilter(const char* barredFilter) {
  std::string filter = barredFilter ? barredFilter : "";
  for (char& c : filter)
    if (c == '|') c = '\0';
  filter.append(2, '\0');  // the platform reads up to two zeros in a row
  return filter;
}

CFileDialog::CFileDialog(BOOL open, const char* defaultExt, const char* fileName, DWORD flags,
                         const char* filter, HWND parent)
    : m_ofn(), m_open(open), m_parent(parent) {
  m_ofn.lStructSize = sizeof m_ofn;
  m_ofn.Flags = flags | OFN_EXPLORER;
  if (filter) {
    m_filter = QelFileFilter(filter);
    m_ofn.lpstrFilter = m_filter.c_str();
  }
  if (defaultExt) {
    m_defaultExt = defaultExt;
    if (!m_defaultExt.empty() && m_defaultExt[0] == '.') m_defaultExt.erase(0, 1);
    m_ofn.lpstrDefExt = m_defaultExt.c_str();
  }
  if (fileName) {
    std::strncpy(m_file, fileName, sizeof m_file - 1);
    m_file[sizeof m_file - 1] = '\0';
  }
  m_ofn.lpstrFile = m_file;
  m_ofn.nMaxFile = sizeof m_file;
}

void CFileDialog::SetTitle(const char* title) {
  m_title = title ? title : "";
  m_ofn.lpstrTitle = m_title.empty() ? nullptr : m_title.c_str();
}

INT_PTR CFileDialog::DoModal() {
  m_ofn.hwndOwner = QelModalOwner(m_parent);
  return Answer(m_open ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn));
}

CString CFileDialog::GetPathName() const { return CString(m_file); }

CString CFileDialog::GetFileName() const {
  CString path(m_file);
  int slash = path.ReverseFind('\\');
  if (slash < 0) slash = path.ReverseFind('/');
  return path.Mid(slash + 1);
}

CString CFileDialog::GetFileExt() const {
  CString name = GetFileName();
  int dot = name.ReverseFind('.');
  return dot < 0 ? CString() : name.Mid(dot + 1);
}

CString CFileDialog::GetFileTitle() const {
  CString name = GetFileName();
  int dot = name.ReverseFind('.');
  return dot < 0 ? name : name.Left(dot);
}

CColorDialog::CColorDialog(COLORREF initial, DWORD flags, HWND parent) : m_cc(), m_parent(parent) {
  m_cc.lStructSize = sizeof m_cc;
  m_cc.rgbResult = initial;
  m_cc.lpCustColors = g_customColours;
  m_cc.Flags = flags | CC_RGBINIT;
}

INT_PTR CColorDialog::DoModal() {
  m_cc.hwndOwner = QelModalOwner(m_parent);
  return Answer(::ChooseColorA(&m_cc));
}

CFontDialog::CFontDialog(const LOGFONTA* initial, DWORD flags, HWND parent)
    : m_cf(), m_parent(parent), m_font() {
  m_cf.lStructSize = sizeof m_cf;
  m_cf.lpLogFont = &m_font;
  m_cf.Flags = flags | CF_SCREENFONTS;
  if (initial) {
    m_font = *initial;
    m_cf.Flags |= CF_INITTOLOGFONTSTRUCT;
  }
}

INT_PTR CFontDialog::DoModal() {
  m_cf.hwndOwner = QelModalOwner(m_parent);
  return Answer(::ChooseFontA(&m_cf));
}
