#include "core/ControlFactory.h"
#include <cwchar>
#include "canvas/MatrixScreen.h"
#include "canvas/ZephraEffect.h"
#include "controls/CArea.h"
#include "controls/CCheckButton.h"
#include "controls/CColorButton.h"
#include "controls/CColorPalette.h"
#include "controls/CColorSelect.h"
#include "controls/CGifPicture.h"
#include "controls/CHelpButton.h"
#include "controls/CIconButton.h"
#include "controls/CImageButton.h"
#include "controls/CPhotoFrame.h"
#include "controls/CSliderPicture.h"
#include "controls/CSwitchButton.h"
#include "controls/CTextButton.h"
#include "controls/CTimerButton.h"
#include "controls/DownloadButton.h"
#include "controls/GroupButton.h"
#include "controls/ColorView.h"
#include "controls/MButton.h"
#include "controls/MButton3.h"
#include "controls/MComboBox.h"
#include "controls/MEdit.h"
#include "controls/MLevelCtrl.h"
#include "controls/MListBox.h"
#include "controls/MListBoxEx.h"
#include "controls/MPalette.h"
#include "controls/CirclePalette.h"
#include "controls/MPicture.h"
#include "controls/MProgress.h"
#include "controls/MRichEdit.h"
#include "controls/MEditEx.h"
#include "controls/CSpinButton.h"
#include "controls/MSlider.h"
#include "controls/MSpinButton.h"
#include "controls/MTabCtrl.h"
#include "controls/MTabLayout.h"
#include "controls/MText.h"
#include "controls/UpgradeButton.h"
#include "controls/MenuItem.h"
#include "controls/ProfileList.h"
#include "controls/TabCtrlEx.h"
#include "widgets/CDeviceList.h"
#include "widgets/CKeyTestCtrl.h"
#include "widgets/CRecordList.h"
#include "widgets/ImageView.h"
#include "widgets/ImageViewList.h"
#include "widgets/KeyFuncControl.h"
#include "widgets/KeyFuncCtrl.h"
#include "widgets/KeyFuncType.h"
#include "widgets/KeyboardCtrl.h"
#include "widgets/LCDPalette.h"
#include "widgets/LCDViewCtrl.h"
#include "widgets/LCDViewList.h"
#include "widgets/MacroList.h"

namespace {
struct Args {
  MObject* parent;
  unsigned id;
  CRect rect;
  const wchar_t* text;
  int a, b;
};

struct Entry {
  const wchar_t* name;
  MControl* (*make)(const Args&);
};

// Constructor shapes of the lists: (a, b), (a, 1), text with (a, b) or (a, 1), a alone.
template <class T> MControl* AB(const Args& x) { return new T(x.parent, x.id, x.rect, x.a, x.b); }
template <class T> MControl* A1(const Args& x) { return new T(x.parent, x.id, x.rect, x.a, 1); }
template <class T> MControl* TAB(const Args& x) { return new T(x.parent, x.id, x.rect, x.text, x.a, x.b); }
template <class T> MControl* TA1(const Args& x) { return new T(x.parent, x.id, x.rect, x.text, x.a, 1); }
template <class T> MControl* A(const Args& x) { return new T(x.parent, x.id, x.rect, x.a); }
MControl* Text(const Args& x) { return new MText(x.parent, x.id, x.rect, x.text, x.a); }

const Entry kCommon[] = {
    {L"CArea", A1<CArea>},
    {L"MText", Text},
    {L"MPicture", AB<MPicture>},
    {L"CPhotoFrame", AB<CPhotoFrame>},
    {L"CSliderPicture", AB<CSliderPicture>},
    {L"CGifPicture", AB<CGifPicture>},
    {L"MProgress", AB<MProgress>},
    {L"MSlider", AB<MSlider>},
    {L"MLevelCtrl", AB<MLevelCtrl>},
    {L"MButton", TAB<MButton>},
    {L"CImageButton", TAB<CImageButton>},
    {L"CTextButton", TAB<CTextButton>},
    {L"CCheckButton", TAB<CCheckButton>},
    {L"CRadioButton", TAB<CRadioButton>},
    {L"CSelectButton", TAB<CSelectButton>},
    {L"CColorButton", AB<CColorButton>},
    {L"MSpinButton", AB<MSpinButton>},
    {L"CSpinButton", AB<CSpinButton>},
    {L"CSwitchButton", AB<CSwitchButton>},
    {L"CIconButton", TAB<CIconButton>},
    {L"CTimerButton", TAB<CTimerButton>},
    {L"CHelpButton", TAB<CHelpButton>},
    {L"MEdit", TAB<MEdit>},
    {L"MRichEdit", TAB<MRichEdit>},
    {L"MEditEx", TAB<MEditEx>},
    {L"MComboBox", AB<MComboBox>},
    {L"MTabCtrl", AB<MTabCtrl>},
    {L"MTabLayout", A<MTabLayout>},
    {L"MListBox", A<MListBox>},
    {L"MacroList", A<MacroList>},
    {L"MPalette", A<MPalette>},
    {L"CColorPalette", A<CColorPalette>},
    {L"CColorSelect", A<CColorSelect>},
    {L"CirclePalette", A1<CirclePalette>},
};

const Entry kWindowOnly[] = {
    {L"CComboBoxList", A1<CComboBoxList>},
    {L"MenuItem", TA1<MenuItem>},
    {L"KeyboardCtrl", A<KeyboardCtrl>},
    {L"ZephraEffect", A<ZephraEffect>},
    {L"CDeviceCtrl", A1<CDeviceCtrl>},
    {L"TextCheckButton", TA1<TextCheckButton>},
    {L"CTextArea", TA1<CTextArea>},
    {L"BatteryCtrl", A1<BatteryCtrl>},
    {L"KeyFuncType", A1<KeyFuncType>},
    {L"KeyMenuFuncType", A1<KeyMenuFuncType>},
    {L"KeyFuncCtrl", A<KeyFuncCtrl>},
    {L"KeyFuncValue", A1<KeyFuncValue>},
    {L"CRoundArea", A1<CRoundArea>},
    {L"ProfileList", A1<ProfileList>},
    {L"KeyLayerCtrl", A1<KeyLayerCtrl>},
    {L"CKeyTestCtrl", A1<CKeyTestCtrl>},
    {L"MatrixScreen", A<MatrixScreen>},
};

const Entry kPanelOnly[] = {
    {L"MenuItem", TA1<MenuItem>},
    {L"KeyboardCtrl", A<KeyboardCtrl>},
    {L"KeyFuncControl", A<KeyFuncControl>},
    {L"MListBox", A<MListBox>},  // a second comparison; the common list matched it first
    {L"CRecordList", A<CRecordList>},
    {L"ZephraEffect", A<ZephraEffect>},
    {L"CDeviceCtrl", A1<CDeviceCtrl>},
    {L"CDeviceList", A1<CDeviceList>},
    {L"UpgradeButton", TA1<UpgradeButton>},
    {L"DownloadButton", TA1<DownloadButton>},
    {L"KeyLayerButton", TA1<KeyLayerButton>},
    {L"BatteryCtrl", A1<BatteryCtrl>},
    {L"LCDViewList", A<LCDViewList>},
    {L"LCDViewCtrl", A<LCDViewCtrl>},
    {L"ImageView", A1<ImageView>},
    {L"ImageViewList", A<ImageViewList>},
    {L"ColorView", A1<ColorView>},
    {L"LCDPalette", A<LCDPalette>},
    {L"LCDPalette2", A<LCDPalette2>},
    {L"LCDPalette3", A<LCDPalette3>},
    {L"KeyFuncCtrl", A<KeyFuncCtrl>},
    {L"KeyFuncValue", A1<KeyFuncValue>},
    {L"CRoundArea", A1<CRoundArea>},
    {L"ProfileList", A1<ProfileList>},
    {L"MListBoxEx", A1<MListBoxEx>},
    {L"CKeyTestCtrl", A1<CKeyTestCtrl>},
    {L"KeyFuncType", A1<KeyFuncType>},
    {L"KeyMenuFuncType", A1<KeyMenuFuncType>},
    {L"TabCtrlEx", A1<TabCtrlEx>},
    {L"KeyLayerCtrl", A1<KeyLayerCtrl>},
    {L"MatrixScreen", A<MatrixScreen>},
    {L"MButton3", TA1<MButton3>},
};

template <size_t N>
const Entry* Find(const Entry (&list)[N], const wchar_t* name) {
  for (const Entry& e : list)
    if (std::wcscmp(e.name, name) == 0) return &e;
  return nullptr;
}

template <size_t N>
MControl* Construct(const Entry (&tail)[N], const Args& args, const wchar_t* className) {
  if (!className || !*className) return nullptr;
  const Entry* e = Find(kCommon, className);
  if (!e) e = Find(tail, className);
  return e ? e->make(args) : nullptr;
}

template <size_t N>
std::vector<const wchar_t*> Names(const Entry (&tail)[N]) {
  std::vector<const wchar_t*> names;
  for (const Entry& e : kCommon) names.push_back(e.name);
  for (const Entry& e : tail) names.push_back(e.name);
  return names;
}
}  // namespace

MControl* ConstructWindowControl(MObject* parent, const wchar_t* className, unsigned id, CRect rect,
                                 const wchar_t* text, int a, int b) {
  return Construct(kWindowOnly, Args{parent, id, rect, text, a, b}, className);
}

MControl* ConstructPanelControl(MObject* parent, const wchar_t* className, unsigned id, CRect rect,
                                const wchar_t* text, int a, int b) {
  return Construct(kPanelOnly, Args{parent, id, rect, text, a, b}, className);
}

std::vector<const wchar_t*> WindowFactoryNames() { return Names(kWindowOnly); }
std::vector<const wchar_t*> PanelFactoryNames() { return Names(kPanelOnly); }
