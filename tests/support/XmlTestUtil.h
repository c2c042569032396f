// Checks shared by the XmlDoc tests: a compact rendering of the element tree and a
// walk that proves the index agrees with the text.
#pragma once
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>
#include "support/Utf8.h"
#include "support/XmlDoc.h"

inline std::string U8(const CString& s) { return ToUtf8(s); }
inline void PrintTo(const CString& s, std::ostream* os) { *os << '"' << ToUtf8(s) << '"'; }

// "a(b* c)": names in sibling order, children in parentheses, * for an unended element.
inline std::string XmlShape(const XmlDoc& d, int parent = 0, int depth = 0) {
  std::string out;
  int guard = d.GetElementCount();
  for (int p = d.GetElement(parent).firstChild; p && guard-- > 0 && depth < 64; p = d.GetElement(p).next) {
    if (!out.empty()) out += ' ';
    out += U8(d.GetTagName(p));
    if (d.GetElement(p).IsUnended()) out += '*';
    if (d.GetElement(p).firstChild) {
      out += '(';
      out += XmlShape(d, p, depth + 1);
      out += ')';
    }
  }
  return out;
}

// Every record reachable once through the sibling chains, links consistent, and each
// element's extents in the text where its tags really are.
inline ::testing::AssertionResult XmlIndexConsistent(const XmlDoc& d) {
  const std::wstring& s = d.GetDocument().str();
  const int len = static_cast<int>(s.size());
  const int n = d.GetElementCount();
  if (d.GetElement(0).length != len)
    return ::testing::AssertionFailure() << "document length " << d.GetElement(0).length << " != " << len;
  std::vector<int> seen(n, 0);
  std::vector<int> stack{0};
  while (!stack.empty()) {
    int parent = stack.back();
    stack.pop_back();
    const XmlElement& pe = d.GetElement(parent);
    int first = pe.firstChild, last = 0, prevEnd = -1;
    for (int p = first; p; p = d.GetElement(p).next) {
      if (p <= 0 || p >= n || seen[p]++)
        return ::testing::AssertionFailure() << "position " << p << " reached twice or out of range";
      const XmlElement& e = d.GetElement(p);
      if (e.parent != parent) return ::testing::AssertionFailure() << p << ": parent " << e.parent;
      if (p != first && e.prev != last) return ::testing::AssertionFailure() << p << ": prev link";
      if (e.start < 0 || e.start + e.length > len || e.startTagLength < 2 || e.startTagLength > e.length)
        return ::testing::AssertionFailure() << p << ": extents " << e.start << "+" << e.length;
      if (s[e.start] != L'<' || s[e.start + e.startTagLength - 1] != L'>')
        return ::testing::AssertionFailure() << p << ": start tag not at its extents";
      if (e.endTagLength && (e.length < e.startTagLength + e.endTagLength ||
                             s.compare(e.start + e.length - e.endTagLength, 2, L"</") != 0))
        return ::testing::AssertionFailure() << p << ": end tag not at its extents";
      if (e.IsUnended() && (e.length != e.startTagLength || e.firstChild))
        return ::testing::AssertionFailure() << p << ": unended element spans more than its start tag";
      if (e.start < prevEnd) return ::testing::AssertionFailure() << p << ": siblings out of text order";
      if (parent && (e.start < pe.start + pe.startTagLength || e.start + e.length > pe.start + pe.length - pe.endTagLength))
        return ::testing::AssertionFailure() << p << ": outside its parent";
      prevEnd = e.start + e.length;
      last = p;
      stack.push_back(p);
    }
    if (first && d.GetElement(first).prev != last)
      return ::testing::AssertionFailure() << parent << ": first child's prev is not the last child";
  }
  for (int p = 1; p < n; ++p)
    if (!seen[p]) return ::testing::AssertionFailure() << "position " << p << " unreachable";
  return ::testing::AssertionSuccess();
}
