#include "pages/OpenFileNames.h"
#include "pages/LedPaths.h"

namespace {
// The null-ended strings of the buffer, up to the first empty one.
std::vector<CString> Strings(const wchar_t* buffer, size_t length) {
  std::vector<CString> parts;
  size_t at = 0;
  while (buffer && at < length && buffer[at] != L'\0') {
    size_t end = at;
    while (end < length && buffer[end] != L'\0') ++end;
    parts.emplace_back(buffer + at, int(end - at));
    at = end + 1;
  }
  return parts;
}
}  // namespace

OpenFileNames::Result OpenFileNames::Split(const wchar_t* buffer, size_t length, int maxPath) {
  Result result;
  std::vector<CString> parts = Strings(buffer, length);
  if (parts.empty()) return result;
  if (parts.size() == 1) {
    (parts[0].GetLength() <= maxPath ? result.paths : result.refused).push_back(parts[0]);
    return result;
  }
  CString folder = parts[0];
  if (folder[folder.GetLength() - 1] != L'\\') folder += L'\\';
  for (size_t i = 1; i < parts.size(); ++i) {
    const CString path = folder + parts[i];
    const bool fits = path.GetLength() <= maxPath && LedPaths::IsPlainName(parts[i]);
    (fits ? result.paths : result.refused).push_back(path);
  }
  return result;
}
