#include "widgets/KeyboardCtrl.h"
#include <algorithm>
#include "controls/CKeyboardTips.h"
#include "core/MRender.h"
#include "core/Manager.h"
#include "core/PaintManager.h"

namespace {
constexpr int kEdge = 2;  // the outline pen reaches this far outside a key
}  // namespace

KeyboardCtrl::KeyboardCtrl(MObject* parent, unsigned id, CRect rect, int visible)
    : MPanel(parent, id, rect, visible), m_format(std::make_unique<Gdiplus::StringFormat>()) {
  m_format->SetAlignment(Gdiplus::StringAlignmentCenter);
  m_format->SetLineAlignment(Gdiplus::StringAlignmentCenter);
}

KeyboardCtrl::~KeyboardCtrl() {
  // The tip window goes first; deleting its object then finds no window left.
  if (m_tipWindow) m_tipWindow->DestroyWindow();
}
const wchar_t* KeyboardCtrl::GetClassNameW() const { return L"KeyboardCtrl"; }

void KeyboardCtrl::InitControl(PaintManager* manager) {
  MPanel::InitControl(manager);
  SetControlRect(m_rcControl);
}

long KeyboardCtrl::OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) {
  return MPanel::OnMessage(id, code, wParam, lParam);
}

void KeyboardCtrl::SetControlRect(CRect rect) {
  MPanel::SetControlRect(rect);
  if (!rect.IsRectEmpty() && m_layoutWidth && m_layoutHeight)
    m_keyOffset = CPoint((rect.Width() - m_layoutWidth) / 2, 20);
  Repaint();
}

void KeyboardCtrl::SetUpdate(int valid, DWORD color) {
  // A stale mark that is not this control's own request for a few keys may come from
  // anything under or over it: everything is drawn again.
  if (!valid && m_partialRequestThread != ::GetCurrentThreadId()) m_fullRender = true;
  MPanel::SetUpdate(valid, color);
}

void KeyboardCtrl::Repaint() {
  m_fullRender = true;
  UpdateControl(1, 0);
}

void KeyboardCtrl::RepaintKeys(int first, int second) {
  CRect region;
  {
    CriticalSectionLock lock(m_keyLock);
    const int count = static_cast<int>(m_keys.size());
    for (int index : {first, second}) {
      if (index < 0 || index >= count) continue;
      m_dirtyKeys.push_back(index);
      CRect r = WindowKeyRect(*m_keys[static_cast<size_t>(index)]);
      r.InflateRect(kEdge, kEdge);
      region.UnionRect(region, r);
    }
  }
  if (region.IsRectEmpty() || !m_bVisible || !m_pParent) return;
  m_partialRequestThread = ::GetCurrentThreadId();
  UpdateControl(region, 0, 1);
  m_partialRequestThread = 0;
}

// ---- keys ----

int KeyboardCtrl::AddKeyItem(const wchar_t* name, const wchar_t* legend, int keyCode, CRect rect,
                             const wchar_t* picture, COLORREF colour) {
  auto key = std::make_unique<KEY_INFO>();
  key->keyCode = keyCode;
  key->name = name;
  key->legend = legend;
  key->rect = rect;
  key->bkColor = colour;
  key->keyColor = colour;
  if (picture && *picture) {
    key->picture.image = MRender::LoadImageFromFile(GetSkinsFolder() + picture);
    if (key->picture.image) {
      key->picture.width = static_cast<int>(key->picture.image->GetWidth());
      key->picture.height = static_cast<int>(key->picture.image->GetHeight());
    }
  }
  CriticalSectionLock guard(m_keyLock);
  key->index = static_cast<int>(m_keys.size());
  m_keys.push_back(std::move(key));
  m_fullRender = true;
  return static_cast<int>(m_keys.size()) - 1;
}

void KeyboardCtrl::ClearItem() {
  CriticalSectionLock guard(m_keyLock);
  m_retiredKeys = std::move(m_keys);
  m_keys.clear();
  m_dirtyKeys.clear();
  m_hoverKey = -1;
  m_pressedKey = -1;
  m_fullRender = true;
}

std::vector<KEY_INFO*> KeyboardCtrl::GetKeyItems() {
  CriticalSectionLock guard(m_keyLock);
  std::vector<KEY_INFO*> out;
  out.reserve(m_keys.size());
  for (auto& key : m_keys) out.push_back(key.get());
  return out;
}

int KeyboardCtrl::FindKeyIndex(int keyCode) const {
  for (size_t i = 0; i < m_keys.size(); ++i)
    if (m_keys[i]->keyCode == keyCode) return static_cast<int>(i);
  return -1;
}

KEY_INFO* KeyboardCtrl::FindKey(int keyCode) const {
  const int index = FindKeyIndex(keyCode);
  return index < 0 ? nullptr : m_keys[static_cast<size_t>(index)].get();
}

// ---- picture, layout, mode ----

void KeyboardCtrl::SetKeyboardImage(const wchar_t* file) {
  m_keyboardImage = file;
  std::unique_ptr<Gdiplus::Image> picture(MRender::LoadImageFromFile(GetSkinsFolder() + m_keyboardImage));
  CriticalSectionLock guard(m_keyLock);
  m_keyboardPicture = std::move(picture);
  m_fullRender = true;
}

void KeyboardCtrl::SetWidthAndHeight(int width, int height) {
  m_layoutWidth = width;
  m_layoutHeight = height;
  if (!m_rcControl.IsRectEmpty()) m_keyOffset = CPoint(20, 25);
  m_fullRender = true;
}

void KeyboardCtrl::SetKeyboardCtrlMode(int mode) {
  m_mode = mode;
  Repaint();
}

void KeyboardCtrl::SetKeyboardColor(COLORREF colour) {
  m_keyboardColor = 0xFF000000 | (DWORD(GetRValue(colour)) << 16) | (DWORD(GetGValue(colour)) << 8) | GetBValue(colour);
}

CRect KeyboardCtrl::GetRealRect(RECT rect) const {
  CRect r(rect);
  r.OffsetRect(m_keyOffset);
  return r;
}

CRect KeyboardCtrl::WindowKeyRect(const KEY_INFO& key) const {
  CRect r = GetRealRect(key.rect);
  r.OffsetRect(m_rcControl.left, m_rcControl.top);
  return r;
}

// ---- colours ----

void KeyboardCtrl::SetLightModeColor(int flag, COLORREF colour) {
  if (flag != 0) return;
  {
    CriticalSectionLock guard(m_keyLock);
    for (auto& key : m_keys) key->bkColor = key->keyColor = colour;
  }
  Repaint();
}

void KeyboardCtrl::ResetAllItemsColor(COLORREF colour) {
  {
    CriticalSectionLock guard(m_keyLock);
    for (auto& key : m_keys) key->keyColor = colour;
  }
  Repaint();
}

void KeyboardCtrl::SetKeyColor(int keyCode, COLORREF colour) {
  CriticalSectionLock guard(m_keyLock);
  const int index = FindKeyIndex(keyCode);
  if (index < 0) return;
  m_keys[static_cast<size_t>(index)]->keyColor = colour;
  m_dirtyKeys.push_back(index);
}

void KeyboardCtrl::SetKeyBkgColor(int keyCode, COLORREF colour) {
  CriticalSectionLock guard(m_keyLock);
  if (KEY_INFO* key = FindKey(keyCode)) key->bkColor = colour;
}

long KeyboardCtrl::GetKeyColor(int keyCode) const {
  CriticalSectionLock guard(m_keyLock);
  const KEY_INFO* key = FindKey(keyCode);
  return key ? static_cast<long>(key->keyColor) : -1;
}

void KeyboardCtrl::UpdateKey(int keyCode) {
  int index;
  {
    CriticalSectionLock guard(m_keyLock);
    index = FindKeyIndex(keyCode);
  }
  RepaintKeys(index, -1);
}

// ---- check flags, texts, tips ----

void KeyboardCtrl::SetKeyCheck(int keyCode, int value) {
  CriticalSectionLock guard(m_keyLock);
  const int index = FindKeyIndex(keyCode);
  if (index < 0) return;
  m_keys[static_cast<size_t>(index)]->checked = value;
  m_dirtyKeys.push_back(index);
}

void KeyboardCtrl::ResetAllItemCheck() { ResetAllItemCheck(0); }

void KeyboardCtrl::ResetAllItemCheck(int value) {
  {
    CriticalSectionLock guard(m_keyLock);
    for (auto& key : m_keys) key->checked = value;
    m_pressedKey = -1;
  }
  Repaint();
}

int KeyboardCtrl::GetCheckItemCount() {
  CriticalSectionLock guard(m_keyLock);
  return static_cast<int>(std::count_if(m_keys.begin(), m_keys.end(), [](const auto& k) { return k->checked != 0; }));
}

void KeyboardCtrl::SetKeyDesc(int keyCode, const wchar_t* text) {
  CriticalSectionLock guard(m_keyLock);
  const int index = FindKeyIndex(keyCode);
  if (index < 0) return;
  KEY_INFO& key = *m_keys[static_cast<size_t>(index)];
  key.name = text;
  key.legend = text;
  m_dirtyKeys.push_back(index);
}

void KeyboardCtrl::SetKeyItemInfo(int keyCode, const wchar_t* name, int value, const wchar_t* tip) {
  CriticalSectionLock guard(m_keyLock);
  const int index = FindKeyIndex(keyCode);
  if (index < 0) return;
  KEY_INFO& key = *m_keys[static_cast<size_t>(index)];
  key.name = name;
  key.value = value;
  key.tips[0] = tip;
  m_dirtyKeys.push_back(index);
}

void KeyboardCtrl::ResetTipKey() {
  CriticalSectionLock guard(m_keyLock);
  for (auto& key : m_keys) {
    key->tips[0].Empty();
    key->tipMarker.Empty();  // may turn a marked knob back into a key
  }
  m_fullRender = true;
}

void KeyboardCtrl::SetTipKey(int, const wchar_t*, const wchar_t*) { CriticalSectionLock guard(m_keyLock); }

void KeyboardCtrl::SetKeyEncoder(int index, int keyCode) {
  {
    CriticalSectionLock guard(m_keyLock);
    if (index < 1 || index >= static_cast<int>(m_keys.size()) - 1) return;
    m_keys[static_cast<size_t>(index)]->keyCode = keyCode;
  }
  RepaintKeys(index, -1);
}

void KeyboardCtrl::GetTipLines(const KEY_INFO& key, CString lines[4]) {
  const bool own = !key.tips[0].IsEmpty() || !key.tipMarker.IsEmpty();
  for (int i = 0; i < 4; ++i) lines[i] = own ? key.tips[i] : key.legend;
}

void KeyboardCtrl::SetTips(int index, bool show) {
  if (!m_tips) return;  // the program never turns the key tips on
  if (!show) {
    if (m_tipWindow) m_tipWindow->ShowWindow(SW_HIDE);
    return;
  }
  const HWND host = m_pManager ? m_pManager->GetPaintWnd() : nullptr;
  if (!host) return;
  CString lines[4];
  CRect key;
  {
    CriticalSectionLock guard(m_keyLock);
    if (index < 0 || index >= static_cast<int>(m_keys.size())) return;
    GetTipLines(*m_keys[static_cast<size_t>(index)], lines);
    key = WindowKeyRect(*m_keys[static_cast<size_t>(index)]);
  }
  if (!m_tipWindow) {
    m_tipWindow = std::make_unique<CKeyboardTips>();
    m_tipWindow->Create(host, L"KeyboardTip Window", 0x96020080, 0, CRect(), nullptr);
    m_tipWindow->LoadBKImage(L"img_tip_bk.png");
  }
  POINT anchor = {(key.left + key.right) / 2, key.top};
  ::ClientToScreen(host, &anchor);
  m_tipWindow->SetAirBladderMsg(lines[0], lines[1], lines[2], lines[3], anchor);
  m_tipWindow->ShowWindow(SW_SHOW);
}

// ---- pointer ----

int KeyboardCtrl::HitKey(CPoint point) const {
  for (size_t i = 0; i < m_keys.size(); ++i)
    if (WindowKeyRect(*m_keys[i]).PtInRect(point)) return static_cast<int>(i);
  return -1;
}

int KeyboardCtrl::GetKeyCodeByPoint(CPoint point) {
  CriticalSectionLock guard(m_keyLock);
  const int index = HitKey(point);
  return index < 0 ? 0 : m_keys[static_cast<size_t>(index)]->keyCode;
}

int KeyboardCtrl::OnControlMouseMove(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  m_frameEnd = point;
  const int before = m_hoverKey;
  bool stays = false;
  {
    CriticalSectionLock guard(m_keyLock);
    const bool inside = m_rcControl.PtInRect(point) != 0;
    stays = inside && before >= 0 && before < static_cast<int>(m_keys.size()) &&
            WindowKeyRect(*m_keys[static_cast<size_t>(before)]).PtInRect(point);
    if (!stays) m_hoverKey = inside ? HitKey(point) : -1;
  }
  // The tip window is shown and hidden outside the key lock: it sends window messages.
  if (stays) {
    SetTips(before, true);
    return 1;
  }
  SetTips(-1, false);
  if (m_hoverKey == before) return 0;
  if (!m_timerDriven) RepaintKeys(before, m_hoverKey);
  return 1;
}

void KeyboardCtrl::DragMove(CPoint point) {
  if (!m_bEnabled) return;
  const int before = m_hoverKey;
  {
    CriticalSectionLock guard(m_keyLock);
    const bool inside = m_rcControl.PtInRect(point) != 0;
    if (inside && before >= 0 && before < static_cast<int>(m_keys.size()) &&
        WindowKeyRect(*m_keys[static_cast<size_t>(before)]).PtInRect(point))
      return;
    m_hoverKey = inside ? HitKey(point) : -1;
  }
  if (m_hoverKey != before) RepaintKeys(before, m_hoverKey);
}

int KeyboardCtrl::OnControlLButtonDown(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  if (m_frameSelect) ResetAllItemCheck(0);
  const int old = m_pressedKey;
  if (m_rcControl.PtInRect(point)) {
    int index, code = 0;
    {
      CriticalSectionLock guard(m_keyLock);
      index = m_hoverKey >= 0 && m_hoverKey < static_cast<int>(m_keys.size()) ? m_hoverKey : -1;
      m_pressedKey = index;
      if (index >= 0) {
        KEY_INFO& key = *m_keys[static_cast<size_t>(index)];
        code = key.keyCode;
        m_currentKeyValue = code;
        if (m_frameSelect) {
          key.checked = key.checked ? 0 : 1;
          if (m_mode == KEYBOARD_MODE_FILL) key.keyColor = key.keyColor == m_toggleColor ? 0 : m_toggleColor;
        }
      }
    }
    SendMessageW(NOTIFY_LBUTTONDOWN, static_cast<unsigned>(index), code);
  }
  if (m_pressedKey != old || m_frameSelect) RepaintKeys(old, m_pressedKey);
  return 1;
}

int KeyboardCtrl::OnControlLButtonUp(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  const bool inside = m_rcControl.PtInRect(point) != 0;
  if (inside && m_pressedKey < 0) m_currentKeyValue = -1;
  SendMessageW(NOTIFY_CLICK, static_cast<unsigned>(inside ? m_pressedKey : -1), 0);
  return 1;
}

int KeyboardCtrl::OnControlRButtonDown(unsigned, CPoint point) {
  if (!m_bEnabled || !m_frameSelect) return 0;
  m_frameStart = point;
  return 1;
}

int KeyboardCtrl::OnControlRButtonUp(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  if (!m_rcControl.PtInRect(point)) return 1;
  const int old = m_pressedKey;
  int index, code = 0;
  {
    CriticalSectionLock guard(m_keyLock);
    index = m_hoverKey >= 0 && m_hoverKey < static_cast<int>(m_keys.size()) ? m_hoverKey : -1;
    m_pressedKey = index;
    if (index >= 0) code = m_keys[static_cast<size_t>(index)]->keyCode;
    m_currentKeyValue = code;
  }
  SendMessageW(NOTIFY_RBUTTONUP, static_cast<unsigned>(index), code);
  if (m_pressedKey != old) RepaintKeys(old, m_pressedKey);
  return 1;
}

int KeyboardCtrl::OnControlKeyDown(unsigned key, unsigned repeat, unsigned modifiers) {
  return MControl::OnControlKeyDown(key, repeat, modifiers);
}

int KeyboardCtrl::OnControlTimer() {
  m_timerDriven = 1;
  return m_bVisible;
}

void KeyboardCtrl::SetAllSelectColor(COLORREF colour) {
  m_toggleColor = colour;
  Repaint();
}

void KeyboardCtrl::CalFrameSelect() {
  CRect span(m_frameStart.x, m_frameStart.y, m_frameEnd.x, m_frameEnd.y);
  span.NormalizeRect();
  if (span.Width() < 6 && span.Height() < 6) return;
  CriticalSectionLock guard(m_keyLock);
  for (auto& key : m_keys) {
    CRect meet;
    if (meet.IntersectRect(WindowKeyRect(*key), span)) key->checked = 1;
  }
  m_fullRender = true;
}

// ---- stored pictures ----

int KeyboardCtrl::LoadStatePicture(StatePicture& picture, const wchar_t* file) {
  picture.image.reset(MRender::LoadImageFromFile(GetSkinsFolder() + (file ? file : L"")));
  picture.frameWidth = picture.image ? static_cast<int>(picture.image->GetWidth()) / 3 : 0;
  picture.frameHeight = picture.image ? static_cast<int>(picture.image->GetHeight()) : 0;
  return picture.image ? 1 : 0;
}

int KeyboardCtrl::SetKeyState1Image(const wchar_t* file) { return LoadStatePicture(m_statePictures[0], file); }
int KeyboardCtrl::SetKeyState2Image(const wchar_t* file) { return LoadStatePicture(m_statePictures[1], file); }
int KeyboardCtrl::SetKeyState3Image(const wchar_t* file) { return LoadStatePicture(m_statePictures[2], file); }

void KeyboardCtrl::SetShowActuation(int show) {
  m_showActuation = show;
  Repaint();
}
