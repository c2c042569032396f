#include <gtest/gtest.h>
#include <random>
#include "XmlTestUtil.h"

namespace {

struct ParseCase {
  const wchar_t* doc;
  bool wellFormed;
  const char* shape;
  const wchar_t* notes;
};

const ParseCase kParseCases[] = {
    {L"", false, "", L""},
    {L"<a><b></a>", false, "a(b*)", L"<unended_start_tag tagname=\"b\" offset=\"3\" offset2=\"7\"/>"},
    {L"<a></b></a>", false, "a", L"<lone_end_tag tagname=\"b\" offset=\"3\"/>"},
    {L"<a/><b/>", false, "a b", L"<root_has_sibling/>"},
    {L"just text", false, "", L"<no_root_element/>"},
    {L"</a>", false, "", L"<lone_end_tag tagname=\"a\" offset=\"0\"/><no_root_element/>"},
    {L"<a><b><c></c><d></a>", false, "a(b* c d*)",
     L"<unended_start_tag tagname=\"d\" offset=\"13\" offset2=\"17\"/>"
     L"<unended_start_tag tagname=\"b\" offset=\"3\" offset2=\"17\"/>"},
    {L"<r><x><y></r></x></r>", false, "r(x* y*)",
     L"<unended_start_tag tagname=\"y\" offset=\"6\" offset2=\"10\"/>"
     L"<unended_start_tag tagname=\"x\" offset=\"3\" offset2=\"10\"/>"
     L"<lone_end_tag tagname=\"x\" offset=\"13\"/><lone_end_tag tagname=\"r\" offset=\"17\"/>"},
    {L"<a b=c/>", false, "a*", L"<unended_start_tag tagname=\"a\" offset=\"0\" offset2=\"8\"/>"},
    {L"<a><b", false, "a*",
     L"<unterminated_tag_syntax type=\"start_tag\" offset=\"3\"/>"
     L"<unended_start_tag tagname=\"a\" offset=\"0\" offset2=\"5\"/>"},
    {L"<a><1></a>", false, "a", L"<first_tag_syntax offset=\"3\"/>"},
    {L"<<a/>", false, "a", L"<first_tag_syntax offset=\"0\"/>"},
    {L"<a><!x></a>", false, "a", L"<exclamation_tag_syntax offset=\"3\"/>"},
    {L"<a><!-x--></a>", false, "a", L"<comment_tag_syntax offset=\"3\"/>"},
    {L"<a><![x]]></a>", false, "a", L"<cdata_section_syntax offset=\"3\"/>"},
    {L"<!DOCTYPE a [<!x>]><a/>", false, "a", L"<doctype_tag_syntax offset=\"0\"/>"},
    {L"<!DOCTYPE a [<!ENTITY e \"x\">", false, "",
     L"<unterminated_tag_syntax type=\"document_type\" offset=\"0\"/><no_root_element/>"},
    {L"<!-- open", false, "", L"<unterminated_tag_syntax type=\"comment\" offset=\"0\"/><no_root_element/>"},
    {L"<a><b x=\"1\"/></a", false, "a* b",
     L"<unterminated_tag_syntax type=\"end_tag\" offset=\"13\"/>"
     L"<unended_start_tag tagname=\"a\" offset=\"0\" offset2=\"16\"/><root_has_sibling/>"},
    {L"<a>t<![CDATA[<b>]]><?pi x?><!-- <c> --></a>", true, "a", L""},
    {L"<a><b/><c x=\"1\"/>\r\n<d></d></a>", true, "a(b c d)", L""},
    {L"<a:b.c-d xmlns:a=\"u\"><\u00e9/></a:b.c-d>", true, "a:b.c-d(\xc3\xa9)", L""},
    {L"<?xml version=\"1.0\"?>\r\n<!DOCTYPE r [\r\n<!ELEMENT r (#PCDATA)>\r\n"
     L"<!ATTLIST r a CDATA \"x>y\">\r\n<!-- c > -->\r\n]>\r\n<!-- hi -->\r\n<r a='1'/>\r\n<!-- bye -->",
     true, "r", L""},
};

TEST(XmlDocParse, IndexNotesAndResultForEachDocument) {
  for (const auto& c : kParseCases) {
    SCOPED_TRACE(U8(c.doc));
    XmlDoc d;
    EXPECT_EQ(d.SetDocument(c.doc), c.wellFormed);
    EXPECT_EQ(d.IsWellFormed(), c.wellFormed);
    EXPECT_EQ(XmlShape(d), c.shape);
    EXPECT_EQ(U8(d.GetResult()), U8(c.notes));
    EXPECT_TRUE(XmlIndexConsistent(d));
  }
}

TEST(XmlDocParse, ExtentsOfUnendedAndLoneEndTagCases) {
  XmlDoc d(L"<a><b></a>");
  const XmlElement& a = d.GetElement(1);
  const XmlElement& b = d.GetElement(2);
  EXPECT_EQ(a.length, 10);
  EXPECT_EQ(a.endTagLength, 4);
  EXPECT_EQ(b.start, 3);
  EXPECT_EQ(b.length, 3);
  EXPECT_EQ(b.endTagLength, 0);
  EXPECT_TRUE(b.IsUnended());

  XmlDoc lone(L"<a></b></a>");
  EXPECT_EQ(lone.GetElement(1).length, 11);
  EXPECT_EQ(lone.GetElementCount(), 2);
}

TEST(XmlDocParse, DeepNestingAndManyUnendedElementsStayLinear) {
  // 200,000 nested start tags without end tags: every one is closed as unended at the end.
  std::wstring text;
  for (int i = 0; i < 200000; ++i) text += L"<a>";
  XmlDoc d;
  EXPECT_FALSE(d.SetDocument(text.c_str()));
  EXPECT_EQ(d.GetElementCount(), 200001);
  EXPECT_TRUE(XmlIndexConsistent(d));
  EXPECT_LE(d.GetResult().GetLength(), 1100) << "notes stop growing at 1,000 characters";
}

TEST(XmlDocScan, NodeKindsAndLengths) {
  struct Case {
    const wchar_t* text;
    int kind;
    int length;
  } cases[] = {
      {L"abc<", XmlNodeText, 3},          {L" \t\r\n<", XmlNodeWhitespace, 4},
      {L"<a x='>'>", XmlNodeElement, 9},  {L"<a>", XmlNodeElement, 3},
      {L"</a >x", XmlNodeEndTag, 5},      {L"<?x ?>", XmlNodeInstruction, 6},
      {L"<!-- > -->", XmlNodeComment, 10}, {L"<![CDATA[>]]>", XmlNodeCData, 13},
      {L"<!DOCTYPE a>", XmlNodeDocType, 12}, {L"<=a>", XmlNodeError, 4},
      {L"<a x=\"", XmlNodeError, 6},      {L"", XmlNodeEndOfText, 0},
      {L"<", XmlNodeError, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(U8(c.text));
    XmlNode n = XmlDoc::ScanNode(c.text, static_cast<int>(wcslen(c.text)), 0);
    EXPECT_EQ(n.kind, c.kind);
    EXPECT_EQ(n.length, c.length);
  }
  XmlNode empty = XmlDoc::ScanNode(L"<a x=\"1\"/>", 10, 0);
  EXPECT_TRUE(empty.emptyElement);
  XmlNode plain = XmlDoc::ScanNode(L"<a b=c/>", 8, 0);
  EXPECT_FALSE(plain.emptyElement) << "in <a b=c/> the slash belongs to the value";
}

const wchar_t kConfig[] =
    L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
    L"<config>\r\n"
    L"  <language.info default_lan=\"1033\">\r\n"
    L"    <lan value=\"2052\"/>\r\n"
    L"    <lan value=\"1028\"/>\r\n"
    L"    <lan value=\"1033\"/>\r\n"
    L"  </language.info>\r\n"
    L"  <software name=\"Quenby\" version=\"1.0.2\"/>\r\n"
    L"</config>\r\n";

TEST(XmlDocNavigate, ReadsTheConfigurationSequence) {
  XmlDoc d(kConfig);
  ASSERT_TRUE(d.IsWellFormed());
  ASSERT_TRUE(d.FindElement(L"config"));
  ASSERT_TRUE(d.IntoElement());
  ASSERT_TRUE(d.FindElement(L"language.info"));
  EXPECT_EQ(d.GetAttribute(L"default_lan"), L"1033");
  ASSERT_TRUE(d.IntoElement());
  std::vector<CString> langs;
  while (d.FindElement(L"lan")) langs.push_back(d.GetAttribute(L"value"));
  EXPECT_EQ(langs, (std::vector<CString>{L"2052", L"1028", L"1033"}));
  ASSERT_TRUE(d.OutOfElement());
  ASSERT_TRUE(d.FindElement(L"software"));
  EXPECT_EQ(d.GetAttribute(L"name"), L"Quenby");
  EXPECT_FALSE(d.FindElement(L"language.info")) << "FindElement only searches forward";
  EXPECT_EQ(d.GetAttribute(L"name"), L"Quenby") << "a failed find leaves the cursor";
}

TEST(XmlDocNavigate, CursorRules) {
  XmlDoc d(L"<r><s><t/></s><s id=\"2\"><u/></s><v/></r>");
  EXPECT_FALSE(d.IntoElement()) << "no current element yet";
  EXPECT_FALSE(d.OutOfElement()) << "already at the top";
  EXPECT_FALSE(d.FindElement(L"/r"));
  EXPECT_FALSE(d.FindElement(L"s")) << "s is not a top-level element";
  ASSERT_TRUE(d.FindElement(L"r"));
  ASSERT_TRUE(d.IntoElement());
  EXPECT_EQ(d.GetNodeType(), 0);
  ASSERT_TRUE(d.FindElement(L"s"));
  int first = d.GetCurrentPos();
  ASSERT_TRUE(d.IntoElement());
  ASSERT_TRUE(d.FindElement(L"t"));
  ASSERT_TRUE(d.OutOfElement());
  EXPECT_EQ(d.GetCurrentPos(), first);
  ASSERT_TRUE(d.IntoElement()) << "going back in returns to the child just left";
  EXPECT_EQ(d.GetTagName(d.GetCurrentPos()), L"t");
  ASSERT_TRUE(d.OutOfElement());
  ASSERT_TRUE(d.FindElement(L"s"));
  EXPECT_EQ(d.GetAttribute(L"id"), L"2") << "search goes on after the element just left";
  ASSERT_TRUE(d.FindElement(nullptr));
  EXPECT_EQ(d.GetTagName(d.GetCurrentPos()), L"v") << "a null name takes the next sibling";
  EXPECT_FALSE(d.FindElement(L""));
}

TEST(XmlDocNavigate, NameComparison) {
  XmlDoc d(L"<r><language.info/><lan/><item/></r>");
  d.FindElement(L"r");
  d.IntoElement();
  EXPECT_TRUE(d.FindElement(L"lan")) << "lan does not match language.info";
  EXPECT_EQ(d.GetCurrentPos(), 3);
  EXPECT_TRUE(d.FindElement(L"item x")) << "a name may go on after a space";
  d.SetDocument(L"<r><lan/></r>");
  d.FindElement(L"r");
  d.IntoElement();
  EXPECT_FALSE(d.FindElement(L"language"));
}

TEST(XmlDocAttributes, ReadingTable) {
  struct Case {
    const wchar_t* doc;
    const wchar_t* name;
    const wchar_t* value;
  } cases[] = {
      {L"<a x='1>2' y='3'></a>", L"y", L"3"},
      {L"<a x='1>2' y='3'></a>", L"x", L"1>2"},
      {L"<a x=&lt;b/>", L"x", L"<b/"},
      {L"<a x=&lt;b></a>", L"x", L"<b"},
      {L"<a x='&#x41;&#66;&bogus;'/>", L"x", L"AB&bogus;"},
      {L"<a b=c/>", L"b", L"c/"},
      {L"<k selected></k>", L"selected", L"selected"},
      {L"<a x = \"1\"/>", L"x", L"1"},
      {L"<a xy=\"1\" x=\"2\"/>", L"x", L"2"},
      {L"<a x=\"1\" x=\"2\"/>", L"x", L"1"},
      {L"<a 'q' x=\"1\"/>", L"x", L"1"},
      {L"<a x=></a>", L"x", L""},
      {L"<a x=\"1\"/>", L"y", L""},
      {L"<a x=\"1\"/>", L"a", L""},
      {L"<a\tx\r\n=\n'\u00e9'/>", L"x", L"\u00e9"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(U8(c.doc));
    XmlDoc d(c.doc);
    ASSERT_TRUE(d.FindElement());
    EXPECT_EQ(d.GetAttribute(c.name), c.value);
  }
  XmlDoc d(L"<a x=\"1\"/>");
  EXPECT_EQ(d.GetAttribute(1, L"x"), L"") << "no element is current after a parse";
  d.FindElement();
  EXPECT_EQ(d.GetAttribute(1, L"x"), L"1");
  EXPECT_EQ(d.GetAttribute(0, L"x"), L"");
  EXPECT_EQ(d.GetAttribute(7, L"x"), L"") << "a position past the index";
}

TEST(XmlDocAttributes, SettingRewritesTheTagAndShiftsTheIndex) {
  XmlDoc d(L"<r><a x=1 y='2'/><b y=\"2\"><c z=\"3\"/></b><e /><k selected></k></r>");
  ASSERT_TRUE(d.FindElement(L"r"));
  d.IntoElement();
  d.FindElement(L"a");
  EXPECT_TRUE(d.SetAttribute(d.GetCurrentPos(), L"x", L"a long value"));
  EXPECT_TRUE(d.SetAttribute(d.GetCurrentPos(), L"y", L"q\"'<&>"));
  EXPECT_TRUE(d.SetAttribute(L"n", -42));
  d.FindElement(L"e");
  EXPECT_TRUE(d.SetAttribute(d.GetCurrentPos(), L"w", L"1"));
  d.FindElement(L"k");
  EXPECT_TRUE(d.SetAttribute(d.GetCurrentPos(), L"selected", L"no"));
  EXPECT_EQ(U8(d.GetDocument()),
            "<r><a x=\"a long value\" y=\"q&quot;&apos;&lt;&amp;&gt;\" n=\"-42\"/>"
            "<b y=\"2\"><c z=\"3\"/></b><e w=\"1\" /><k selected=\"no\"></k></r>");
  EXPECT_TRUE(XmlIndexConsistent(d));
  EXPECT_EQ(d.GetAttribute(2, L"y"), L"q\"'<&>");
  EXPECT_EQ(d.GetAttribute(4, L"z"), L"3") << "later elements moved with the text";
  EXPECT_TRUE(d.IsWellFormed());

  XmlDoc fresh(L"<a/>");
  EXPECT_FALSE(fresh.SetAttribute(1, L"x", L"1")) << "needs the cursor on an element";
  fresh.FindElement();
  EXPECT_FALSE(fresh.SetAttribute(0, L"x", L"1"));
}

TEST(XmlDocAdd, IntoAnEmptyElementTwice) {
  XmlDoc d(L"<p/>");
  d.FindElement(L"p");
  d.IntoElement();
  EXPECT_TRUE(d.AddElement(L"x"));
  EXPECT_TRUE(d.AddElement(L"y"));
  EXPECT_EQ(U8(d.GetDocument()), "<p>\r\n<x/>\r\n<y/>\r\n</p>");
  EXPECT_EQ(XmlShape(d), "p(x y)");
  EXPECT_TRUE(XmlIndexConsistent(d));
  EXPECT_TRUE(d.IsWellFormed());
}

TEST(XmlDocAdd, BuildsTheProfileExportLineByLine) {
  XmlDoc d(L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n");
  ASSERT_TRUE(d.AddElement(L"profile"));
  ASSERT_TRUE(d.IntoElement());
  ASSERT_TRUE(d.AddElement(L"profileinfo"));
  d.SetAttribute(d.GetCurrentPos(), L"name", L"Game & <Work>");
  ASSERT_TRUE(d.AddElement(L"key_macro"));
  ASSERT_TRUE(d.IntoElement());
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(d.AddElement(L"item"));
    d.SetAttribute(L"index", i);
    d.SetAttribute(d.GetCurrentPos(), L"desc", L"Ctrl+C");
  }
  EXPECT_EQ(U8(d.GetDocument()),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<profile>\r\n"
            "<profileinfo name=\"Game &amp; &lt;Work&gt;\"/>\r\n<key_macro>\r\n"
            "<item index=\"0\" desc=\"Ctrl+C\"/>\r\n<item index=\"1\" desc=\"Ctrl+C\"/>\r\n"
            "<item index=\"2\" desc=\"Ctrl+C\"/>\r\n</key_macro>\r\n</profile>\r\n");
  EXPECT_TRUE(XmlIndexConsistent(d));

  XmlDoc reread(d.GetDocument());
  EXPECT_TRUE(reread.IsWellFormed());
  EXPECT_EQ(XmlShape(reread), "profile(profileinfo key_macro(item item item))");
  EXPECT_EQ(XmlShape(reread), XmlShape(d));
}

TEST(XmlDocAdd, FlagsAndPlaces) {
  struct Case {
    const wchar_t* doc;
    bool into;  // IntoElement on the first element before adding
    const wchar_t* value;
    int flags;
    const char* expected;
  } cases[] = {
      {L"<p></p>", true, nullptr, 0, "<p>\r\n<x/>\r\n</p>"},
      {L"<p/>", true, nullptr, XmlAddNoLines, "<p><x/></p>"},
      {L"<p />", true, nullptr, 0, "<p >\r\n<x/>\r\n</p>"},
      {L"<p/>", false, L"a<b&c", XmlAddChild, "<p>\r\n<x>a&lt;b&amp;c</x>\r\n</p>"},
      {L"<p/>", true, L"a]]>b", XmlAddCData, "<p>\r\n<x><![CDATA[a]]]]><![CDATA[>b]]></x>\r\n</p>"},
      {L"<p/>", true, nullptr, XmlAddSpaceBeforeSlash, "<p>\r\n<x />\r\n</p>"},
      {L"<p/>", true, L"v", XmlAddNoEnd, "<p>\r\n<x>\r\n</p>"},
      {L"<p><q/> text</p>", true, nullptr, 0, "<p><q/><x/>\r\n text</p>"},
      {L"<p>\r\n<q/>\r\n</p>", true, nullptr, 0, "<p>\r\n<q/>\r\n<x/>\r\n</p>"},
      {L"<p>", true, nullptr, 0, "<p>\r\n<x/>\r\n</p>"},
      {L"", false, nullptr, 0, "<x/>\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(U8(c.doc));
    XmlDoc d(c.doc);
    if (*c.doc) {
      ASSERT_TRUE(d.FindElement());
    }
    if (c.into) {
      ASSERT_TRUE(d.IntoElement());
      d.FindElement(L"q");  // when there is one, add after it
    }
    EXPECT_TRUE(d.AddElement(L"x", c.value, c.flags));
    EXPECT_EQ(U8(d.GetDocument()), c.expected);
    EXPECT_TRUE(XmlIndexConsistent(d));
  }
}

TEST(XmlDocAdd, ChildFlagKeepsTheCurrentElementAndUnendedParentsOpenUp) {
  XmlDoc d(L"<r/>");
  d.FindElement();
  EXPECT_TRUE(d.AddElement(L"a", nullptr, XmlAddChild));
  EXPECT_TRUE(d.AddElement(L"b", nullptr, XmlAddChild));
  EXPECT_EQ(d.GetTagName(d.GetCurrentPos()), L"r");
  EXPECT_EQ(d.GetTagName(d.GetChildPos()), L"b");
  EXPECT_EQ(XmlShape(d), "r(a b)");

  XmlDoc open(L"<r>");
  EXPECT_FALSE(open.AddElement(L"x", nullptr, XmlAddChild)) << "no current element";
  open.FindElement();
  EXPECT_TRUE(open.GetElement(1).IsUnended());
  open.IntoElement();
  EXPECT_TRUE(open.AddElement(L"x"));
  EXPECT_FALSE(open.GetElement(1).IsUnended());
  EXPECT_EQ(U8(open.GetDocument()), "<r>\r\n<x/>\r\n</r>");
  EXPECT_TRUE(XmlIndexConsistent(open));
}

TEST(XmlDocText, EscapingAndReferences) {
  EXPECT_EQ(XmlDoc::EscapeText(L"<a & 'b' \"c\">"), L"&lt;a &amp; 'b' \"c\"&gt;");
  EXPECT_EQ(XmlDoc::EscapeText(L"<a & 'b' \"c\">", XmlEscapeAttribute),
            L"&lt;a &amp; &apos;b&apos; &quot;c&quot;&gt;");
  struct Case {
    const wchar_t* in;
    const wchar_t* out;
  } cases[] = {
      {L"&Auml;&auml;&euro;&apos;&amp;&lt;", L"\u00c4\u00e4\u20ac'&<"},
      {L"&#65;&#x42;&#X43;", L"ABC"},
      {L"&#x1F600;", L"\U0001F600"},
      {L"&#0;&#x;&#12a;&#;", L"&#0;&#x;&#12a;&#;"},
      {L"&#x110000;", L"&#x110000;"},
      {L"&bogus; &AUML; &amp", L"&bogus; &AUML; &amp"},
      {L"&thetasym;&thetasymx;", L"\u03d1&thetasymx;"},
      {L"&\u00e9;", L"&\u00e9;"},
      {L"a&&amp;;", L"a&&;"},
  };
  for (const auto& c : cases) EXPECT_EQ(XmlDoc::UnescapeText(c.in), c.out) << U8(c.in);
  EXPECT_EQ(XmlDoc::UnescapeText(L"&lt;&lt;", 6), L"<&l") << "only the given length";
}

TEST(XmlDocNotes, BuilderEscapesUpdatesAndStopsAtAThousandCharacters) {
  XmlDoc d;
  d.AddResultNote(L"lone_end_tag", 0, L"a\"<b", 5);
  d.AddResultNote(L"read", XmlNoteEncoding | XmlNoteLength, L"", 12);
  d.AddResultNote(L"read", XmlNoteUpdate | XmlNoteEncoding, L"UTF-8", -1);
  d.AddResultNote(L"file_error", XmlNoteMsg | XmlNoteN, L"Denied.", 5);
  EXPECT_EQ(U8(d.GetResult()),
            "<lone_end_tag tagname=\"a&quot;&lt;b\" offset=\"5\"/>"
            "<read encoding=\"UTF-8\" length=\"12\"/><file_error msg=\"Denied.\" n=\"5\"/>");
  for (int i = 0; i < 200; ++i) d.AddResultNote(L"lone_end_tag", 0, L"x", i);
  int length = d.GetResult().GetLength();
  EXPECT_GE(length, 1000);
  EXPECT_LT(length, 1100);
  d.AddResultNote(L"more", 0, nullptr, -1);
  EXPECT_EQ(d.GetResult().GetLength(), length);
}

// Random edits of a valid document: the parse must end, and whatever it indexes must
// agree with the text, also after reading and editing the damaged document.
TEST(XmlDocRobustness, MutatedDocumentsNeverBreakTheIndex) {
  const std::wstring base = std::wstring(kConfig) +
                            L"<!DOCTYPE x [<!ENTITY a 'b>'>]><![CDATA[<z>]]><?pi?><!-- c -->";
  const wchar_t pieces[] = L"<>/\"'=!?-[]&; a\u00e9\r\n#xCD";
  std::mt19937 rng(20240611);
  for (int round = 0; round < 400; ++round) {
    std::wstring text = base;
    int edits = 1 + static_cast<int>(rng() % 6);
    for (int e = 0; e < edits && !text.empty(); ++e) {
      size_t at = rng() % text.size();
      wchar_t piece = pieces[rng() % (sizeof(pieces) / sizeof(wchar_t) - 1)];
      switch (rng() % 4) {
        case 0: text[at] = piece; break;
        case 1: text.erase(at, 1 + rng() % 8); break;
        case 2: text.insert(at, 1, piece); break;
        default: text.insert(at, text.substr(rng() % text.size(), rng() % 40)); break;
      }
    }
    SCOPED_TRACE(round);
    XmlDoc d(text.c_str());
    ASSERT_TRUE(XmlIndexConsistent(d)) << U8(CString(text));
    // Walk everything by the cursor, reading attributes on the way.
    int steps = 0;
    for (int depth = 0; steps < 1000;) {
      ++steps;
      if (d.FindElement()) {
        d.GetAttribute(L"value");
        d.IntoElement();
        ++depth;
      } else if (depth > 0) {
        d.OutOfElement();
        --depth;
      } else {
        break;
      }
    }
    ASSERT_LT(steps, 1000);
    d.SetDocument(text.c_str());
    if (d.FindElement()) {
      d.SetAttribute(d.GetCurrentPos(), L"value", L"<changed>");
      d.AddElement(L"added", L"v", XmlAddChild);
      d.IntoElement();
      d.AddElement(L"inner");
    }
    d.AddElement(L"tail");
    ASSERT_TRUE(XmlIndexConsistent(d)) << U8(d.GetDocument());
  }
}

}  // namespace
