#include "shell/ProfileXml.h"
#include <windows.h>
#include <climits>
#include "support/XmlDoc.h"

namespace {

constexpr const wchar_t* kDeclaration = L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";

// The leading, optionally signed decimal number of an attribute; 0 when there is none.
// Held within int: a number too long to fit keeps its sign and reads as out of range.
int ReadDecimal(const CString& text) {
  const wchar_t* p = text.GetString();
  while (*p == L' ' || *p == L'\t') ++p;
  const bool negative = *p == L'-';
  if (*p == L'-' || *p == L'+') ++p;
  long long value = 0;
  for (; *p >= L'0' && *p <= L'9'; ++p) {
    value = value * 10 + (*p - L'0');
    if (value > INT_MAX) return negative ? INT_MIN : INT_MAX;
  }
  return static_cast<int>(negative ? -value : value);
}

void SetNumber(XmlDoc& doc, const wchar_t* name, int value) { doc.SetAttribute(name, value); }
void SetText(XmlDoc& doc, const wchar_t* name, const CString& text) {
  doc.SetAttribute(doc.GetCurrentPos(), name, text.GetString());
}

KeyMacroRecord ReadItem(const XmlDoc& doc) {
  KeyMacroRecord r;
  r.fn_layer = ReadDecimal(doc.GetAttribute(L"fn_layer"));
  r.key_code = ReadDecimal(doc.GetAttribute(L"key_code"));
  r.layout_value = ReadDecimal(doc.GetAttribute(L"layout_value"));
  r.layout_desc = doc.GetAttribute(L"layout_desc");
  r.macro_type = ReadDecimal(doc.GetAttribute(L"macro_type"));
  r.macro_value = ReadDecimal(doc.GetAttribute(L"macro_value"));
  r.macro_value2 = ReadDecimal(doc.GetAttribute(L"macro_value2"));
  r.macro_value3 = ReadDecimal(doc.GetAttribute(L"macro_value3"));
  r.macro_desc = doc.GetAttribute(L"macro_desc");
  return r;
}

// The folder part of a path, "." when it has none.
CString FolderOf(const CString& path) {
  int cut = -1;
  for (int i = 0; i < path.GetLength(); ++i)
    if (path[i] == L'\\' || path[i] == L'/') cut = i;
  return cut < 0 ? CString(L".") : path.Left(cut + 1);
}

}  // namespace

bool ProfileXml::IsStorableItem(const KeyMacroRecord& item) {
  return item.fn_layer >= 0 && item.fn_layer <= kLastFnLayer && item.key_code >= 1 && item.key_code <= kLastKeyCode;
}

CString ProfileXml::Write(const ProfileFile& profile) {
  XmlDoc doc;
  doc.SetDocument(kDeclaration);
  doc.AddElement(L"profile");
  doc.IntoElement();
  doc.AddElement(L"profileinfo");
  SetText(doc, L"name", profile.name);
  doc.AddElement(L"key_macro");
  doc.IntoElement();
  for (const KeyMacroRecord& r : profile.items) {
    doc.AddElement(L"item");
    SetNumber(doc, L"fn_layer", r.fn_layer);
    SetNumber(doc, L"key_code", r.key_code);
    SetNumber(doc, L"layout_value", r.layout_value);
    SetText(doc, L"layout_desc", r.layout_desc);
    SetNumber(doc, L"macro_type", r.macro_type);
    SetNumber(doc, L"macro_value", r.macro_value);
    SetNumber(doc, L"macro_value2", r.macro_value2);
    SetNumber(doc, L"macro_value3", r.macro_value3);
    SetText(doc, L"macro_desc", r.macro_desc);
  }
  return doc.GetDocument();
}

ProfileXmlResult ProfileXml::Read(const CString& text, ProfileFile& profile) {
  profile = ProfileFile();
  XmlDoc doc;
  if (!doc.SetDocument(text.GetString())) return ProfileXmlResult::NotWellFormed;
  if (!doc.FindElement(L"profile")) return ProfileXmlResult::NotAProfile;

  ProfileFile read;
  doc.IntoElement();
  if (doc.FindElement(L"profileinfo")) read.name = doc.GetAttribute(L"name");
  // The key list is looked for from the first child, wherever the name stands.
  doc.ParseDoc();
  doc.FindElement(L"profile");
  doc.IntoElement();
  if (doc.FindElement(L"key_macro")) {
    doc.IntoElement();
    while (doc.FindElement(L"item")) {
      KeyMacroRecord r = ReadItem(doc);
      // An item for a layer or key the keyboard does not have would be written into the
      // key map at a place that belongs to something else: it is left out.
      if (!IsStorableItem(r)) {
        ++read.skippedItems;
        continue;
      }
      read.items.push_back(r);
    }
  }
  profile = std::move(read);
  return ProfileXmlResult::Ok;
}

ProfileXmlResult ProfileXml::Save(const CString& path, const ProfileFile& profile) {
  wchar_t temp[MAX_PATH] = {};
  if (!::GetTempFileNameW(FolderOf(path).GetString(), L"qpx", 0, temp)) return ProfileXmlResult::CannotWrite;
  const CString text = Write(profile);
  if (!XmlDoc::WriteTextFile(temp, text, nullptr, nullptr) ||
      !::MoveFileExW(temp, path.GetString(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    ::DeleteFileW(temp);
    return ProfileXmlResult::CannotWrite;
  }
  return ProfileXmlResult::Ok;
}

ProfileXmlResult ProfileXml::Load(const CString& path, ProfileFile& profile) {
  profile = ProfileFile();
  CString text;
  if (!XmlDoc::ReadTextFile(path.GetString(), text, nullptr, nullptr)) return ProfileXmlResult::CannotRead;
  return Read(text, profile);
}
