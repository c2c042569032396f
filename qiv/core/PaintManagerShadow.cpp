// Paint manager: the settings of the window's drop shadow, forwarded to the shadow.
#include "core/Manager.h"
#include "core/PaintManager.h"

void PaintManager::CreateShadow(int show, bool force) {
  MShadow::Initialize(Manager::GetInstance(), force);
  m_shadow.ShowShadow(show);
  m_shadow.Create(this);
}

int PaintManager::SetSize(int size) { return m_shadow.SetSize(size); }
int PaintManager::SetSharpness(unsigned sharpness) { return m_shadow.SetSharpness(sharpness); }
int PaintManager::SetDarkness(unsigned darkness) { return m_shadow.SetDarkness(darkness); }
int PaintManager::SetPosition(int x, int y) { return m_shadow.SetPosition(x, y); }
// A COLORREF holds blue in its high byte; the shadow keeps 0x00RRGGBB.
int PaintManager::SetShadowColor(COLORREF color) {
  return m_shadow.SetColor((static_cast<DWORD>(GetRValue(color)) << 16) | (GetGValue(color) << 8) | GetBValue(color));
}

void PaintManager::SetShadowImage(const wchar_t* file, CRect corners) {
  m_shadow.SetImage(file);
  m_shadow.SetShadowCorner(corners.left, corners.top, corners.right, corners.bottom);
}

void PaintManager::SetShadowImage(unsigned resourceId, CRect corners) {
  m_shadow.SetImage(resourceId);
  m_shadow.SetShadowCorner(corners.left, corners.top, corners.right, corners.bottom);
}

void PaintManager::SetShadowShow(int show) { m_shadow.ShowShadow(show); }
void PaintManager::DisableShadow(int disable) { m_shadow.DisableShadow(disable); }
