#include <gtest/gtest.h>
#include <cwchar>
#include <memory>
#include "QivTestSupport.h"
#include "core/ControlFactory.h"
#include "core/PaintManager.h"

using namespace qivtest;

namespace {
const wchar_t* const kCommon[] = {
    L"CArea",         L"MText",         L"MPicture",      L"CPhotoFrame",  L"CSliderPicture", L"CGifPicture",
    L"MProgress",     L"MSlider",       L"MLevelCtrl",    L"MButton",      L"CImageButton",   L"CTextButton",
    L"CCheckButton",  L"CRadioButton",  L"CSelectButton", L"CColorButton", L"MSpinButton",    L"CSpinButton",
    L"CSwitchButton", L"CIconButton",   L"CTimerButton",  L"CHelpButton",  L"MEdit",          L"MRichEdit",
    L"MEditEx",       L"MComboBox",     L"MTabCtrl",      L"MTabLayout",   L"MListBox",       L"MacroList",
    L"MPalette",      L"CColorPalette", L"CColorSelect",  L"CirclePalette"};
const wchar_t* const kWindowTail[] = {
    L"CComboBoxList", L"MenuItem",     L"KeyboardCtrl", L"ZephraEffect",    L"CDeviceCtrl",  L"TextCheckButton",
    L"CTextArea",     L"BatteryCtrl",  L"KeyFuncType",  L"KeyMenuFuncType", L"KeyFuncCtrl",  L"KeyFuncValue",
    L"CRoundArea",    L"ProfileList",  L"KeyLayerCtrl", L"CKeyTestCtrl",    L"MatrixScreen"};
const wchar_t* const kPanelTail[] = {
    L"MenuItem",      L"KeyboardCtrl",  L"KeyFuncControl", L"MListBox",       L"CRecordList",    L"ZephraEffect",
    L"CDeviceCtrl",   L"CDeviceList",   L"UpgradeButton",  L"DownloadButton", L"KeyLayerButton", L"BatteryCtrl",
    L"LCDViewList",   L"LCDViewCtrl",   L"ImageView",      L"ImageViewList",  L"ColorView",      L"LCDPalette",
    L"LCDPalette2",   L"LCDPalette3",   L"KeyFuncCtrl",    L"KeyFuncValue",   L"CRoundArea",     L"ProfileList",
    L"MListBoxEx",    L"CKeyTestCtrl",  L"KeyFuncType",    L"KeyMenuFuncType", L"TabCtrlEx",     L"KeyLayerCtrl",
    L"MatrixScreen",  L"MButton3"};

template <size_t N>
std::vector<std::wstring> Join(const wchar_t* const (&tail)[N]) {
  std::vector<std::wstring> all(std::begin(kCommon), std::end(kCommon));
  all.insert(all.end(), std::begin(tail), std::end(tail));
  return all;
}

std::vector<std::wstring> AsStrings(const std::vector<const wchar_t*>& names) {
  return std::vector<std::wstring>(names.begin(), names.end());
}

// The grouped buttons answer the class name their group walk compares.
const wchar_t* ClassNameOf(const wchar_t* factoryName) {
  static const struct {
    const wchar_t* factory;
    const wchar_t* cls;
  } kRenamed[] = {{L"CRadioButton", L"RadioButton"}, {L"CColorButton", L"ColorButton"}, {L"CIconButton", L"IconButton"}};
  for (const auto& r : kRenamed)
    if (std::wcscmp(r.factory, factoryName) == 0) return r.cls;
  return factoryName;
}

// Panel classes take one flag (visible); the two-flag classes take visible and enabled.
void ExpectEveryNameGivesItsClass(const std::vector<const wchar_t*>& names, bool window) {
  RecordingParent owner;
  for (const wchar_t* name : names) {
    std::unique_ptr<MControl> made(window ? ConstructWindowControl(&owner, name, 9, CRect(0, 0, 40, 20), L"t", 1, 1)
                                          : ConstructPanelControl(&owner, name, 9, CRect(0, 0, 40, 20), L"t", 1, 1));
    ASSERT_NE(nullptr, made) << std::wstring(name).c_str();
    EXPECT_STREQ(ClassNameOf(name), made->GetClassNameW());
    EXPECT_EQ(9u, made->GetControlID());
    EXPECT_EQ(&owner, made->GetParantObject());
    EXPECT_TRUE(made->IsVisible());
  }
}
}  // namespace

TEST(Factory, ListsInOrder) {
  EXPECT_EQ(Join(kWindowTail), AsStrings(WindowFactoryNames()));
  EXPECT_EQ(Join(kPanelTail), AsStrings(PanelFactoryNames()));
  EXPECT_EQ(51u, WindowFactoryNames().size());
  EXPECT_EQ(66u, PanelFactoryNames().size());
}

TEST(Factory, EveryNameGivesItsClass) {
  ExpectEveryNameGivesItsClass(WindowFactoryNames(), true);
  ExpectEveryNameGivesItsClass(PanelFactoryNames(), false);
}

TEST(Factory, UnknownEmptyAndWrongCaseGiveNull) {
  RecordingParent owner;
  for (const wchar_t* name : {L"mbutton", L"", L"MButtonX", L"Button"}) {
    EXPECT_EQ(nullptr, ConstructWindowControl(&owner, name, 1, CRect(), nullptr, 1, 1));
    EXPECT_EQ(nullptr, ConstructPanelControl(&owner, name, 1, CRect(), nullptr, 1, 1));
  }
  EXPECT_EQ(nullptr, ConstructWindowControl(&owner, nullptr, 1, CRect(), nullptr, 1, 1));
}

TEST(Factory, ListsDifferWhereTheyShould) {
  RecordingParent owner;
  EXPECT_EQ(nullptr, ConstructPanelControl(&owner, L"CTextArea", 1, CRect(), L"", 1, 1));
  std::unique_ptr<MControl> area(ConstructWindowControl(&owner, L"CTextArea", 1, CRect(), L"", 1, 1));
  EXPECT_NE(nullptr, area);
  EXPECT_EQ(nullptr, ConstructWindowControl(&owner, L"MButton3", 1, CRect(), L"", 1, 1));
}

TEST(Factory, FlagsAsTheListsGiveThem) {
  RecordingParent owner;
  std::unique_ptr<MControl> area(ConstructWindowControl(&owner, L"CArea", 1, CRect(), nullptr, 1, 0));
  EXPECT_EQ(1, area->IsEnabled()) << "CArea always gets enabled 1";
  std::unique_ptr<MControl> button(ConstructWindowControl(&owner, L"MButton", 1, CRect(), L"OK", 0, 0));
  EXPECT_EQ(0, button->IsVisible());
  EXPECT_EQ(0, button->IsEnabled());
  EXPECT_EQ(CString(L"OK"), static_cast<MControlFont*>(button.get())->GetTitle());
  std::unique_ptr<MControl> text(ConstructWindowControl(&owner, L"MText", 1, CRect(), L"hi", 1, 1));
  EXPECT_EQ(0, text->IsEnabled()) << "a text is created disabled";
  std::unique_ptr<MControl> item(ConstructWindowControl(&owner, L"MenuItem", 1, CRect(), L"m", 1, 0));
  EXPECT_EQ(1, item->IsEnabled()) << "window-only classes get (a, 1)";
}

TEST(Factory, BindingAndListTypes) {
  PaintManager manager;
  RecordingParent window;
  MControl* area = manager.CreateArea(&window, L"CArea", 1, CRect(), nullptr, 1, 1);
  MControl* control = manager.CreateControl(&window, L"MButton", 2, CRect(), L"b", 1, 1);
  std::unique_ptr<MControl> loose(manager.CreateControl(2, &window, L"MButton", 3, CRect(), L"b", 1, 1));
  ASSERT_TRUE(area && control && loose);
  EXPECT_EQ(&manager, control->GetManager());
  EXPECT_EQ(&manager, loose->GetManager());
  EXPECT_EQ(1u, manager.GetAreas()->size());
  EXPECT_EQ(1u, manager.GetControls()->size());
  EXPECT_EQ(nullptr, manager.GetControl(3)) << "list type 2 goes in no list";
  EXPECT_EQ(control, manager.GetControl(2));

  // A panel without a manager creates children without one; with one, they get it.
  ProbePanel loosePanel(&window, 5, CRect(0, 0, 100, 100));
  MControl* orphan = loosePanel.CreateControl(L"MButton", 6, CRect(), L"", 1, 1);
  ASSERT_NE(nullptr, orphan);
  EXPECT_EQ(nullptr, orphan->GetManager());
  EXPECT_EQ(orphan, loosePanel.GetControl(6));
  MControl* page = manager.CreateControl(&window, L"MTabLayout", 7, CRect(0, 0, 100, 100), nullptr, 1, 1);
  MControl* child = static_cast<MPanel*>(page)->CreateArea(L"MText", 8, CRect(), L"x", 1, 1);
  EXPECT_EQ(&manager, child->GetManager());
  EXPECT_EQ(page, child->GetParantObject());
  EXPECT_EQ(child, manager.GetControl(8));
}
