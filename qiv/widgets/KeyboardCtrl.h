// The on-screen keyboard: the current model's picture with one drawn key per layout key.
// The user points at and clicks keys; the owner relabels and recolours them. The worker
// thread adds and recolours keys while the window draws: every change of the key list or
// of a key takes the key lock, which drawing and hit tests hold too.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <atomic>
#include <map>
#include <memory>
#include <tuple>
#include <vector>
#include "core/CString.h"
#include "core/CriticalSection.h"
#include "core/MPanel.h"
#include "widgets/DibSurface.h"

class CKeyboardTips;

enum KeyboardCtrlMode {
  KEYBOARD_MODE_LEGEND = 100,   // key caps with their own labels
  KEYBOARD_MODE_FUNCTION = 101, // key caps with the names of their functions
  KEYBOARD_MODE_FILL = 103,     // keys filled with their colours
  KEYBOARD_MODE_OUTLINE = 104,  // keys outlined in their colours
};

// A key's cap picture, loaded from the skins folder; owned by its key. Stored, not drawn.
struct KEY_PICTURE {
  Gdiplus::Image* image = nullptr;
  int width = 0;
  int height = 0;
  bool IsEmpty() const { return image == nullptr; }
};

// One key of the on-screen keyboard. The program reads these records in place, so the
// order of the fields is part of the library's interface. Operations that name a key by
// code take the first key with that code in list order.
struct KEY_INFO {
  int index = 0;  // position in the list when added
  int keyCode = 0;  // USB HID usage; 255 marks the knob
  CString name;     // the function assigned to the key (drawn in mode 101)
  CString legend;   // the key's own label (drawn in modes 100 and 103)
  int value = 0;
  CString tips[4];
  CString tipMarker;  // the single character U+00FF also marks the knob
  CRect rect;         // layout coordinates
  int checked = 0;
  int reserved[2] = {};
  COLORREF bkColor = 0;   // stored, never drawn
  COLORREF keyColor = 0;  // drawn in modes 103 and 104
  KEY_PICTURE picture;

  KEY_INFO() = default;
  ~KEY_INFO() { delete picture.image; }
  KEY_INFO(const KEY_INFO&) = delete;
  KEY_INFO& operator=(const KEY_INFO&) = delete;
  bool IsKnob() const { return keyCode == 255 || tipMarker == L"\u00FF"; }
};

class QIV_API KeyboardCtrl : public MPanel {
public:
  KeyboardCtrl(MObject* parent, unsigned id, CRect rect, int visible);
  ~KeyboardCtrl() override;
  const wchar_t* GetClassNameW() const override;

  void InitControl(PaintManager* manager) override;
  void DrawControl(HDC& hdc, CRect paint) override;
  void SetUpdate(int valid, DWORD color) override;
  long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;
  void SetControlRect(CRect rect) override;
  int OnControlTimer() override;
  int OnControlMouseMove(unsigned flags, CPoint point) override;
  int OnControlLButtonDown(unsigned flags, CPoint point) override;
  int OnControlLButtonUp(unsigned flags, CPoint point) override;
  int OnControlRButtonDown(unsigned flags, CPoint point) override;
  int OnControlRButtonUp(unsigned flags, CPoint point) override;
  int OnControlKeyDown(unsigned key, unsigned repeat, unsigned modifiers) override;

  // ---- keys ----
  // Appends a key with both colours set to `colour`; answers its index. A non-empty
  // picture file is loaded from the skins folder.
  int AddKeyItem(const wchar_t* name, const wchar_t* legend, int keyCode, CRect rect, const wchar_t* picture,
                 COLORREF colour);
  // No key pressed or hovered afterwards.
  void ClearItem();
  // The records stay the control's; a record stays valid until the second ClearItem
  // after it was handed out, so a reader on another thread may finish its walk.
  std::vector<KEY_INFO*> GetKeyItems();
  // The key lock, lent to an owner that reads several records as one.
  void EnterCriSec() { m_keyLock.Lock(); }
  void LeaveCriSec() { m_keyLock.Unlock(); }

  // ---- picture, layout, mode ----
  // The keyboard picture, relative to the skins folder, and the layout's size.
  void SetKeyboardImage(const wchar_t* file);
  void SetWidthAndHeight(int width, int height);
  void SetKeyboardCtrlMode(int mode);
  int GetKeyboardCtrlMode() const { return m_mode; }
  // Kept as opaque ARGB.
  void SetKeyboardColor(COLORREF colour);
  const CString& GetKeyboardImageFile() const { return m_keyboardImage; }
  int GetLayoutWidth() const { return m_layoutWidth; }
  int GetLayoutHeight() const { return m_layoutHeight; }
  DWORD GetKeyboardColor() const { return m_keyboardColor; }
  CPoint GetKeyOffset() const { return m_keyOffset; }
  CKeyboardTips* GetTipWindow() const { return m_tipWindow.get(); }
  // A layout rectangle moved by the key offset.
  CRect GetRealRect(RECT rect) const;

  // ---- colours ----
  // Flag 0 sets both colours of every key and repaints; any other flag does nothing.
  void SetLightModeColor(int flag, COLORREF colour);
  // Every key's colour; repaints.
  void ResetAllItemsColor(COLORREF colour);
  // By code, without a repaint of their own; an unknown key code changes nothing.
  void SetKeyColor(int keyCode, COLORREF colour);
  void SetKeyBkgColor(int keyCode, COLORREF colour);
  // The key's colour, or -1 for an unknown key code.
  long GetKeyColor(int keyCode) const;
  // Draws the key with that code again, leaving the other keys' rendering as it is.
  void UpdateKey(int keyCode);

  // ---- check flags, texts, tips ----
  void SetKeyCheck(int keyCode, int value);
  void ResetAllItemCheck();
  void ResetAllItemCheck(int value);
  int GetCheckItemCount();
  void SetKeyDesc(int keyCode, const wchar_t* text);
  void SetKeyItemInfo(int keyCode, const wchar_t* name, int value, const wchar_t* tip);
  void ResetTipKey();
  void SetTipKey(int keyCode, const wchar_t* first, const wchar_t* second);
  // Gives the key at list index 1 .. count - 2 a new key code (255 draws the knob).
  void SetKeyEncoder(int index, int keyCode);

  // ---- pointer ----
  // The code of the first key under a window point, else 0.
  int GetKeyCodeByPoint(CPoint point);
  // Hover tracking while the owner drags something over the control.
  void DragMove(CPoint point);
  void SetAllSelectColor(COLORREF colour);
  COLORREF GetAllSelectColor() const { return m_toggleColor; }
  void EnableFrameSelect(int enable) { m_frameSelect = enable; }
  void EnableKBTips(bool enable) { m_tips = enable; }
  int GetCurrentKeyValue() const { return m_currentKeyValue; }
  int GetHoverKey() const { return m_hoverKey; }
  int GetPressedKey() const { return m_pressedKey; }
  // Marks every key under the rectangle spanned by the right-button press and the last
  // pointer position; a span under 6 x 6 px marks none.
  void CalFrameSelect();

  // ---- stored pictures ----
  int SetKeyState1Image(const wchar_t* file);
  int SetKeyState2Image(const wchar_t* file);
  int SetKeyState3Image(const wchar_t* file);
  void SetShowActuation(int show);

  // The four tip lines of a key: its tips, or its legend four times when it has none.
  static void GetTipLines(const KEY_INFO& key, CString lines[4]);
  // How many full and partial renders the control made (for the owner's measurements).
  int GetFullRenderCount() const { return m_fullRenders; }
  int GetPartialRenderCount() const { return m_partialRenders; }

private:
  struct StatePicture {
    std::unique_ptr<Gdiplus::Image> image;
    int frameWidth = 0, frameHeight = 0;
  };

  // Both under the key lock.
  int FindKeyIndex(int keyCode) const;
  KEY_INFO* FindKey(int keyCode) const;
  int HitKey(CPoint point) const;  // under the key lock
  CRect WindowKeyRect(const KEY_INFO& key) const;
  void Repaint();
  // Asks for the keys at these indexes to be drawn again, and only their rectangles.
  void RepaintKeys(int first, int second);
  void SetTips(int index, bool show);
  int LoadStatePicture(StatePicture& picture, const wchar_t* file);

  // Rendering (KeyboardCtrlDraw.cpp).
  // Under the key lock: only changed keys need drawing over the cached background.
  bool CanRenderKeysOnly(int width, int height) const;
  void RenderAll(HDC hdc, int width, int height);
  std::unique_ptr<Gdiplus::Font> KeyFont();
  void RenderKeys(const std::vector<int>& indexes);
  void DrawKey(Gdiplus::Graphics& g, const KEY_INFO& key, int index, Gdiplus::Font* font);
  void DrawCap(Gdiplus::Graphics& g, const CRect& r, int frame);
  // The keyboard picture scaled to the control, made again when either changes.
  Gdiplus::Bitmap* ScaledKeyboardPicture(int width, int height);

  mutable CriticalSection m_keyLock;
  std::vector<std::unique_ptr<KEY_INFO>> m_keys;
  std::vector<std::unique_ptr<KEY_INFO>> m_retiredKeys;  // cleared by the last ClearItem
  int m_hoverKey = -1;
  int m_pressedKey = -1;
  int m_currentKeyValue = 0;
  int m_mode = KEYBOARD_MODE_LEGEND;
  std::unique_ptr<Gdiplus::Image> m_keyboardPicture;
  CString m_keyboardImage;
  int m_layoutWidth = 0;
  int m_layoutHeight = 0;
  CPoint m_keyOffset{6, 6};
  int m_frameSelect = 0;
  COLORREF m_toggleColor = 0x0000FF;
  bool m_tips = false;
  std::unique_ptr<CKeyboardTips> m_tipWindow;  // made on the first tip
  DWORD m_keyboardColor = 0xFFFFFFFF;
  StatePicture m_statePictures[3];
  int m_showActuation = 0;
  std::unique_ptr<Gdiplus::StringFormat> m_format;
  int m_timerDriven = 0;
  CPoint m_frameStart, m_frameEnd;

  // The cached rendering: the surface the keys are drawn on, the background under the
  // keys (window pixels and keyboard picture) and the keys to draw again at the next
  // paint when not everything is stale.
  DibSurface m_surface;
  std::vector<uint32_t> m_basePixels;
  std::vector<uint32_t> m_backgroundPixels;  // the window's pixels the base was made from
  Gdiplus::Bitmap* m_basePicture = nullptr;
  std::vector<int> m_dirtyKeys;  // under the key lock
  // Scaling pictures is the slow part of a render: each cap size and frame, and the
  // keyboard picture at the control's size, is scaled once and then only copied.
  std::map<std::tuple<int, int, int>, std::unique_ptr<Gdiplus::Bitmap>> m_caps;
  Gdiplus::Image* m_capSource = nullptr;
  std::unique_ptr<Gdiplus::Bitmap> m_scaledPicture;
  Gdiplus::Image* m_scaledSource = nullptr;
  std::atomic<bool> m_fullRender{true};
  DWORD m_partialRequestThread = 0;
  int m_fullRenders = 0;
  int m_partialRenders = 0;
};
