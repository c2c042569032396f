// The profile exchange file: its text, what a reader takes from it, and export and import
// against a real database - a round trip brings back every key of every layer, and a bad
// file leaves the database as it was.
#include <gtest/gtest.h>
#include "ProfileTestUtil.h"
#include "support/TempFolder.h"

using namespace profiletest;
using storetest::RawDb;

namespace {

KeyMacroRecord Item(int layer, int code, int type, int value, const wchar_t* desc) {
  KeyMacroRecord r;
  r.fn_layer = layer;
  r.key_code = code;
  r.layout_value = code;
  r.layout_desc = L"key";
  r.macro_type = type;
  r.macro_value = value;
  r.macro_desc = desc;
  return r;
}

TEST(ProfileXmlText, WritesTheDeclarationNameAndOneItemPerRow) {
  ProfileFile file;
  file.name = L"Work & \"Play\" <1>";
  KeyMacroRecord r = Item(2, 4, 3, 7, L"a'b");
  r.macro_value2 = -1;
  r.macro_value3 = 9;
  file.items.push_back(r);
  const CString text = ProfileXml::Write(file);
  EXPECT_EQ(0, text.Find(L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<profile>"));
  EXPECT_GE(text.Find(L"<profileinfo name=\"Work &amp; &quot;Play&quot; &lt;1&gt;\"/>"), 0) << ToUtf8(text);
  EXPECT_GE(text.Find(L"<item fn_layer=\"2\" key_code=\"4\" layout_value=\"4\" layout_desc=\"key\" macro_type=\"3\""
                      L" macro_value=\"7\" macro_value2=\"-1\" macro_value3=\"9\" macro_desc=\"a&apos;b\"/>"),
            0)
      << ToUtf8(text);

  ProfileFile back;
  ASSERT_EQ(ProfileXmlResult::Ok, ProfileXml::Read(text, back));
  EXPECT_EQ(file.name, back.name);
  ASSERT_EQ(1u, back.items.size());
  EXPECT_EQ(KeyText(r), KeyText(back.items[0]));

  // A profile without rows: the list is there and empty.
  ProfileFile empty;
  empty.name = L"none";
  ASSERT_EQ(ProfileXmlResult::Ok, ProfileXml::Read(ProfileXml::Write(empty), back));
  EXPECT_EQ(L"none", back.name);
  EXPECT_TRUE(back.items.empty());
  EXPECT_GE(ProfileXml::Write(empty).Find(L"<key_macro/>"), 0) << ToUtf8(ProfileXml::Write(empty));
}

TEST(ProfileXmlText, ReadsWhatItCanAndLeavesOutItemsOfNoPlace) {
  struct Case {
    const wchar_t* text;
    ProfileXmlResult result;
    const wchar_t* name;
    size_t items;
    int skipped;
  } cases[] = {
      {L"<profile><profileinfo name=\"n\"/><key_macro><item fn_layer=\"1\" key_code=\"4\"/></key_macro></profile>",
       ProfileXmlResult::Ok, L"n", 1, 0},
      {L"<profile><key_macro><item key_code=\"4\"/></key_macro></profile>", ProfileXmlResult::Ok, L"", 1, 0},
      {L"<profile><key_macro><item key_code=\"4\"/></key_macro><profileinfo name=\"late\"/></profile>",
       ProfileXmlResult::Ok, L"late", 1, 0},
      {L"<profile><profileinfo name=\"n\"/></profile>", ProfileXmlResult::Ok, L"n", 0, 0},
      {L"<profile><key_macro>"
       L"<item fn_layer=\"0\"/>"                       // no key code
       L"<item fn_layer=\"4\" key_code=\"4\"/>"       // no such layer
       L"<item fn_layer=\"-1\" key_code=\"4\"/>"
       L"<item fn_layer=\"0\" key_code=\"256\"/>"     // no such key
       L"<item fn_layer=\"0\" key_code=\"99999999999\"/>"
       L"<item fn_layer=\"x\" key_code=\"255\"/>"     // non-numeric: 0
       L"<other key_code=\"5\"/>"
       L"<item fn_layer=\"3\" key_code=\"1\"/>"
       L"</key_macro></profile>",
       ProfileXmlResult::Ok, L"", 2, 5},
      {L"", ProfileXmlResult::NotWellFormed, L"", 0, 0},
      {L"key,code\n4,5\n", ProfileXmlResult::NotWellFormed, L"", 0, 0},
      {L"<profile><profileinfo name=\"n\"/><key_macro><item key_code=\"4\"/>", ProfileXmlResult::NotWellFormed, L"", 0, 0},
      {L"<profile><key_macro><item key_code=\"4\"/></key_macro></profile><profile/>",
       ProfileXmlResult::NotWellFormed, L"", 0, 0},
      {L"<settings><profile/></settings>", ProfileXmlResult::NotAProfile, L"", 0, 0},
  };
  for (const Case& c : cases) {
    ProfileFile file;
    file.name = L"left over";
    EXPECT_EQ(c.result, ProfileXml::Read(c.text, file)) << ToUtf8(c.text);
    EXPECT_EQ(c.name, file.name) << ToUtf8(c.text);
    EXPECT_EQ(c.items, file.items.size()) << ToUtf8(c.text);
    EXPECT_EQ(c.skipped, file.skippedItems) << ToUtf8(c.text);
  }
}

// A file cut short anywhere - in the declaration, a tag, an attribute, an escaped
// character, or after a whole item - is refused as a whole, never read as the profile's
// first part.
TEST(ProfileXmlText, EveryCutOfAFileIsRefused) {
  ProfileFile file;
  file.name = L"A & B";
  file.items = {Item(0, 4, 2, 4, L"<A>"), Item(3, 41, 3, 7, L"Esc")};
  const CString text = ProfileXml::Write(file);
  const int end = text.ReverseFind(L'>');
  ASSERT_GT(end, 0);
  for (int length = 0; length <= end; ++length) {
    ProfileFile read;
    const ProfileXmlResult result = ProfileXml::Read(text.Left(length), read);
    EXPECT_TRUE(result == ProfileXmlResult::NotWellFormed || result == ProfileXmlResult::NotAProfile)
        << "cut after " << length << " characters: " << ToUtf8(text.Left(length));
    EXPECT_TRUE(read.items.empty() && read.name.IsEmpty()) << length;
  }
  ProfileFile whole;
  ASSERT_EQ(ProfileXmlResult::Ok, ProfileXml::Read(text.Left(end + 1), whole));
  EXPECT_EQ(2u, whole.items.size());
}

class ProfileExchange : public storetest::StoreFixture {
protected:
  void SetUp() override {
    StoreFixture::SetUp();
    Open();
    ASSERT_TRUE(Book().EnsureDefaultProfiles(false));
  }
  ProfileBook Book() { return ProfileBook(m_store, Texts(), SmallKeyboard()); }
  std::string DumpNow() {
    RawDb raw = Raw();
    std::string dump = Dump(raw);
    Open();
    return dump;
  }
  CString File(const wchar_t* name) const { return Folder() + name; }
};

TEST_F(ProfileExchange, ExportThenImportBringsBackEveryKeyOfEveryLayer) {
  // Every row of profile 1 gets an assignment of its own, zeros, a negative value and
  // characters that need escaping among them.
  KeyboardDataStore::RecordList<KeyMacroRecord> rows;
  ASSERT_EQ(20, m_store.GetProfileKeyMacros(1, rows));
  int n = 0;
  for (const auto& row : rows) {
    KeyMacroRecord r = *row;
    r.macro_type = n % 7;
    r.macro_value = n % 3 == 0 ? 0 : n * 11;
    r.macro_value2 = n % 5 == 0 ? -n : 0;
    r.macro_value3 = n;
    r.macro_desc.Format(L"%d & <\"'> \u952e", n);
    ASSERT_TRUE(m_store.AssignKeyMacro(r));
    ++n;
  }
  CString shown;
  ASSERT_EQ(ProfileResult::Done, Book().Rename(1, L"Mine & yours", shown));

  const CString path = File(L"export.xml");
  ASSERT_EQ(ProfileXmlResult::Ok, ProfileXml::Save(path, Book().Export(1)));
  ProfileFile file;
  ASSERT_EQ(ProfileXmlResult::Ok, ProfileXml::Load(path, file));
  ProfileImport done = Book().Import(file);
  ASSERT_EQ(ProfileResult::Done, done.result);
  EXPECT_EQ(0, done.skippedItems);
  EXPECT_EQ(4, done.profile);
  EXPECT_EQ(4, m_store.GetActiveProfile());
  CString name;
  m_store.GetProfileName(4, name);
  EXPECT_EQ(L"Mine & yours", name);
  EXPECT_EQ(KeyTexts(m_store, 1), KeyTexts(m_store, 4));
  CString value;
  EXPECT_TRUE(m_store.GetConfigValue(4, L"zephra_mode", value));

  // The export of a default profile shows the name as the list does.
  ASSERT_EQ(ProfileXmlResult::Ok, ProfileXml::Save(path, Book().Export(2)));
  ASSERT_EQ(ProfileXmlResult::Ok, ProfileXml::Load(path, file));
  EXPECT_EQ(L"Config 2", file.name);
  EXPECT_TRUE(file.items.empty());
}

// A file that names only some keys gives a whole profile: the other keys keep their
// default rows, and an item whose values are 0 is stored, not dropped.
TEST_F(ProfileExchange, ImportStartsFromTheDefaultRows) {
  ProfileFile file;
  file.name = L"part";
  file.items = {Item(0, 4, 3, 9, L"macro 9"), Item(1, 5, 2, 0, L""), Item(2, 30, 2, 30, L"1")};
  ProfileImport done = Book().Import(file);
  ASSERT_EQ(ProfileResult::Done, done.result);
  EXPECT_EQ(21, m_store.GetKeyMacroCount(done.profile));  // 20 default rows and key 30
  KeyMacroRecord r;
  ASSERT_TRUE(m_store.GetKeyMacro(done.profile, 0, 4, r));
  EXPECT_EQ("0|4|4|A|3|9|0|0|macro 9", KeyText(r));  // the row keeps its layout values
  ASSERT_TRUE(m_store.GetKeyMacro(done.profile, 1, 5, r));
  EXPECT_EQ("1|5|5|B|2|0|0|0|", KeyText(r));
  ASSERT_TRUE(m_store.GetKeyMacro(done.profile, 0, 5, r));
  EXPECT_EQ("0|5|5|B|2|5|0|0|B", KeyText(r));
  ASSERT_TRUE(m_store.GetKeyMacro(done.profile, 2, 30, r));
  EXPECT_EQ("2|30|30|key|2|30|0|0|1", KeyText(r));
}

TEST_F(ProfileExchange, ItemsOfNoPlaceAreLeftOutAndCounted) {
  const CString path = File(L"mixed.xml");
  ASSERT_TRUE(WriteFileBytes(path.GetString(),
                             "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<profile><profileinfo name=\"mixed\"/>"
                             "<key_macro><item fn_layer=\"7\" key_code=\"4\" macro_type=\"2\" macro_value=\"9\"/>"
                             "<item fn_layer=\"0\" key_code=\"300\" macro_type=\"2\" macro_value=\"9\"/>"
                             "<item fn_layer=\"0\" key_code=\"0\" macro_type=\"2\" macro_value=\"9\"/>"
                             "<item fn_layer=\"1\" key_code=\"4\" macro_type=\"2\" macro_value=\"6\"/>"
                             "</key_macro></profile>"));
  ProfileFile file;
  ASSERT_EQ(ProfileXmlResult::Ok, ProfileXml::Load(path, file));
  ProfileImport done = Book().Import(file);
  ASSERT_EQ(ProfileResult::Done, done.result);
  EXPECT_EQ(3, done.skippedItems);
  RawDb raw = Raw();
  EXPECT_EQ(0, raw.Int("SELECT count(*) FROM t_key_macro_data WHERE fn_layer NOT BETWEEN 0 AND 3"
                       " OR key_code NOT BETWEEN 1 AND 255"));
  EXPECT_EQ(20, raw.Int("SELECT count(*) FROM t_key_macro_data WHERE profile = 4"));
  EXPECT_EQ(6, raw.Int("SELECT macro_value FROM t_key_macro_data WHERE profile = 4 AND fn_layer = 1 AND key_code = 4"));
  EXPECT_EQ(4, raw.Int("SELECT macro_value FROM t_key_macro_data WHERE profile = 4 AND fn_layer = 0 AND key_code = 4"));

  // Items handed to the import directly are held to the same places.
  ProfileFile direct;
  direct.items = {Item(4, 4, 2, 1, L""), Item(0, 0, 2, 1, L"")};
  Open();
  done = Book().Import(direct);
  EXPECT_EQ(ProfileResult::Done, done.result);
  EXPECT_EQ(2, done.skippedItems);
}

TEST_F(ProfileExchange, ABadFileChangesNothingAndSaysWhy) {
  const std::string exported = ToUtf8(ProfileXml::Write(Book().Export(1)));
  struct Case {
    const char* what;
    const wchar_t* name;
    std::string bytes;
    ProfileXmlResult result;
  } cases[] = {
      {"truncated", L"cut.xml", exported.substr(0, exported.size() / 2), ProfileXmlResult::NotWellFormed},
      {"not XML", L"keys.csv", "fn_layer,key_code\r\n0,4\r\n", ProfileXmlResult::NotWellFormed},
      {"binary", L"bin.xml", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), ProfileXmlResult::NotWellFormed},
      {"empty", L"empty.xml", "", ProfileXmlResult::NotWellFormed},
      {"another root", L"other.xml", "<?xml version=\"1.0\"?><keyboard><profile/></keyboard>",
       ProfileXmlResult::NotAProfile},
      {"missing", L"missing.xml", "", ProfileXmlResult::CannotRead},
  };
  const std::string before = DumpNow();
  for (const Case& c : cases) {
    const CString path = File(c.name);
    if (c.result != ProfileXmlResult::CannotRead) {
      ASSERT_TRUE(WriteFileBytes(path.GetString(), c.bytes)) << c.what;
    }
    ProfileFile file;
    EXPECT_EQ(c.result, ProfileXml::Load(path, file)) << c.what;
    EXPECT_TRUE(file.items.empty()) << c.what;
    // Only a file that was read is imported.
    if (c.result == ProfileXmlResult::Ok) Book().Import(file);
  }
  EXPECT_EQ(before, DumpNow());
}

TEST_F(ProfileExchange, ImportAtTheLimitIsRefusedAndChangesNothing) {
  int id = 0;
  for (int n = 4; n <= ProfileBook::kMaxProfiles; ++n) ASSERT_EQ(ProfileResult::Done, Book().Add(id));
  const std::string full = DumpNow();
  ProfileImport done = Book().Import(Book().Export(1));
  EXPECT_EQ(ProfileResult::LimitReached, done.result);
  EXPECT_EQ(0, done.profile);
  EXPECT_EQ(full, DumpNow());
}

TEST_F(ProfileExchange, AFailedSaveKeepsTheFileThatWasThere) {
  const CString path = File(L"kept.xml");
  ASSERT_TRUE(WriteFileBytes(path.GetString(), "old"));
  // Held open without sharing, the file cannot be replaced.
  HANDLE held = CreateFileW(path.GetString(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, held);
  EXPECT_EQ(ProfileXmlResult::CannotWrite, ProfileXml::Save(path, Book().Export(1)));
  CloseHandle(held);
  EXPECT_EQ("old", ReadFileBytes(path.GetString()));
  EXPECT_EQ(ProfileXmlResult::CannotWrite, ProfileXml::Save(File(L"no folder\\x.xml"), Book().Export(1)));

  // Nothing of the attempts is left beside it.
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW((Folder() + L"*.tmp").GetString(), &found);
  EXPECT_EQ(INVALID_HANDLE_VALUE, find);
  if (find != INVALID_HANDLE_VALUE) FindClose(find);
}

}  // namespace
