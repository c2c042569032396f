// The third-party libraries and the library boundary are usable from a program.
#include <gtest/gtest.h>
#include <hidapi.h>
#include <lodepng.h>
#include <sqlite3.h>
#include <unzip.h>
#include <vector>
#include "core/ControlFactory.h"
#include "core/Manager.h"
#include "core/MWindow.h"

namespace {
class Probe : public MWindow {
public:
  int inits = 0;
  int OnInitDialog() override { return ++inits; }
  const wchar_t* GetWindowClassName() const override { return L"QuenbyProbe"; }
};
}  // namespace

TEST(Deps, OverrideIsCalledFromInsideTheLibrary) {
  Manager::SetInstance(GetModuleHandleW(nullptr));
  Probe p;
  HWND h = p.Create(nullptr, L"probe", WS_POPUP, 0, CRect(0, 0, 10, 10));
  EXPECT_EQ(1, p.inits);
  if (h) {
    wchar_t cls[32];
    GetClassNameW(h, cls, 32);
    EXPECT_STREQ(L"QuenbyProbe", cls);
    p.DestroyWindow();
  }
}

TEST(Deps, StringMadeInTheLibraryIsFreedHere) {
  CString folder = GetSkinsFolder();  // allocated in qiv.dll, destroyed in this module
  EXPECT_GT(folder.GetLength(), 0);
}

TEST(Deps, VectorMadeInTheLibraryIsFreedHere) {
  std::vector<const wchar_t*> names = WindowFactoryNames();  // allocated in qiv.dll
  ASSERT_FALSE(names.empty());
  names.push_back(L"grown here");  // reallocated by this module on the shared heap
  EXPECT_STREQ(L"grown here", names.back());
}

TEST(Deps, SqliteIsSerialized) { EXPECT_EQ(1, sqlite3_threadsafe()); }

TEST(Deps, MinizipRefusesAMissingFile) { EXPECT_EQ(nullptr, unzOpen("no-such-file.zip")); }

TEST(Deps, LodePngEncodesPixels) {
  std::vector<unsigned char> rgba(4 * 4 * 4, 0xFF), png;
  EXPECT_EQ(0u, lodepng::encode(png, rgba, 4, 4));
  EXPECT_GT(png.size(), 8u);
}

TEST(Deps, HidapiEitherEnumeratesOrFailsCleanly) {
  // Under Wine hid_init fails: the program reads that as "no devices".
  int rc = hid_init();
  hid_device_info* devices = hid_enumerate(0, 0);
  hid_free_enumeration(devices);
  hid_exit();
  EXPECT_TRUE(rc == 0 || rc == -1);
}
