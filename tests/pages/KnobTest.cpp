#include <gtest/gtest.h>
#include "pages/KeyActionCodec.h"
#include "pages/KnobActions.h"
#include "pages/KnobWriteQueue.h"
#include "PagesTestUtil.h"

using namespace pagestest;

namespace {

class KnobTest : public ::testing::Test {
protected:
  void SetUp() override {
    catalog.BuildForKnob();
    for (int a = 0; a < 3; ++a)
      for (int layer = 0; layer < 4; ++layer) {
        knob[a][layer] = KeyRow(1, layer, 80 + a, 0, 0, 0, 0, L"");
        knob[a][layer].key_code = 80 + a;  // the action's key index
      }
    knob[0][2].macro_type = 6;
    knob[0][2].macro_value = 104;
    knob[1][2].macro_type = 5;  // a mouse button set elsewhere: not in the knob's list
    knob[1][2].macro_value = 90;
  }
  TestLanguage language;
  KeyFunctionCatalog catalog;
  KeyMacroRecord knob[3][4];
};

TEST_F(KnobTest, ShowsAndChangesTheLayersActions) {
  KnobActions actions;
  actions.Set(knob, 2);
  EXPECT_EQ(actions.SelectedIndex(0, catalog), 8);
  EXPECT_EQ(actions.SelectedIndex(1, catalog), -1);
  EXPECT_EQ(actions.SelectedIndex(2, catalog), -1);

  const int a = catalog.Find(2, 4);
  ASSERT_EQ(a, 89);
  EXPECT_TRUE(actions.Choose(KnobActions::ActionOfControl(35), a, catalog));
  const KeyMacroRecord& chosen = actions.Action(1);
  EXPECT_EQ(chosen.macro_type, 2);
  EXPECT_EQ(chosen.macro_value, 4);
  EXPECT_EQ(chosen.macro_desc, L"A");
  EXPECT_EQ(chosen.key_code, 81) << "the key index stays";
  EXPECT_EQ(chosen.fn_layer, 2);

  EXPECT_FALSE(actions.Choose(0, -1, catalog));
  EXPECT_FALSE(actions.Choose(0, catalog.Size(), catalog));
  EXPECT_FALSE(actions.Choose(3, 0, catalog));
  EXPECT_EQ(actions.Action(0).macro_value, 104);

  EXPECT_EQ(KnobActions::ActionOfControl(39), 0);
  EXPECT_EQ(KnobActions::ActionOfControl(41), 2);
  EXPECT_EQ(KnobActions::ActionOfControl(42), -1);
  // Device function 18 cannot be chosen for the knob.
  EXPECT_EQ(catalog.Find(12, 18), -1);
}

// Two choices made before the worker runs both reach the keyboard, each on the layer it
// was made for, even after the shown layer changed.
TEST_F(KnobTest, QuickChoicesAllArrive) {
  KnobActions actions;
  actions.Set(knob, 1);
  KnobWriteQueue pending;
  ASSERT_TRUE(actions.Choose(0, catalog.Find(6, 106), catalog));
  EXPECT_TRUE(pending.Add(actions.Choice(0))) << "first choice: queue the knob task";
  ASSERT_TRUE(actions.Choose(2, catalog.Find(12, 71), catalog));
  EXPECT_FALSE(pending.Add(actions.Choice(2))) << "a write is pending already";
  actions.Set(knob, 3);
  ASSERT_TRUE(actions.Choose(1, catalog.Find(2, 5), catalog));
  EXPECT_FALSE(pending.Add(actions.Choice(1)));

  TestStore db;
  const auto writes = pending.TakeAll();
  ASSERT_EQ(writes.size(), 3u);
  const struct {
    int layer, keyIndex;
    const char* code;
  } expected[] = {{1, 80, "30 E2 00"}, {1, 82, "50 47 00"}, {3, 81, "10 00 05"}};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(writes[i].layer, expected[i].layer);
    EXPECT_EQ(writes[i].record.key_code, expected[i].keyIndex);
    uint8_t out[3] = {};
    KeyActionCodec::Encode(writes[i].record, out, db.store);
    char text[16];
    snprintf(text, sizeof(text), "%02X %02X %02X", out[0], out[1], out[2]);
    EXPECT_EQ(std::string(text), expected[i].code);
  }
  EXPECT_TRUE(pending.IsEmpty());
  EXPECT_TRUE(pending.Add(actions.Choice(1))) << "nothing pending after the worker took them";
}

// The choice travels in the message as a copy: the dialog and its records may be gone
// when the main window reads it.
TEST_F(KnobTest, ChoiceTravelsByValue) {
  HWND sink = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  ASSERT_NE(sink, nullptr);
  {
    auto actions = std::make_unique<KnobActions>();
    actions->Set(knob, 2);
    ASSERT_TRUE(actions->Choose(2, catalog.Find(6, 100), catalog));
    ASSERT_TRUE(PostKnobChoice(sink, actions->Choice(2)));
  }  // the dialog's data is gone
  MSG msg{};
  ASSERT_TRUE(PeekMessageW(&msg, sink, kKnobSelectedMessage, kKnobSelectedMessage, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 2u);
  std::unique_ptr<KnobChoice> choice = TakeKnobChoice(msg.lParam);
  ASSERT_TRUE(choice);
  EXPECT_EQ(choice->layer, 2);
  EXPECT_EQ(choice->actions[2].macro_value, 100);
  EXPECT_EQ(choice->actions[0].macro_value, 104);
  EXPECT_TRUE(choice->ApplyTo(knob));
  EXPECT_EQ(knob[2][2].macro_value, 100);
  EXPECT_EQ(knob[2][1].macro_value, 0) << "other layers untouched";
  choice->layer = 4;
  EXPECT_FALSE(choice->ApplyTo(knob));
  DestroyWindow(sink);
  // A post that cannot be delivered frees its copy and says so.
  EXPECT_FALSE(PostKnobChoice(sink, KnobChoice{}));
}

}  // namespace
