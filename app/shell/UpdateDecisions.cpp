#include "shell/UpdateDecisions.h"
#include <cwchar>
#include "support/CompareVersion.h"

bool IsSoftwareUpdateOffered(const CString& running, const CString& latest) {
  const int order = CompareVersion(running, latest);
  return order == 1 || order == 2;
}

bool IsFirmwareOlder(const CString& keyboard, const CString& offered) {
  if (offered.IsEmpty()) return false;
  return _wtoi(keyboard.GetString()) < _wtoi(offered.GetString());
}

CString FirmwareVersionText(const CString& version) {
  CString text;
  if (version.GetLength() >= 3)
    text.Format(L"v%s.%s", version.Left(1).GetString(), version.Right(2).GetString());
  else
    text.Format(L"v%s", version.GetString());
  return text;
}

CString FirmwareOfferText(const CString& label, const CString& offered, const CString& question) {
  CString text;
  text.Format(L"%s: %s, %s", label.GetString(), FirmwareVersionText(offered).GetString(), question.GetString());
  return text;
}
