// Implicit groups: radio, layer, selection, colour and icon buttons under a panel and
// directly on a window (the paint manager's control list), with hidden and disabled members.
#include <gtest/gtest.h>
#include <type_traits>
#include <vector>
#include "ControlsTestSupport.h"
#include "controls/CColorButton.h"
#include "controls/CIconButton.h"
#include "controls/GroupButton.h"

using ctltest::RecordingPanel;
using qivtest::RecordingParent;

namespace {
CRect Slot(int i) { return CRect(10 + i * 40, 10, 40 + i * 40, 30); }
CPoint Centre(int i) { return CPoint(25 + i * 40, 20); }

template <class T>
void Click(T& b, int i) {
  b.OnLButtonDown(MK_LBUTTON, Centre(i));
  b.OnLButtonUp(0, Centre(i));
}

// Buttons of one class straight on a window: the window's paint manager lists them.
template <class T>
struct OnWindow {
  RecordingParent window;
  PaintManager pm;
  std::vector<T*> buttons;
  T* Add(int i, const wchar_t* group) {
    T* b = MakeButton<T>(&window, i);
    b->SetGroupName(group);
    b->SetManager(&pm);
    pm.GetControls()->push_back(b);
    buttons.push_back(b);
    return b;
  }
  template <class U>
  static U* MakeButton(MObject* parent, int i) {
    if constexpr (std::is_same_v<U, CColorButton>) return new U(parent, 100 + i, Slot(i), 1, 1);
    else return new U(parent, 100 + i, Slot(i), L"", 1, 1);
  }
};

template <class T>
T* InPanel(RecordingPanel& panel, int i, const wchar_t* group) {
  T* b = OnWindow<T>::template MakeButton<T>(&panel, i);
  b->SetGroupName(group);
  return panel.Add(b);
}
}  // namespace

TEST(ButtonGroups, RadioClickInAPanelLeavesOnlyItChecked) {
  RecordingParent owner;
  RecordingPanel panel(&owner, 50, CRect(0, 0, 400, 100));
  CRadioButton* a[3] = {InPanel<CRadioButton>(panel, 0, L"a"), InPanel<CRadioButton>(panel, 1, L"a"),
                        InPanel<CRadioButton>(panel, 2, L"a")};
  CRadioButton* other = InPanel<CRadioButton>(panel, 3, L"b");
  CSelectButton* select = InPanel<CSelectButton>(panel, 4, L"a");  // another class, same name
  a[0]->SetCheck(1);
  other->SetCheck(1);
  select->SetCheck(1);
  panel.notices.clear();

  Click(*a[1], 1);
  EXPECT_EQ(0, a[0]->GetCheck());
  EXPECT_EQ(1, a[1]->GetCheck());
  EXPECT_EQ(0, a[2]->GetCheck());
  EXPECT_EQ(1, other->GetCheck()) << "another group";
  EXPECT_EQ(1, select->GetCheck()) << "another class";
  ASSERT_EQ(1u, panel.notices.size()) << "only the clicked button reports";
  EXPECT_EQ(101u, panel.notices[0].id);
  EXPECT_EQ(2u, panel.notices[0].code);

  Click(*a[1], 1);
  EXPECT_EQ(1, a[1]->GetCheck()) << "clicking a checked radio keeps it checked";
  EXPECT_EQ(2u, panel.notices.size()) << "and still reports the click";
}

TEST(ButtonGroups, RadioSetCheckWalksTheGroupSetControlCheckDoesNot) {
  RecordingParent owner;
  RecordingPanel panel(&owner, 50, CRect(0, 0, 400, 100));
  CRadioButton* first = InPanel<CRadioButton>(panel, 0, L"a");
  CRadioButton* second = InPanel<CRadioButton>(panel, 1, L"a");
  first->SetCheck(1);
  second->SetCheck(1);
  EXPECT_EQ(0, first->GetCheck());
  first->SetControlCheck(1);
  EXPECT_EQ(1, first->GetCheck());
  EXPECT_EQ(1, second->GetCheck()) << "two members checked at once";
  EXPECT_TRUE(panel.notices.empty()) << "checks from code send nothing";
}

TEST(ButtonGroups, RadioOnAWindowUnchecksHiddenAndDisabledMembersToo) {
  OnWindow<CRadioButton> w;
  CRadioButton* shown = w.Add(0, L"g");
  CRadioButton* hidden = w.Add(1, L"g");
  CRadioButton* disabled = w.Add(2, L"g");
  CRadioButton* chosen = w.Add(3, L"g");
  for (CRadioButton* b : {shown, hidden, disabled}) b->SetControlCheck(1);
  hidden->SetControlVisible(0);
  disabled->SetEnabled(0);
  Click(*chosen, 3);
  EXPECT_EQ(1, chosen->GetCheck());
  for (CRadioButton* b : {shown, hidden, disabled}) EXPECT_EQ(0, b->GetCheck());
  ASSERT_EQ(1u, w.window.notices.size());
}

TEST(ButtonGroups, SelectionButtonsLeaveHiddenAndDisabledMembersAlone) {
  RecordingParent owner;
  RecordingPanel panel(&owner, 50, CRect(0, 0, 400, 100));
  CSelectButton* b[4];
  for (int i = 0; i < 4; ++i) b[i] = InPanel<CSelectButton>(panel, i, L"s");
  for (int i = 0; i < 3; ++i) b[i]->SetControlCheck(1);
  b[1]->SetControlVisible(0);
  b[2]->SetEnabled(0);
  Click(*b[3], 3);
  EXPECT_EQ(0, b[0]->GetCheck());
  EXPECT_EQ(1, b[1]->GetCheck()) << "hidden";
  EXPECT_EQ(1, b[2]->GetCheck()) << "disabled";
  EXPECT_EQ(2, b[3]->GetState()) << "a selected selection button shows its pressed frame";
  b[3]->OnMouseMove(0, CPoint(300, 300));
  EXPECT_EQ(2, b[3]->GetState()) << "also when the pointer leaves";
}

// A selection or colour button straight on a window has no parent control: its group
// walk takes the window's control list instead of reading the window as a control.
TEST(ButtonGroups, SelectionAndColourButtonsOnAWindowWalkItsControlList) {
  OnWindow<CSelectButton> s;
  CSelectButton* s0 = s.Add(0, L"s");
  CSelectButton* s1 = s.Add(1, L"s");
  CSelectButton* sHidden = s.Add(2, L"s");
  s0->SetControlCheck(1);
  sHidden->SetControlCheck(1);
  sHidden->SetControlVisible(0);
  Click(*s1, 1);
  EXPECT_EQ(0, s0->GetCheck());
  EXPECT_EQ(1, s1->GetCheck());
  EXPECT_EQ(1, sHidden->GetCheck());

  OnWindow<CColorButton> c;
  CColorButton* c0 = c.Add(0, L"c");
  CColorButton* c1 = c.Add(1, L"c");
  c0->SetControlCheck(1);
  Click(*c1, 1);
  EXPECT_EQ(0, c0->GetCheck());
  EXPECT_EQ(1, c1->GetCheck());
  EXPECT_EQ(1, c1->ResetGroupCheck());
}

TEST(ButtonGroups, GroupWalkWithoutAParentAnswersZero) {
  CRadioButton radio(nullptr, 1, Slot(0), L"", 1, 1);
  CSelectButton select(nullptr, 1, Slot(0), L"", 1, 1);
  CColorButton colour(nullptr, 1, Slot(0), 1, 1);
  CIconButton icon(nullptr, 1, Slot(0), L"", 1, 1);
  EXPECT_EQ(0, radio.ResetGroupCheck());
  EXPECT_EQ(0, select.ResetGroupCheck());
  EXPECT_EQ(0, colour.ResetGroupCheck());
  EXPECT_EQ(0, icon.ResetGroupCheck());
}

TEST(ButtonGroups, KeyLayerButtonsOfOnePanelFormOneGroupByDefault) {
  RecordingParent owner;
  RecordingPanel panel(&owner, 50, CRect(0, 0, 400, 100));
  auto* first = panel.Add(new KeyLayerButton(&panel, 1, Slot(0), L"Fn1", 1, 1));
  auto* second = panel.Add(new KeyLayerButton(&panel, 2, Slot(1), L"Fn2", 1, 1));
  EXPECT_EQ(CString(L"KeyLayerButton"), first->GetGroupName());
  first->SetCheck(1);
  Click(*second, 1);
  EXPECT_EQ(0, first->GetCheck());
  EXPECT_EQ(1, second->GetCheck());
  // Space on a focused unchecked member checks it and unchecks the rest.
  first->SetControlFocus(1);
  first->OnControlKeyDown(VK_SPACE, 1, 0);
  EXPECT_EQ(1, first->GetCheck());
  EXPECT_EQ(0, second->GetCheck());
  EXPECT_EQ(7u, panel.notices.back().code);
  EXPECT_EQ(1, panel.notices.back().lParam);
}

TEST(ButtonGroups, ColourSwatchesPressToCheckAndKeepInactiveMembers) {
  RecordingParent owner;
  RecordingPanel panel(&owner, 50, CRect(0, 0, 400, 100));
  CColorButton* b[8];
  for (int i = 0; i < 8; ++i) b[i] = InPanel<CColorButton>(panel, i, L"row");
  b[0]->SetControlCheck(1);
  b[5]->SetControlCheck(1);
  b[5]->SetEnabled(0);
  b[6]->SetControlCheck(1);
  b[6]->SetControlVisible(0);
  b[2]->OnLButtonDown(MK_LBUTTON, Centre(2));
  EXPECT_EQ(1, b[2]->GetCheck()) << "checked on the press";
  EXPECT_EQ(0, b[0]->GetCheck());
  EXPECT_EQ(1, b[5]->GetCheck()) << "disabled member kept";
  EXPECT_EQ(1, b[6]->GetCheck()) << "hidden member kept";
  ASSERT_EQ(1u, panel.notices.size());
  EXPECT_EQ(1u, panel.notices[0].code);
  b[2]->OnLButtonUp(0, Centre(2));
  EXPECT_EQ(2u, panel.notices.back().code);
  // SetCheck from code walks the group too, also when it unchecks.
  b[3]->SetCheck(1);
  EXPECT_EQ(0, b[2]->GetCheck());
}

TEST(ButtonGroups, IconButtonsSelectOneMember) {
  RecordingParent owner;
  RecordingPanel panel(&owner, 50, CRect(0, 0, 400, 100));
  CIconButton* b[3];
  for (int i = 0; i < 3; ++i) b[i] = InPanel<CIconButton>(panel, i, L"tabs");
  Click(*b[0], 0);
  Click(*b[1], 1);
  EXPECT_EQ(0, b[0]->IsSelected());
  EXPECT_EQ(1, b[1]->IsSelected());
  EXPECT_EQ((std::vector<unsigned>{1, 2, 1, 2}),
            [&] {
              std::vector<unsigned> codes;
              for (const auto& n : panel.notices) codes.push_back(n.code);
              return codes;
            }());
  b[1]->OnMouseMove(0, CPoint(300, 300));
  EXPECT_EQ(1, b[1]->IsSelected()) << "the selection stays when the pointer leaves";
  b[1]->SetCheck(1);
  EXPECT_EQ(0, b[1]->IsSelected()) << "SetCheck clears the selection";
  EXPECT_EQ(1, b[1]->GetCheck());
}
