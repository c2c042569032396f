#include <gtest/gtest.h>
#include "core/CString.h"
#include "core/Geometry.h"

TEST(CString, FormatUsesWideStringsForPercentS) {
  CString s;
  s.Format(L"%s_data_%d.db", L"K63", 2);
  EXPECT_EQ(CString(L"K63_data_2.db"), s);
  s.AppendFormat(L"/%02X", 0xA);
  EXPECT_EQ(CString(L"K63_data_2.db/0A"), s);
}

TEST(CString, SearchesSlicesAndEdits) {
  CString s(L"  a\\b\\c.xml ");
  s.Trim();
  EXPECT_EQ(9, s.GetLength());
  EXPECT_EQ(3, s.ReverseFind(L'\\'));
  EXPECT_EQ(CString(L"c.xml"), s.Mid(4));
  EXPECT_EQ(CString(L"a\\"), s.Left(2));
  EXPECT_EQ(CString(L"xml"), s.Right(3));
  EXPECT_EQ(CString(), s.Mid(99));
  EXPECT_EQ(2, s.Replace(L"\\", L"/"));
  EXPECT_EQ(CString(L"a/b/c.xml"), s);
  int pos = 0;
  EXPECT_EQ(CString(L"a"), s.Tokenize(L"/", pos));
  EXPECT_EQ(CString(L"b"), s.Tokenize(L"/", pos));
  EXPECT_EQ(CString(L"c.xml"), s.Tokenize(L"/", pos));
  s.Tokenize(L"/", pos);
  EXPECT_EQ(-1, pos);
}

TEST(CString, BufferForWin32Calls) {
  CString s;
  wchar_t* p = s.GetBuffer(16);
  wcscpy(p, L"abc");
  s.ReleaseBuffer();
  EXPECT_EQ(3, s.GetLength());
}

TEST(Geometry, RectArithmetic) {
  CRect a(0, 0, 10, 10), b(5, 5, 20, 20), c;
  EXPECT_TRUE(c.IntersectRect(a, b));
  EXPECT_EQ(CRect(5, 5, 10, 10), c);
  EXPECT_FALSE(c.IntersectRect(a, CRect(10, 10, 12, 12)));
  EXPECT_TRUE(c.IsRectNull());
  EXPECT_TRUE(a.PtInRect(CPoint(0, 9)));
  EXPECT_FALSE(a.PtInRect(CPoint(10, 0)));
  EXPECT_EQ(CPoint(-3, 4), CPoint(MAKELPARAM(-3, 4)));
}
