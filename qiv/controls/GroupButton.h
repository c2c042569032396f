// A checkable button that belongs to a group by name: checking one unchecks the others of
// the same class and group name under the same parent (ResetGroupCheck).
#pragma once
#include "controls/CheckableButton.h"

class QIV_API GroupButton : public CheckableButton {
public:
  GroupButton(MObject* parent, unsigned id, CRect rect, const wchar_t* title, int visible, int enabled, int frames);
  ~GroupButton() override;

  // While enabled: the flag and the normal look; a change unchecks the group and repaints.
  // No notification. Returns the flag.
  int SetCheck(int check);
  // The flag and the normal look without the enabled test and without the group walk.
  void SetControlCheck(int check);
  // Unchecks the other members of the group; 1, or 0 without a parent.
  virtual int ResetGroupCheck() = 0;
  void SetGroupName(const wchar_t* name) { m_groupName = name ? name : L""; }
  CString GetGroupName() const { return m_groupName; }
  // What the group walk does to another member: unchecked, normal look, repainted.
  void UncheckByGroup();

protected:
  void OnClickRelease() override;
  void OnSpace() override;

  CString m_groupName;
};

// The radio button: box image at the left, title right of it. Its group walk covers every
// member, hidden and disabled ones too.
class QIV_API CRadioButton : public GroupButton {
public:
  CRadioButton(MObject* parent, unsigned id, CRect rect, const wchar_t* title, int visible, int enabled);
  ~CRadioButton() override;
  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;
  int ResetGroupCheck() override;
};

// The key-layer tab: its title only, in a colour per look; one default group per parent.
class QIV_API KeyLayerButton : public GroupButton {
public:
  KeyLayerButton(MObject* parent, unsigned id, CRect rect, const wchar_t* title, int visible, int enabled);
  ~KeyLayerButton() override;
  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;
  int ResetGroupCheck() override;
};

// The selection button: a four-frame strip whose checked look is the pressed frame. Its
// group walk leaves hidden and disabled members alone.
class QIV_API CSelectButton : public GroupButton {
public:
  CSelectButton(MObject* parent, unsigned id, CRect rect, const wchar_t* title, int visible, int enabled);
  ~CSelectButton() override;
  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;
  int ResetGroupCheck() override;

protected:
  int Look(int phase) const override;
};
