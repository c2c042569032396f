#include <gtest/gtest.h>
#include "QivTestSupport.h"
#include "core/PaintManager.h"

using namespace qivtest;

namespace {
// A parent control whose content is scrolled 100 px to the right.
class ShiftingControl : public ProbeControl {
public:
  using ProbeControl::ProbeControl;
  int OnMousePointChange(CPoint& point) override {
    point.x += 100;
    return 1;
  }
  ProbeControl* Add(unsigned id, CRect rect) {
    auto* child = new ProbeControl(this, id, rect);
    AppendChild(1, child);
    return child;
  }
};

struct Tree {
  RecordingParent owner;
  ShiftingControl* root = new ShiftingControl(&owner, 50, CRect(0, 0, 400, 400));
  ~Tree() { delete root; }
};
}  // namespace

TEST(ControlRouting, HiddenAndUnresponsiveChildrenGetNoMouse) {
  Tree t;
  ProbeControl* hidden = t.root->Add(10, CRect(0, 0, 400, 400));
  ProbeControl* deaf = t.root->Add(11, CRect(0, 0, 400, 400));
  ProbeControl* live = t.root->Add(12, CRect(0, 0, 400, 400));
  hidden->SetControlVisible(0);
  deaf->SetRresponse(0);
  t.root->OnMouseMove(0, CPoint(5, 5));
  t.root->OnKeyDown('A', 1, 0);
  EXPECT_TRUE(hidden->moves.empty());
  EXPECT_TRUE(deaf->moves.empty());
  EXPECT_TRUE(hidden->keys.empty() && deaf->keys.empty());
  EXPECT_EQ(1u, live->moves.size());
}

TEST(ControlRouting, BarIdsGetTheOuterPointOthersTheContentPoint) {
  Tree t;
  ProbeControl* bar = t.root->Add(1, CRect(0, 0, 400, 400));
  ProbeControl* horizontal = t.root->Add(2, CRect(0, 0, 400, 400));
  ProbeControl* content = t.root->Add(5, CRect(0, 0, 400, 400));
  t.root->OnMouseMove(0, CPoint(20, 30));
  ASSERT_EQ(1u, bar->moves.size());
  EXPECT_EQ(CPoint(20, 30), bar->moves[0]);
  EXPECT_EQ(CPoint(20, 30), horizontal->moves[0]);
  EXPECT_EQ(CPoint(120, 30), content->moves[0]);
}

TEST(ControlRouting, PressedChildKeepsTheMouseOutsideItself) {
  RecordingParent owner;
  ProbePanel panel(&owner, 50, CRect(0, 0, 400, 400));
  ProbeControl* a = panel.AddProbe(10, CRect(10, 10, 50, 50));
  ProbeControl* b = panel.AddProbe(11, CRect(100, 100, 150, 150));
  panel.OnMouseMove(0, CPoint(20, 20));
  b->moves.clear();  // every child sees a free move
  panel.OnLButtonDown(MK_LBUTTON, CPoint(20, 20));
  ASSERT_EQ(1u, a->downs.size());
  panel.OnMouseMove(MK_LBUTTON, CPoint(120, 120));
  EXPECT_EQ(CPoint(120, 120), a->moves.back()) << "the pressed child keeps the mouse";
  EXPECT_TRUE(b->moves.empty()) << "nothing else sees moves while the button is held";
  panel.OnLButtonUp(0, CPoint(120, 120));
  EXPECT_EQ(1u, a->ups.size());
  panel.OnMouseMove(0, CPoint(120, 120));
  EXPECT_FALSE(b->moves.empty());
}

TEST(ControlRouting, DoubleClickIsASecondPressWithoutTheFlag) {
  RecordingParent owner;
  ProbeControl plain(&owner, 1, CRect(0, 0, 10, 10));
  plain.OnLButtonDblClk(0, CPoint(2, 2));
  EXPECT_EQ(1u, plain.downs.size());
  EXPECT_TRUE(plain.dblClicks.empty());
  plain.SetDblClkFlag(1);
  plain.OnLButtonDblClk(0, CPoint(2, 2));
  EXPECT_EQ(1u, plain.dblClicks.size());
}

TEST(ControlRouting, KeysGoToTheFocusedChildAlone) {
  RecordingParent owner;
  ProbePanel panel(&owner, 50, CRect(0, 0, 400, 400));
  ProbeControl* a = panel.AddProbe(10, CRect(0, 0, 10, 10));
  ProbeControl* b = panel.AddProbe(11, CRect(20, 0, 30, 10));
  b->SetFocusedFlag(1);
  b->handles = 0;
  EXPECT_EQ(0, panel.OnKeyDown('K', 1, 0));
  EXPECT_TRUE(a->keys.empty());
  EXPECT_EQ(1u, b->keys.size());
  b->SetControlVisible(0);
  EXPECT_EQ(0, panel.OnKeyDown('K', 1, 0));
  EXPECT_EQ(1u, b->keys.size()) << "a hidden focused child swallows the key";
}

TEST(ControlRouting, GetControlSearchesControlsBeforeAreasDepthFirst) {
  RecordingParent owner;
  ProbePanel panel(&owner, 50, CRect(0, 0, 400, 400));
  auto* area = new ProbeControl(&panel, 7, CRect());
  panel.AppendChild(0, area);
  ProbePanel* inner = new ProbePanel(&panel, 20, CRect());
  panel.AppendChild(1, inner);
  ProbeControl* deep = inner->AddProbe(7, CRect());
  ProbeControl* later = panel.AddProbe(7, CRect());
  EXPECT_EQ(deep, panel.GetControl(7)) << "a child's descendants before a later sibling, controls before areas";
  EXPECT_EQ(inner, panel.GetControl(20));
  EXPECT_EQ(nullptr, panel.GetControl(999));
  EXPECT_EQ(1u, panel.GetControl(1)->GetControlID()) << "the panel's own bar";
  (void)later;
}

TEST(ControlModel, PositionItem2Value) {
  struct Case {
    int kind, fromEnd;
    float value;
    int a, b, expected;
  } cases[] = {
      {0, 0, 10, 100, 300, 110},  {0, 1, 10, 100, 300, 290},  {1, 0, 10, 100, 300, 210},
      {1, 1, 10, 100, 300, 190},  {2, 0, 50, 100, 300, 200},  {2, 0, 150, 100, 300, 300},
      {2, 0, 33.3f, 0, 10, 3},    {3, 0, 10, 100, 300, 0},    {0, 0, 7.9f, 0, 0, 7},
  };
  for (const Case& c : cases) {
    ZK_POSITION_ITEM item{c.kind, c.fromEnd, c.value};
    EXPECT_EQ(c.expected, MControl::PositionItem2Value(item, c.a, c.b)) << c.kind << "/" << c.value;
  }
}

TEST(ControlModel, ClassNamesAreCaseSensitive) {
  RecordingParent owner;
  ProbeControl c(&owner, 1, CRect());
  EXPECT_EQ(1, c.IsClass(L"ProbeControl"));
  EXPECT_EQ(0, c.IsClass(L"probecontrol"));
  EXPECT_EQ(0, c.IsClass(nullptr));
}

TEST(ControlModel, VisibilityAndRectRepaints) {
  RecordingParent owner;
  ProbeControl c(&owner, 1, CRect(0, 0, 10, 10));
  c.SetVisible(1);
  EXPECT_TRUE(owner.updates.empty()) << "unchanged: nothing";
  c.SetVisible(0);
  ASSERT_EQ(1u, owner.updates.size()) << "hiding still repaints";
  EXPECT_EQ(1, owner.updates[0].redraw);
  c.SetVisible(1);
  c.SetRect(CRect(20, 0, 30, 10));
  EXPECT_EQ(CRect(0, 0, 30, 10), owner.updates.back().rect) << "the union of old and new";
}

TEST(ControlModel, CursorNamesAreComparedByAddress) {
  RecordingParent owner;
  ProbeControl c(&owner, 1, CRect());
  wchar_t copy[] = L"hand";
  c.SetCursorEx(copy);
  EXPECT_EQ(nullptr, c.GetCursor());
  c.SetCursorEx(MControl::CursorHand);
  EXPECT_NE(nullptr, c.GetCursor());
}

// A popup or menu owner is not a control: the walk stops there.
TEST(ControlFaults, IsParentVisibleStopsAtAnOwnerThatIsNotAControl) {
  RecordingParent window;
  ProbePanel panel(&window, 1, CRect());
  ProbeControl* child = panel.AddProbe(2, CRect());
  EXPECT_EQ(1, panel.IsParentVisible());
  EXPECT_EQ(1, child->IsParentVisible());
  panel.SetControlVisible(0);
  EXPECT_EQ(0, child->IsParentVisible());
  ProbeControl orphan(nullptr, 3, CRect());
  EXPECT_EQ(0, orphan.IsParentVisible());
}

// Removing a later sibling from a handler must not make the walk skip the next one.
TEST(ControlFaults, RemovalDuringAWalkIsDeferred) {
  RecordingParent owner;
  ProbePanel panel(&owner, 1, CRect(0, 0, 100, 100));
  ProbeControl* a = panel.AddProbe(10, CRect(0, 0, 100, 100));
  ProbeControl* b = panel.AddProbe(11, CRect(0, 0, 100, 100));
  ProbeControl* c = panel.AddProbe(12, CRect(0, 0, 100, 100));
  bool bGone = false, aGone = false, aAliveDuringWalk = false;
  b->destroyed = &bGone;
  a->destroyed = &aGone;
  a->onMove = [&] {
    panel.RemoveControl(b);
    panel.RemoveControl(a);  // itself, while its own hook runs
    aAliveDuringWalk = !aGone;
  };
  panel.OnMouseMove(0, CPoint(5, 5));
  EXPECT_TRUE(aAliveDuringWalk);
  EXPECT_EQ(1u, c->moves.size()) << "the control after the removed one still gets the move";
  EXPECT_TRUE(aGone);
  EXPECT_TRUE(bGone);
  EXPECT_EQ(nullptr, panel.GetControl(10));
  EXPECT_EQ(nullptr, panel.GetControl(11));
  EXPECT_EQ(3u, panel.GetControls()->size()) << "two bars and the survivor";
}

// The walk marks a child hot when it answers the move; one that removed itself must not stay hot.
TEST(ControlFaults, AChildRemovedByItsOwnMoveIsNotLeftHot) {
  RecordingParent owner;
  ProbePanel panel(&owner, 1, CRect(0, 0, 100, 100));
  ProbeControl* a = panel.AddProbe(10, CRect(0, 0, 100, 100));
  a->onMove = [&] { panel.RemoveControl(a); };
  panel.OnMouseMove(0, CPoint(5, 5));
  EXPECT_EQ(nullptr, panel.GetHotChild());
  panel.OnMouseMove(0, CPoint(6, 6));  // would call the deleted child
  EXPECT_EQ(nullptr, panel.GetControl(10));
}

TEST(ControlFaults, DeletingAChildClearsEveryReferenceToIt) {
  PaintManager manager;
  RecordingParent owner;
  auto* panel = new ProbePanel(&owner, 1, CRect(0, 0, 100, 100));
  manager.GetControls()->push_back(panel);
  panel->SetManager(&manager);
  ProbeControl* probe = panel->AddProbe(10, CRect(0, 0, 50, 50));
  probe->SetManager(&manager);
  panel->OnMouseMove(0, CPoint(5, 5));
  ASSERT_EQ(probe, panel->GetHotChild());
  manager.SetFocusControl(probe);
  manager.AddMTimer(probe);
  manager.SetTooltipCtrlID(10);
  panel->RemoveControl(probe);
  EXPECT_EQ(nullptr, panel->GetHotChild());
  EXPECT_EQ(nullptr, manager.GetFocusControl());
  EXPECT_EQ(0, manager.DeleteFSTimer(probe)) << "no longer a multimedia-timer client";
  EXPECT_EQ(0, manager.GetTooltipCtrlID());

  // A nested focus control goes with its removed ancestor.
  ProbeControl* nested = panel->AddProbe(11, CRect());
  nested->SetManager(&manager);
  manager.SetFocusControl(nested);
  manager.AddMTimer(nested);
  manager.RemoveControl(panel);
  EXPECT_EQ(nullptr, manager.GetFocusControl());
  EXPECT_EQ(0, manager.DeleteFSTimer(nested));
}
