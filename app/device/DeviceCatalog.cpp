#include "device/DeviceCatalog.h"
#include <windows.h>
#include <cwchar>
#include "support/XmlDoc.h"

namespace {

int HexValue(const CString& text) { return int(wcstol(text.GetString(), nullptr, 16)); }
int DecValue(const CString& text) { return _wtoi(text.GetString()); }

std::vector<CString> PngFiles(const CString& folder) {
  std::vector<CString> files;
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((folder + L"*.png").GetString(), &fd);
  if (h == INVALID_HANDLE_VALUE) return files;
  do {
    if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) files.push_back(folder + fd.cFileName);
  } while (FindNextFileW(h, &fd));
  FindClose(h);
  return files;
}

void ReadKeyboard(XmlDoc& xml, const CString& exeFolder, DeviceCatalog& c) {
  DeviceCatalogEntry e;
  e.name = xml.GetAttribute(L"name");
  e.deviceType = DecValue(xml.GetAttribute(L"device_type"));
  e.deviceInfo = xml.GetAttribute(L"device_info");
  e.connectedPicture = exeFolder + L"device\\" + xml.GetAttribute(L"img_connected");
  e.disconnectedPicture = exeFolder + L"device\\" + xml.GetAttribute(L"img_disconnected");
  c.keyboards.push_back(e);
  c.colorImages.push_back(PngFiles(exeFolder + L"device\\" + e.name + L"\\"));
  xml.IntoElement();
  while (xml.FindElement(L"mode")) {
    DeviceCatalogEntry m = e;
    m.mode = DecValue(xml.GetAttribute(L"value"));
    m.desc = xml.GetAttribute(L"desc");
    m.vid = HexValue(xml.GetAttribute(L"vid"));
    m.pid = HexValue(xml.GetAttribute(L"pid"));
    m.name = xml.GetAttribute(L"product_name");
    m.hidInterface = xml.GetAttribute(L"hid_interface");
    c.modes.push_back(m);
  }
  xml.OutOfElement();
}

CString ChildUrl(XmlDoc& xml, const wchar_t* name) {
  return xml.FindElement(name) ? xml.GetAttribute(L"url") : CString();
}

}  // namespace

bool LoadDeviceCatalogFile(const CString& exeFolder, DeviceCatalog& c) {
  c = DeviceCatalog();
  XmlDoc xml;
  if (!xml.Load((exeFolder + L"config.xml").GetString())) return false;
  if (!xml.FindElement(L"config")) return false;
  xml.IntoElement();
  if (xml.FindElement(L"device.info")) {
    xml.IntoElement();
    while (xml.FindElement(L"keyboard")) ReadKeyboard(xml, exeFolder, c);
    xml.OutOfElement();
  }
  // The search only goes forward: the children stand in the order read here.
  if (xml.FindElement(L"language.info")) c.defaultLanguage = DecValue(xml.GetAttribute(L"default_lan"));
  if (xml.FindElement(L"software")) {
    c.softwareVersion = xml.GetAttribute(L"version");
    xml.IntoElement();
    c.websiteUrl = ChildUrl(xml, L"website");
    c.feedbackUrl = ChildUrl(xml, L"feedback");
    c.faqsUrl = ChildUrl(xml, L"faqs");
    c.storeUrl = ChildUrl(xml, L"store");
    c.upgradeUrl = ChildUrl(xml, L"upgrade");
    xml.OutOfElement();
  }
  return true;
}

int MatchArrival(const std::vector<DeviceCatalogEntry>& modes, const CString& upperPath) {
  for (size_t i = 0; i < modes.size(); ++i) {
    if (upperPath.Find(modes[i].hidInterface.GetString()) >= 0) return int(i);
  }
  return -1;
}

int MatchRemoval(const std::vector<DeviceCatalogEntry>& modes, const CString& upperPath) {
  for (size_t i = 0; i < modes.size(); ++i) {
    if (modes[i].present && upperPath.Find(modes[i].hidInterface.GetString()) >= 0) return int(i);
  }
  return -1;
}

int ReadDeviceTypeSetting(const CString& software) {
  HKEY key = nullptr;
  CString path = L"SOFTWARE\\" + software;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, path.GetString(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return 0;
  wchar_t text[128] = {};
  DWORD size = sizeof(text) - sizeof(wchar_t);
  DWORD type = 0;
  int model = 0;
  if (RegQueryValueExW(key, L"DeviceType", nullptr, &type, reinterpret_cast<BYTE*>(text), &size) ==
          ERROR_SUCCESS &&
      type == REG_SZ) {
    model = _wtoi(text);
  }
  RegCloseKey(key);
  return model;
}

void WriteDeviceTypeSetting(const CString& software, int model) {
  HKEY key = nullptr;
  CString path = L"SOFTWARE\\" + software;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, path.GetString(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  wchar_t text[16] = {};
  swprintf(text, 16, L"%d", model);
  RegSetValueExW(key, L"DeviceType", 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                 DWORD((wcslen(text) + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
}
