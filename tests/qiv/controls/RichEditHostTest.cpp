// The rich edit's text host and the edit's own logic against a stand-in text service:
// creation, property bits, the text and its ranges, scroll bars, layout.
#include <gtest/gtest.h>
#include <cwchar>
#include "QivTestSupport.h"
#include "StandInTextServices.h"
#include "controls/CLogonEdit.h"
#include "controls/CSpinButton.h"
#include "controls/MEditEx.h"
#include "controls/MRichEdit.h"
#include "controls/MScroll.h"

using namespace qivtest;

namespace {
class StandInFixture : public ::testing::Test {
protected:
  void SetUp() override { CTxtWinHost::SetServicesFactory(&StandInTextServices::Create); }
  void TearDown() override { CTxtWinHost::SetServicesFactory(nullptr); }
  // An edit initialised without a window: its host talks to the stand-in.
  template <class Edit, class... Args>
  std::unique_ptr<Edit> Make(Args&&... args) {
    auto edit = std::make_unique<Edit>(&owner, std::forward<Args>(args)...);
    edit->InitControl(nullptr);
    return edit;
  }
  StandInTextServices& Services() { return *StandInTextServices::last; }
  RecordingParent owner;
};

HRESULT WINAPI Refuse(IUnknown*, ::ITextHost*, IUnknown** out) {
  *out = nullptr;
  return E_FAIL;
}
}  // namespace

TEST_F(StandInFixture, CreationSetsStylesFormatsAndTheInitialText) {
  auto edit = Make<MRichEdit>(9u, CRect(0, 0, 200, 100), L"", 1, 1);
  ASSERT_NE(nullptr, edit->GetHost());
  CTxtWinHost& host = *edit->GetHost();
  EXPECT_EQ(0x200044u, host.GetStyle());
  EXPECT_TRUE(host.GetFlags() & CTxtWinHost::kWordWrap) << "no automatic horizontal scrolling: word wrap";
  EXPECT_TRUE(host.GetFlags() & CTxtWinHost::kRich);
  EXPECT_TRUE(host.GetFlags() & CTxtWinHost::kTransparent);
  EXPECT_EQ(256, host.GetMaxLength());
  EXPECT_EQ(sizeof(CHARFORMAT2W), host.GetCharFormat().cbSize);
  EXPECT_EQ(0xF8000007u, host.GetCharFormat().dwMask);
  EXPECT_EQ(0x141414u, host.GetCharFormat().crTextColor);
  EXPECT_EQ(PFA_LEFT, host.GetParaFormat().wAlignment);
  EXPECT_EQ(720, host.GetParaFormat().rgxTabs[0]);
  EXPECT_TRUE(Services().Reported(TXTBIT_BACKSTYLECHANGE));
  EXPECT_EQ(static_cast<DWORD>(ENM_CHANGE | ENM_DROPFILES | ENM_LINK), Services().eventMask);
  EXPECT_GE(Services().activations, 1);
  EXPECT_EQ(CRect(5, 5, 195, 95), edit->GetTextRect()) << "the rectangle inset by the padding";

  struct Case {
    DWORD style;
    bool wrap;
    WORD alignment;
  } cases[] = {{ES_AUTOHSCROLL, false, PFA_LEFT},
               {WS_HSCROLL, false, PFA_LEFT},
               {ES_MULTILINE, true, PFA_LEFT},
               {ES_CENTER, true, PFA_CENTER},
               {ES_RIGHT, true, PFA_RIGHT},
               {ES_CENTER | ES_RIGHT, true, PFA_CENTER}};
  for (const Case& c : cases) {
    auto styled = std::make_unique<MRichEdit>(&owner, 10, CRect(0, 0, 100, 30), L"", 1, 1);
    styled->SetWinStyle(static_cast<long>(c.style));
    styled->InitControl(nullptr);
    ASSERT_NE(nullptr, styled->GetHost());
    EXPECT_EQ(c.wrap, (styled->GetHost()->GetFlags() & CTxtWinHost::kWordWrap) != 0) << std::hex << c.style;
    EXPECT_EQ(c.alignment, styled->GetHost()->GetParaFormat().wAlignment) << std::hex << c.style;
  }
}

TEST_F(StandInFixture, HostRefusedMeansNoHostAndQuietMembers) {
  CTxtWinHost::SetServicesFactory(&Refuse);
  auto edit = Make<MRichEdit>(9u, CRect(0, 0, 200, 100), L"", 1, 1);
  EXPECT_EQ(nullptr, edit->GetHost());
  LRESULT r = 7;
  EXPECT_EQ(1, edit->TxSendMessage(EM_GETLINECOUNT, 0, 0, &r));
  EXPECT_EQ(0, edit->GetLineCount());
  EXPECT_EQ(L"", edit->GetSelText());
  EXPECT_EQ(L"", edit->GetTextRange(0, -1));
  EXPECT_FALSE(edit->CanUndo());
  EXPECT_EQ(0, edit->LoadRtf(L"Z:\\no\\such\\file.rtf"));

  // Services that refuse the initial text fail the host too, and are released.
  struct Refuser {
    static HRESULT WINAPI Create(IUnknown* outer, ::ITextHost* host, IUnknown** out) {
      const HRESULT hr = StandInTextServices::Create(outer, host, out);
      StandInTextServices::last->setTextResult = E_FAIL;
      return hr;
    }
  };
  CTxtWinHost::SetServicesFactory(&Refuser::Create);
  StandInTextServices::created = StandInTextServices::deleted = 0;
  auto refusing = std::make_unique<MRichEdit>(&owner, 9, CRect(0, 0, 200, 100), L"", 1, 1);
  refusing->SetControlTitle(L"start");
  refusing->InitControl(nullptr);
  EXPECT_EQ(nullptr, refusing->GetHost());
  EXPECT_EQ(1, StandInTextServices::created);
  EXPECT_EQ(1, StandInTextServices::deleted);
}

TEST_F(StandInFixture, PropertyBitsFollowTheSetters) {
  auto edit = Make<MRichEdit>(9u, CRect(0, 0, 200, 100), L"", 1, 1);
  CTxtWinHost& host = *edit->GetHost();
  edit->SetReadOnly(1);
  EXPECT_EQ(static_cast<DWORD>(TXTBIT_READONLY), Services().LastBits(TXTBIT_READONLY));
  edit->SetPassword(1);
  EXPECT_TRUE(edit->GetWinStyle() & ES_PASSWORD);
  EXPECT_TRUE(host.GetStyle() & ES_PASSWORD);
  edit->SetRich(0);
  EXPECT_EQ(0u, Services().LastBits(TXTBIT_RICHTEXT));
  edit->SetWordWrap(1);
  EXPECT_EQ(static_cast<DWORD>(TXTBIT_WORDWRAP), Services().LastBits(TXTBIT_WORDWRAP));
  struct Limit {
    int value, max;
  } limits[] = {{0, 0x7FFF}, {-9, 0x7FFF}, {30, 30}};
  for (const Limit& l : limits) {
    edit->SetLimitText(l.value);
    EXPECT_EQ(l.max, host.GetMaxLength()) << l.value;
  }
  edit->SetTextColor(Gdiplus::Color(0xFF000000));
  EXPECT_EQ(1u, host.GetCharFormat().crTextColor) << "pure black is raised by one";
  for (int index = 0; index <= COLOR_MENUBAR; ++index)
    EXPECT_NE(0u, host.TxGetSysColor(index)) << "a black system colour is reported as red 1: " << index;

  DWORD bits = 0;
  host.TxGetPropertyBits(0xFFFFFFFF, &bits);
  EXPECT_EQ(static_cast<DWORD>(TXTBIT_MULTILINE | TXTBIT_READONLY | TXTBIT_USEPASSWORD | TXTBIT_HIDESELECTION |
                               TXTBIT_WORDWRAP),
            bits);
  host.TxGetPropertyBits(TXTBIT_READONLY, &bits);
  EXPECT_EQ(static_cast<DWORD>(TXTBIT_READONLY), bits);
  DWORD scrollBars = 0;
  host.TxGetScrollBars(&scrollBars);
  EXPECT_EQ(static_cast<DWORD>(WS_VSCROLL | ES_AUTOVSCROLL), scrollBars);
}

TEST_F(StandInFixture, SetPasswordBeforeInitialisationStartsThemInPasswordMode) {
  auto edit = std::make_unique<MRichEdit>(&owner, 9, CRect(0, 0, 200, 100), L"", 1, 1);
  edit->SetPassword(1);
  edit->InitControl(nullptr);
  DWORD bits = 0;
  edit->GetHost()->TxGetPropertyBits(TXTBIT_USEPASSWORD, &bits);
  EXPECT_EQ(static_cast<DWORD>(TXTBIT_USEPASSWORD), bits);
}

TEST_F(StandInFixture, TitleRangesAndTypedText) {
  auto edit = Make<MRichEdit>(9u, CRect(0, 0, 200, 100), L"tip", 1, 1);
  edit->SetControlTitle(L"hello world");
  EXPECT_EQ(L"hello world", edit->GetControlTitle());
  EXPECT_EQ(11, edit->GetTextLength());
  struct Range {
    long start, end;
    const wchar_t* text;
  } ranges[] = {{0, 5, L"hello"},  {6, -1, L"world"}, {3, 1, L""},   {4, 4, L""},
                {0, -1, L"hello world"}, {-2, 3, L""}};
  for (const Range& r : ranges) EXPECT_EQ(CString(r.text), edit->GetTextRange(r.start, r.end)) << r.start << ".." << r.end;

  edit->SetSel(6, 11);
  EXPECT_EQ(L"world", edit->GetSelText());
  EXPECT_EQ(SEL_TEXT, edit->GetSelectionType());
  edit->ReplaceSel(L"there");
  EXPECT_EQ(L"hello there", edit->GetTitle()) << "EN_CHANGE keeps the title";
  edit->AppendText(L"!");
  edit->InsertText(0, L">");
  EXPECT_EQ(L">hello there!", edit->GetControlTitle());
  edit->SetSel(-1, -1);
  edit->SetControlFocus(1);
  EXPECT_EQ(1, edit->IsFocused());
  EXPECT_EQ(2, edit->GetState());
  const int chars = Services().Count(WM_CHAR);
  edit->OnWindowMessage(WM_CHAR, L'?', 1);
  EXPECT_EQ(chars + 1, Services().Count(WM_CHAR)) << "typed keys reach a focused edit";
  edit->SetControlFocus(0);
  edit->OnWindowMessage(WM_CHAR, L'x', 1);
  EXPECT_EQ(chars + 1, Services().Count(WM_CHAR)) << "and not an unfocused one";
  EXPECT_EQ(L">hello there!?", edit->GetControlTitle());
  EXPECT_FALSE(edit->SetZoom(65, 1));
  EXPECT_EQ(0, Services().Count(EM_SETZOOM)) << "a zoom above 64 is not sent";
  EXPECT_TRUE(edit->SetZoom(64, 1));
}

TEST_F(StandInFixture, VerticalBarFollowsTheContentAndTheUsersDrag) {
  auto edit = Make<MRichEdit>(9u, CRect(0, 0, 200, 310), L"", 1, 1);  // text area 300 high
  CTxtWinHost& host = *edit->GetHost();
  MScroll* bar = edit->GetScrollVertical();
  ASSERT_EQ(300, host.GetClientRect().Height());
  host.TxSetScrollRange(SB_VERT, 0, 400, TRUE);
  EXPECT_TRUE(bar->IsVisible());
  EXPECT_EQ(400, bar->GetScrollMaxRange());
  host.TxSetScrollPos(SB_VERT, 60, TRUE);
  EXPECT_EQ(60, bar->GetScrollCurrentPos());
  bar->m_bChanging = 1;  // the user is dragging the thumb
  host.TxSetScrollPos(SB_VERT, 90, TRUE);
  EXPECT_EQ(60, bar->GetScrollCurrentPos()) << "a position arriving during a drag leaves the bar alone";
  bar->m_bChanging = 0;
  host.TxSetScrollRange(SB_VERT, 0, 250, TRUE);
  EXPECT_FALSE(bar->IsVisible());

  host.TxShowScrollBar(SB_VERT, TRUE);
  EXPECT_EQ(CRect(5, 5, 180, 305), edit->GetTextRect()) << "the bar takes its strip and 10 more";
  EXPECT_EQ(CRect(190, 5, 195, 305), bar->GetRect());
  EXPECT_EQ(1, edit->OnControlScroll(1, 1, CPoint()));
  EXPECT_EQ(WM_VSCROLL, Services().messages.back());

  REQRESIZE resize = {};
  resize.rc = RECT{0, 0, 50, 20};
  host.TxNotify(EN_REQUESTRESIZE, &resize);
  EXPECT_EQ(CRect(5, 5, 55, 25), host.GetClientRect());
}

TEST_F(StandInFixture, VariantsLayTheirTextLineOut) {
  auto line = Make<MEditEx>(9u, CRect(0, 0, 120, 30), L"", 1, 1);
  EXPECT_EQ(7, line->GetTextPadding().top);
  EXPECT_EQ(16, line->GetTextRect().Height());
  EXPECT_FALSE(line->GetHost()->GetFlags() & CTxtWinHost::kWordWrap) << "one line, no wrap";

  auto logon = Make<CLogonEdit>(9u, CRect(0, 0, 200, 50), L"Name", 1, 1);
  EXPECT_EQ(CRect(50, 14, 195, 45), logon->GetTextRect());
  EXPECT_EQ(0, logon->OnControlMouseMove(0, CPoint(10, 10)));
  EXPECT_EQ(0, logon->GetState()) << "mouse moves never change its state";

  auto spin = Make<CSpinButton>(11u, CRect(0, 0, 60, 24), 1, 1);
  EXPECT_EQ(CRect(5, 4, 40, 20), spin->GetTextRect());
  spin->SetCurValue(100);
  EXPECT_EQ(L"100", spin->GetControlTitle());
  EXPECT_EQ(1, spin->OnMessage(CSpinButton::kUpId, NOTIFY_CLICK, 0, 0));
  EXPECT_EQ(0, spin->GetCurValue()) << "the maximum wraps to the minimum";
  ASSERT_EQ(1u, owner.notices.size());
  EXPECT_EQ(static_cast<unsigned>(NOTIFY_VALUE_CHANGED), owner.notices[0].code);
  spin->SetSel(0, -1);
  spin->ReplaceSel(L"250");
  EXPECT_EQ(100, spin->GetCurValue()) << "typed text is clamped";
  EXPECT_EQ(L"100", spin->GetControlTitle());
  spin->SetSel(0, -1);
  spin->ReplaceSel(L"");
  EXPECT_EQ(0, spin->GetCurValue()) << "an empty field is 0";
  EXPECT_EQ(1u, owner.notices.size()) << "typing notifies nothing";
  EXPECT_EQ(0, spin->OnMessage(5, NOTIFY_CLICK, 0, 0));
}

TEST_F(StandInFixture, ContextMenuAndRightButton) {
  auto edit = Make<MRichEdit>(9u, CRect(0, 0, 200, 100), L"", 1, 1);
  edit->SetControlTitle(L"some text");
  edit->SetSel(0, 4);
  edit->SetReadOnly(1);
  HMENU menu = edit->CreateContextMenu();
  auto greyed = [&](UINT id) { return (::GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED) != 0; };
  EXPECT_FALSE(greyed(103)) << "Copy";
  EXPECT_TRUE(greyed(102)) << "Cut";
  EXPECT_TRUE(greyed(104)) << "Paste";
  EXPECT_TRUE(greyed(105)) << "Clear";
  EXPECT_TRUE(greyed(101)) << "Undo, nothing to undo";
  EXPECT_FALSE(greyed(106)) << "Select all";
  EXPECT_EQ(9, ::GetMenuItemCount(menu));
  ::DestroyMenu(menu);

  const int before = static_cast<int>(Services().messages.size());
  EXPECT_EQ(1, edit->OnWindowMessage(WM_RBUTTONUP, 0, MAKELPARAM(50, 50))) << "consumed";
  EXPECT_EQ(before, static_cast<int>(Services().messages.size())) << "and kept from the services";
  EXPECT_EQ(0, edit->OnWindowMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(250, 50))) << "outside the edit";
  EXPECT_EQ(before, static_cast<int>(Services().messages.size()));
}

TEST(RichEditFontTest, FaceNamesAreCutToTheFieldAndTerminated) {
  const std::wstring face(40, L'G');
  const LOGFONTW lf = MRichEdit::MakeLogFont(face.c_str(), 14, 1, 1, 0);
  EXPECT_EQ(std::wstring(31, L'G'), std::wstring(lf.lfFaceName));
  EXPECT_EQ(-14, lf.lfHeight);
  EXPECT_TRUE(lf.lfUnderline);
  EXPECT_FALSE(lf.lfItalic);
  EXPECT_EQ(DEFAULT_CHARSET, lf.lfCharSet);
}
