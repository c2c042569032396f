#include "widgets/CKeyTestCtrl.h"
#include "core/PaintManager.h"

namespace {
constexpr int kHeld = 255;
constexpr int kReleased = 251;
constexpr int kFadeStep = 5;
constexpr int kGone = 50;
constexpr DWORD kIdleClearMs = 10000;
constexpr int kKeyWidth = 80;
}  // namespace

CKeyTestCtrl::CKeyTestCtrl(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1), m_clock(::GetTickCount) {
  m_bRun = 1;
}

CKeyTestCtrl::~CKeyTestCtrl() = default;
const wchar_t* CKeyTestCtrl::GetClassNameW() const { return L"CKeyTestCtrl"; }

void CKeyTestCtrl::SetClock(std::function<DWORD()> clock) { m_clock = std::move(clock); }

void CKeyTestCtrl::AddKey(CString name, int code) {
  m_lastKeyTime = Now();
  auto entry = std::make_unique<KEYTEST_INFO>();
  entry->name = name;
  entry->code = code;
  {
    CriticalSectionLock lock(m_lock);
    m_entries.push_back(std::move(entry));
  }
  Repaint();
}

void CKeyTestCtrl::RemoveKey(int code) {
  CriticalSectionLock lock(m_lock);
  for (auto& entry : m_entries) {
    if (entry->code == code && entry->countdown == kHeld) {
      entry->countdown = kReleased;
      return;
    }
  }
}

void CKeyTestCtrl::ClearList() {
  {
    CriticalSectionLock lock(m_lock);
    m_entries.clear();
  }
  Repaint();
}

std::vector<KEYTEST_INFO> CKeyTestCtrl::GetEntries() {
  CriticalSectionLock lock(m_lock);
  std::vector<KEYTEST_INFO> out;
  for (auto& entry : m_entries) out.push_back(*entry);
  return out;
}

int CKeyTestCtrl::OnControlTimer() {
  if (!m_bRun || !m_bVisible) return 0;
  if (++m_tick <= m_tickDivisor) return 0;
  m_tick = 0;
  const DWORD now = Now();
  if (now - m_lastKeyTime > kIdleClearMs) {
    m_lastKeyTime = now;
    ClearList();
    return 1;
  }
  {
    CriticalSectionLock lock(m_lock);
    for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
      if ((*it)->countdown == kHeld) continue;
      (*it)->countdown -= kFadeStep;
      if ((*it)->countdown < kGone) {
        m_entries.erase(it);  // at most one a run; the later ones wait for the next
        break;
      }
    }
  }
  Repaint();
  return 1;
}

void CKeyTestCtrl::DrawControl(HDC& hdc, CRect) {
  const int w = m_rcControl.Width(), h = m_rcControl.Height();
  if (w <= 0 || h <= 0) return;
  if (!m_bUpdate || !m_hMemDC) {
    UpdateMemDC(hdc, w, h);
    ::BitBlt(m_hMemDC, 0, 0, w, h, hdc, m_rcControl.left, m_rcControl.top, SRCCOPY);
    Gdiplus::Graphics g(m_hMemDC);
    g.SetTextRenderingHint(Gdiplus::TextRenderingHintClearTypeGridFit);
    g.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
    Gdiplus::FontFamily* family = m_pManager ? m_pManager->FindTempFont(m_fontName) : nullptr;
    std::unique_ptr<Gdiplus::Font> font;
    if (family) font = std::make_unique<Gdiplus::Font>(family, 12.0f, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
    Gdiplus::StringFormat centred;
    centred.SetAlignment(Gdiplus::StringAlignmentCenter);
    centred.SetLineAlignment(Gdiplus::StringAlignmentCenter);
    Gdiplus::SolidBrush brush(m_textColor);
    CriticalSectionLock lock(m_lock);
    int x = 5;
    for (auto it = m_entries.rbegin(); it != m_entries.rend(); ++it) {
      KEYTEST_INFO& entry = **it;
      if (entry.name.IsEmpty()) continue;
      entry.rect = CRect(x, 1, x + kKeyWidth, 31);
      if (m_pImage && m_frameWidth > 0)
        g.DrawImage(m_pImage, Gdiplus::Rect(x, 1, kKeyWidth, 30), 0, 0, m_frameWidth, m_frameHeight,
                    Gdiplus::UnitPixel);
      if (font)
        g.DrawString(entry.name.GetString(), entry.name.GetLength(), font.get(),
                     Gdiplus::RectF(static_cast<Gdiplus::REAL>(x), 1, static_cast<Gdiplus::REAL>(kKeyWidth), 30),
                     &centred, &brush);
      x += kKeyWidth;
      if (x > w - kKeyWidth) break;
    }
  }
  ::BitBlt(hdc, m_rcControl.left, m_rcControl.top, w, h, m_hMemDC, 0, 0, SRCCOPY);
}
