#include "shell/UpdateDescription.h"

namespace {

constexpr const wchar_t* kBlanks = L" \t\r\n\v\f";

// The text after the first "[<id>]" header; false when there is none.
bool SectionBody(const CString& text, int languageId, CString& body) {
  CString header;
  header.Format(L"[%d]", languageId);
  const int at = text.Find(header.GetString());
  if (at < 0) return false;
  body = text.Mid(at + header.GetLength());
  return true;
}

}  // namespace

std::array<CString, 3> ParseUpdateDescription(const CString& text, int languageId) {
  std::array<CString, 3> lines;
  CString body;
  if (!SectionBody(text, languageId, body) && (languageId == 1033 || !SectionBody(text, 1033, body)))
    return lines;

  int start = 0;
  while (start <= body.GetLength()) {
    int end = body.Find(L'\n', start);
    if (end < 0) end = body.GetLength();
    CString piece = body.Mid(start, end - start);
    start = end + 1;
    piece.Trim(kBlanks);
    if (piece.IsEmpty()) continue;
    if (piece[0] == L'[') break;  // the next section
    const int eq = piece.Find(L'=');
    if (eq <= 0) continue;
    CString key = piece.Left(eq);
    CString value = piece.Mid(eq + 1);
    key.Trim(kBlanks);
    value.Trim(kBlanks);
    if (key == L"1") lines[0] = value;
    else if (key == L"2") lines[1] = value;
    else if (key == L"3") lines[2] = value;
  }
  return lines;
}

bool IsUsableVersionText(const CString& version) {
  const int length = version.GetLength();
  if (length == 0 || length > 10 || version == L"1.0.2.0") return false;
  for (int i = 0; i < length; ++i) {
    const wchar_t c = version[i];
    const bool ok = (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') ||
                    c == L'.' || c == L'-' || c == L'_';
    if (!ok) return false;
  }
  return true;
}
