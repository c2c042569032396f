#include "SimConfig.h"
#include <windows.h>
#include <cstdlib>
#include <sstream>

namespace sim {
namespace {

std::string Trim(const std::string& s) {
  size_t a = s.find_first_not_of(" \t\r\n");
  if (a == std::string::npos) return std::string();
  size_t b = s.find_last_not_of(" \t\r\n");
  return s.substr(a, b - a + 1);
}

bool ParseInt(const std::string& s, int& value) {
  if (s.empty()) return false;
  char* end = nullptr;
  long v = std::strtol(s.c_str(), &end, 0);
  if (*end != '\0' || v < 0 || v > 0xFFFF) return false;
  value = int(v);
  return true;
}

bool ParseBool(const std::string& s, bool& value) {
  if (s == "yes" || s == "1" || s == "true") value = true;
  else if (s == "no" || s == "0" || s == "false") value = false;
  else return false;
  return true;
}

std::wstring Widen(const std::string& s) {
  if (s.empty()) return std::wstring();
  int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), int(s.size()), nullptr, 0);
  std::wstring w(size_t(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, s.data(), int(s.size()), w.data(), n);
  return w;
}

bool SetKeyboardField(KeyboardConfig& k, const std::string& key, const std::string& value) {
  if (key == "model") return FindModel(value, k.model);
  if (key == "vid") return ParseInt(value, k.vid);
  if (key == "pid") return ParseInt(value, k.pid);
  if (key == "firmware") return ParseInt(value, k.firmware);
  if (key == "battery") return ParseInt(value, k.batteryLevel) && k.batteryLevel <= 255;
  if (key == "charging") return ParseInt(value, k.batteryState) && k.batteryState <= 255;
  return false;
}

bool SetUsbField(UsbConfig& u, const std::string& key, const std::string& value) {
  if (key == "keyboard") { u.keyboard = value; u.receiver = false; return !value.empty(); }
  if (key == "receiver") { u.keyboard = value; u.receiver = true; return !value.empty(); }
  // Another link answers the link query like a receiver whose keyboard is always there.
  if (key == "link") { u.keyboard = value; u.receiver = true; u.linked = true; return !value.empty(); }
  if (key == "vid") return ParseInt(value, u.vid);
  if (key == "pid") return ParseInt(value, u.pid);
  if (key == "release") return ParseInt(value, u.release);
  if (key == "product") { u.product = Widen(value); return true; }
  if (key == "reports") {
    if (value != "full" && value != "short") return false;
    u.shortReports = value == "short";
    return true;
  }
  if (key == "plugged") return ParseBool(value, u.plugged);
  if (key == "linked") return ParseBool(value, u.linked);
  if (key == "pid_zero") return ParseBool(value, u.pidZeroWhileLinked);
  if (key == "other_interfaces") return ParseInt(value, u.otherInterfaces) && u.otherInterfaces <= 3;
  return false;
}

}  // namespace

bool ParseConfig(const std::string& text, SimConfig& config, std::string& error) {
  SimConfig parsed;
  std::istringstream in(text);
  std::string raw;
  int lineNo = 0;
  enum { None, Keyboard, Usb } section = None;
  auto fail = [&](const char* what) {
    error = "line " + std::to_string(lineNo) + ": " + what;
    return false;
  };
  while (std::getline(in, raw)) {
    ++lineNo;
    std::string line = Trim(raw.substr(0, raw.find('#')));
    if (line.empty()) continue;
    if (line.front() == '[') {
      if (line.back() != ']') return fail("unclosed section");
      std::istringstream head(line.substr(1, line.size() - 2));
      std::string kind, id;
      head >> kind >> id;
      if (id.empty()) return fail("section without an id");
      if (kind == "keyboard") {
        parsed.keyboards.push_back(KeyboardConfig{});
        parsed.keyboards.back().id = id;
        FindModel("basic", parsed.keyboards.back().model);
        section = Keyboard;
      } else if (kind == "usb") {
        parsed.usb.push_back(UsbConfig{});
        parsed.usb.back().id = id;
        section = Usb;
      } else {
        return fail("unknown section");
      }
      continue;
    }
    size_t eq = line.find('=');
    if (eq == std::string::npos) return fail("expected key = value");
    std::string key = Trim(line.substr(0, eq)), value = Trim(line.substr(eq + 1));
    bool ok = section == Keyboard ? SetKeyboardField(parsed.keyboards.back(), key, value)
            : section == Usb      ? SetUsbField(parsed.usb.back(), key, value)
                                  : false;
    if (!ok) return fail("unknown key or bad value");
  }
  for (const UsbConfig& u : parsed.usb) {
    bool found = false;
    for (const KeyboardConfig& k : parsed.keyboards) found = found || k.id == u.keyboard;
    if (!found) {
      error = "usb " + u.id + ": no keyboard '" + u.keyboard + "'";
      return false;
    }
  }
  config = std::move(parsed);
  return true;
}

const char* DefaultConfigText() {
  return R"(# The default set of simulated devices (see sim/README.md).
[keyboard k101]
model = basic
vid = 0x3F1D
pid = 0x1101
firmware = 0x0120
battery = 80

[keyboard k102]
model = matrix
vid = 0x3F1D
pid = 0x1102
firmware = 0x0115

[keyboard k103]
model = frame164
vid = 0x3F1D
pid = 0x1103
firmware = 0x0210

[keyboard k150]
model = restricted
vid = 0x3F1D
pid = 0x1150
firmware = 0x0105

[keyboard k104]
model = legacy
vid = 0x3F1D
pid = 0x1104
firmware = 0x0102

[keyboard stranger]
model = basic
vid = 0x7E57
pid = 0x0001

[usb cable-k102]
keyboard = k102
vid = 0x3F1D
pid = 0x1102
product = Quenby K102

[usb receiver-k101]
receiver = k101
vid = 0x3F1D
pid = 0x5101
product = Quenby 2.4G Receiver
linked = yes

[usb cable-k103]
keyboard = k103
vid = 0x3F1D
pid = 0x1103
product = Quenby K103
plugged = no

[usb cable-k150]
keyboard = k150
vid = 0x3F1D
pid = 0x1150
product = Quenby K150
plugged = no

[usb cable-k104]
keyboard = k104
vid = 0x3F1D
pid = 0x1104
product = Quenby K104
plugged = no

[usb cable-stranger]
keyboard = stranger
vid = 0x7E57
pid = 0x0001
product = Another Keyboard
)";
}

}  // namespace sim
