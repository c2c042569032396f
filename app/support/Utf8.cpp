#include "support/Utf8.h"
#include <windows.h>
#include <cstring>

std::string ToUtf8(const CString& text) {
  const wchar_t* s = text.GetString();
  int n = WideCharToMultiByte(CP_UTF8, 0, s, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 1) return {};
  std::string out(n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, s, -1, out.data(), n, nullptr, nullptr);
  out.resize(std::strlen(out.c_str()));
  return out;
}

CString FromUtf8(const char* text) {
  if (!text) return CString();
  int n = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
  if (n <= 1) return CString();
  std::wstring out(n, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text, -1, out.data(), n);
  out.resize(std::wcslen(out.c_str()));
  return CString(std::move(out));
}
