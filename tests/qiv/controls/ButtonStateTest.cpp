// The state machines of the button family against the notifications each class sends:
// one script of pointer and key events per row, run on every class of a family.
#include <gtest/gtest.h>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include "ControlsTestSupport.h"
#include "controls/CColorButton.h"
#include "controls/CCheckButton.h"
#include "controls/CIconButton.h"
#include "controls/CImageButton.h"
#include "controls/CPhotoFrame.h"
#include "controls/CSwitchButton.h"
#include "controls/CTextButton.h"
#include "controls/CTimerButton.h"
#include "controls/DownloadButton.h"
#include "controls/GroupButton.h"
#include "controls/MButton.h"
#include "controls/MButton3.h"
#include "controls/MEdit.h"
#include "controls/UpgradeButton.h"

using qivtest::RecordingParent;

namespace {
const CRect kRect(10, 10, 70, 30);
const CPoint kIn(20, 20), kOut(200, 200);

struct Family {
  const char* name;
  std::function<MControl*(MObject*)> make;
};

// Runs a script: m/d/u + or - (move, press, release inside or outside), D disable,
// E enable, F focus, S Space, s Shift+Space. Answers the codes the parent received.
std::vector<unsigned> Play(MControl& c, RecordingParent& parent, const std::string& script) {
  std::istringstream in(script);
  std::string step;
  while (in >> step) {
    const CPoint p = step.size() > 1 && step[1] == '+' ? kIn : kOut;
    switch (step[0]) {
      case 'm': c.OnMouseMove(0, p); break;
      case 'd': c.OnLButtonDown(MK_LBUTTON, p); break;
      case 'u': c.OnLButtonUp(0, p); break;
      case 'D': c.SetEnabled(0); break;
      case 'E': c.SetEnabled(1); break;
      case 'F': c.SetControlFocus(1); break;
      case 'S': c.OnControlKeyDown(VK_SPACE, 1, 0); break;
      case 's': c.OnControlKeyDown(VK_SPACE, 1, 0x10); break;
    }
  }
  std::vector<unsigned> codes;
  for (const auto& n : parent.notices) codes.push_back(n.code);
  return codes;
}

struct Row {
  const char* script;
  std::vector<unsigned> codes;
};

void RunTable(const std::vector<Family>& families, const std::vector<Row>& rows) {
  for (const Family& f : families)
    for (const Row& row : rows) {
      RecordingParent parent;
      std::unique_ptr<MControl> c(f.make(&parent));
      EXPECT_EQ(row.codes, Play(*c, parent, row.script)) << f.name << ": " << row.script;
    }
}

template <class T>
std::function<MControl*(MObject*)> Titled() {
  return [](MObject* p) { return new T(p, 7, kRect, L"Apply", 1, 1); };
}
template <class T>
std::function<MControl*(MObject*)> Untitled() {
  return [](MObject* p) { return new T(p, 7, kRect, 1, 1); };
}
}  // namespace

TEST(ButtonStates, PushButtonsSendPressAndClick) {
  RunTable({{"MButton", Titled<MButton>()},
            {"CImageButton", Titled<CImageButton>()},
            {"CTextButton", Titled<CTextButton>()},
            {"UpgradeButton", Titled<UpgradeButton>()},
            {"DownloadButton", Titled<DownloadButton>()},
            {"CTimerButton", Titled<CTimerButton>()},
            {"CPhotoFrame", Untitled<CPhotoFrame>()}},
           {
               {"m+ d+ u+", {1, 2}},
               {"d+ m- u-", {1}},            // dragged out: no click
               {"d+ m- m+ u+", {1, 2}},      // out and back in
               {"m+ u+", {}},                // a release without a press
               {"d+ u+ d+ u+", {1, 2, 1, 2}},  // a double click without the double-click flag
               {"D m+ d+ u+", {}},
               {"D E d+ u+", {1, 2}},
               {"F S", {}},                  // push buttons take no keys
           });
}

TEST(ButtonStates, TogglingPushButtonsClickOnEveryReleaseInside) {
  RunTable({{"MButton3", Titled<MButton3>()}, {"CIconButton", Titled<CIconButton>()}},
           {{"m+ u+", {2}}, {"d+ u+", {1, 2}}, {"d+ m- u-", {1}}, {"D d+ u+", {}}});
}

TEST(ButtonStates, CheckableButtonsClickOnReleaseAndCheckWithSpace) {
  RunTable({{"CCheckButton", Titled<CCheckButton>()},
            {"TextCheckButton", Titled<TextCheckButton>()},
            {"CRadioButton", Titled<CRadioButton>()},
            {"KeyLayerButton", Titled<KeyLayerButton>()},
            {"CSelectButton", Titled<CSelectButton>()}},
           {
               {"m+ d+ u+", {2}},
               {"d+ m- u-", {}},
               {"m+ u+", {}},
               {"F S", {7}},
               {"S", {}},      // not focused
               {"F s", {}},    // Shift+Space
               {"F D S", {7}},  // disabled, still reported with the value unchanged
               {"D d+ u+", {}},
           });
}

TEST(ButtonStates, ColourButtonPressesAndSwitchFlips) {
  RunTable({{"CColorButton", Untitled<CColorButton>()}},
           {{"d+ u+", {1, 2}}, {"m+ u+", {}}, {"d+ m- u-", {1}}, {"F S", {}}});
  RunTable({{"CSwitchButton", Untitled<CSwitchButton>()}},
           {{"d+ u+", {2}}, {"m+ u+", {}}, {"d+ u-", {}}, {"F S", {}}, {"D d+ u+", {}}});
}

TEST(ButtonStates, PushButtonLooksFollowThePointer) {
  RecordingParent parent;
  MButton b(&parent, 7, kRect, L"Apply", 1, 1);
  struct Step {
    const char* script;
    int state;
  } steps[] = {{"m+", 1}, {"d+", 2}, {"m-", 2}, {"u-", 0}, {"D", 3}, {"m+", 3}, {"E", 0}, {"m+", 1}};
  for (const Step& s : steps) {
    Play(b, parent, s.script);
    EXPECT_EQ(s.state, b.GetState()) << s.script;
  }
  // Hover only shows another slice: its repaint request keeps the strip.
  parent.updates.clear();
  Play(b, parent, "m- m+");
  ASSERT_FALSE(parent.updates.empty());
  EXPECT_EQ(0, parent.updates.back().redraw);
}

TEST(ButtonStates, CheckBoxTogglesAndReportsTheNewValue) {
  RecordingParent parent;
  CCheckButton box(&parent, 7, kRect, L"Mac", 1, 1);
  Play(box, parent, "d+ u+");
  EXPECT_EQ(1, box.GetCheck());
  EXPECT_EQ(5, box.GetState()) << "checked and hovered";
  Play(box, parent, "F S");
  EXPECT_EQ(0, box.GetCheck());
  EXPECT_EQ(0, parent.notices.back().lParam);
  Play(box, parent, "S");
  EXPECT_EQ(1, parent.notices.back().lParam);
  Play(box, parent, "D S");
  EXPECT_EQ(1, box.GetCheck()) << "a disabled box keeps its value";
  EXPECT_EQ(1, parent.notices.back().lParam);
  EXPECT_EQ(7, box.GetState()) << "checked, disabled";
  // Held and dragged out: no hover look during the press, nothing changes.
  CCheckButton held(&parent, 8, kRect, L"", 1, 1);
  Play(held, parent, "d+ m- m+");
  EXPECT_EQ(2, held.GetState());
  Play(held, parent, "u-");
  EXPECT_EQ(0, held.GetCheck());
}

TEST(ButtonStates, CheckBoxSetCheckOnlyWhileEnabledAndSilent) {
  RecordingParent parent;
  CCheckButton box(&parent, 7, kRect, L"", 1, 1);
  EXPECT_EQ(1, box.SetCheck(1));
  EXPECT_EQ(4, box.GetState());
  box.SetEnabled(0);
  EXPECT_EQ(1, box.SetCheck(0));
  EXPECT_TRUE(parent.notices.empty());
}

TEST(ButtonStates, ToggleButtonAndSwitchValues) {
  RecordingParent parent;
  MButton3 toggle(&parent, 7, kRect, L"Game", 1, 1);
  Play(toggle, parent, "m+ u+");
  EXPECT_EQ(1, toggle.GetCheck()) << "toggles without a press";
  toggle.SetEnabled(0);
  EXPECT_EQ(1, toggle.SetCheck(0)) << "disabled: unchanged";

  CSwitchButton sw(&parent, 8, kRect, 1, 1);
  parent.notices.clear();
  Play(sw, parent, "d+ u+ d+ u+");
  ASSERT_EQ(2u, parent.notices.size());
  EXPECT_EQ(1, parent.notices[0].lParam);
  EXPECT_EQ(0, parent.notices[1].lParam);
  EXPECT_EQ(1, sw.SetCheck(1));
  EXPECT_EQ(0, sw.GetState());
  EXPECT_EQ(2u, parent.notices.size()) << "SetCheck sends nothing";
  sw.SetEnabled(0);
  EXPECT_EQ(3, sw.GetState());
  Play(sw, parent, "d+ u+");
  EXPECT_EQ(1, sw.GetCheck()) << "a disabled switch ignores the mouse";
  sw.SetEnabled(1);
  EXPECT_EQ(0, sw.GetState());
}

TEST(ButtonStates, EditSpaceAndReadOnlyClicks) {
  RecordingParent parent;
  MEdit edit(&parent, 7, kRect, L"name", 1, 1);
  edit.SetReadOnly(1);
  EXPECT_EQ((std::vector<unsigned>{1, 2}), Play(edit, parent, "d+ u+")) << "read-only: no edit window";
  EXPECT_EQ(nullptr, edit.GetEditWindow());
}

// Every move reaches every control of the window; a button the pointer is not over must
// not take the hand cursor away from the one it is over.
TEST(ButtonStates, HandCursorSurvivesTheMoveOfALaterButton) {
  RecordingParent parent;
  MButton first(&parent, 1, CRect(0, 0, 50, 20), L"", 1, 1);
  MButton second(&parent, 2, CRect(60, 0, 110, 20), L"", 1, 1);
  CColorButton swatch(&parent, 3, CRect(120, 0, 140, 20), 1, 1);
  const HCURSOR hand = ::LoadCursorW(nullptr, IDC_HAND), arrow = ::LoadCursorW(nullptr, IDC_ARROW);
  for (MControl* c : {static_cast<MControl*>(&first), static_cast<MControl*>(&second),
                      static_cast<MControl*>(&swatch)})
    c->OnMouseMove(0, CPoint(10, 10));
  EXPECT_EQ(hand, ::GetCursor());
  for (MControl* c : {static_cast<MControl*>(&first), static_cast<MControl*>(&second),
                      static_cast<MControl*>(&swatch)})
    c->OnMouseMove(0, CPoint(300, 300));
  EXPECT_EQ(arrow, ::GetCursor()) << "leaving sets the arrow once";
}
