// The knob dialog: three combo boxes, one per knob action of the current Fn layer, over
// the knob's own function catalogue. Every choice takes effect at once: the dialog posts
// it to its owner by value (KnobChoice), so the owner never reads the dialog itself.
#pragma once
#include "core/MDialog.h"
#include "pages/KeyFunctionCatalog.h"
#include "pages/KnobActions.h"

class MComboBox;

class KnobConfigDlg : public MDialog {
public:
  KnobConfigDlg();
  ~KnobConfigDlg() override;

  // Copies the three records of `layer` (whole records).
  void SetKnobActions(const KeyMacroRecord (&knob)[KnobChoice::kActions][KnobChoice::kLayers], int layer);
  void GetKnobActions(KeyMacroRecord& action0, KeyMacroRecord& action1, KeyMacroRecord& action2) const;
  // A selection in the combo box `controlId` (39, 35, 41 for actions 0, 1, 2).
  void OnKnobComboSelected(int controlId);

  int OnInitDialog() override;
  void InitUI(CRect client) override;
  void UISize(CRect client) override;
  LRESULT OnMessage(UINT id, UINT code, WPARAM wParam, LPARAM lParam) override;
  // Empties the combo boxes and the catalogue and destroys the window.
  virtual void Quit();

  const KeyFunctionCatalog& Catalog() const { return m_knobCatalog; }
  MComboBox* Combo(int action) const { return action >= 0 && action < 3 ? m_combos[action] : nullptr; }

  // Receives UM_KNOB_SELECTED; null: nothing is posted.
  HWND m_ownerWindow = nullptr;

private:
  void BuildKnobFunctionCatalog();
  void SelectKnobActions();

  KeyFunctionCatalog m_knobCatalog;
  KnobActions m_actions;
  MComboBox* m_combos[3] = {};
};
