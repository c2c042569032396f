// The Fn layer tabs: a vertical stack of tabs under a title; the user picks the layer
// whose key assignments are edited.
#pragma once
#include <memory>
#include <vector>
#include "core/CriticalSection.h"
#include "core/MControlFont.h"

struct KEYLAYER_INFO {
  CString text;
  int value = 0;  // the layer
  CRect rect;     // control coordinates, written by each redraw
};

class QIV_API KeyLayerCtrl : public MControlFont {
public:
  KeyLayerCtrl(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~KeyLayerCtrl() override;
  const wchar_t* GetClassNameW() const override;

  void DrawControl(HDC& hdc, CRect paint) override;
  int OnControlMouseMove(unsigned flags, CPoint point) override;
  int OnControlLButtonDown(unsigned flags, CPoint point) override;
  int OnControlLButtonUp(unsigned flags, CPoint point) override;

  void AddLayer(CString text, int value);
  // Hovered and selected tabs keep their indexes.
  void ClearList();
  // The selected tab's layer; 0 when the selection is not a tab.
  int GetCurKeyLayer();
  // Selects the first tab with that layer; the selection stays when none has it.
  void SetCurrentLayer(int value);

  int GetSelectItem() const { return m_selected; }
  int GetHoverItem() const { return m_hovered; }
  CRect GetTabRect(int index);

private:
  void Repaint() { UpdateControl(1, 0); }

  std::vector<std::unique_ptr<KEYLAYER_INFO>> m_tabs;
  CriticalSection m_lock;
  int m_hovered = -1;
  int m_selected = 0;
};
