// XmlDoc: the parse into the element index, cursor navigation and result notes.
#include "support/XmlDoc.h"
#include <cwchar>

namespace {

bool IsSpace(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r'; }

// Characters that end a tag name when it is read back from a start tag.
bool EndsTagName(wchar_t c) {
  return IsSpace(c) || c == 0 || wcschr(L"<>=\\/?!\"';", c) != nullptr;
}

}  // namespace

XmlDoc::XmlDoc() { ResetIndex(); }

XmlDoc::XmlDoc(const wchar_t* text) {
  ResetIndex();
  SetDocument(text);
}

XmlDoc::~XmlDoc() = default;

bool XmlDoc::SetDocument(const wchar_t* text) {
  m_doc = text ? text : L"";
  m_result.Empty();
  return ParseDoc();
}

void XmlDoc::ResetCursor() {
  m_parent = m_current = m_child = 0;
  m_nodeType = 0;
}

void XmlDoc::ResetIndex() {
  m_index.Reset(m_doc.GetLength() / 64 + 8);
  m_nextFree = 1;
  m_index[0] = XmlElement{};
  m_index[0].length = m_doc.GetLength();
}

void XmlDoc::MarkNotWellFormed() { m_index[0].flags |= XmlElementNotWellFormed; }

void XmlDoc::Note(const wchar_t* name, int flags, const wchar_t* text, int number, int number2) {
  if (!m_quiet) AddResultNote(name, flags, text, number, number2);
}

bool XmlDoc::ParseDoc() {
  ResetCursor();
  ResetIndex();
  const wchar_t* s = m_doc.GetString();
  const int len = m_doc.GetLength();
  if (len == 0) return false;

  std::vector<OpenElement> open;
  for (int offset = 0;;) {
    XmlNode node = ScanNode(s, len, offset);
    if (node.kind == XmlNodeEndOfText) break;
    offset = node.start + node.length;

    if (node.kind == XmlNodeElement) {
      int pos = m_nextFree;
      if (!m_index.Ensure(pos)) {  // more elements than an index can address
        MarkNotWellFormed();
        break;
      }
      ++m_nextFree;
      XmlElement& e = m_index[pos];
      e = XmlElement{};
      e.start = node.start;
      e.startTagLength = node.length;
      e.length = node.length;
      e.level = static_cast<int>(open.size());
      LinkLastChild(open.empty() ? 0 : open.back().pos, pos);
      if (!node.emptyElement) open.push_back({pos, node.nameStart, node.nameLength});
    } else if (node.kind == XmlNodeEndTag) {
      // Look for the name among the open elements, innermost first; an open name may
      // go on past the end tag's name only with characters a name may hold.
      int found = -1;
      for (int i = static_cast<int>(open.size()) - 1; i >= 0 && found < 0; --i) {
        const OpenElement& o = open[i];
        if (o.nameLength < node.nameLength ||
            wcsncmp(s + o.nameStart, s + node.nameStart, node.nameLength) != 0)
          continue;
        wchar_t after = o.nameLength > node.nameLength ? s[o.nameStart + node.nameLength] : 0;
        if (after == 0 || after == L'=' || after == L'[' || after == L']') found = i;
      }
      if (found < 0) {
        Note(L"lone_end_tag", 0, CString(s + node.nameStart, node.nameLength), node.start);
        MarkNotWellFormed();
        continue;
      }
      if (found + 1 < static_cast<int>(open.size())) {
        CloseUnended(open, found + 1, node.start + 1);
        MarkNotWellFormed();
      }
      XmlElement& e = m_index[open[found].pos];
      e.length = node.start + node.length - e.start;
      e.endTagLength = node.length;
      open.pop_back();
    } else if (node.kind == XmlNodeError) {
      MarkNotWellFormed();
      for (int i = 0; i < node.noteCount; ++i) {
        const XmlNodeNote& n = node.notes[i];
        Note(n.name, n.type ? XmlNoteType : 0, n.type, n.offset);
      }
    }
  }
  if (!open.empty()) {
    CloseUnended(open, 0, len);
    MarkNotWellFormed();
  }
  int root = m_index[0].firstChild;
  if (!root)
    Note(L"no_root_element", 0, nullptr, -1);
  else if (m_index[root].next)
    Note(L"root_has_sibling", 0, nullptr, -1);
  return IsWellFormed();
}

// Closes open[from..] as unended, innermost first. Their children become following
// siblings under the parent of open[from]; done as one splice per element, so each
// child is moved once however many levels close together.
void XmlDoc::CloseUnended(std::vector<OpenElement>& open, size_t from, int offset2) {
  const wchar_t* s = m_doc.GetString();
  for (size_t i = open.size(); i-- > from;) {
    const OpenElement& o = open[i];
    Note(L"unended_start_tag", 0, CString(s + o.nameStart, o.nameLength), m_index[o.pos].start,
         offset2);
  }
  int target = m_index[open[from].pos].parent;
  for (size_t i = from; i < open.size(); ++i) {
    XmlElement& e = m_index[open[i].pos];
    e.endTagLength = 0;
    e.length = e.startTagLength;
    e.flags |= XmlElementUnended;
    int first = e.firstChild;
    e.firstChild = 0;
    if (!first) continue;
    int last = m_index[first].prev;
    for (int c = first; c; c = m_index[c].next) m_index[c].parent = target;
    XmlElement& t = m_index[target];
    int tFirst = t.firstChild;  // never 0: open[from] is among the target's children
    int tLast = m_index[tFirst].prev;
    m_index[tLast].next = first;
    m_index[first].prev = tLast;
    m_index[tFirst].prev = last;
  }
  open.resize(from);
}

void XmlDoc::LinkLastChild(int parent, int pos) {
  XmlElement& e = m_index[pos];
  e.parent = parent;
  e.next = 0;
  int first = m_index[parent].firstChild;
  if (!first) {
    m_index[parent].firstChild = pos;
    e.prev = pos;
    return;
  }
  int last = m_index[first].prev;
  m_index[last].next = pos;
  e.prev = last;
  m_index[first].prev = pos;
}

void XmlDoc::LinkAfter(int after, int pos) {
  XmlElement& a = m_index[after];
  XmlElement& e = m_index[pos];
  e.parent = a.parent;
  e.prev = after;
  e.next = a.next;
  if (a.next)
    m_index[a.next].prev = pos;
  else
    m_index[m_index[a.parent].firstChild].prev = pos;
  a.next = pos;
}

bool XmlDoc::IsWellFormed() const {
  const XmlElement& doc = m_index[0];
  return !(doc.flags & XmlElementNotWellFormed) && doc.firstChild &&
         !m_index[doc.firstChild].next;
}

CString XmlDoc::GetTagName(int pos) const {
  if (!IsElement(pos)) return CString();
  const XmlElement& e = m_index[pos];
  const wchar_t* s = m_doc.GetString();
  int end = e.start + e.startTagLength;
  int i = e.start + 1;
  while (i < end && IsSpace(s[i])) ++i;
  int b = i;
  while (i < end && !EndsTagName(s[i])) ++i;
  return CString(s + b, i - b);
}

// The given name must match the tag over the tag's length and then end, or go on
// with a character that cannot be part of the tag name.
bool XmlDoc::NameMatches(const wchar_t* tag, int tagLength, const wchar_t* name) {
  if (wcsncmp(tag, name, tagLength) != 0) return false;
  wchar_t c = name[tagLength];
  return c == 0 || c == L' ' || c == L'=' || c == L'/' || c == L'[' || c == L']';
}

bool XmlDoc::FindElement(const wchar_t* name) {
  if (name && name[0] == L'/') return false;
  int pos = m_current ? m_index[m_current].next : m_index[m_parent].firstChild;
  for (; pos; pos = m_index[pos].next) {
    if (name && name[0]) {
      CString tag = GetTagName(pos);
      if (!NameMatches(tag.GetString(), tag.GetLength(), name)) continue;
    }
    m_current = pos;
    m_parent = m_index[pos].parent;
    m_child = 0;
    m_nodeType = 1;
    return true;
  }
  return false;
}

bool XmlDoc::IntoElement() {
  if (!m_current || m_nodeType != 1) return false;
  m_parent = m_current;
  m_current = m_child;
  m_child = 0;
  m_nodeType = m_current ? 1 : 0;
  return true;
}

bool XmlDoc::OutOfElement() {
  if (!m_parent) return false;
  m_child = m_current;
  m_current = m_parent;
  m_parent = m_index[m_current].parent;
  m_nodeType = 1;
  return true;
}

// Notes are kept as a small document of empty elements; building them with the
// document's own operations gets the escaping of the values right.
void XmlDoc::AddResultNote(const wchar_t* name, int flags, const wchar_t* text, int number,
                           int number2) {
  if (m_result.GetLength() >= 1000) return;
  XmlDoc notes;
  notes.m_quiet = true;
  notes.SetDocument(m_result);
  if (flags & XmlNoteUpdate) {
    if (!notes.FindElement(name)) return;
  } else {
    notes.AddElement(name, nullptr, XmlAddNoLines);
  }
  int pos = notes.m_current;
  if (text) {
    const wchar_t* attr = (flags & XmlNoteType)       ? L"type"
                          : (flags & XmlNoteEncoding) ? L"encoding"
                          : (flags & XmlNoteMsg)      ? L"msg"
                                                      : L"tagname";
    notes.SetAttribute(pos, attr, text);
  }
  const wchar_t* numberAttr = (flags & XmlNoteN)        ? L"n"
                              : (flags & XmlNoteCount)  ? L"count"
                              : (flags & XmlNoteLength) ? L"length"
                              : (number != -1)          ? L"offset"
                                                        : nullptr;
  if (numberAttr) notes.SetAttribute(numberAttr, number);
  if (number2 != -1) notes.SetAttribute(L"offset2", number2);
  m_result = notes.m_doc;
}
