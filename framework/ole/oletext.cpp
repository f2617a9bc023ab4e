#include "oletext.h"

CString TextFromWide(const wchar_t* wide, int count) {
  if (!wide || count == 0) return CString();
  int bytes = ::WideCharToMultiByte(CP_ACP, 0, wide, count, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return CString();
  std::string text(static_cast<size_t>(bytes), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, wide, count, &text[0], bytes, nullptr, nullptr);
  if (count < 0) text.resize(text.size() - 1);  // the converted terminator
  return CString(text.data(), static_cast<int>(text.size()));
}

CString TextFromBstr(BSTR text) {
  if (!text) return CString();
  return TextFromWide(text, static_cast<int>(::SysStringLen(text)));
}

std::wstring WideFromText(const char* text) {
  if (!text || !*text) return std::wstring();
  int chars = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  if (chars <= 0) return std::wstring();
  std::wstring wide(static_cast<size_t>(chars), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], chars);
  wide.resize(wide.size() - 1);
  return wide;
}

BSTR BstrFromText(const char* text) {
  std::wstring wide = WideFromText(text);
  return ::SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}
