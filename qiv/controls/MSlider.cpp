#include "controls/MSlider.h"

MProgress::MProgress(MObject* parent, unsigned id, CRect rect, int visible, int enabled) : MControlFont(parent, id, rect, L"", visible, enabled, 1) {}
MProgress::~MProgress() = default;
const wchar_t* MProgress::GetClassNameW() const { return L"MProgress"; }
void MProgress::DrawControl(HDC&, CRect) {}

MSlider::MSlider(MObject* parent, unsigned id, CRect rect, int visible, int enabled) : MControlFont(parent, id, rect, L"", visible, enabled, 1) {}
MSlider::~MSlider() = default;
const wchar_t* MSlider::GetClassNameW() const { return L"MSlider"; }
void MSlider::DrawControl(HDC&, CRect) {}

MSpinButton::MSpinButton(MObject* parent, unsigned id, CRect rect, int visible, int enabled) : MPanel(parent, id, rect, visible) {}
MSpinButton::~MSpinButton() = default;
const wchar_t* MSpinButton::GetClassNameW() const { return L"MSpinButton"; }
