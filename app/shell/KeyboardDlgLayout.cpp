// The model's layout: the catalogue entry, its profile database, its layout file in the
// on-screen keyboard and the canvas, the key maps and grid, and the pages of the model.
#include "shell/KeyboardDlg.h"
#include <algorithm>
#include "canvas/ZephraEffect.h"
#include "shell/LayoutFile.h"
#include "store/KeyboardDataStore.h"
#include "widgets/KeyboardCtrl.h"

namespace {

constexpr COLORREF kLayoutKeyColor = 0x604E3A;
constexpr int kModelTitle = 38;
constexpr int kKnobModeRow[] = {354, 355, 356};
constexpr int kLightingTabPosition = 1;
// Key indexes address the 128 three-byte actions of a key map.
constexpr int kKeyIndexCount = 128;

// One light of a strip beside the keys: a pseudo-key code with its LED and, when the
// canvas draws it, its item.
struct StripLight {
  int code = 0;
  int led = -1;  // -1: the code's LED is set by another entry
  bool onCanvas = true;
  CRect rect;
  int column = 0;
  int row = 0;
};

// The fixed light strips of models 101 and 102.
std::vector<StripLight> LayoutStrips(int model) {
  std::vector<StripLight> strips;
  if (model == 101) {
    // Left strip: code 308 at the top, each lower code 30 pixels further down.
    for (int n = 0; n <= 8; ++n) {
      const int top = 2 + 30 * (8 - n);
      strips.push_back({300 + n, 87 + n, true, CRect(1, top, 7, top + 6), 0, n});
    }
    // Top strip: LEDs 96-119 for codes 310-333; 24 canvas items on columns 1-23, where
    // 328 has none, 326 and 333 share a column with their neighbour.
    for (int c = 310; c <= 333; ++c) strips.push_back({c, 96 + (c - 310), false, CRect(), 0, 0});
    static const int kTopCodes[24] = {310, 311, 312, 313, 314, 315, 316, 317, 318, 319, 320, 321,
                                      322, 323, 324, 325, 326, 327, 329, 330, 331, 332, 333, 333};
    static const int kTopColumns[24] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12,
                                        13, 14, 15, 16, 16, 17, 18, 19, 20, 21, 22, 23};
    for (int i = 0; i < 24; ++i) {
      const int left = 1 + 36 * i;
      strips.push_back({kTopCodes[i], -1, true, CRect(left, 2, left + 6, 8), kTopColumns[i], 0});
    }
    // Right strip: code 340 at the bottom, each higher code 30 pixels further up. Codes
    // 332 and 333 go on to the right strip's LEDs.
    for (int n = 0; n <= 8; ++n) {
      const int top = 2 + 30 * n;
      strips.push_back({332 + n, 120 + n, true, CRect(810, top, 816, top + 6), 24, 8 - n});
    }
  } else if (model == 102) {
    for (int n = 0; n <= 26; ++n) {
      const int left = 20 + 29 * n;
      strips.push_back({300 + n, 80 + n, true, CRect(left, 312, left + 6, 318), n, 7});
    }
  }
  return strips;
}

}  // namespace

void KeyboardDlg::LoadDeviceLayout(int deviceType) {
  CString name, layoutName;
  for (const DeviceCatalogEntry& k : m_catalogKeyboards) {
    if (k.deviceType != deviceType) continue;
    name = k.name;
    layoutName = k.deviceInfo;
    break;
  }
  SetControlTitle(kModelTitle, name.GetString());
  m_deviceType = deviceType;
  m_deviceName = name;
  m_toolPackageBaseUrl.Empty();  // the firmware tool offered belongs to the previous model
  m_keyboardTablesRead = false;  // the maps below are the layout's, not the keyboard's

  // One step: the store closes the previous model's file under its lock, so no setting
  // written meanwhile finds the store closed.
  m_store.OpenDeviceDb(m_userDataFolder, name);
  m_store.SetModelId(deviceType);

  KeyboardLayout layout;
  const bool read = ReadKeyboardLayout((m_exeFolder + L"layouts\\" + layoutName + L".xml").GetString(), layout);
  std::vector<StripLight> strips;
  if (read) {
    m_keyIndexByCode.clear();
    m_lightIndexByCode.clear();
    m_keyCodeByLight.clear();
    m_layoutRows = 0;
    m_layoutColumns = 0;
    std::fill(std::begin(m_keyGrid), std::end(m_keyGrid), uint8_t(0xFF));
    if (layout.hasKeyboard) {
      m_layoutRows = layout.rows;
      m_layoutColumns = layout.columns;
      for (const LayoutKey& key : layout.keys) {
        // A key index outside the key map would address bytes past a layer's table and
        // past it on the wire: such a key has no place in the key map.
        if (key.keyIndex >= 0 && key.keyIndex < kKeyIndexCount) m_keyIndexByCode[key.code] = key.keyIndex;
        m_lightIndexByCode[key.code] = key.lightIndex;
        m_keyCodeByLight[key.lightIndex] = key.code;
        // A cell outside the grid is not kept: the key has no place on the canvas grid.
        if (IsLayoutGridCell(key.row, key.column))
          m_keyGrid[key.row * kLayoutGridColumns + key.column] = uint8_t(key.code);
      }
      {
        // New profiles of this model get their default key rows for these keys.
        std::vector<ProfileKey> keys = ProfileKeysOf(layout.keys);
        std::lock_guard<std::mutex> hold(m_pageStateLock);
        m_profileKeys = std::move(keys);
      }
      strips = LayoutStrips(deviceType);
      for (const StripLight& light : strips) {
        if (light.led >= 0) m_lightIndexByCode[light.code] = light.led;
      }
    }
  }

  // The two keyboard controls take the layout on the window thread, from copies.
  const COLORREF baseColour = m_keyBaseColor;
  OnWindowThread([this, read, layout = std::move(layout), strips = std::move(strips), baseColour] {
    if (!read) return;
    if (m_keyboardCtrl) m_keyboardCtrl->ClearItem();
    if (m_zephraEffect) m_zephraEffect->ClearItem();
    if (!layout.hasKeyboard) return;
    const CString picture = KeyboardPicturePath(layout.image);
    if (m_zephraEffect) {
      m_zephraEffect->SetRect(layout.rect);
      m_zephraEffect->SetKeyboardImage(picture.GetString());
      m_zephraEffect->SetWidthAndHeight(layout.rect.Width(), layout.rect.Height());
    }
    if (m_keyboardCtrl) {
      m_keyboardCtrl->SetRect(layout.rect);
      m_keyboardCtrl->SetKeyboardImage(picture.GetString());
      m_keyboardCtrl->SetWidthAndHeight(layout.rect.Width(), layout.rect.Height());
      m_keyboardCtrl->SetKeyboardColor(layout.background);
    }
    for (const LayoutKey& key : layout.keys) {
      if (m_keyboardCtrl)
        m_keyboardCtrl->AddKeyItem(key.name.GetString(), key.desc.GetString(), key.code, key.rect, L"",
                                   kLayoutKeyColor);
      if (m_zephraEffect) m_zephraEffect->AddKeyItem(key.name.GetString(), DWORD(key.code), key.rect, key.column, key.row);
    }
    for (const StripLight& light : strips) {
      if (light.onCanvas && m_zephraEffect)
        m_zephraEffect->AddKeyItem(L"", DWORD(light.code), light.rect, light.column, light.row);
    }
    if (m_keyboardCtrl) m_keyboardCtrl->SetLightModeColor(0, baseColour);
  });

  // Models 150-180 have no lighting pages; only 102 has the matrix screen.
  const bool plain = deviceType >= 150 && deviceType <= 180;
  SetTabVisible(kLightingTabPosition, !plain);
  SetTabVisible(kMatrixTabPosition, !plain && deviceType == 102);
  SetTabVisible(kCanvasTabPosition, !plain);
  for (int id : kKnobModeRow) ShowControl(id, deviceType == 103);
}
