#include "controls/MButton.h"

MButton::MButton(MObject* parent, unsigned id, CRect rect, const wchar_t* text, int visible, int enabled) : MControlFont(parent, id, rect, text, visible, enabled, 1) {}
MButton::~MButton() = default;
const wchar_t* MButton::GetClassNameW() const { return L"MButton"; }
void MButton::DrawControl(HDC&, CRect) {}

CImageButton::CImageButton(MObject* parent, unsigned id, CRect rect, const wchar_t* text, int visible, int enabled) : MButton(parent, id, rect, text, visible, enabled) {}
CImageButton::~CImageButton() = default;
const wchar_t* CImageButton::GetClassNameW() const { return L"CImageButton"; }

MButton3::MButton3(MObject* parent, unsigned id, CRect rect, const wchar_t* text, int visible, int enabled) : MButton(parent, id, rect, text, visible, enabled) {}
MButton3::~MButton3() = default;
const wchar_t* MButton3::GetClassNameW() const { return L"MButton3"; }

CTextButton::CTextButton(MObject* parent, unsigned id, CRect rect, const wchar_t* text, int visible, int enabled) : MControlFont(parent, id, rect, text, visible, enabled, 1) {}
CTextButton::~CTextButton() = default;
const wchar_t* CTextButton::GetClassNameW() const { return L"CTextButton"; }
void CTextButton::DrawControl(HDC&, CRect) {}

UpgradeButton::UpgradeButton(MObject* parent, unsigned id, CRect rect, const wchar_t* text, int visible, int enabled) : MControlFont(parent, id, rect, text, visible, enabled, 1) {}
UpgradeButton::~UpgradeButton() = default;
const wchar_t* UpgradeButton::GetClassNameW() const { return L"UpgradeButton"; }
void UpgradeButton::DrawControl(HDC&, CRect) {}

DownloadButton::DownloadButton(MObject* parent, unsigned id, CRect rect, const wchar_t* text, int visible, int enabled) : MControlFont(parent, id, rect, text, visible, enabled, 1) {}
DownloadButton::~DownloadButton() = default;
const wchar_t* DownloadButton::GetClassNameW() const { return L"DownloadButton"; }
void DownloadButton::DrawControl(HDC&, CRect) {}
