// KeyboardDlg::LoadDeviceLayout with real controls (no window), a real profile store in a
// temporary folder that stands for both the program folder and the user data folder.
#include <gtest/gtest.h>
#include <algorithm>
#include <ostream>
#include <string>
#include <vector>
#include "canvas/ZephraEffect.h"
#include "controls/MTabCtrl.h"
#include "controls/MText.h"
#include "device/DeviceTransport.h"
#include "shell/KeyboardDlg.h"
#include "store/KeyboardDataStore.h"
#include "support/TempFolder.h"
#include "widgets/KeyboardCtrl.h"

static void PrintTo(const CRect& r, std::ostream* os) {
  *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

namespace {

std::string Key(const char* code, int index, int led, const char* rowCol, int left = 10, const char* name = "k") {
  std::string rc = rowCol ? std::string(" row_col=\"") + rowCol + "\"" : std::string();
  return std::string("<key code=\"") + code + "\" name=\"" + name + "\" desc=\"d" + name + "\" key_index=\"" +
         std::to_string(index) + "\" light_index=\"" + std::to_string(led) + "\" rect_left=\"" + std::to_string(left) +
         "\" rect_top=\"20\" rect_width=\"30\" rect_height=\"40\"" + rc + " icon=\"i.png\" fnlayer_disable=\"1\"/>\n";
}

std::string Layout(const std::string& keys, const char* counts = "row_count=\"6\" col_count=\"21\"") {
  return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<device.info>\n") +
         "<Keyboard bk_color=\"0x336699\" xpos=\"100\" ypos=\"50\" width=\"800\" height=\"300\" image=\"K.png\" " + counts +
         ">\n<KeyItems>\n" + keys + "</KeyItems>\n</Keyboard>\n</device.info>\n";
}

struct LayoutRig {
  TempFolder folder;
  DeviceTransport transport;
  KeyboardDataStore store;
  KeyboardCtrl keyboard{nullptr, 58, CRect(), 0};
  ZephraEffect canvas{nullptr, 59, CRect(), 0};
  MTabCtrl tabs{nullptr, 68, CRect(), 0, 1};
  MText title{nullptr, 38, CRect(), L"Zephra 80", 1};
  MText knobRow[3] = {{nullptr, 354, CRect(), L"", 1}, {nullptr, 355, CRect(), L"", 1}, {nullptr, 356, CRect(), L"", 1}};
  KeyboardDlg dlg{transport, store};

  LayoutRig() {
    CreateDirectoryW(folder.File(L"db").c_str(), nullptr);
    CreateDirectoryW(folder.File(L"layouts").c_str(), nullptr);
    dlg.m_exeFolder = (folder.Path() + L"\\").c_str();
    dlg.m_userDataFolder = dlg.m_exeFolder;
    dlg.m_keyboardCtrl = &keyboard;
    dlg.m_zephraEffect = &canvas;
    dlg.m_mainTab = &tabs;
    dlg.SetControl(58, &keyboard);
    dlg.SetControl(59, &canvas);
    dlg.SetControl(68, &tabs);
    dlg.SetControl(38, &title);
    for (MText& t : knobRow) dlg.SetControl(int(t.GetControlID()), &t);
    // Strip order: home, lighting, matrix screen, canvas, key assignment.
    for (unsigned id : {0u, 1u, 3u, 2u, 4u}) tabs.InsertItem(id, L"", L"", nullptr, 4, 100);
    for (int type : {101, 102, 103, 104, 165}) {
      DeviceCatalogEntry e;
      e.name = L"K" + CString(std::to_wstring(type));
      e.deviceType = type;
      e.deviceInfo = e.name;
      dlg.m_catalogKeyboards.push_back(e);
    }
  }
  ~LayoutRig() { store.CloseDeviceDb(); }

  void Write(const wchar_t* model, const std::string& text) {
    ASSERT_TRUE(WriteFileBytes(folder.File(L"layouts\\") + model + L".xml", text));
  }
  int GridCells() const {
    return int(std::count_if(std::begin(dlg.m_keyGrid), std::end(dlg.m_keyGrid), [](uint8_t c) { return c != 0xFF; }));
  }
  std::vector<int> TabsShown() {
    std::vector<int> out;
    for (int i = 1; i <= 3; ++i) out.push_back(tabs.GetItemVisible(i));
    return out;
  }
};

}  // namespace

TEST(LayoutLoader, KeysReachMapsGridAndBothControls) {
  LayoutRig r;
  r.Write(L"K104", Layout(Key("29", 0, 10, "7_31", 10, "Esc") + Key("0x2C", 90, 91, "3_5", 50, "Space") +
                          Key("2c", 91, 92, "3_12", 90, "Sp2") + Key("04", 5, 6, "0_0", 130, "A") +
                          Key("05", 6, 7, nullptr, 170, "B")));
  r.dlg.m_toolPackageBaseUrl = L"https://tools.invalid/";
  r.dlg.LoadDeviceLayout(104);

  EXPECT_EQ(r.dlg.m_deviceType, 104);
  EXPECT_EQ(r.dlg.m_deviceName, L"K104");
  EXPECT_EQ(r.title.GetTitle(), L"K104");
  EXPECT_TRUE(r.dlg.m_toolPackageBaseUrl.IsEmpty());
  EXPECT_TRUE(r.store.IsOpened());
  EXPECT_EQ(r.store.GetModelId(), 104);
  EXPECT_TRUE(FileExists(r.folder.File(L"db\\K104_data_2.db")));

  EXPECT_EQ(r.dlg.m_layoutRows, 6);
  EXPECT_EQ(r.dlg.m_layoutColumns, 21);
  // "29", "0x2C" and "2c" are all hexadecimal; the later 0x2C wins in every map.
  EXPECT_EQ(r.dlg.m_keyIndexByCode, (std::map<int, int>{{0x04, 5}, {0x05, 6}, {0x29, 0}, {0x2C, 91}}));
  EXPECT_EQ(r.dlg.m_lightIndexByCode, (std::map<int, int>{{0x04, 6}, {0x05, 7}, {0x29, 10}, {0x2C, 92}}));
  EXPECT_EQ(r.dlg.m_keyCodeByLight, (std::map<int, int>{{6, 0x04}, {7, 0x05}, {10, 0x29}, {91, 0x2C}, {92, 0x2C}}));

  EXPECT_EQ(r.dlg.m_keyGrid[7 * 32 + 31], 0x29) << "7_31 is the last cell";
  EXPECT_EQ(r.dlg.m_keyGrid[3 * 32 + 5], 0x2C);
  EXPECT_EQ(r.dlg.m_keyGrid[3 * 32 + 12], 0x2C);
  EXPECT_EQ(r.dlg.m_keyGrid[0], 0x05) << "0_0 and a missing row_col share the first cell; the later key holds it";
  EXPECT_EQ(r.GridCells(), 4);

  const CRect place(100, 50, 900, 350);
  EXPECT_EQ(r.keyboard.GetRect(), place);
  EXPECT_EQ(r.canvas.GetRect(), place);
  EXPECT_EQ(r.keyboard.GetKeyboardImageFile(), L"keyboard\\K.png");
  EXPECT_EQ(r.canvas.GetKeyboardImageFile(), L"keyboard\\K.png");
  EXPECT_EQ(r.keyboard.GetLayoutWidth(), 800);
  EXPECT_EQ(r.canvas.GetLayoutHeight(), 300);
  EXPECT_EQ(r.keyboard.GetKeyboardColor(), 0xFF996633u) << "COLORREF 0x336699 as opaque ARGB";

  auto keys = r.keyboard.GetKeyItems();
  ASSERT_EQ(keys.size(), 5u) << "both keys with code 0x2C are on screen";
  EXPECT_EQ(keys[1]->keyCode, 0x2C);
  EXPECT_EQ(keys[1]->name, L"Space");
  EXPECT_EQ(keys[1]->legend, L"dSpace");
  EXPECT_EQ(keys[1]->rect, CRect(50, 20, 80, 60));
  EXPECT_TRUE(keys[1]->picture.IsEmpty());
  EXPECT_EQ(keys[2]->keyCode, 0x2C);
  for (KEY_INFO* k : keys) {
    EXPECT_EQ(k->keyColor, r.dlg.m_keyBaseColor);
    EXPECT_EQ(k->bkColor, r.dlg.m_keyBaseColor);
  }
  auto items = r.canvas.GetKeyItems();
  ASSERT_EQ(items.size(), 5u) << "no strips for this model";
  EXPECT_EQ(items[0]->keyCode, 0x29u);
  EXPECT_EQ(items[0]->column, 31);
  EXPECT_EQ(items[0]->row, 7);
  EXPECT_EQ(items[2]->name, L"Sp2");
  EXPECT_EQ(items[2]->rect, CRect(90, 20, 120, 60));
  EXPECT_EQ(items[2]->column, 12);
  EXPECT_EQ(items[2]->color, 0u);
}

TEST(LayoutLoader, CellsOutsideTheGridAreNotWritten) {
  LayoutRig r;
  const COLORREF base = r.dlg.m_keyBaseColor;  // the member right after the grid
  r.Write(L"K104", Layout(Key("10", 1, 1, "8_0") + Key("11", 2, 2, "9_40") + Key("12", 3, 3, "3_-5") +
                              Key("13", 4, 4, "7_32") + Key("14", 5, 5, "7_99"),
                          "row_count=\"12\" col_count=\"40\""));
  r.dlg.LoadDeviceLayout(104);
  EXPECT_EQ(r.GridCells(), 0);
  EXPECT_EQ(r.dlg.m_keyBaseColor, base);
  EXPECT_EQ(r.dlg.m_layoutRows, 8);
  EXPECT_EQ(r.dlg.m_layoutColumns, 32);
  // The keys themselves are kept: they are on screen and in the maps.
  EXPECT_EQ(r.dlg.m_keyIndexByCode.size(), 5u);
  EXPECT_EQ(r.keyboard.GetKeyItems().size(), 5u);
  EXPECT_EQ(r.canvas.GetKeyItems().size(), 5u);
}

TEST(LayoutLoader, AShorterLayoutLeavesNothingOfThePreviousModel) {
  LayoutRig r;
  std::string many;
  for (int i = 0; i < 100; ++i) {
    char code[8], rc[8];
    snprintf(code, sizeof(code), "%02X", 4 + i);
    snprintf(rc, sizeof(rc), "%d_%d", i / 20, i % 20);
    many += Key(code, i, i, rc);
  }
  r.Write(L"K101", Layout(many));
  r.Write(L"K104", Layout(Key("E0", 110, 120, "5_0") + Key("E1", 111, 121, "5_1")));
  r.dlg.LoadDeviceLayout(101);
  ASSERT_EQ(r.dlg.m_keyIndexByCode.size(), 100u);
  ASSERT_EQ(r.dlg.m_lightIndexByCode.size(), 100u + 9 + 24 + 9 - 2);  // 332 and 333 shared

  r.dlg.LoadDeviceLayout(104);
  EXPECT_EQ(r.dlg.m_keyIndexByCode, (std::map<int, int>{{0xE0, 110}, {0xE1, 111}}));
  EXPECT_EQ(r.dlg.m_lightIndexByCode, (std::map<int, int>{{0xE0, 120}, {0xE1, 121}}));
  EXPECT_EQ(r.dlg.m_keyCodeByLight, (std::map<int, int>{{120, 0xE0}, {121, 0xE1}}));
  EXPECT_EQ(r.GridCells(), 2);
  EXPECT_EQ(r.keyboard.GetKeyItems().size(), 2u);
  EXPECT_EQ(r.canvas.GetKeyItems().size(), 2u);
  EXPECT_EQ(r.store.GetModelId(), 104);
}

TEST(LayoutLoader, Model101Strips) {
  LayoutRig r;
  r.Write(L"K101", Layout(Key("29", 0, 0, "1_1")));
  r.dlg.LoadDeviceLayout(101);
  auto items = r.canvas.GetKeyItems();
  ASSERT_EQ(items.size(), 1u + 9 + 24 + 9);
  struct Item {
    DWORD code;
    CRect rect;
    int column, row;
  };
  std::vector<Item> want;
  for (int n = 0; n <= 8; ++n) want.push_back({DWORD(300 + n), CRect(1, 242 - 30 * n, 7, 248 - 30 * n), 0, n});
  const int top[24] = {310, 311, 312, 313, 314, 315, 316, 317, 318, 319, 320, 321,
                       322, 323, 324, 325, 326, 327, 329, 330, 331, 332, 333, 333};
  const int topColumn[24] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 16, 17, 18, 19, 20, 21, 22, 23};
  for (int i = 0; i < 24; ++i) want.push_back({DWORD(top[i]), CRect(1 + 36 * i, 2, 7 + 36 * i, 8), topColumn[i], 0});
  for (int n = 0; n <= 8; ++n) want.push_back({DWORD(332 + n), CRect(810, 2 + 30 * n, 816, 8 + 30 * n), 24, 8 - n});
  for (size_t i = 0; i < want.size(); ++i) {
    const KEYITEM_INFO* got = items[i + 1];
    EXPECT_EQ(got->keyCode, want[i].code) << i;
    EXPECT_EQ(got->rect, want[i].rect) << i;
    EXPECT_EQ(got->column, want[i].column) << i;
    EXPECT_EQ(got->row, want[i].row) << i;
    EXPECT_TRUE(got->name.IsEmpty());
  }
  for (int c = 300; c <= 308; ++c) EXPECT_EQ(r.dlg.m_lightIndexByCode[c], 87 + c - 300);
  for (int c = 310; c <= 331; ++c) EXPECT_EQ(r.dlg.m_lightIndexByCode[c], 96 + c - 310);
  for (int c = 332; c <= 340; ++c) EXPECT_EQ(r.dlg.m_lightIndexByCode[c], 120 + c - 332);
  EXPECT_EQ(r.dlg.m_lightIndexByCode.count(309), 0u);
  EXPECT_EQ(r.dlg.m_keyCodeByLight, (std::map<int, int>{{0, 0x29}})) << "strips stay out of the LED-to-key map";
  EXPECT_EQ(r.GridCells(), 1);
  EXPECT_EQ(r.keyboard.GetKeyItems().size(), 1u);
}

TEST(LayoutLoader, Model102Strip) {
  LayoutRig r;
  r.Write(L"K102", Layout(Key("29", 0, 0, "1_1")));
  r.dlg.LoadDeviceLayout(102);
  auto items = r.canvas.GetKeyItems();
  ASSERT_EQ(items.size(), 28u);
  for (int n = 0; n <= 26; ++n) {
    const KEYITEM_INFO* got = items[size_t(n) + 1];
    EXPECT_EQ(got->keyCode, DWORD(300 + n));
    EXPECT_EQ(got->rect, CRect(20 + 29 * n, 312, 26 + 29 * n, 318));
    EXPECT_EQ(got->column, n);
    EXPECT_EQ(got->row, 7);
    EXPECT_EQ(r.dlg.m_lightIndexByCode[300 + n], 80 + n);
  }
  EXPECT_EQ(items[27]->rect.left, 774);
  EXPECT_EQ(r.dlg.m_lightIndexByCode.size(), 28u);
}

TEST(LayoutLoader, UnusableFileKeepsTheLayoutButSwitchesModel) {
  struct Case {
    const char* what;
    const char* text;  // null: no file
  } cases[] = {
      {"missing", nullptr},
      {"empty", ""},
      {"unended", "<device.info><Keyboard width=\"5\"><KeyItems><key code=\"29\" row_col=\"0_1\"/>"},
      {"another root", "<config><Keyboard><KeyItems><key code=\"29\" row_col=\"0_1\"/></KeyItems></Keyboard></config>"},
  };
  for (const Case& c : cases) {
    LayoutRig r;
    r.Write(L"K101", Layout(Key("04", 1, 2, "2_3") + Key("05", 2, 3, "2_4")));
    if (c.text) r.Write(L"K102", c.text);
    r.dlg.LoadDeviceLayout(101);
    const auto keys = r.dlg.m_keyIndexByCode;
    const auto lights = r.dlg.m_lightIndexByCode;
    const std::vector<uint8_t> grid(std::begin(r.dlg.m_keyGrid), std::end(r.dlg.m_keyGrid));

    r.dlg.m_toolPackageBaseUrl = L"https://tools.invalid/";
    r.dlg.LoadDeviceLayout(102);
    EXPECT_EQ(r.dlg.m_deviceType, 102) << c.what;
    EXPECT_EQ(r.dlg.m_deviceName, L"K102") << c.what;
    EXPECT_EQ(r.title.GetTitle(), L"K102") << c.what;
    EXPECT_TRUE(r.dlg.m_toolPackageBaseUrl.IsEmpty()) << c.what;
    EXPECT_EQ(r.store.GetModelId(), 102) << c.what;
    EXPECT_NE(r.store.GetPath().find("K102_data_2.db"), std::string::npos) << c.what;
    EXPECT_EQ(r.TabsShown(), (std::vector<int>{1, 1, 1})) << c.what;
    EXPECT_EQ(r.dlg.m_keyIndexByCode, keys) << c.what;
    EXPECT_EQ(r.dlg.m_lightIndexByCode, lights) << c.what;
    EXPECT_EQ(std::vector<uint8_t>(std::begin(r.dlg.m_keyGrid), std::end(r.dlg.m_keyGrid)), grid) << c.what;
    EXPECT_EQ(r.dlg.m_layoutRows, 6) << c.what;
    EXPECT_EQ(r.keyboard.GetKeyItems().size(), 2u) << c.what;
    EXPECT_EQ(r.canvas.GetKeyItems().size(), 2u + 42) << c.what;
  }
}

TEST(LayoutLoader, DeviceInfoWithoutKeyboardEmptiesEverything) {
  LayoutRig r;
  r.Write(L"K101", Layout(Key("04", 1, 2, "2_3")));
  r.Write(L"K102", "<device.info><keyboard width=\"5\"/></device.info>");
  r.dlg.LoadDeviceLayout(101);
  r.dlg.LoadDeviceLayout(102);
  EXPECT_TRUE(r.dlg.m_keyIndexByCode.empty());
  EXPECT_TRUE(r.dlg.m_lightIndexByCode.empty()) << "no strips without a Keyboard element";
  EXPECT_TRUE(r.dlg.m_keyCodeByLight.empty());
  EXPECT_EQ(r.GridCells(), 0);
  EXPECT_EQ(r.dlg.m_layoutRows, 0);
  EXPECT_EQ(r.dlg.m_layoutColumns, 0);
  EXPECT_TRUE(r.keyboard.GetKeyItems().empty());
  EXPECT_TRUE(r.canvas.GetKeyItems().empty());
}

TEST(LayoutLoader, KeyboardWithoutKeyItemsIsSizedAndGetsItsStrips) {
  LayoutRig r;
  r.Write(L"K102",
          "<device.info><Keyboard xpos=\"1\" ypos=\"2\" width=\"30\" height=\"40\" image=\"P.png\" row_count=\"8\" "
          "col_count=\"27\"/></device.info>");
  r.dlg.LoadDeviceLayout(102);
  EXPECT_EQ(r.keyboard.GetRect(), CRect(1, 2, 31, 42));
  EXPECT_EQ(r.canvas.GetKeyboardImageFile(), L"keyboard\\P.png");
  EXPECT_EQ(r.dlg.m_layoutColumns, 27);
  EXPECT_TRUE(r.keyboard.GetKeyItems().empty());
  EXPECT_EQ(r.canvas.GetKeyItems().size(), 27u);
  EXPECT_EQ(r.dlg.m_lightIndexByCode.size(), 27u);
}

TEST(LayoutLoader, PagesOfTheModel) {
  struct Case {
    int type;
    std::vector<int> tabs;  // lighting, matrix screen, canvas
    int knobRow;
  } cases[] = {
      {101, {1, 0, 1}, 0}, {102, {1, 1, 1}, 0}, {103, {1, 0, 1}, 1}, {149, {1, 0, 1}, 0},
      {150, {0, 0, 0}, 0}, {165, {0, 0, 0}, 0}, {180, {0, 0, 0}, 0}, {181, {1, 0, 1}, 0},
  };
  LayoutRig r;
  for (const Case& c : cases) {
    r.dlg.LoadDeviceLayout(c.type);
    EXPECT_EQ(r.TabsShown(), c.tabs) << c.type;
    for (MText& t : r.knobRow) EXPECT_EQ(t.IsVisible(), c.knobRow) << c.type << " " << t.GetControlID();
    EXPECT_EQ(r.tabs.GetItemVisible(0), 1);
    EXPECT_EQ(r.tabs.GetItemVisible(4), 1);
  }
}

TEST(LayoutLoader, NoCatalogueEntry) {
  LayoutRig r;
  r.Write(L"K101", Layout(Key("04", 1, 2, "2_3")));
  r.dlg.LoadDeviceLayout(101);
  r.dlg.LoadDeviceLayout(777);
  EXPECT_EQ(r.dlg.m_deviceType, 777);
  EXPECT_TRUE(r.dlg.m_deviceName.IsEmpty());
  EXPECT_TRUE(r.title.GetTitle().IsEmpty());
  EXPECT_FALSE(r.store.IsOpened()) << "an empty model name names no database";
  EXPECT_EQ(r.store.GetModelId(), 777);
  EXPECT_EQ(r.dlg.m_keyIndexByCode.size(), 1u) << "the previous layout stays";
  EXPECT_EQ(r.TabsShown(), (std::vector<int>{1, 0, 1}));
}

TEST(LayoutLoader, WithoutControlsOnlyTheDialogStateChanges) {
  LayoutRig r;
  r.dlg.m_keyboardCtrl = nullptr;
  r.dlg.m_zephraEffect = nullptr;
  r.dlg.m_mainTab = nullptr;
  for (int id = 0; id <= KeyboardDef::kLastControlId; ++id) r.dlg.SetControl(id, nullptr);
  r.Write(L"K101", Layout(Key("04", 1, 2, "2_3")));
  r.dlg.LoadDeviceLayout(101);
  EXPECT_EQ(r.dlg.m_keyIndexByCode.size(), 1u);
  EXPECT_EQ(r.dlg.m_lightIndexByCode.size(), 1u + 40);
  EXPECT_EQ(r.dlg.m_deviceName, L"K101");
}
