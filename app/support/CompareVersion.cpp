#include "support/CompareVersion.h"
#include <cwchar>

std::vector<CString> SplitString(const CString& text, const CString& delimiter) {
  std::vector<CString> pieces;
  if (delimiter.IsEmpty()) {
    pieces.push_back(text);
    return pieces;
  }
  int from = 0;
  for (int at; (at = text.Find(delimiter, from)) >= 0; from = at + delimiter.GetLength())
    pieces.push_back(text.Mid(from, at - from));
  pieces.push_back(text.Mid(from));
  return pieces;
}

int CompareVersion(const CString& first, const CString& second) {
  std::vector<CString> a = SplitString(first, L".");
  std::vector<CString> b = SplitString(second, L".");
  if (a.size() != b.size()) return 2;
  for (size_t i = 0; i < a.size(); ++i) {
    int x = _wtoi(a[i]);
    int y = _wtoi(b[i]);
    if (x != y) return x > y ? -1 : 1;
  }
  return 0;
}
