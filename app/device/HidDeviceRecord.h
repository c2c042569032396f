// The catalogue's model entries and the records of opened vendor interfaces.
#pragma once
#include <string>
#include "core/CString.h"
#include "device/DeviceReport.h"

struct hid_device_;
typedef struct hid_device_ hid_device;

// How a keyboard is reached through an interface.
enum DeviceLinkMode {
  kLinkWired = 0,     // USB cable
  kLinkReceiver = 1,  // 2.4 GHz receiver; the keyboard behind it may be unlinked
  kLinkOther = 2,     // another link, timed like a cable
};

// One model entry of the device catalogue.
struct KnownDevice {
  int vid = 0;
  int pid = 0;
  CString productName;  // must equal the interface's product string; empty = any
  int deviceType = 0;   // keyboard model id
  int linkMode = kLinkWired;
};

// One opened vendor interface.
struct HidDeviceRecord {
  int index = 0;  // number of records that existed when it was created
  unsigned short vid = 0;
  unsigned short pid = 0;
  std::string path;     // as given to hid_open_path
  CString productName;  // the interface's product string; matched against the catalogue
  hid_device* handle = nullptr;
  int releaseNumber = 0;
  int model = 0;  // the keyboard's model; for a receiver the model linked behind it
  int linkMode = kLinkWired;
  int linked = 1;  // a keyboard is reachable through this interface
  int batteryLevel = 100;
  int batteryState = 0;
  // Report lengths including the report id, from the interface's HID capabilities.
  int inputReportLength = kFullReportLength;
  int outputReportLength = kFullReportLength;

  int ChunkSize() const { return ChunkSizeForOutputLength(outputReportLength); }
};
