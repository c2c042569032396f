// XmlDoc: attributes and added elements. Every edit changes the text in place and then
// shifts the index by the characters added or removed, so positions stay valid.
#include "support/XmlDoc.h"

namespace {

bool IsSpace(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r'; }
bool IsQuote(wchar_t c) { return c == L'"' || c == L'\''; }
bool IsOneOf(const wchar_t* set, wchar_t c) { return c && wcschr(set, c); }
const wchar_t kLineBreak[] = L"\r\n";

}  // namespace

// Walks the tokens of a start tag from after its "<" up to `end` (the tag's end, so a
// quote left open cannot read into the content): quoted strings, "=" and words. The
// first word is the tag name; "/", ">" or "?" outside a value ends the list.
XmlDoc::AttributeSpan XmlDoc::FindAttribute(const wchar_t* s, int from, int end,
                                            const wchar_t* name) {
  enum { Searching, Matched, MatchedEquals } state = Searching;
  AttributeSpan a;
  a.lastTokenEnd = from;
  bool tagName = true;
  bool expectValue = false;
  for (int i = from;;) {
    while (i < end && IsSpace(s[i])) ++i;
    if (i >= end) break;
    const wchar_t c = s[i];
    const int tokenStart = i;
    bool quoted = IsQuote(c);
    bool word = false;
    if (quoted) {
      ++i;
      while (i < end && s[i] != c) ++i;
      if (i < end) ++i;
    } else if (expectValue) {
      while (i < end && !IsSpace(s[i]) && s[i] != L'>') ++i;
    } else if (c == L'/' || c == L'>' || c == L'?') {
      break;
    } else if (c == L'=') {
      ++i;
    } else {
      word = true;
      while (i < end && !IsSpace(s[i]) && !IsOneOf(L"=>/?", s[i])) ++i;
    }

    if (expectValue) {
      expectValue = false;
      if (state == MatchedEquals) {
        a.hasValue = true;
        a.valueStart = tokenStart;
        a.valueEnd = i;
        a.innerStart = quoted ? tokenStart + 1 : tokenStart;
        a.innerEnd = (quoted && i > tokenStart + 1 && s[i - 1] == c) ? i - 1 : i;
        return a;
      }
    } else if (c == L'=' && !quoted) {
      expectValue = true;
      if (state == Matched) state = MatchedEquals;
    } else if (state == Matched) {
      break;  // the attribute stands without a value
    } else if (word && tagName) {
      tagName = false;
    } else if (word && name && name[0] && NameMatches(s + tokenStart, i - tokenStart, name)) {
      state = Matched;
      a.found = true;
      a.nameStart = tokenStart;
      a.nameEnd = i;
    }
    a.lastTokenEnd = i;
  }
  if (state == MatchedEquals) {  // "=" with nothing after it before the tag's end
    a.hasValue = true;
    a.valueStart = a.valueEnd = a.innerStart = a.innerEnd = end;
  }
  return a;
}

CString XmlDoc::GetAttribute(const wchar_t* name) const { return GetAttribute(m_current, name); }

CString XmlDoc::GetAttribute(int pos, const wchar_t* name) const {
  if (!IsElement(pos) || m_nodeType != 1) return CString();
  const XmlElement& e = m_index[pos];
  const wchar_t* s = m_doc.GetString();
  AttributeSpan a = FindAttribute(s, e.start + 1, e.start + e.startTagLength, name);
  if (!a.found) return CString();
  if (!a.hasValue) return CString(s + a.nameStart, a.nameEnd - a.nameStart);  // its own name
  return UnescapeText(s + a.innerStart, a.innerEnd - a.innerStart);
}

bool XmlDoc::SetAttribute(const wchar_t* name, int value) {
  CString text;
  text.Format(L"%d", value);
  return SetAttribute(m_current, name, text);
}

bool XmlDoc::SetAttribute(int pos, const wchar_t* name, const wchar_t* text) {
  if (!IsElement(pos) || m_nodeType != 1 || !name) return false;
  const XmlElement& e = m_index[pos];
  AttributeSpan a = FindAttribute(m_doc.GetString(), e.start + 1, e.start + e.startTagLength, name);
  CString value = L"\"" + EscapeText(text, XmlEscapeAttribute) + L"\"";
  int at = a.lastTokenEnd;
  int remove = 0;
  CString insert;
  if (a.found && a.hasValue) {
    at = a.valueStart;
    remove = a.valueEnd - a.valueStart;
    insert = value;
  } else if (a.found) {  // <k selected>: the bare attribute gets the value
    at = a.nameEnd;
    insert = L"=" + value;
  } else {
    insert = CString(L" ") + name + L"=" + value;
  }
  ReplaceText(at, remove, insert);
  int delta = insert.GetLength() - remove;
  m_index[pos].startTagLength += delta;
  ShiftIndex(pos, at, delta);
  return true;
}

bool XmlDoc::AddElement(const wchar_t* name, const wchar_t* value, int flags) {
  if (!name) name = L"";
  const bool asChild = (flags & XmlAddChild) != 0;
  const bool lines = (flags & XmlAddNoLines) == 0;
  if (asChild && (!m_current || m_nodeType != 1)) return false;
  const int parent = asChild ? m_current : m_parent;
  const int after = asChild ? m_child : m_current;
  const int pos = m_nextFree;
  if (!m_index.Ensure(pos)) return false;

  // The new element's own text.
  CString text = CString(L"<") + name;
  int startTagLength = 0;
  int endTagLength = 0;
  if (flags & XmlAddNoEnd) {
    text += L">";
    startTagLength = text.GetLength();
  } else if (!value || !value[0]) {
    text += (flags & XmlAddSpaceBeforeSlash) ? L" />" : L"/>";
    startTagLength = text.GetLength();
  } else {
    text += L">";
    startTagLength = text.GetLength();
    if (flags & XmlAddCData) {
      CString v(value);
      v.Replace(L"]]>", L"]]]]><![CDATA[>");
      text += L"<![CDATA[" + v + L"]]>";
    } else {
      text += EscapeText(value);
    }
    CString endTag = CString(L"</") + name + L">";
    endTagLength = endTag.GetLength();
    text += endTag;
  }
  const int length = text.GetLength();

  int at = 0;
  int start = 0;
  int remove = 0;
  CString insert;
  const XmlElement& pe = m_index[parent];
  if (parent && (pe.IsEmptyElement() || pe.IsUnended())) {
    // <p/> or an unended <p>: open it up and close it after the new element.
    const int gt = pe.start + pe.startTagLength - 1;
    const bool slash = pe.IsEmptyElement();
    const CString parentName = GetTagName(parent);
    at = slash ? gt - 1 : gt;
    remove = slash ? 1 : 0;
    insert = L">";
    if (lines) insert += kLineBreak;
    start = at + insert.GetLength();
    insert += text;
    if (lines) insert += kLineBreak;
    insert += L"</" + parentName;
    ReplaceText(at, remove, insert);
    XmlElement& p = m_index[parent];
    p.startTagLength = at - p.start + 1;
    p.endTagLength = parentName.GetLength() + 3;
    p.flags &= ~XmlElementUnended;
  } else {
    if (after) {
      const XmlElement& ae = m_index[after];
      at = ae.start + ae.length;
      if (lines) {  // step over a line break that leads to the next tag or the end
        const wchar_t* s = m_doc.GetString();
        int j = at;
        while (j < m_doc.GetLength() && IsSpace(s[j])) ++j;
        if (j >= m_doc.GetLength() || s[j] == L'<') at = j;
      }
    } else {
      at = parent ? ContentEnd(parent) : m_doc.GetLength();
    }
    insert = text;
    if (lines) insert += kLineBreak;
    start = at;
    if (!after && parent && lines && pe.length == pe.startTagLength + pe.endTagLength) {
      insert = kLineBreak + insert;  // <p></p>: the new element goes on a line of its own
      start += 2;
    }
    ReplaceText(at, 0, insert);
  }
  ShiftIndex(parent, at, insert.GetLength() - remove);

  XmlElement& e = m_index[pos];
  e = XmlElement{};
  e.start = start;
  e.length = (flags & XmlAddNoEnd) ? startTagLength : length;
  e.startTagLength = startTagLength;
  e.endTagLength = endTagLength;
  e.flags = (flags & XmlAddNoEnd) ? XmlElementUnended : 0;
  e.level = parent ? m_index[parent].level + 1 : 0;
  ++m_nextFree;
  if (after)
    LinkAfter(after, pos);
  else
    LinkLastChild(parent, pos);

  if (asChild) {
    m_child = pos;
  } else {
    m_current = pos;
    m_child = 0;
  }
  m_nodeType = 1;
  return true;
}

int XmlDoc::ContentEnd(int pos) const {
  const XmlElement& e = m_index[pos];
  return e.start + e.length - e.endTagLength;
}

void XmlDoc::ReplaceText(int at, int removeCount, const CString& insert) {
  std::wstring& d = m_doc.str();
  size_t needed = d.size() - removeCount + insert.GetLength();
  if (needed > d.capacity()) d.reserve(needed + needed / 2 + 128);
  d.replace(at, removeCount, insert.str());
}

void XmlDoc::ShiftIndex(int pos, int at, int delta) {
  if (!delta) return;
  for (int p = pos;; p = m_index[p].parent) {
    m_index[p].length += delta;
    if (!p) break;
  }
  for (int i = 1; i < m_nextFree; ++i)
    if (i != pos && m_index[i].start >= at) m_index[i].start += delta;
}
