#include "widgets/BatteryCtrl.h"
#include "core/MRender.h"
#include "core/Manager.h"
#include "core/PaintManager.h"
#include "widgets/BatteryLevel.h"

namespace {
std::unique_ptr<Gdiplus::Image> LoadSkin(const wchar_t* file, int& width, int& height) {
  std::unique_ptr<Gdiplus::Image> image(MRender::LoadImageFromFile(GetSkinsFolder() + (file ? file : L"")));
  width = image ? static_cast<int>(image->GetWidth()) : 0;
  height = image ? static_cast<int>(image->GetHeight()) : 0;
  return image;
}
}  // namespace

BatteryCtrl::BatteryCtrl(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1) {
  m_fontSize = 14;
}

BatteryCtrl::~BatteryCtrl() { m_pImage = nullptr; }
const wchar_t* BatteryCtrl::GetClassNameW() const { return L"BatteryCtrl"; }

void BatteryCtrl::InitControl(PaintManager* manager) { MControlFont::InitControl(manager); }

int BatteryCtrl::SetImage(const wchar_t* file, int frames) {
  m_pImage = nullptr;
  m_frameWidth = m_frameHeight = 0;
  m_sprite.reset();
  if (frames < 1) return 0;
  int width = 0, height = 0;
  m_sprite = LoadSkin(file, width, height);
  if (!m_sprite) return 0;
  m_pImage = m_sprite.get();
  m_frameWidth = width / frames;
  m_frameHeight = height;
  return 1;
}

int BatteryCtrl::SetBatteryIcon(const wchar_t* first, const wchar_t* second) {
  m_icon1 = LoadSkin(first, m_icon1Width, m_icon1Height);
  m_icon2 = LoadSkin(second, m_icon2Width, m_icon2Height);
  return 1;
}

void BatteryCtrl::SetBatteryInfo(int level, int charging) {
  if (level > 100) level = 100;
  if (level == m_level && charging == m_charging) return;
  m_level = level;
  m_charging = charging;
  UpdateControl(1, 0);
}

void BatteryCtrl::DrawControl(HDC& hdc, CRect) {
  const int w = m_rcControl.Width(), h = m_rcControl.Height();
  if (w <= 0 || h <= 0) return;
  if (!m_bUpdate || !m_hMemDC) {
    const int level = m_level, charging = m_charging;  // one reading of the worker's values
    UpdateMemDC(hdc, w, h);
    ::BitBlt(m_hMemDC, 0, 0, w, h, hdc, m_rcControl.left, m_rcControl.top, SRCCOPY);
    Gdiplus::Graphics g(m_hMemDC);
    g.SetSmoothingMode(m_smoothingMode);
    g.SetTextRenderingHint(m_textRenderingHint);
    MRender::DrawRoundRectange(g, 1.0f, 1.0f, static_cast<float>(w - 2), static_cast<float>(h - 2), 12.0f,
                               Gdiplus::Color(0xFFEBF2F7));
    if (m_pImage && m_frameWidth > 0) {
      const int frame = BatteryIndicatorFrame(level, charging);
      g.DrawImage(m_pImage, Gdiplus::Rect(15, 5, m_frameWidth, m_frameHeight), frame * m_frameWidth, 0, m_frameWidth,
                  m_frameHeight, Gdiplus::UnitPixel);
    }
    if (level != 0) {
      CString text;
      text.Format(L"%d%%", ShownBatteryLevel(level));
      SetControlTitle(text);
      Gdiplus::FontFamily* family = m_pManager ? m_pManager->FindTempFont(m_fontName) : nullptr;
      if (family) {
        Gdiplus::Font font(family, static_cast<Gdiplus::REAL>(m_fontSize), m_fontStyle, Gdiplus::UnitPixel);
        Gdiplus::StringFormat format(0x1800);
        format.SetAlignment(Gdiplus::StringAlignmentNear);
        format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
        Gdiplus::SolidBrush brush(m_textColor);
        g.DrawString(text.GetString(), text.GetLength(), &font,
                     Gdiplus::RectF(40, 0, 50, static_cast<Gdiplus::REAL>(h)), &format, &brush);
      }
    }
  }
  ::BitBlt(hdc, m_rcControl.left, m_rcControl.top, w, h, m_hMemDC, 0, 0, SRCCOPY);
}
