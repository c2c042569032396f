#include "pages/MacroNames.h"
#include "shell/LanguageText.h"

namespace {

bool StartsWith(const CString& s, const wchar_t* prefix, int length) { return s.Left(length) == prefix; }

bool EndsWith(const CString& s, const wchar_t* suffix, int length) {
  return s.GetLength() >= length && s.Right(length) == suffix;
}

CString ReplacePrefix(const CString& name, int length) {
  CString label;
  label.Format(L"%s%s", LoadLangString(351).GetString(), name.Mid(length).GetString());
  return label;
}

// The part before the first occurrence of the suffix, a space and text 31.
CString ReplaceSuffix(const CString& name, const wchar_t* suffix) {
  CString label;
  label.Format(L"%s %s", name.Left(name.Find(suffix)).GetString(), LoadLangString(31).GetString());
  return label;
}

}  // namespace

CString MacroNames::KeyLabel(const CString& name) {
  if (StartsWith(name, L"New Macro", 9)) return ReplacePrefix(name, 9);
  if (StartsWith(name, L"\u65B0\u5EFA\u5DE8\u96C6", 4)) return ReplacePrefix(name, 4);  // 新建巨集
  if (StartsWith(name, L"\u65B0\u5EFA\u5B8F", 3)) return ReplacePrefix(name, 3);        // 新建宏
  return name;
}

CString MacroNames::ListLabel(const CString& name) {
  CString label = name;
  if (StartsWith(name, L"Custom", 6)) label = ReplacePrefix(name, 6);
  else if (StartsWith(name, L"\u81EA\u5B9A\u4E49", 3)) label = ReplacePrefix(name, 3);  // 自定义
  if (EndsWith(label, L"Copy", 4)) return ReplaceSuffix(label, L"Copy");
  if (EndsWith(label, L"\u590D\u5236", 2)) return ReplaceSuffix(label, L"\u590D\u5236");  // 复制
  return label;
}
