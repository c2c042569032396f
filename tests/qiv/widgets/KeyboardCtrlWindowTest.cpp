// The on-screen keyboard in a real window: hit tests on the shipped layouts, the drawing
// modes on in-process renders, partial repaints, frame selection, the knob key and the
// notifications of real mouse messages.
#include <gtest/gtest.h>
#include <cstdlib>
#include "ShippedLayout.h"
#include "WidgetTestSupport.h"
#include "WidgetWindow.h"
#include "controls/CKeyboardTips.h"
#include "widgets/KeyboardCtrl.h"

using namespace qivtest;
using namespace widgettest;

namespace {

constexpr uint32_t kFrame0 = 0xFF808080, kFrame1 = 0xFF2050A0, kPicture = 0xFF103050;
constexpr uint32_t kKnob = 0xF6F6F6;

bool Near(uint32_t a, uint32_t b, int tolerance = 6) {
  for (int shift : {0, 8, 16})
    if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > tolerance) return false;
  return true;
}

class KeyboardWindow : public ::testing::Test {
protected:
  void SetUp() override {
    Manager::SetInstance(::GetModuleHandleW(nullptr));
    const uint32_t frames[4] = {kFrame0, kFrame1, 0xFF00A000, 0xFFA00000};
    skins.Write(L"img_key_bkg.png", 80, 20, [&](unsigned x, unsigned) { return frames[x / 20]; });
    skins.Solid(L"kb.png", 20, 20, kPicture);
    ASSERT_NE(nullptr, host.Create(nullptr, L"keyboard", WS_POPUP, 0, CRect(0, 0, kWidth, kHeight)));
    ::ShowWindow(host.GetSafeHwnd(), SW_SHOWNOACTIVATE);
    keyboard = host.Make<KeyboardCtrl>(L"KeyboardCtrl", 58, CRect(20, 20, 1000, 420));
    ASSERT_NE(nullptr, keyboard);
    ASSERT_EQ(keyboard->SetImage(L"img_key_bkg.png", 4), 1);
  }
  void TearDown() override { host.DestroyWindow(); }

  // What the program does on a layout load.
  void Load(const ShippedLayout& layout, CRect place) {
    keyboard->ClearItem();
    keyboard->SetRect(place);
    keyboard->SetKeyboardImage(L"kb.png");
    keyboard->SetWidthAndHeight(layout.width, layout.height);
    for (const ShippedKey& k : layout.keys)
      keyboard->AddKeyItem(k.name, k.desc, k.code, k.rect, L"", 0x604E3A);
    keyboard->SetLightModeColor(0, 0x604E3A);
  }
  // A small board: a key, a wide key, the knob and a key marked as a knob.
  void LoadSmall() {
    ShippedLayout small;
    small.width = 300;
    small.height = 100;
    small.keys = {{4, L"fA", L"A", CRect(0, 0, 40, 40)},
                  {44, L"fSpace", L"Space", CRect(50, 0, 150, 40)},
                  {255, L"knob", L"", CRect(160, 0, 200, 40)},
                  {5, L"fB", L"B", CRect(210, 0, 250, 40)}};
    Load(small, CRect(20, 20, 320, 120));
    keyboard->GetKeyItems()[3]->tipMarker = L"\u00FF";
  }
  CRect KeyRect(int index) {
    CRect r = keyboard->GetRealRect(keyboard->GetKeyItems()[index]->rect);
    r.OffsetRect(keyboard->GetRect().TopLeft());
    return r;
  }
  LRESULT Send(UINT msg, WPARAM w, CPoint p) {
    return ::SendMessageW(host.GetSafeHwnd(), msg, w, MAKELPARAM(p.x, p.y));
  }
  void Move(CPoint p) { Send(WM_MOUSEMOVE, 0, p); }
  void LeftClick(CPoint down, CPoint up) {
    Move(down);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, down);
    Send(WM_LBUTTONUP, 0, up);
  }

  static constexpr int kWidth = 1040, kHeight = 440;
  SkinFolder skins;
  HostWindow host;
  KeyboardCtrl* keyboard = nullptr;
};

}  // namespace

TEST_F(KeyboardWindow, HitTestsOnTheShippedLayouts) {
  for (const char* model : {"K101", "K102", "K103", "K104", "K150"}) {
    SCOPED_TRACE(model);
    const ShippedLayout layout = ReadShippedLayout(model);
    ASSERT_GT(layout.keys.size(), 50u) << "the layout file is missing";
    Load(layout, CRect(20, 20, 20 + layout.width, 20 + layout.height));
    EXPECT_EQ(keyboard->GetKeyOffset(), CPoint(20, 25)) << "a placed control with a layout";
    const auto keys = keyboard->GetKeyItems();
    ASSERT_EQ(keys.size(), layout.keys.size());
    for (size_t i = 0; i < keys.size(); ++i) {
      const CRect r = KeyRect(static_cast<int>(i));
      int first = -1;  // the first key holding the centre is the one named
      for (size_t j = 0; j < keys.size() && first < 0; ++j)
        if (KeyRect(static_cast<int>(j)).PtInRect(r.CenterPoint())) first = static_cast<int>(j);
      EXPECT_EQ(keyboard->GetKeyCodeByPoint(r.CenterPoint()), keys[first]->keyCode) << keys[i]->name.GetString();
      EXPECT_EQ(keyboard->GetKeyCodeByPoint(CPoint(r.left, r.top)), keyboard->GetKeyCodeByPoint(r.TopLeft()));
    }
    EXPECT_EQ(keyboard->GetKeyCodeByPoint(CPoint(21, 21)), 0) << "the board's corner is no key";

    // Real mouse messages on the first, a middle and the last key.
    for (size_t i : {size_t(0), keys.size() / 2, keys.size() - 1}) {
      host.notices.clear();
      const CPoint c = KeyRect(static_cast<int>(i)).CenterPoint();
      LeftClick(c, c);
      ASSERT_EQ(host.notices.size(), 2u);
      EXPECT_EQ(host.notices[0].code, 1u);
      EXPECT_EQ(host.notices[0].wParam, static_cast<unsigned>(i));
      EXPECT_EQ(host.notices[0].lParam, keys[i]->keyCode);
      EXPECT_EQ(host.notices[1].code, 2u);
      EXPECT_EQ(host.notices[1].wParam, static_cast<unsigned>(i));
      EXPECT_EQ(keyboard->GetCurrentKeyValue(), keys[i]->keyCode);
    }
  }
}

TEST_F(KeyboardWindow, NotificationsOfPressReleaseAndRightButton) {
  LoadSmall();
  const CPoint a = KeyRect(0).CenterPoint(), space = KeyRect(1).CenterPoint();
  LeftClick(a, CPoint(kWidth - 5, kHeight - 5));  // released outside the control
  ASSERT_EQ(host.notices.size(), 2u);
  EXPECT_EQ(host.notices[1].code, 2u);
  EXPECT_EQ(host.notices[1].wParam, static_cast<unsigned>(-1));
  EXPECT_EQ(keyboard->GetCurrentKeyValue(), 4) << "the key the button went down on";

  host.notices.clear();
  const CPoint gap(KeyRect(0).right + 3, KeyRect(0).top + 5);
  LeftClick(gap, gap);
  ASSERT_EQ(host.notices.size(), 2u);
  EXPECT_EQ(host.notices[0].wParam, static_cast<unsigned>(-1));
  EXPECT_EQ(host.notices[0].lParam, 0);
  EXPECT_EQ(keyboard->GetCurrentKeyValue(), -1) << "down away from every key, up inside";

  host.notices.clear();
  Move(space);
  Send(WM_RBUTTONDOWN, MK_RBUTTON, space);
  Send(WM_RBUTTONUP, 0, space);
  ASSERT_EQ(host.notices.size(), 1u);
  EXPECT_EQ(host.notices[0].code, 5u);
  EXPECT_EQ(host.notices[0].wParam, 1u);
  EXPECT_EQ(host.notices[0].lParam, 44);
  EXPECT_EQ(keyboard->GetPressedKey(), 1);
  EXPECT_EQ(keyboard->GetCurrentKeyValue(), 44);
  Move(gap);
  Send(WM_RBUTTONDOWN, MK_RBUTTON, gap);
  Send(WM_RBUTTONUP, 0, gap);
  EXPECT_EQ(keyboard->GetCurrentKeyValue(), 0) << "right button released on no key";

  host.notices.clear();
  keyboard->SetEnabled(0);
  LeftClick(a, a);
  EXPECT_TRUE(host.notices.empty()) << "a disabled keyboard reports nothing";
}

TEST_F(KeyboardWindow, DrawingModes) {
  LoadSmall();
  keyboard->SetKeyColor(4, RGB(200, 0, 0));
  keyboard->SetKeyColor(44, RGB(0, 200, 0));
  keyboard->SetKeyColor(255, RGB(0, 0, 200));
  const CRect a = KeyRect(0), space = KeyRect(1), knob = KeyRect(2), marked = KeyRect(3);
  auto render = [&](int mode) {
    keyboard->SetKeyboardCtrlMode(mode);
    return std::make_unique<Render>(host.pm, kWidth, kHeight);
  };
  {
    auto r = render(100);
    EXPECT_EQ(r->Rgb(a.left + 4, a.top + 4), kFrame0 & 0xFFFFFF) << "cap, frame 0";
    EXPECT_EQ(r->Rgb(space.left + 4, space.top + 4), kFrame0 & 0xFFFFFF) << "a wide cap as a nine-grid";
    EXPECT_EQ(r->Rgb(knob.CenterPoint().x, knob.top + 8), kKnob);
    EXPECT_EQ(r->Rgb(marked.CenterPoint().x, marked.top + 8), kKnob) << "U+00FF marks a knob";
    EXPECT_EQ(r->Rgb(a.right + 3, a.top + 4), kPicture & 0xFFFFFF) << "the keyboard picture between keys";
  }
  Move(a.CenterPoint());
  {
    auto r = render(101);
    EXPECT_EQ(r->Rgb(a.left + 4, a.top + 4), kFrame1 & 0xFFFFFF) << "hovered: frame 1";
    EXPECT_EQ(r->Rgb(space.left + 4, space.top + 4), kFrame0 & 0xFFFFFF);
  }
  {
    auto r = render(103);
    EXPECT_EQ(r->Rgb(a.left + 6, a.top + 6), 0xC80000u) << "filled with its colour";
    EXPECT_EQ(r->Rgb(space.left + 6, space.top + 6), 0x00C800u);
    EXPECT_EQ(r->Rgb(knob.CenterPoint().x, knob.CenterPoint().y), kPicture & 0xFFFFFF) << "no knob in mode 103";
  }
  {
    auto r = render(104);
    EXPECT_EQ(r->Rgb(a.left + 6, a.top + 6), kPicture & 0xFFFFFF) << "outlined, not filled";
    EXPECT_TRUE(Near(r->Rgb(a.left, a.top + 20), 0xC80000)) << std::hex << r->Rgb(a.left, a.top + 20);
    EXPECT_TRUE(Near(r->Rgb(knob.left, knob.top + 20), 0x0000C8)) << "the knob too";
  }
  {
    auto r = render(99);
    EXPECT_EQ(r->Rgb(a.left + 6, a.top + 6), kPicture & 0xFFFFFF) << "other modes: the picture only";
    EXPECT_EQ(r->Rgb(knob.CenterPoint().x, knob.CenterPoint().y), kPicture & 0xFFFFFF);
  }
}

TEST_F(KeyboardWindow, KeyRepaintsDrawOnlyTheirKeysAndMatchAFullRender) {
  const ShippedLayout layout = ReadShippedLayout("K104");
  Load(layout, CRect(20, 20, 20 + layout.width, 20 + layout.height));
  keyboard->SetKeyboardCtrlMode(101);
  Render(host.pm, kWidth, kHeight);
  const int full = keyboard->GetFullRenderCount(), partial = keyboard->GetPartialRenderCount();

  Move(KeyRect(10).CenterPoint());
  Move(KeyRect(11).CenterPoint());
  keyboard->SetKeyColor(layout.keys[40].code, RGB(1, 2, 3));
  keyboard->UpdateKey(layout.keys[40].code);
  Render afterKeys(host.pm, kWidth, kHeight);
  EXPECT_EQ(keyboard->GetFullRenderCount(), full) << "hover and a key colour do not draw the whole board";
  EXPECT_GT(keyboard->GetPartialRenderCount(), partial);

  keyboard->SetUpdate(0, 0);
  Render whole(host.pm, kWidth, kHeight);
  EXPECT_EQ(keyboard->GetFullRenderCount(), full + 1);
  EXPECT_EQ(afterKeys.Differences(whole, keyboard->GetRect()), 0) << "the partial result is the full one";
}

TEST_F(KeyboardWindow, FrameSelectionLeavesOneKeyCheckedAndTogglesItsColour) {
  LoadSmall();
  keyboard->SetKeyboardCtrlMode(103);
  keyboard->EnableFrameSelect(1);
  keyboard->SetAllSelectColor(0x00FF00);
  const CPoint a = KeyRect(0).CenterPoint(), space = KeyRect(1).CenterPoint();
  auto colour = [&](int i) { return keyboard->GetKeyItems()[i]->keyColor; };
  LeftClick(a, a);
  EXPECT_EQ(keyboard->GetCheckItemCount(), 1);
  EXPECT_EQ(colour(0), 0x00FF00u);
  LeftClick(space, space);
  EXPECT_EQ(keyboard->GetCheckItemCount(), 1);
  EXPECT_EQ(keyboard->GetKeyItems()[1]->checked, 1);
  EXPECT_EQ(colour(1), 0x00FF00u);
  LeftClick(space, space);
  EXPECT_EQ(keyboard->GetCheckItemCount(), 1) << "each click leaves exactly one key checked";
  EXPECT_EQ(colour(1), 0u) << "the toggle colour goes back to 0";
  {
    Render r(host.pm, kWidth, kHeight);
    EXPECT_TRUE(Near(r.Rgb(KeyRect(1).left, KeyRect(1).top + 20), RgbOf(Manager::m_select_color.ToCOLORREF())))
        << "a checked key is outlined in the select colour";
  }

  keyboard->EnableFrameSelect(0);
  LeftClick(a, a);
  Render(host.pm, kWidth, kHeight);
  const int full = keyboard->GetFullRenderCount(), partial = keyboard->GetPartialRenderCount();
  LeftClick(a, a);
  Render(host.pm, kWidth, kHeight);
  EXPECT_EQ(keyboard->GetFullRenderCount() + keyboard->GetPartialRenderCount(), full + partial)
      << "a second click on the same key repaints nothing";
}

TEST_F(KeyboardWindow, KnobKeyAndTheSettersByCode) {
  LoadSmall();
  keyboard->SetKeyboardCtrlMode(100);
  keyboard->SetKeyEncoder(0, 255);
  keyboard->SetKeyEncoder(3, 255);
  EXPECT_EQ(keyboard->GetKeyItems()[0]->keyCode, 4) << "not the first key";
  EXPECT_EQ(keyboard->GetKeyItems()[3]->keyCode, 5) << "not the last key";
  keyboard->SetKeyEncoder(1, 255);
  {
    Render r(host.pm, kWidth, kHeight);
    EXPECT_EQ(r.Rgb(KeyRect(1).CenterPoint().x, KeyRect(1).CenterPoint().y), kKnob) << "drawn as the knob";
  }
  keyboard->SetKeyEncoder(1, 74);
  {
    Render r(host.pm, kWidth, kHeight);
    EXPECT_EQ(r.Rgb(KeyRect(1).left + 4, KeyRect(1).top + 4), kFrame0 & 0xFFFFFF) << "and back to a key";
  }

  keyboard->SetLightModeColor(1, 0x123456);
  EXPECT_EQ(keyboard->GetKeyItems()[0]->keyColor, 0x604E3Au) << "a non-zero flag changes nothing";
  keyboard->SetKeyItemInfo(5, L"Copy", 7, L"tip");
  keyboard->SetKeyItemInfo(99, L"none", 1, L"");
  const KEY_INFO& b = *keyboard->GetKeyItems()[3];
  EXPECT_EQ(b.name, L"Copy");
  EXPECT_EQ(b.value, 7);
  CString lines[4];
  KeyboardCtrl::GetTipLines(b, lines);
  EXPECT_EQ(lines[0], L"tip");
  keyboard->ResetTipKey();
  EXPECT_TRUE(b.tipMarker.IsEmpty());
  KeyboardCtrl::GetTipLines(b, lines);
  EXPECT_EQ(lines[3], L"B") << "without tips: the legend";
  keyboard->SetKeyCheck(4, 1);
  keyboard->SetKeyCheck(5, 1);
  EXPECT_EQ(keyboard->GetCheckItemCount(), 2);
  keyboard->ResetAllItemCheck();
  EXPECT_EQ(keyboard->GetCheckItemCount(), 0);
  EXPECT_EQ(keyboard->GetPressedKey(), -1);
  keyboard->SetKeyDesc(4, L"Q");
  EXPECT_EQ(keyboard->GetKeyItems()[0]->legend, L"Q");
  EXPECT_EQ(keyboard->GetKeyColor(12345), -1);
}

TEST_F(KeyboardWindow, DragTracksTheKeyUnderThePoint) {
  LoadSmall();
  keyboard->DragMove(KeyRect(1).CenterPoint());
  EXPECT_EQ(keyboard->GetHoverKey(), 1);
  keyboard->DragMove(CPoint(kWidth - 2, kHeight - 2));
  EXPECT_EQ(keyboard->GetHoverKey(), -1);
  keyboard->SetEnabled(0);
  keyboard->DragMove(KeyRect(0).CenterPoint());
  EXPECT_EQ(keyboard->GetHoverKey(), -1);
}

TEST_F(KeyboardWindow, KeyTipOnlyWhenTurnedOn) {
  LoadSmall();
  const CPoint a = KeyRect(0).CenterPoint();
  Move(a);
  Move(a);
  EXPECT_EQ(keyboard->GetTipWindow(), nullptr) << "tips are off at construction";

  keyboard->EnableKBTips(true);
  Move(a);
  CKeyboardTips* tip = keyboard->GetTipWindow();
  ASSERT_NE(nullptr, tip) << "a move that stays on the hovered key shows its tip";
  CString title;
  tip->GetWindowTextW(title);
  EXPECT_EQ(title, L"KeyboardTip Window");
  EXPECT_TRUE(tip->IsWindowVisible());
  EXPECT_EQ(tip->GetLine(0), L"A") << "no tip lines: the legend";
  EXPECT_EQ(tip->GetLine(3), L"A");
  POINT top = {a.x, KeyRect(0).top};
  ::ClientToScreen(host.GetSafeHwnd(), &top);
  EXPECT_EQ(tip->GetAnchor().x, top.x);
  EXPECT_EQ(tip->GetAnchor().y, top.y);

  Move(CPoint(kWidth - 5, kHeight - 5));
  EXPECT_FALSE(tip->IsWindowVisible());
  keyboard->SetKeyItemInfo(4, L"Copy", 1, L"copies");
  Move(a);
  Move(a);
  EXPECT_EQ(tip->GetLine(0), L"copies");
}
