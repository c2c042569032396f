// The configuration file of the simulated devices (format in README.md) and the default
// set used when none is named.
#pragma once
#include <string>
#include <vector>
#include "SimKeyboard.h"

namespace sim {

// A USB device: a keyboard by cable, a receiver with a keyboard behind it, or another
// link, which behaves as a receiver whose keyboard stays linked.
struct UsbConfig {
  std::string id;
  std::string keyboard;
  bool receiver = false;
  int vid = 0, pid = 0;
  int release = 0x0100;
  std::wstring product;
  bool shortReports = false;
  bool plugged = true;
  bool linked = true;                // receivers: the keyboard is linked
  bool pidZeroWhileLinked = false;   // receivers: link reports carry product id 0
  int otherInterfaces = 2;           // non-vendor interfaces besides the vendor one (0-3)
};

struct SimConfig {
  std::vector<KeyboardConfig> keyboards;
  std::vector<UsbConfig> usb;
};

// False with a message naming the line for anything it does not understand.
bool ParseConfig(const std::string& text, SimConfig& config, std::string& error);
const char* DefaultConfigText();

}  // namespace sim
