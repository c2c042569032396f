// hidapi's C interface over the simulated keyboards. For now no keyboard is plugged in.
#include <hidapi.h>

extern "C" {
int HID_API_CALL hid_init(void) { return 0; }
int HID_API_CALL hid_exit(void) { return 0; }
struct hid_device_info* HID_API_CALL hid_enumerate(unsigned short, unsigned short) { return nullptr; }
void HID_API_CALL hid_free_enumeration(struct hid_device_info*) {}
hid_device* HID_API_CALL hid_open(unsigned short, unsigned short, const wchar_t*) { return nullptr; }
hid_device* HID_API_CALL hid_open_path(const char*) { return nullptr; }
int HID_API_CALL hid_write(hid_device*, const unsigned char*, size_t) { return -1; }
int HID_API_CALL hid_read_timeout(hid_device*, unsigned char*, size_t, int) { return -1; }
int HID_API_CALL hid_read(hid_device*, unsigned char*, size_t) { return -1; }
int HID_API_CALL hid_set_nonblocking(hid_device*, int) { return -1; }
int HID_API_CALL hid_send_feature_report(hid_device*, const unsigned char*, size_t) { return -1; }
int HID_API_CALL hid_get_feature_report(hid_device*, unsigned char*, size_t) { return -1; }
int HID_API_CALL hid_get_input_report(hid_device*, unsigned char*, size_t) { return -1; }
void HID_API_CALL hid_close(hid_device*) {}
const wchar_t* HID_API_CALL hid_error(hid_device*) { return L"no simulated keyboard"; }
}
