// hidapi's C interface over the simulated bus. Signatures are those of hidapi.h, so a
// program built against the real library loads this one unchanged.
#include <windows.h>
#include <hidapi.h>
#include <cwchar>
#include "SimBus.h"

using sim::SimBus;

extern "C" {

int HID_API_EXPORT HID_API_CALL hid_init(void) { return SimBus::Get().Init(); }

int HID_API_EXPORT HID_API_CALL hid_exit(void) {
  SimBus::Get().Exit();
  return 0;
}

struct hid_device_info HID_API_EXPORT* HID_API_CALL hid_enumerate(unsigned short vendor_id,
                                                                  unsigned short product_id) {
  return SimBus::Get().Enumerate(vendor_id, product_id);
}

void HID_API_EXPORT HID_API_CALL hid_free_enumeration(struct hid_device_info* devs) {
  SimBus::FreeEnumeration(devs);
}

HID_API_EXPORT hid_device* HID_API_CALL hid_open(unsigned short vendor_id, unsigned short product_id,
                                                 const wchar_t*) {
  return SimBus::Get().Open(vendor_id, product_id);
}

HID_API_EXPORT hid_device* HID_API_CALL hid_open_path(const char* path) { return SimBus::Get().Open(path); }

int HID_API_EXPORT HID_API_CALL hid_write(hid_device* dev, const unsigned char* data, size_t length) {
  return SimBus::Get().Write(dev, data, length);
}

int HID_API_EXPORT HID_API_CALL hid_read_timeout(hid_device* dev, unsigned char* data, size_t length,
                                                 int milliseconds) {
  return SimBus::Get().Read(dev, data, length, milliseconds);
}

int HID_API_EXPORT HID_API_CALL hid_read(hid_device* dev, unsigned char* data, size_t length) {
  return SimBus::Get().Read(dev, data, length, -1);
}

int HID_API_EXPORT HID_API_CALL hid_set_nonblocking(hid_device*, int) { return 0; }

// The keyboards have no feature or input reports outside the interrupt pipe.
int HID_API_EXPORT HID_API_CALL hid_send_feature_report(hid_device*, const unsigned char*, size_t) { return -1; }
int HID_API_EXPORT HID_API_CALL hid_get_feature_report(hid_device*, unsigned char*, size_t) { return -1; }
int HID_API_EXPORT HID_API_CALL hid_get_input_report(hid_device*, unsigned char*, size_t) { return -1; }

void HID_API_EXPORT HID_API_CALL hid_close(hid_device* dev) { SimBus::Get().Close(dev); }

int HID_API_EXPORT_CALL hid_get_manufacturer_string(hid_device* dev, wchar_t* string, size_t maxlen) {
  return SimBus::Get().Strings(dev, 0, string, maxlen) ? 0 : -1;
}

int HID_API_EXPORT_CALL hid_get_product_string(hid_device* dev, wchar_t* string, size_t maxlen) {
  return SimBus::Get().Strings(dev, 1, string, maxlen) ? 0 : -1;
}

int HID_API_EXPORT_CALL hid_get_serial_number_string(hid_device* dev, wchar_t* string, size_t maxlen) {
  return SimBus::Get().Strings(dev, 2, string, maxlen) ? 0 : -1;
}

struct hid_device_info HID_API_EXPORT* HID_API_CALL hid_get_device_info(hid_device*) { return nullptr; }

int HID_API_EXPORT_CALL hid_get_indexed_string(hid_device*, int, wchar_t*, size_t) { return -1; }

HID_API_EXPORT const wchar_t* HID_API_CALL hid_error(hid_device*) { return L"simulated keyboard: I/O failed"; }

HID_API_EXPORT const struct hid_api_version* HID_API_CALL hid_version(void) {
  static const hid_api_version version = {HID_API_VERSION_MAJOR, HID_API_VERSION_MINOR, HID_API_VERSION_PATCH};
  return &version;
}

HID_API_EXPORT const char* HID_API_CALL hid_version_str(void) { return HID_API_VERSION_STR; }

// The Windows backend's extra; simulated interfaces have no container.
int HID_API_EXPORT_CALL hid_winapi_get_container_id(hid_device*, GUID*) { return -1; }
}
