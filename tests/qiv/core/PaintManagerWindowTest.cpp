#include <gtest/gtest.h>
#include <atomic>
#include <set>
#include "QivTestSupport.h"
#include "SkinFiles.h"
#include "WindowTestSupport.h"
#include "controls/MAirBladder.h"
#include "controls/MRichEdit.h"
#include "core/MRender.h"
#include "core/MWindow.h"
#include "core/PaintManager.h"

using namespace qivtest;

namespace {
// The wheel's answer is the paint manager's.
class TestDialog : public PaintHostWindow {
public:
  ProbeControl* AddControl(unsigned id, CRect rect, COLORREF color = RGB(200, 0, 0)) {
    auto* probe = new ProbeControl(this, id, rect, color);
    probe->SetManager(&pm);
    pm.GetControls()->push_back(probe);
    return probe;
  }
  ProbeControl* AddArea(unsigned id, CRect rect, COLORREF color) {
    auto* probe = new ProbeControl(this, id, rect, color);
    probe->SetManager(&pm);
    pm.GetAreas()->push_back(probe);
    return probe;
  }

protected:
  bool KeepsAnswer(UINT msg, LRESULT) const override { return msg == WM_MOUSEWHEEL; }
};

class PaintManagerWindow : public ::testing::Test {
protected:
  void SetUp() override {
    Manager::SetInstance(::GetModuleHandleW(nullptr));
    ASSERT_NE(nullptr, dlg.Create(nullptr, L"pm", WS_POPUP, 0, CRect(20, 20, 420, 320)));
  }
  void TearDown() override { dlg.DestroyWindow(); }
  HWND Hwnd() { return dlg.GetSafeHwnd(); }
  void Show() {
    ::ShowWindow(Hwnd(), SW_SHOW);
    ::SetForegroundWindow(Hwnd());
    ::SetFocus(Hwnd());
    Pump(50);
  }
  LRESULT Send(UINT msg, WPARAM w, CPoint p) { return ::SendMessageW(Hwnd(), msg, w, MAKELPARAM(p.x, p.y)); }
  TestDialog dlg;
};

constexpr uint32_t RgbOf(COLORREF c) { return (uint32_t(GetRValue(c)) << 16) | (GetGValue(c) << 8) | GetBValue(c); }
}  // namespace

TEST_F(PaintManagerWindow, ComposesBackgroundImageAreasAndControls) {
  SkinFolder skins;
  skins.Write(L"bk.png", 40, 30, [](unsigned x, unsigned) { return x < 4 ? 0xFF00FF00u : 0xFFFF0000u; });
  ASSERT_EQ(1, dlg.pm.LoadBKImage(L"bk.png"));
  dlg.AddArea(1, CRect(50, 50, 100, 100), RGB(0, 0, 255));
  dlg.AddControl(2, CRect(80, 80, 130, 130), RGB(0, 128, 0));
  dlg.AddControl(3, CRect(120, 120, 160, 160), RGB(255, 255, 0));  // later: drawn over control 2
  ProbeControl* hidden = dlg.AddControl(4, CRect(0, 0, 400, 300), RGB(9, 9, 9));
  hidden->SetControlVisible(0);
  ProbeControl* deaf = dlg.AddControl(5, CRect(300, 10, 320, 30), RGB(1, 2, 3));
  deaf->SetRresponse(0);
  Render r(dlg.pm, 400, 300);
  EXPECT_EQ(0x00FF00u, r.Rgb(1, 10)) << "image border";
  EXPECT_EQ(0xFF0000u, r.Rgb(20, 15)) << "image inside";
  EXPECT_EQ(0x0000FFu, r.Rgb(60, 60)) << "area";
  EXPECT_EQ(0x008000u, r.Rgb(90, 90)) << "control over the area";
  EXPECT_EQ(0xFFFF00u, r.Rgb(125, 125)) << "a later control over an earlier one";
  EXPECT_EQ(0x010203u, r.Rgb(310, 20)) << "an unresponsive control is still drawn";
  EXPECT_NE(0x090909u, r.Rgb(200, 200)) << "a hidden control is not drawn";
}

TEST_F(PaintManagerWindow, ColourBackgroundAndNineGrid) {
  dlg.pm.SetBackColor(RGB(10, 20, 30), RGB(200, 100, 50));
  {
    Render r(dlg.pm, 400, 300);
    EXPECT_EQ(0xFEC86432u, r.At(0, 0)) << "frame colour, alpha 254";
    EXPECT_EQ(0xFE0A141Eu, r.At(5, 5)) << "back colour, alpha 254";
  }
  SkinFolder skins;
  skins.Write(L"grid.png", 40, 40, [](unsigned x, unsigned y) {
    return (x < 4 || x >= 36 || y < 4 || y >= 36) ? 0xFFFF0000u : 0xFF0000FFu;
  });
  ASSERT_EQ(1, dlg.pm.LoadBKImage(L"grid.png"));
  dlg.pm.SetBackMode(BACKMODE_NINEGRID, 4);
  Render r(dlg.pm, 400, 300);
  EXPECT_EQ(0xFF0000u, r.Rgb(1, 1));
  EXPECT_EQ(0xFF0000u, r.Rgb(200, 1)) << "top edge stretched";
  EXPECT_EQ(0xFF0000u, r.Rgb(398, 150)) << "right edge stretched";
  EXPECT_EQ(0x0000FFu, r.Rgb(200, 150)) << "centre stretched";
}

TEST_F(PaintManagerWindow, LayeredKeepsUntouchedBlackTransparent) {
  SkinFolder skins;
  skins.Solid(L"clear.png", 4, 4, 0x00000000);
  ASSERT_EQ(1, dlg.pm.LoadBKImage(L"clear.png"));
  dlg.pm.SetLayeredWindow(1);
  dlg.AddControl(1, CRect(10, 10, 50, 50), RGB(0, 0, 255));
  dlg.AddControl(2, CRect(60, 10, 100, 50), RGB(0, 0, 0));
  Render r(dlg.pm, 400, 300);
  EXPECT_EQ(0xFF0000FFu, r.At(20, 20)) << "GDI pixels become opaque";
  EXPECT_EQ(0u, r.At(70, 20)) << "black left at alpha 0 stays transparent";
  EXPECT_EQ(0u, r.At(200, 200));
}

TEST_F(PaintManagerWindow, RepaintMarksLaterOverlappingEntriesAndInvalidates) {
  Show();
  ProbeControl* area = dlg.AddArea(1, CRect(0, 0, 50, 50), RGB(1, 1, 1));
  ProbeControl* before = dlg.AddControl(2, CRect(0, 0, 50, 50));
  ProbeControl* requester = dlg.AddControl(3, CRect(0, 0, 50, 50));
  ProbeControl* over = dlg.AddControl(4, CRect(40, 40, 90, 90));
  ProbeControl* hidden = dlg.AddControl(5, CRect(0, 0, 50, 50));
  hidden->SetControlVisible(0);
  auto settle = [&] {
    for (ProbeControl* p : {area, before, requester, over, hidden}) p->SetUpdate(1, 0);
    ::ValidateRect(Hwnd(), nullptr);
  };
  settle();
  EXPECT_EQ(0, dlg.pm.OnControlUpdate(CRect(0, 0, 50, 50), 1, nullptr));
  EXPECT_FALSE(::GetUpdateRect(Hwnd(), nullptr, FALSE)) << "a null control invalidates nothing";
  requester->UpdateControl(1, 0);
  EXPECT_EQ(0, requester->GetUpdate());
  EXPECT_EQ(0, over->GetUpdate());
  EXPECT_EQ(1, before->GetUpdate());
  EXPECT_EQ(1, hidden->GetUpdate());
  EXPECT_EQ(1, area->GetUpdate()) << "a control never pulls in an area";
  CRect invalid;
  ::GetUpdateRect(Hwnd(), &invalid, FALSE);
  EXPECT_EQ(CRect(0, 0, 90, 90), invalid) << invalid.left << "," << invalid.top << "," << invalid.right << ","
                                           << invalid.bottom << ": the later overlapping control joins the region";

  settle();
  requester->UpdateControl(0, 0);
  EXPECT_EQ(1, requester->GetUpdate()) << "redraw 0 keeps the requester's picture";
  settle();
  area->UpdateControl(1, 0);
  EXPECT_EQ(0, before->GetUpdate()) << "an area pulls in overlapping controls";

  settle();
  dlg.pm.SetLayeredWindow(1);
  over->UpdateControl(0, 0);
  ::GetUpdateRect(Hwnd(), &invalid, FALSE);
  EXPECT_EQ(CRect(0, 0, 400, 300), invalid) << invalid.left << "," << invalid.top << "," << invalid.right << ","
                                             << invalid.bottom << ": a layered window is invalidated whole";
}

TEST_F(PaintManagerWindow, PaintMessageComposesTheWindow) {
  Show();
  ProbeControl* probe = dlg.AddControl(1, CRect(10, 10, 60, 60), RGB(0, 0, 255));
  ::InvalidateRect(Hwnd(), nullptr, FALSE);
  ::UpdateWindow(Hwnd());
  EXPECT_EQ(1, probe->renders);
  EXPECT_FALSE(::GetUpdateRect(Hwnd(), nullptr, FALSE));
  ::InvalidateRect(Hwnd(), nullptr, FALSE);
  ::UpdateWindow(Hwnd());
  EXPECT_EQ(1, probe->renders) << "an unchanged control is copied from its cache";
  probe->UpdateControl(1, 0);
  ::UpdateWindow(Hwnd());
  EXPECT_EQ(2, probe->renders);
}

TEST_F(PaintManagerWindow, ControlTimerIdsStayClearOfFixedIdsAndEachOther) {
  std::vector<ProbeControl*> probes;
  std::set<unsigned> ids;
  for (int i = 0; i < 300; ++i) {
    probes.push_back(dlg.AddControl(100 + i, CRect()));
    ASSERT_EQ(1, dlg.pm.SetTimer(probes.back(), 1, 100000));
    ids.insert(dlg.pm.GetControlTimerID(probes.back(), 1));
  }
  EXPECT_EQ(300u, ids.size()) << "no id repeats";
  EXPECT_EQ(PaintManager::kFirstControlTimerId, *ids.begin());
  for (unsigned fixed : {66u, 88u, 99u, 6553u}) EXPECT_EQ(0u, ids.count(fixed));

  ProbeControl* p = probes[0];
  const unsigned id = dlg.pm.GetControlTimerID(p, 1);
  EXPECT_EQ(0, dlg.pm.SetTimer(p, 1, 50)) << "already running";
  EXPECT_EQ(1, dlg.pm.KillTimer(p, 1));
  EXPECT_EQ(0, dlg.pm.KillTimer(p, 1));
  EXPECT_EQ(1, dlg.pm.SetTimer(p, 1, 50));
  EXPECT_EQ(id, dlg.pm.GetControlTimerID(p, 1)) << "re-armed with the same id";
  ::SendMessageW(Hwnd(), WM_TIMER, id, 0);
  EXPECT_EQ(1, p->timerTicks);
  dlg.pm.SetTimer(p, 2, 50);
  dlg.pm.KillTimer(p);
  EXPECT_EQ(0u, dlg.pm.GetControlTimerID(p, 1));
  EXPECT_EQ(0u, dlg.pm.GetControlTimerID(p, 2));
  // Deleting a control drops its timer records.
  ProbeControl* q = probes[1];
  dlg.pm.RemoveControl(q);
  EXPECT_EQ(0u, dlg.pm.GetControlTimerID(q, 1));
}

namespace {
DWORD g_fakeNow = 1000;
DWORD WINAPI FakeTickCount() { return g_fakeNow; }
}  // namespace

TEST_F(PaintManagerWindow, MultimediaTickGuardIdAndClients) {
  dlg.pm.SetTickSource(&FakeTickCount);
  dlg.pm.SetMTimer(60000);
  const unsigned id = dlg.pm.GetMTimerID();
  ASSERT_NE(0u, id);
  ProbeControl* a = dlg.AddControl(1, CRect());
  ProbeControl* idle = dlg.AddControl(2, CRect());
  a->SetRunTimer(1);
  dlg.pm.AddMTimer(a);
  dlg.pm.AddMTimer(a);
  dlg.pm.AddMTimer(idle);
  dlg.pm.OnMTimer(id);
  EXPECT_EQ(2, a->timerTicks) << "registered twice, ticked twice";
  EXPECT_EQ(0, idle->timerTicks) << "no run-timer flag, no tick";
  dlg.pm.OnMTimer(id);
  g_fakeNow += 2;
  dlg.pm.OnMTimer(id);
  EXPECT_EQ(2, a->timerTicks) << "a tick within 3 ms is dropped";
  g_fakeNow += 20;
  dlg.pm.OnMTimer(id + 1);
  EXPECT_EQ(2, a->timerTicks) << "another id ticks nothing";
  dlg.pm.OnMTimer(id);
  EXPECT_EQ(2, a->timerTicks) << "the other id still counted as the last tick";
  g_fakeNow += 3;
  dlg.pm.OnMTimer(id);
  EXPECT_EQ(4, a->timerTicks);
  EXPECT_EQ(1, dlg.pm.DeleteFSTimer(a));
  EXPECT_EQ(1, dlg.pm.DeleteFSTimer(a));
  EXPECT_EQ(0, dlg.pm.DeleteFSTimer(a));
}

namespace {
std::atomic<int> g_liveSlowProbes{0};
std::atomic<int> g_ticksOnDead{0};

// A client whose tick takes a while, so that deletion meets a tick in flight.
class SlowProbe : public ProbeControl {
public:
  using ProbeControl::ProbeControl;
  SlowProbe(MObject* parent, unsigned id) : ProbeControl(parent, id, CRect()) {
    ++g_liveSlowProbes;
    alive = true;
    SetRunTimer(1);
  }
  ~SlowProbe() override {
    alive = false;
    --g_liveSlowProbes;
  }
  int OnControlTimer() override {
    if (!alive) ++g_ticksOnDead;
    ::Sleep(2);
    if (!alive) ++g_ticksOnDead;
    ++ticks;
    return 1;
  }
  std::atomic<bool> alive{false};
  std::atomic<int> ticks{0};
};
}  // namespace

TEST_F(PaintManagerWindow, DeletionWaitsForATickInFlight) {
  auto* slow = new SlowProbe(&dlg, 1);
  slow->SetManager(&dlg.pm);
  dlg.pm.GetControls()->push_back(slow);
  dlg.pm.AddMTimer(slow);
  dlg.pm.SetMTimer(1);
  const DWORD start = ::GetTickCount();
  while (slow->ticks.load() < 3 && ::GetTickCount() - start < 2000) ::Sleep(1);
  ASSERT_GE(slow->ticks.load(), 3);
  dlg.pm.RemoveControl(slow);
  EXPECT_EQ(0, g_liveSlowProbes.load());
  ::Sleep(20);
  // A second client goes with the window while its timer runs.
  auto* other = new SlowProbe(&dlg, 2);
  other->SetManager(&dlg.pm);
  dlg.pm.GetControls()->push_back(other);
  dlg.pm.AddMTimer(other);
  while (other->ticks.load() < 3 && ::GetTickCount() - start < 4000) ::Sleep(1);
  dlg.DestroyWindow();
  EXPECT_EQ(0, g_liveSlowProbes.load());
  ::Sleep(20);
  EXPECT_EQ(0, g_ticksOnDead.load());
}

TEST_F(PaintManagerWindow, MessageOverlayHoldsThenFades) {
  dlg.pm.SetMessage(L"Saved", CRect(10, 10, 210, 70), MSG_LEVEL_INFO);
  EXPECT_EQ(255, dlg.pm.GetMessageAlpha());
  {
    Render r(dlg.pm, 400, 300);
    EXPECT_EQ(0xFFE6E6E6u, r.At(11, 11)) << "the overlay's outer band";
    EXPECT_EQ(0xFFFEFEFEu, r.At(200, 65) | 0xFF000000u);
  }
  ::SendMessageW(Hwnd(), WM_TIMER, PaintManager::kMessageHoldTimer, 0);
  for (int i = 0; i < 23; ++i) ::SendMessageW(Hwnd(), WM_TIMER, PaintManager::kFadeTimer, 0);
  EXPECT_EQ(25, dlg.pm.GetMessageAlpha());
  ::SendMessageW(Hwnd(), WM_TIMER, PaintManager::kFadeTimer, 0);
  EXPECT_EQ(0, dlg.pm.GetMessageAlpha()) << "gone after 24 fade steps";
}

TEST_F(PaintManagerWindow, ProgressOverlayAnimatesOnItsTimers) {
  dlg.pm.SetProgress(30, L"Downloading", CRect());
  EXPECT_EQ(CRect(0, 240, 400, 298), dlg.pm.GetMessageRect()) << "a band along the client bottom";
  EXPECT_EQ(0, dlg.pm.GetProgressShown());
  // The real 10 ms progress timer, two percent a tick.
  EXPECT_TRUE(PumpUntil([&] { return dlg.pm.GetProgressShown() >= 30; }, 5000));
  EXPECT_EQ(30, dlg.pm.GetProgressShown());
  dlg.pm.SetProgress(33, L"Downloading", CRect());
  EXPECT_EQ(33, dlg.pm.GetProgressShown()) << "a small step shows at once";
  dlg.pm.SetProgress(100, L"Done", CRect());
  for (int i = 0; i < 40 && dlg.pm.GetProgressShown() < 100; ++i)
    ::SendMessageW(Hwnd(), WM_TIMER, PaintManager::kProgressTimer, 0);
  EXPECT_GE(dlg.pm.GetProgressShown(), 100);
  Render r(dlg.pm, 400, 300);
  const uint32_t bar = r.Rgb(200, 298 - 15);  // 0xFEFFE100 over the light inner fill
  EXPECT_GE(bar >> 16, 0xF0u) << std::hex << bar;
  EXPECT_NEAR(static_cast<int>((bar >> 8) & 0xFF), 0xE1, 3) << std::hex << bar;
  EXPECT_LT(bar & 0xFF, 0x10u) << std::hex << bar;
  EXPECT_TRUE(PumpUntil([&] { return dlg.pm.GetMessageAlpha() < 255; }, 5000)) << "the fade started at 100";
}

TEST_F(PaintManagerWindow, CaretIsDrawnOnlyWhileItsEditHasTheFocus) {
  Show();
  auto* edit = static_cast<MRichEdit*>(dlg.pm.CreateControl(&dlg, L"MRichEdit", 9, CRect(0, 0, 200, 100), L"", 1, 1));
  ASSERT_NE(nullptr, edit);
  edit->SetTextColor(Gdiplus::Color(255, 0, 0, 255));
  dlg.pm.SetFocusControl(edit);
  ASSERT_TRUE(edit->IsFocused());
  ASSERT_EQ(Hwnd(), ::GetFocus());
  dlg.pm.CreateCaret(nullptr, 2, 16);
  ASSERT_EQ(1, dlg.pm.SetCaretPos(edit, 30, 40));
  dlg.pm.ShowCaret(1);
  EXPECT_EQ(1, dlg.pm.GetCaretPhase());
  {
    Render r(dlg.pm, 400, 300);
    EXPECT_GE(r.Rgb(31, 45) & 0xFF, 0xF0u) << "caret in the edit's text colour (alpha 254)";
    EXPECT_LT(r.Rgb(31, 45) >> 16, 0x10u) << std::hex << r.Rgb(31, 45);
  }
  ::SendMessageW(Hwnd(), WM_TIMER, PaintManager::kCaretTimer, 0);
  {
    Render r(dlg.pm, 400, 300);
    EXPECT_GT(r.Rgb(31, 45) >> 16, 0xF0u) << "blink phase off: the light background";
  }
  ::SendMessageW(Hwnd(), WM_TIMER, PaintManager::kCaretTimer, 0);
  dlg.pm.SetFocusControl(nullptr);
  Render r(dlg.pm, 400, 300);
  EXPECT_GT(r.Rgb(31, 45) >> 16, 0xF0u);
  EXPECT_EQ(0, dlg.pm.GetCaretPhase()) << "blinking stops without the focus";
  ::DestroyCaret();
}

TEST_F(PaintManagerWindow, TabCyclesFocusableControls) {
  ProbeControl* a = dlg.AddControl(1, CRect());
  ProbeControl* skip = dlg.AddControl(2, CRect());
  ProbeControl* b = dlg.AddControl(3, CRect());
  ProbeControl* c = dlg.AddControl(4, CRect());
  for (ProbeControl* p : {a, b, c}) p->SetTabStop(1);
  (void)skip;
  MSG tab = {Hwnd(), WM_KEYDOWN, VK_TAB, 0};
  BYTE keys[256] = {};
  ::SetKeyboardState(keys);
  EXPECT_EQ(1, dlg.pm.PreTranslateMessage(&tab));
  EXPECT_EQ(a, dlg.pm.GetFocusControl());
  EXPECT_EQ(1, a->IsFocused());
  dlg.pm.PreTranslateMessage(&tab);
  EXPECT_EQ(b, dlg.pm.GetFocusControl()) << "the non-tab-stop control is skipped";
  EXPECT_EQ(0, a->IsFocused());
  dlg.pm.PreTranslateMessage(&tab);
  dlg.pm.PreTranslateMessage(&tab);
  EXPECT_EQ(a, dlg.pm.GetFocusControl()) << "wraps to the first";
  keys[VK_SHIFT] = 0x80;
  ::SetKeyboardState(keys);
  dlg.pm.SetFocusControl(nullptr);
  dlg.pm.PreTranslateMessage(&tab);
  EXPECT_EQ(c, dlg.pm.GetFocusControl()) << "Shift+Tab without focus takes the last";
  keys[VK_SHIFT] = 0;
  keys[VK_CONTROL] = 0x80;
  ::SetKeyboardState(keys);
  EXPECT_EQ(0, dlg.pm.PreTranslateMessage(&tab)) << "Ctrl+Tab does nothing";
  EXPECT_EQ(c, dlg.pm.GetFocusControl());
  keys[VK_CONTROL] = 0;
  ::SetKeyboardState(keys);
}

TEST_F(PaintManagerWindow, WheelKeysAndHoverByDirectMessages) {
  Show();
  ProbeControl* left = dlg.AddControl(1, CRect(0, 0, 100, 100));
  ProbeControl* right = dlg.AddControl(2, CRect(200, 0, 300, 100));
  CPoint screen(50, 50);
  ::ClientToScreen(Hwnd(), &screen);
  EXPECT_EQ(1, ::SendMessageW(Hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, 240), MAKELPARAM(screen.x, screen.y)));
  EXPECT_EQ(2u, left->scrolls.size()) << "240 is two notches";
  EXPECT_EQ(CPoint(50, 50), left->scrolls[0]) << "in client coordinates";
  EXPECT_EQ(0, ::SendMessageW(Hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, 60), MAKELPARAM(screen.x, screen.y)));
  EXPECT_EQ(2u, left->scrolls.size()) << "less than a notch does nothing";
  EXPECT_TRUE(right->scrolls.empty());

  Send(WM_MOUSEMOVE, 0, CPoint(250, 50));
  EXPECT_EQ(right, dlg.pm.GetHoverControl());
  dlg.pm.SetFocusControl(left);
  ::SendMessageW(Hwnd(), WM_KEYDOWN, 'Q', 0);
  EXPECT_EQ(1u, right->keys.size()) << "keys go to the control under the mouse first";
  EXPECT_TRUE(left->keys.empty());

  // Two overlapping controls: the later one takes the hover and the press.
  ProbeControl* top = dlg.AddControl(3, CRect(220, 20, 280, 80));
  Send(WM_MOUSEMOVE, 0, CPoint(350, 250));
  EXPECT_EQ(nullptr, dlg.pm.GetHoverControl()) << "nothing under the mouse";
  Send(WM_MOUSEMOVE, 0, CPoint(250, 50));
  EXPECT_EQ(top, dlg.pm.GetHoverControl());
  Send(WM_LBUTTONDOWN, MK_LBUTTON, CPoint(250, 50));
  EXPECT_EQ(1u, top->downs.size());
  EXPECT_TRUE(right->downs.empty());
  EXPECT_EQ(1, dlg.pm.IsCaptured());
  EXPECT_EQ(top, dlg.pm.GetFocusControl());
  Send(WM_LBUTTONUP, 0, CPoint(250, 50));
  EXPECT_EQ(0, dlg.pm.IsCaptured());
  // The hovered control goes: the hover goes with it.
  dlg.pm.RemoveControl(top);
  EXPECT_EQ(nullptr, dlg.pm.GetHoverControl());
  EXPECT_EQ(nullptr, dlg.pm.GetFocusControl());
}

TEST_F(PaintManagerWindow, AControlMayDeleteItselfFromItsPressHandler) {
  Show();
  ProbeControl* self = dlg.AddControl(1, CRect(0, 0, 100, 100));
  bool gone = false, aliveInHandler = false;
  self->destroyed = &gone;
  self->onDown = [&] {
    dlg.pm.RemoveControl(self);
    aliveInHandler = !gone;
  };
  Send(WM_MOUSEMOVE, 0, CPoint(10, 10));
  Send(WM_LBUTTONDOWN, MK_LBUTTON, CPoint(10, 10));
  EXPECT_TRUE(aliveInHandler);
  EXPECT_TRUE(gone);
  EXPECT_EQ(nullptr, dlg.pm.GetHoverControl());
  Send(WM_LBUTTONUP, 0, CPoint(10, 10));
}

TEST_F(PaintManagerWindow, DoubleClickChangesNeitherFocusNorCapture) {
  Show();
  ProbeControl* p = dlg.AddControl(1, CRect(0, 0, 100, 100));
  p->SetDblClkFlag(1);
  Send(WM_MOUSEMOVE, 0, CPoint(10, 10));
  Send(WM_LBUTTONDBLCLK, MK_LBUTTON, CPoint(10, 10));
  EXPECT_EQ(1u, p->dblClicks.size());
  EXPECT_EQ(nullptr, dlg.pm.GetFocusControl());
  EXPECT_EQ(0, dlg.pm.IsCaptured());
}

TEST_F(PaintManagerWindow, DeactivationReleasesAHeldButton) {
  Show();
  ProbeControl* p = dlg.AddControl(1, CRect(0, 0, 100, 100));
  Send(WM_MOUSEMOVE, 0, CPoint(10, 10));
  Send(WM_LBUTTONDOWN, MK_LBUTTON, CPoint(10, 10));
  dlg.pm.OnNcActivate(0);
  ASSERT_FALSE(p->ups.empty());
  EXPECT_EQ(CPoint(-1, -1), p->ups.back());
  EXPECT_EQ(nullptr, dlg.pm.GetHoverControl());
  ::ReleaseCapture();
}

TEST_F(PaintManagerWindow, TooltipAndBalloon) {
  Show();
  ProbeControl* p = dlg.AddControl(7, CRect(0, 0, 100, 100));
  p->SetTooltip(L"Hello");
  Send(WM_MOUSEMOVE, 0, CPoint(10, 10));
  EXPECT_EQ(7, dlg.pm.GetTooltipCtrlID());
  ASSERT_NE(nullptr, dlg.pm.GetToolTipWnd());
  wchar_t cls[64] = {};
  ::GetClassNameW(dlg.pm.GetToolTipWnd(), cls, 64);
  EXPECT_STREQ(L"tooltips_class32", cls);
  p->ClearTooltip();
  EXPECT_EQ(0, dlg.pm.GetTooltipCtrlID());

  EXPECT_EQ(0, dlg.pm.ShowAirBladder(1, 0)) << "no balloon yet";
  EXPECT_EQ(1, dlg.pm.SetAirBladderMsg(L"tip", POINT{5, 5}, AIRBLADDER_TYPE_HOVER, AIRBLADDER_MODE_BOTTOM));
  ASSERT_NE(nullptr, dlg.pm.GetAirBladder());
  EXPECT_EQ(CString(L"tip"), dlg.pm.GetAirBladder()->GetText());
  dlg.pm.ShowAirBladder(1, 7);
  EXPECT_EQ(0, dlg.pm.ShowAirBladder(0, 5)) << "another key cannot hide it";
  EXPECT_TRUE(::IsWindowVisible(dlg.pm.GetAirBladder()->GetSafeHwnd()));
  dlg.pm.ShowAirBladder(0, 7);
  EXPECT_FALSE(::IsWindowVisible(dlg.pm.GetAirBladder()->GetSafeHwnd()));
}

TEST_F(PaintManagerWindow, DropBitmapCutsAPartOfTheControl) {
  ProbeControl* p = dlg.AddControl(1, CRect(100, 50, 200, 150), RGB(0, 255, 0));
  HBITMAP bitmap = dlg.pm.GetDropBitmap(p, CRect(0, 0, 40, 20), 0);
  ASSERT_NE(nullptr, bitmap);
  BITMAP bm = {};
  ::GetObjectW(bitmap, sizeof(bm), &bm);
  EXPECT_EQ(40, bm.bmWidth);
  EXPECT_EQ(20, bm.bmHeight);
  EXPECT_EQ(32, bm.bmBitsPixel);
  const BYTE* px = static_cast<const BYTE*>(bm.bmBits);
  EXPECT_EQ(255, px[1]);
  EXPECT_EQ(0, px[2]);
  ::DeleteObject(bitmap);
  EXPECT_EQ(nullptr, dlg.pm.GetDropBitmap(nullptr, CRect(0, 0, 4, 4), 0));
}

TEST_F(PaintManagerWindow, ReflectionAndMessageHiding) {
  EXPECT_EQ(0, ::SendMessageW(Hwnd(), WM_COMMAND, 1, 0)) << "no child: not reflected";
  class Hider : public ProbeControl {
  public:
    using ProbeControl::ProbeControl;
    long OnWindowMessage(unsigned msg, unsigned, long) override { return msg == WM_APP + 5 ? 1 : 0; }
  };
  auto* hider = new Hider(&dlg, 1, CRect());
  dlg.pm.GetControls()->push_back(hider);
  EXPECT_EQ(0, dlg.pm.OnWindowMessage(WM_APP + 5, 0, 0));
}

// Init registers the private fonts found in "fonts" beside the program, and only those.
TEST(PaintManagerFonts, InitRegistersThePrivateFontsBesideTheProgram) {
  const CString folder = GetExeFolder() + L"fonts\\";
  const CString bold = folder + L"Roboto-Bold.ttf";
  const bool hadFolder = ::GetFileAttributesW(folder) != INVALID_FILE_ATTRIBUTES;
  for (const wchar_t* other : {L"Roboto-Medium.ttf", L"Roboto-Regular.ttf", L"Roboto-SemiBold.ttf"})
    if (::GetFileAttributesW(folder + other) != INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "other faces staged here";
  ::CreateDirectoryW(folder, nullptr);
  ASSERT_TRUE(::CopyFileW(L"Z:\\usr\\share\\fonts\\truetype\\roboto\\unhinted\\RobotoTTF\\Roboto-Bold.ttf", bold, FALSE));
  {
    TestDialog dlg;
    Manager::SetInstance(::GetModuleHandleW(nullptr));
    ASSERT_NE(nullptr, dlg.Create(nullptr, L"fonts", WS_POPUP, 0, CRect(0, 0, 50, 50)));
    EXPECT_NE(nullptr, dlg.pm.FindTempFont(L"Roboto-Bold"));
    EXPECT_EQ(nullptr, dlg.pm.FindTempFont(L"Roboto-Regular")) << "a missing file is skipped";
    EXPECT_EQ(102u, dlg.pm.GetScrollVID());
    EXPECT_EQ(101u, dlg.pm.GetScrollHID());
    dlg.DestroyWindow();
  }
  ::DeleteFileW(bold);
  if (!hadFolder) ::RemoveDirectoryW(folder);
}

// After the window's data is gone the manager is still safe to use until it dies.
TEST_F(PaintManagerWindow, DestroyDataKeepsTheLocks) {
  dlg.AddControl(1, CRect());
  dlg.DestroyWindow();
  EXPECT_EQ(0, dlg.pm.IsInitialised());
  EXPECT_TRUE(dlg.pm.GetControls()->empty());
  dlg.pm.RefreshControls();
  dlg.pm.ClearAllControls();
  auto* late = new ProbeControl(&dlg, 2, CRect());
  late->SetManager(&dlg.pm);
  dlg.pm.AddMTimer(late);
  EXPECT_EQ(0, dlg.pm.SetTimer(late, 1, 10)) << "no window: no timer";
  dlg.pm.OnControlUpdate(CRect(0, 0, 4, 4), 1, late);
  delete late;
  EXPECT_EQ(0, dlg.pm.DeleteFSTimer(late));
}
