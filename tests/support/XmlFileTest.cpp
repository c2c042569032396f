#include <gtest/gtest.h>
#include <random>
#include "TempFolder.h"
#include "XmlTestUtil.h"

namespace {

std::string Utf16Bytes(const std::wstring& s, bool bigEndian) {
  std::string out;
  for (wchar_t c : s) {
    char lo = static_cast<char>(c & 0xFF), hi = static_cast<char>(c >> 8);
    out += bigEndian ? hi : lo;
    out += bigEndian ? lo : hi;
  }
  return out;
}

std::wstring FromCodePage(const std::string& bytes, UINT cp) {
  std::wstring w(bytes.size() * 2 + 1, L'\0');
  int n = MultiByteToWideChar(cp, 0, bytes.data(), static_cast<int>(bytes.size()), w.data(),
                              static_cast<int>(w.size()));
  w.resize(n);
  return w;
}

struct ReadCase {
  const char* what;
  std::string bytes;
  std::wstring text;
  int flags;
  const char* notes;  // null: not compared
};

class XmlFile : public ::testing::Test {
protected:
  std::wstring Write(const std::string& bytes, const wchar_t* name = L"doc.xml") {
    std::wstring path = dir_.File(name);
    EXPECT_TRUE(WriteFileBytes(path, bytes));
    return path;
  }
  TempFolder dir_;
};

TEST_F(XmlFile, ReadsByMarkDeclarationOrBytes) {
  const std::string ansiBytes = " <a>\xE9\xFC</a>";
  const ReadCase cases[] = {
      {"UTF-8 mark", "\xEF\xBB\xBF<a>\xC3\xA9</a>", L"<a>\u00e9</a>", XmlFileUtf8Bom,
       "<bom/><read encoding=\"UTF-8\" length=\"9\"/><converted_to encoding=\"UTF-16\" length=\"8\"/>"},
      {"UTF-16LE mark with a zero unit", "\xFF\xFE" + Utf16Bytes(std::wstring(L"<a>\0x</a>", 9), false),
       L"<a>x</a>", XmlFileUtf16LE,
       "<bom/><read encoding=\"UTF-16LE\" length=\"9\"/><nulls_removed count=\"1\"/>"},
      {"UTF-16BE mark", "\xFE\xFF" + Utf16Bytes(L"<a>\u00fc\u952e</a>", true), L"<a>\u00fc\u952e</a>",
       XmlFileUtf16BE, "<bom/><read encoding=\"UTF-16BE\" length=\"9\"/><endian_swap/>"},
      {"declared windows-1252", "<?xml version=\"1.0\" encoding=\"windows-1252\"?><a>\xE9\x80</a>",
       L"<?xml version=\"1.0\" encoding=\"windows-1252\"?><a>\u00e9\u20ac</a>", 0, nullptr},
      {"declared GBK", "<?xml version=\"1.0\" encoding=\"GBK\"?><a>\xBC\xFC\xC5\xCC</a>",
       L"<?xml version=\"1.0\" encoding=\"GBK\"?><a>\u952e\u76d8</a>", 0, nullptr},
      {"unknown declared name reads in the ANSI code page",
       "<?xml version=\"1.0\" encoding=\"x-nothing\"?><a>\xE9</a>",
       FromCodePage("<?xml version=\"1.0\" encoding=\"x-nothing\"?><a>\xE9</a>", CP_ACP), 0, nullptr},
      {"no mark, no declaration, starts with <", "<a>\xC3\xA9</a>", L"<a>\u00e9</a>", 0,
       "<read encoding=\"UTF-8\" length=\"9\"/><converted_to encoding=\"UTF-16\" length=\"8\"/>"},
      {"starts with a space, invalid UTF-8", ansiBytes, FromCodePage(ansiBytes, CP_ACP), 0,
       "<read encoding=\"\" length=\"10\"/><utf8_detection/><converted_to encoding=\"UTF-16\" length=\"10\"/>"},
      {"starts with a space, valid UTF-8", " <a>\xC3\xA9</a>", L" <a>\u00e9</a>", 0,
       "<read encoding=\"UTF-8\" length=\"10\"/><utf8_detection/><converted_to encoding=\"UTF-16\" length=\"9\"/>"},
      {"HTML meta charset",
       "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\"></head>"
       "<body>\xC3\xA9</body></html>",
       L"<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\"></head>"
       L"<body>\u00e9</body></html>",
       0, nullptr},
      {"zero bytes in an 8-bit file", std::string("<a>x\0y</a>", 10), L"<a>xy</a>", 0,
       "<read encoding=\"UTF-8\" length=\"10\"/><nulls_removed count=\"1\"/>"
       "<converted_to encoding=\"UTF-16\" length=\"9\"/>"},
      {"8-bit text declaring UTF-16 falls back to its bytes",
       "<?xml version=\"1.0\" encoding=\"UTF-16\"?><a>\xC3\xA9</a>",
       L"<?xml version=\"1.0\" encoding=\"UTF-16\"?><a>\u00e9</a>", 0, nullptr},
      {"empty file", "", L"", 0, "<read encoding=\"\" length=\"0\"/>"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::wstring path = Write(c.bytes);
    CString text(L"old"), result;
    int flags = XmlFileUtf8Bom | XmlFileUtf16BE;  // marks of an earlier file are cleared
    EXPECT_TRUE(XmlDoc::ReadTextFile(path.c_str(), text, &result, &flags));
    EXPECT_EQ(text.str(), c.text);
    EXPECT_EQ(flags, c.flags);
    if (c.notes) {
      EXPECT_EQ(U8(result), c.notes);
    }
  }
}

TEST_F(XmlFile, MissingFileFailsWithTheSystemErrorAndAnEmptyDocument) {
  XmlDoc d(L"<old><x/></old>");
  d.FindElement();
  d.SetDocFlags(XmlFileUtf16LE);
  EXPECT_FALSE(d.Load(dir_.File(L"missing.xml").c_str()));
  EXPECT_EQ(d.GetDocument(), L"");
  EXPECT_NE(d.GetResult().Find(L"<file_error msg=\""), -1);
  EXPECT_NE(d.GetResult().Find(L" n=\"2\""), -1) << U8(d.GetResult());
  EXPECT_EQ(d.GetDocFlags(), XmlFileUtf16LE) << "flags are only written back for an opened file";
  // Nothing of the earlier document stays indexed over the emptied text.
  EXPECT_EQ(d.GetElementCount(), 1);
  EXPECT_EQ(d.GetCurrentPos(), 0);
  EXPECT_FALSE(d.FindElement());
  EXPECT_TRUE(XmlIndexConsistent(d));
}

TEST_F(XmlFile, LoadParsesAndAnIllFormedFileAnswersFalse) {
  XmlDoc d;
  EXPECT_TRUE(d.Load(Write("<?xml version=\"1.0\"?>\r\n<config><a/></config>").c_str()));
  EXPECT_TRUE(d.FindElement(L"config"));
  EXPECT_FALSE(d.Load(Write("<config><a></config>").c_str()));
  EXPECT_NE(d.GetResult().Find(L"<unended_start_tag"), -1) << "parse notes follow the file notes";
  EXPECT_EQ(d.GetResult().Find(L"<read"), 0);
}

TEST_F(XmlFile, SavingChoosesTheEncodingAndMark) {
  const std::wstring declared = L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<a>\u00e9</a>\r\n";
  const std::string utf8 = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<a>\xC3\xA9</a>\r\n";
  struct Case {
    const char* what;
    std::wstring text;
    int flags;
    std::string bytes;
  } cases[] = {
      {"declared UTF-8, no flags", declared, 0, utf8},
      {"UTF-8 mark flag", declared, XmlFileUtf8Bom, "\xEF\xBB\xBF" + utf8},
      {"no declaration", L"<a>\u00e9</a>", 0, "<a>\xC3\xA9</a>"},
      {"UTF-16LE flag", L"<a>\u00e9</a>", XmlFileUtf16LE, "\xFF\xFE" + Utf16Bytes(L"<a>\u00e9</a>", false)},
      {"UTF-16BE flag", L"<a>\u00e9</a>", XmlFileUtf16BE, "\xFE\xFF" + Utf16Bytes(L"<a>\u00e9</a>", true)},
      {"declared windows-1252", L"<?xml encoding=\"windows-1252\"?><a>\u00e9\u20ac</a>", 0,
       "<?xml encoding=\"windows-1252\"?><a>\xE9\x80</a>"},
      {"declared UTF-16 without a flag gets its mark", L"<?xml encoding=\"UTF-16\"?><a/>", 0,
       "\xFF\xFE" + Utf16Bytes(L"<?xml encoding=\"UTF-16\"?><a/>", false)},
      {"empty text", L"", 0, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::wstring path = dir_.File(L"out.xml");
    CString result;
    int flags = c.flags | XmlFileReading;
    EXPECT_TRUE(XmlDoc::WriteTextFile(path.c_str(), CString(c.text), &result, &flags));
    EXPECT_EQ(ReadFileBytes(path), c.bytes);
    EXPECT_EQ(flags & XmlFileReading, 0);
    EXPECT_NE(result.Find(L"<write "), -1) << U8(result);
  }
  CString result;
  int flags = 0;
  XmlDoc::WriteTextFile(dir_.File(L"n.xml").c_str(), CString(declared), &result, &flags);
  EXPECT_EQ(U8(result), "<converted_from encoding=\"UTF-16\" length=\"" + std::to_string(declared.size()) +
                           "\"/><write encoding=\"UTF-8\" length=\"" + std::to_string(utf8.size()) + "\"/>");
}

TEST_F(XmlFile, LossyWritesAreNotedAndUnwritableTargetsFail) {
  CString result;
  int flags = 0;
  std::wstring path = dir_.File(L"lossy.xml");
  EXPECT_TRUE(XmlDoc::WriteTextFile(path.c_str(), L"<?xml encoding=\"windows-1252\"?><a>\u952e</a>", &result, &flags));
  EXPECT_NE(result.Find(L"<conversion_loss/>"), -1) << U8(result);
  EXPECT_EQ(ReadFileBytes(path), "<?xml encoding=\"windows-1252\"?><a>?</a>");

  EXPECT_FALSE(XmlDoc::WriteTextFile(dir_.File(L"no\\such\\folder.xml").c_str(), L"<a/>", &result, &flags));
  EXPECT_EQ(result.Find(L"<file_error"), 0);
}

// Load, change, save, load again in each encoding a user's editor may produce.
TEST_F(XmlFile, RoundTripsKeepTextEncodingAndMark) {
  struct Case {
    const char* what;
    const wchar_t* declaration;
    int flags;
    std::string marker;  // bytes the saved file must hold for the changed value
  } cases[] = {
      {"UTF-8", L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>", 0, "\xE9\x94\xAE"},
      {"UTF-16LE", L"<?xml version=\"1.0\" encoding=\"UTF-16\"?>", XmlFileUtf16LE, "\x2E\x95"},
      {"UTF-16BE", L"<?xml version=\"1.0\" encoding=\"UTF-16BE\"?>", XmlFileUtf16BE, "\x95\x2E"},
      {"windows-1252", L"<?xml version=\"1.0\" encoding=\"windows-1252\"?>", 0, "\xE9\x80"},
      {"GBK", L"<?xml version=\"1.0\" encoding=\"GBK\"?>", 0, "\xBC\xFC\xC5\xCC"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const wchar_t* value = std::string(c.what) == "windows-1252" ? L"\u00e9\u20ac" : L"\u952e\u76d8";
    std::wstring path = dir_.File(L"round.xml");
    {
      XmlDoc d((std::wstring(c.declaration) + L"\r\n<profile name=\"a\">\r\n<item k=\"1\"/>\r\n</profile>\r\n").c_str());
      d.SetDocFlags(c.flags);
      ASSERT_TRUE(d.Save(path.c_str()));
    }
    XmlDoc d;
    ASSERT_TRUE(d.Load(path.c_str())) << U8(d.GetResult());
    EXPECT_EQ(d.GetDocFlags(), c.flags);
    ASSERT_TRUE(d.FindElement(L"profile"));
    d.SetAttribute(d.GetCurrentPos(), L"name", value);
    d.IntoElement();
    d.FindElement(L"item");
    d.AddElement(L"item", value);
    ASSERT_TRUE(d.Save(path.c_str()));
    EXPECT_NE(ReadFileBytes(path).find(c.marker), std::string::npos);

    XmlDoc again;
    ASSERT_TRUE(again.Load(path.c_str())) << U8(again.GetResult());
    EXPECT_EQ(again.GetDocument(), d.GetDocument());
    EXPECT_EQ(again.GetDocFlags(), c.flags);
    ASSERT_TRUE(again.FindElement(L"profile"));
    EXPECT_EQ(again.GetAttribute(L"name"), value);
  }
}

TEST(XmlEncodingNames, DeclaredEncodingTable) {
  struct Case {
    const wchar_t* text;
    const wchar_t* encoding;
  } cases[] = {
      {L"<?xml version=\"1.0\" encoding=\"GBK\"?><a/>", L"GBK"},
      {L"<?xml encoding='UTF-16' ?>", L"UTF-16"},
      {L"<?xml version=\"1.0\"?><a/>", L""},
      {L" <?xml encoding=\"x\"?>", L""},
      {L"<!-- c --><?xml encoding=\"x\"?>", L""},
      {L"<?xml-stylesheet encoding=\"x\"?>", L""},
      {L"<a encoding=\"x\"/>", L""},
      {L"<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\"></head>", L"utf-8"},
      {L"<HTML><META http-equiv=\"content-type\" content=\"text/html;charset=GBK\">", L"GBK"},
      {L"<html><head></head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">", L""},
      {L"<html><body><p>", L""},
      {L"<1", L""},
  };
  for (const auto& c : cases) EXPECT_EQ(XmlDoc::GetDeclaredEncoding(c.text), c.encoding) << U8(c.text);
}

TEST(XmlEncodingNames, Conversions) {
  const wchar_t wide[] = {L'A', 0xD83D, 0xDE00, 0xDC00, L'z'};
  unsigned u32[8] = {};
  EXPECT_EQ(XmlDoc::ConvertText(L"UTF-16", wide, 5, L"UTF-32", nullptr, 0), 4);
  ASSERT_EQ(XmlDoc::ConvertText(L"UTF-16", wide, 5, L"UTF-32", u32, 8), 4);
  EXPECT_EQ(u32[0], 0x41u);
  EXPECT_EQ(u32[1], 0x1F600u);
  EXPECT_EQ(u32[2], static_cast<unsigned>('?')) << "a lone surrogate";
  wchar_t back[8] = {};
  ASSERT_EQ(XmlDoc::ConvertText(L"UTF-32LE", u32, 4, L"utf-16", back, 8), 5);
  EXPECT_EQ(back[1], 0xD83D);
  EXPECT_EQ(back[2], 0xDE00);
  char bytes[16] = {};
  ASSERT_EQ(XmlDoc::ConvertText(L"UTF-32", u32, 2, L"UTF-8", bytes, 16), 5);
  EXPECT_EQ(std::string(bytes, 5), "A\xF0\x9F\x98\x80");
  const char bad[] = "a\xFF\xC3\xA9";
  ASSERT_EQ(XmlDoc::ConvertText(L"utf8", bad, 4, L"UTF-32", u32, 8), 3);
  EXPECT_EQ(u32[1], static_cast<unsigned>('?'));
  EXPECT_EQ(u32[2], 0xE9u);
  bool lossy = false;
  EXPECT_EQ(XmlDoc::ConvertText(L"UTF-16", L"a\u952e", 2, L"cp1252", bytes, 16, &lossy), 2);
  EXPECT_TRUE(lossy);
  EXPECT_EQ(XmlDoc::ConvertText(L"cp1252", "\xE9", 1, L"GBK", bytes, 16), 2) << "8-bit to 8-bit through UTF-16";
  EXPECT_EQ(std::string(bytes, 2), "\xA8\xA6");
}

// Random byte changes of a valid file in each encoding: Load answers, never crashes, and
// whatever it indexes agrees with the text.
TEST_F(XmlFile, MutatedFilesNeverBreakTheLoad) {
  const std::wstring text =
      L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<config a=\"1\">\r\n<lan value=\"\u952e\"/>\r\n"
      L"<software name=\"Q &amp; x\"/>\r\n<!-- note --></config>\r\n";
  std::string utf8 = ToUtf8(CString(text));
  const std::string bases[] = {utf8, "\xEF\xBB\xBF" + utf8, "\xFF\xFE" + Utf16Bytes(text, false),
                               "\xFE\xFF" + Utf16Bytes(text, true)};
  std::mt19937 rng(77);
  std::wstring path = dir_.File(L"fuzz.xml");
  for (int round = 0; round < 300; ++round) {
    std::string bytes = bases[round % 4];
    int edits = 1 + static_cast<int>(rng() % 8);
    for (int e = 0; e < edits && !bytes.empty(); ++e) {
      size_t at = rng() % bytes.size();
      switch (rng() % 3) {
        case 0: bytes[at] = static_cast<char>(rng()); break;
        case 1: bytes.erase(at, 1 + rng() % 4); break;
        default: bytes.insert(at, 1, static_cast<char>(rng())); break;
      }
    }
    SCOPED_TRACE(round);
    ASSERT_TRUE(WriteFileBytes(path, bytes));
    XmlDoc d;
    d.Load(path.c_str());
    ASSERT_TRUE(XmlIndexConsistent(d));
    if (d.FindElement()) d.GetAttribute(L"a");
    EXPECT_TRUE(d.Save(path.c_str()));
  }
}

}  // namespace
