#include "controls/CCheckButton.h"

CCheckButton::CCheckButton(MObject* parent, unsigned id, CRect rect, const wchar_t* text, int visible, int enabled) : MControlFont(parent, id, rect, text, visible, enabled, 1) {}
CCheckButton::~CCheckButton() = default;
const wchar_t* CCheckButton::GetClassNameW() const { return L"CCheckButton"; }
void CCheckButton::DrawControl(HDC&, CRect) {}

TextCheckButton::TextCheckButton(MObject* parent, unsigned id, CRect rect, const wchar_t* text, int visible, int enabled) : MControlFont(parent, id, rect, text, visible, enabled, 1) {}
TextCheckButton::~TextCheckButton() = default;
const wchar_t* TextCheckButton::GetClassNameW() const { return L"TextCheckButton"; }
void TextCheckButton::DrawControl(HDC&, CRect) {}

CRadioButton::CRadioButton(MObject* parent, unsigned id, CRect rect, const wchar_t* text, int visible, int enabled) : MControlFont(parent, id, rect, text, visible, enabled, 1) {}
CRadioButton::~CRadioButton() = default;
const wchar_t* CRadioButton::GetClassNameW() const { return L"CRadioButton"; }
void CRadioButton::DrawControl(HDC&, CRect) {}

KeyLayerButton::KeyLayerButton(MObject* parent, unsigned id, CRect rect, const wchar_t* text, int visible, int enabled) : MControlFont(parent, id, rect, text, visible, enabled, 1) {}
KeyLayerButton::~KeyLayerButton() = default;
const wchar_t* KeyLayerButton::GetClassNameW() const { return L"KeyLayerButton"; }
void KeyLayerButton::DrawControl(HDC&, CRect) {}

CSelectButton::CSelectButton(MObject* parent, unsigned id, CRect rect, const wchar_t* text, int visible, int enabled) : MControlFont(parent, id, rect, text, visible, enabled, 1) {}
CSelectButton::~CSelectButton() = default;
const wchar_t* CSelectButton::GetClassNameW() const { return L"CSelectButton"; }
void CSelectButton::DrawControl(HDC&, CRect) {}
