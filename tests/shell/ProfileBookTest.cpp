// Profiles against a real database in a temporary folder: the defaults of a new
// database, the limit, deletion, renaming, names, and the key rows a profile starts with.
#include <gtest/gtest.h>
#include "ProfileTestUtil.h"

using namespace profiletest;
using storetest::RawDb;

namespace {

class ProfileBookTest : public storetest::StoreFixture {
protected:
  void SetUp() override {
    StoreFixture::SetUp();
    Open();
  }
  ProfileBook Book(std::vector<ProfileKey> keys = SmallKeyboard()) { return ProfileBook(m_store, Texts(), keys); }
  std::vector<CString> Shown() {
    std::vector<CString> names;
    for (const ProfileEntry& e : Book().List()) names.push_back(e.shownName);
    return names;
  }
  std::string DumpNow() {
    RawDb raw = Raw();
    std::string dump = Dump(raw);
    Open();
    return dump;
  }
};

TEST_F(ProfileBookTest, FirstRunMakesThreeProfilesWithTheFirstActiveAndSeeded) {
  ProfileBook book = Book();
  ASSERT_TRUE(book.EnsureDefaultProfiles(false));
  std::vector<ProfileEntry> list = book.List();
  ASSERT_EQ(3u, list.size());
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(i + 1, list[i].id);
    EXPECT_EQ(Numbered(L"Profile", i + 1), list[i].storedName);
    EXPECT_EQ(Numbered(L"Config", i + 1), list[i].shownName);
    EXPECT_EQ(i == 0, list[i].active);
  }
  EXPECT_EQ(1, book.ActiveProfile());

  // Four rows per key on profile 1: the key itself on layer 0, unassigned on the Fn layers.
  EXPECT_EQ(20, m_store.GetKeyMacroCount(1));
  EXPECT_EQ(0, m_store.GetKeyMacroCount(2));  // the first keyboard read copies profile 1's
  EXPECT_EQ(0, m_store.GetKeyMacroCount(3));
  KeyMacroRecord row;
  ASSERT_TRUE(m_store.GetKeyMacro(1, 0, 4, row));
  EXPECT_EQ("0|4|4|A|2|4|0|0|A", KeyText(row));
  ASSERT_TRUE(m_store.GetKeyMacro(1, 3, 224, row));
  EXPECT_EQ("3|224|224|L-Ctrl|2|0|0|0|", KeyText(row));

  CString value;
  for (int id = 1; id <= 3; ++id) EXPECT_TRUE(m_store.GetConfigValue(id, L"zephra_mode", value)) << id;

  // A second load finds the profiles and changes nothing.
  const std::string before = DumpNow();
  EXPECT_TRUE(Book().EnsureDefaultProfiles(false));
  EXPECT_EQ(before, DumpNow());
}

TEST_F(ProfileBookTest, TheProfileDialogSeedsAllThreeDefaults) {
  ASSERT_TRUE(Book().EnsureDefaultProfiles(true));
  for (int id = 1; id <= 3; ++id) EXPECT_EQ(20, m_store.GetKeyMacroCount(id)) << id;
}

TEST_F(ProfileBookTest, AddsUpToTenThenRefusesAndChangesNothing) {
  ProfileBook book = Book();
  ASSERT_TRUE(book.EnsureDefaultProfiles(false));
  for (int n = 4; n <= ProfileBook::kMaxProfiles; ++n) {
    int id = 0;
    ASSERT_EQ(ProfileResult::Done, book.Add(id)) << n;
    EXPECT_EQ(n, id);
    EXPECT_EQ(id, book.ActiveProfile());
    EXPECT_EQ(20, m_store.GetKeyMacroCount(id));
    CString name;
    m_store.GetProfileName(id, name);
    // "Profile 1" to "Profile 3" are shown as "Config ...": a new profile still gets "Profile 4".
    EXPECT_EQ(Numbered(L"Profile", n), name);
  }
  const std::string full = DumpNow();
  int id = -1;
  EXPECT_EQ(ProfileResult::LimitReached, Book().Add(id));
  EXPECT_EQ(0, id);
  EXPECT_EQ(full, DumpNow());
}

TEST_F(ProfileBookTest, DeleteActivatesTheNeighbourAndNeverTheLast) {
  ASSERT_TRUE(Book().EnsureDefaultProfiles(true));
  int id = 0;
  ASSERT_EQ(ProfileResult::Done, Book().Add(id));  // profiles 1-4
  struct Step {
    int deleted;
    ProfileResult result;
    int active;  // afterwards
  } steps[] = {
      {3, ProfileResult::Done, 2},      // the one before it
      {1, ProfileResult::Done, 2},      // the first: the new first
      {9, ProfileResult::NotFound, 2},  // no such profile
      {4, ProfileResult::Done, 2},
      {2, ProfileResult::LastProfile, 2},
  };
  for (const Step& s : steps) {
    int active = -1;
    EXPECT_EQ(s.result, Book().Delete(s.deleted, active)) << s.deleted;
    EXPECT_EQ(s.result == ProfileResult::Done ? s.active : 0, active) << s.deleted;
    EXPECT_EQ(s.active, m_store.GetActiveProfile()) << s.deleted;
  }
  ASSERT_EQ(1u, Book().List().size());
  // The deleted profiles' rows stay where they were; ids are never reused.
  EXPECT_EQ(20, m_store.GetKeyMacroCount(3));
  ASSERT_EQ(ProfileResult::Done, Book().Add(id));
  EXPECT_EQ(5, id);
}

TEST_F(ProfileBookTest, RenameStoresAnyTextAndAnEmptyOneKeepsTheName) {
  ProfileBook book = Book();
  ASSERT_TRUE(book.EnsureDefaultProfiles(true));
  CString shown;
  // A taken name is allowed: profiles are told apart by id, each keeps its own rows.
  ASSERT_TRUE(m_store.AssignKeyMacro([] {
    KeyMacroRecord r;
    r.profile = 2, r.key_code = 4, r.macro_type = 2, r.macro_value = 5, r.macro_desc = L"B";
    return r;
  }()));
  EXPECT_EQ(ProfileResult::Done, book.Rename(2, L"Profile 1", shown));
  EXPECT_EQ(L"Profile 1", shown);
  std::vector<ProfileEntry> list = book.List();
  EXPECT_EQ(L"Profile 1", list[1].storedName);
  EXPECT_EQ(L"Config 1", list[1].shownName);
  EXPECT_NE(KeyTexts(m_store, 1), KeyTexts(m_store, 2));
  int id = 0;
  ASSERT_EQ(ProfileResult::Done, book.Add(id));
  CString name;
  m_store.GetProfileName(id, name);
  EXPECT_EQ(L"Profile 2", name);  // free again

  EXPECT_EQ(ProfileResult::Done, book.Rename(3, L"Work & <Play>", shown));
  EXPECT_EQ(ProfileResult::EmptyName, book.Rename(1, L"", shown));
  EXPECT_EQ(L"Config 1", shown);  // what the list shows again
  m_store.GetProfileName(1, name);
  EXPECT_EQ(L"Profile 1", name);
  EXPECT_EQ(ProfileResult::NotFound, book.Rename(42, L"x", shown));
  EXPECT_EQ(ProfileResult::NotFound, book.Activate(42));
  EXPECT_EQ(id, m_store.GetActiveProfile());
}

TEST(ProfileNames, ShownNamesAndUniqueNames) {
  const ProfileNameTexts texts = Texts();
  struct Shown {
    const wchar_t* stored;
    const wchar_t* shown;
  } shownCases[] = {
      {L"Profile 4", L"Config 4"},
      {L"Profile", L"Config"},
      {L"profile 4", L"profile 4"},  // case counts
      {L"Work", L"Work"},
      {L"", L""},
      {L"\u914D\u7F6E\u6587\u4EF6 2", L"Config 2"},
      {L"\u6211\u7684\u5C08\u5C6C\u914D\u5BD8X", L"MineX"},
      {L"\u914D\u7F6E 1", L"\u914D\u7F6E 1"},
  };
  for (const Shown& c : shownCases) EXPECT_EQ(c.shown, DisplayProfileName(c.stored, texts)) << ToUtf8(c.stored);

  struct Unique {
    std::vector<CString> taken;
    const wchar_t* name;
  } uniqueCases[] = {
      {{}, L"P 1"},
      {{L"P 1", L"P 2"}, L"P 3"},
      {{L"P 2"}, L"P 1"},
      {{L"P 1", L"p 2"}, L"P 2"},
      {{L"P 1 ", L"P1"}, L"P 1"},
  };
  for (const Unique& c : uniqueCases) EXPECT_EQ(c.name, MakeUniqueProfileName(L"P", c.taken));

  std::vector<CString> all;
  for (int n = 1; n <= 1000; ++n) all.push_back(Numbered(L"P", n));
  EXPECT_EQ(L"P 1000", MakeUniqueProfileName(L"P", all));  // the search ends there
  all.pop_back();
  EXPECT_EQ(L"P 1000", MakeUniqueProfileName(L"P", all));

  // With the texts a name is also taken when it would be shown as a listed name.
  EXPECT_EQ(L"Profile 2", MakeUniqueProfileName(L"Profile", {L"Config 1"}, &texts));
  EXPECT_EQ(L"Profile 1", MakeUniqueProfileName(L"Profile", {L"Config 1"}));
}

TEST(ProfileDefaults, FourRowsPerKeyOnceEach) {
  std::vector<ProfileKey> keys = SmallKeyboard();
  keys.push_back({4, L"A again"});
  std::vector<KeyMacroRecord> rows = ProfileBook::DefaultKeyRows(7, keys);
  ASSERT_EQ(20u, rows.size());
  EXPECT_EQ(7, rows[0].profile);
  EXPECT_EQ("0|41|41|Esc|2|41|0|0|Esc", KeyText(rows[0]));
  EXPECT_EQ("1|41|41|Esc|2|0|0|0|", KeyText(rows[1]));
  EXPECT_EQ("3|255|255|Knob|2|0|0|0|", KeyText(rows.back()));
}

// An assignment to a key without a row is stored (it used to be an update that met nothing).
TEST_F(ProfileBookTest, AnAssignmentToAKeyWithoutARowInsertsIt) {
  KeyMacroRecord r;
  r.profile = 2;
  r.fn_layer = 1;
  r.key_code = 30;
  r.layout_value = 30;
  r.layout_desc = L"1";
  r.macro_type = 3;
  r.macro_value = 7;
  r.macro_desc = L"macro";
  ASSERT_TRUE(m_store.AssignKeyMacro(r));
  KeyMacroRecord back;
  ASSERT_TRUE(m_store.GetKeyMacro(2, 1, 30, back));
  EXPECT_EQ(KeyText(r), KeyText(back));

  r.macro_type = 2, r.macro_value = 0, r.macro_desc = L"";  // a second assignment updates it
  ASSERT_TRUE(m_store.AssignKeyMacro(r));
  EXPECT_EQ(1, m_store.GetKeyMacroCount(2));
  ASSERT_TRUE(m_store.GetKeyMacro(2, 1, 30, back));
  EXPECT_EQ(KeyText(r), KeyText(back));

  r.key_code = 0;
  EXPECT_FALSE(m_store.AssignKeyMacro(r));
  EXPECT_EQ(1, m_store.GetKeyMacroCount(2));
}

TEST_F(ProfileBookTest, AClosedStoreFailsEveryChange) {
  m_store.CloseDeviceDb();
  ProfileBook book = Book();
  int id = -1, active = -1;
  CString shown;
  EXPECT_FALSE(book.EnsureDefaultProfiles(false));
  EXPECT_EQ(ProfileResult::StoreFailed, book.Add(id));
  EXPECT_EQ(0, id);
  EXPECT_EQ(ProfileResult::StoreFailed, book.Delete(1, active));
  EXPECT_EQ(ProfileResult::StoreFailed, book.Import(ProfileFile()).result);
}

}  // namespace
