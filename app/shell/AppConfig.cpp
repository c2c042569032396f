#include "shell/AppConfig.h"
#include <cwchar>
#include "core/Manager.h"
#include "support/XmlDoc.h"

std::set<int> OfferedLanguages;

void LoadAppConfig(const CString& folder) {
  OfferedLanguages.clear();
  XmlDoc xml;
  if (!xml.Load((folder + L"config.xml").GetString())) return;
  if (!xml.FindElement(L"config")) return;
  xml.IntoElement();
  // The search only goes forward: "software" is found only after "language.info".
  if (xml.FindElement(L"language.info")) {
    xml.IntoElement();
    while (xml.FindElement(L"lan")) OfferedLanguages.insert(int(wcstol(xml.GetAttribute(L"value").GetString(), nullptr, 10)));
    xml.OutOfElement();
  }
  if (xml.FindElement(L"software")) {
    CString name = xml.GetAttribute(L"name");
    if (!name.IsEmpty()) Manager::SetDeviceName(name);
  }
}
