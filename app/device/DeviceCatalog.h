// The device catalogue of config.xml ("device.info"): one entry per keyboard model and
// one per way of connecting it, plus the few program settings read in the same pass;
// the matching of device-interface notifications against it; and the last-used model
// kept in the registry value "DeviceType".
#pragma once
#include <vector>
#include "core/CString.h"

struct DeviceCatalogEntry {
  CString name;  // keyboard entry: the model name; mode entry: the product string
  int deviceType = 0;
  CString deviceInfo;  // layout file name
  int mode = 0;        // DeviceLinkMode (mode entries)
  int vid = 0;
  int pid = 0;
  CString desc;
  CString hidInterface;  // fragment of the upper-cased device-interface path
  CString connectedPicture;
  CString disconnectedPicture;
  int present = 0;
};

struct DeviceCatalog {
  std::vector<DeviceCatalogEntry> keyboards;
  std::vector<DeviceCatalogEntry> modes;
  // Colour pictures of each keyboard entry (same order as `keyboards`).
  std::vector<std::vector<CString>> colorImages;
  int defaultLanguage = 0;
  CString softwareVersion;
  CString websiteUrl, feedbackUrl, faqsUrl, storeUrl, upgradeUrl;
};

// Reads "<exeFolder>config.xml" (`exeFolder` ends with a backslash). False, with an
// empty catalogue, when the file cannot be read, is not well formed or has no "config".
bool LoadDeviceCatalogFile(const CString& exeFolder, DeviceCatalog& catalog);

// Index of the mode entry an arrival notification for `upperPath` concerns (the first
// whose fragment occurs in it), -1 when none.
int MatchArrival(const std::vector<DeviceCatalogEntry>& modes, const CString& upperPath);
// As MatchArrival among the present entries only.
int MatchRemoval(const std::vector<DeviceCatalogEntry>& modes, const CString& upperPath);

// HKCU "SOFTWARE\<software>" value "DeviceType": 0 when missing; writing never creates the key.
int ReadDeviceTypeSetting(const CString& software);
void WriteDeviceTypeSetting(const CString& software, int model);
