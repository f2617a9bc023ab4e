// The platform's file, colour and font dialogs. Each runs modally over the
// owner that QelModalOwner picks for its parent and answers IDOK or IDCANCEL.
#pragma once
#include <windows.h>

#include <commdlg.h>

#include <string>

#include "qstring.h"

// The filter of a file dialog written with bars, "文本(*.txt)|*.txt|全部(*.*)|*.*||",
// in the form the platform takes (each bar a zero, ending in two zeros).
std::string QelFileFilter(const char* barredFilter);

class CFileDialog {
 public:
  // open TRUE: an open-file dialog, else a save-file dialog. defaultExt is
  // added to a name typed without one; fileName presets the name.
  CFileDialog(BOOL open, const char* defaultExt = nullptr, const char* fileName = nullptr,
              DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const char* filter = nullptr,
              HWND parent = nullptr);
  CFileDialog(const CFileDialog&) = delete;
  CFileDialog& operator=(const CFileDialog&) = delete;

  INT_PTR DoModal();
  void SetTitle(const char* title);

  CString GetPathName() const;   // the full path chosen
  CString GetFileName() const;   // its name with extension
  CString GetFileExt() const;    // the extension without the dot
  CString GetFileTitle() const;  // the name without extension

  OPENFILENAMEA m_ofn;

 private:
  BOOL m_open;
  HWND m_parent;
  std::string m_filter, m_defaultExt, m_title;
  char m_file[MAX_PATH * 4] = "";
};

class CColorDialog {
 public:
  explicit CColorDialog(COLORREF initial = 0, DWORD flags = 0, HWND parent = nullptr);
  INT_PTR DoModal();
  COLORREF GetColor() const { return m_cc.rgbResult; }

  CHOOSECOLORA m_cc;

 private:
  HWND m_parent;
};

class CFontDialog {
 public:
  // initial nullptr: the platform's choice; flags add CF_ flags to the screen fonts.
  explicit CFontDialog(const LOGFONTA* initial = nullptr, DWORD flags = 0, HWND parent = nullptr);
  CFontDialog(const CFontDialog&) = delete;
  CFontDialog& operator=(const CFontDialog&) = delete;
  INT_PTR DoModal();
  const LOGFONTA& GetLogFont() const { return m_font; }
  CString GetFaceName() const { return CString(m_font.lfFaceName); }

  CHOOSEFONTA m_cf;

 private:
  HWND m_parent;
  LOGFONTA m_font;
};
