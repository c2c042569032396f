// The two class-name factories: the window factory (used by the paint manager) and the
// panel factory (used by MPanel). Names are compared exactly, in list order; the first
// match is constructed. Unknown or empty names give null. Binding and listing are the
// callers'.
#pragma once
#include <vector>
#include "core/MControl.h"

QIV_API MControl* ConstructWindowControl(MObject* parent, const wchar_t* className, unsigned id, CRect rect,
                                         const wchar_t* text, int a, int b);
QIV_API MControl* ConstructPanelControl(MObject* parent, const wchar_t* className, unsigned id, CRect rect,
                                        const wchar_t* text, int a, int b);
// The names of each list, in comparison order.
QIV_API std::vector<const wchar_t*> WindowFactoryNames();
QIV_API std::vector<const wchar_t*> PanelFactoryNames();
