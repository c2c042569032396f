// The node scanner of XmlDoc: classifies the markup that starts at an offset and finds
// its end. It never fails: a syntax problem gives a node of kind XmlNodeError with the
// notes the parser records, and every node but the end of the text is at least one
// character long, so a scan over any text ends.
#include "support/XmlDoc.h"

namespace {

bool IsSpace(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r'; }
bool IsQuote(wchar_t c) { return c == L'"' || c == L'\''; }

class NodeScanner {
public:
  NodeScanner(const wchar_t* text, int length, int offset) : s_(text), len_(length) {
    node_.start = offset;
  }

  XmlNode Scan() {
    int at = node_.start;
    if (at >= len_) return node_;  // end of text
    if (s_[at] != L'<') return Text();
    if (at + 1 >= len_) return Unterminated(L"tag");
    wchar_t c = s_[at + 1];
    if (c == L'/') return EndTag();
    if (c == L'?') return Closed(at + 2, L"?", XmlNodeInstruction, L"processing_instruction");
    if (c == L'!') return Exclamation();
    if ((c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || c == L'_' || c == L':' || c > 0x60)
      return StartTag();
    return Error(L"first_tag_syntax", at + 1, L"tag");
  }

private:
  XmlNode Text() {
    int i = node_.start;
    bool blank = true;
    for (; i < len_ && s_[i] != L'<'; ++i)
      if (!IsSpace(s_[i])) blank = false;
    return Done(blank ? XmlNodeWhitespace : XmlNodeText, i);
  }

  XmlNode StartTag() {
    int i = node_.start + 1;
    node_.nameStart = i;
    while (i < len_ && !IsSpace(s_[i]) && s_[i] != L'/' && s_[i] != L'>') ++i;
    int nameEnd = i;
    node_.nameLength = nameEnd - node_.nameStart;
    bool afterEquals = false;
    for (; i < len_; ++i) {
      wchar_t c = s_[i];
      if (c == L'>') {
        node_.emptyElement = s_[i - 1] == L'/' &&
                             (i - 1 == nameEnd || IsSpace(s_[i - 2]) || IsQuote(s_[i - 2]));
        return Done(XmlNodeElement, i + 1);
      }
      if (c == L'=') {
        afterEquals = true;
      } else if (IsQuote(c) && afterEquals) {
        int close = Find(c, i + 1);
        if (close < 0) break;
        i = close;
        afterEquals = false;
      } else if (!IsSpace(c)) {
        afterEquals = false;
      }
    }
    return Unterminated(L"start_tag");
  }

  XmlNode EndTag() {
    int i = node_.start + 2;
    node_.nameStart = i;
    while (i < len_ && !IsSpace(s_[i]) && s_[i] != L'/' && s_[i] != L'>') ++i;
    node_.nameLength = i - node_.nameStart;
    int close = Find(L'>', i);
    if (close < 0) return Unterminated(L"end_tag");
    return Done(XmlNodeEndTag, close + 1);
  }

  XmlNode Exclamation() {
    int at = node_.start;
    if (at + 2 >= len_) return Unterminated(L"tag");
    wchar_t c = s_[at + 2];
    if (c == L'-') {
      if (at + 3 >= len_) return Unterminated(L"tag");
      if (s_[at + 3] != L'-') return Error(L"comment_tag_syntax", at + 3, L"tag");
      return Closed(at + 4, L"--", XmlNodeComment, L"comment");
    }
    if (c == L'[') {
      if (at + 3 >= len_) return Unterminated(L"tag");
      if (s_[at + 3] != L'C') return Error(L"cdata_section_syntax", at + 3, L"tag");
      return Closed(at + 4, L"]]", XmlNodeCData, L"cdata_section");
    }
    if (c == L'D') return DocType();
    return Error(L"exclamation_tag_syntax", at + 2, L"tag");
  }

  // Markup declarations and comments of an internal subset are stepped over whole, so
  // a ">" inside them does not end the declaration.
  XmlNode DocType() {
    for (int i = node_.start + 3; i < len_; ++i) {
      if (s_[i] == L'>') return Done(XmlNodeDocType, i + 1);
      if (s_[i] != L'<' || i + 1 >= len_ || s_[i + 1] != L'!') continue;
      if (i + 2 >= len_) break;
      wchar_t c = s_[i + 2];
      if (c == L'E' || c == L'A' || c == L'N') {
        int end = SkipDeclaration(i + 3);
        if (end < 0) break;
        i = end;
      } else if (c == L'-' && i + 3 < len_ && s_[i + 3] == L'-') {
        int end = FindClose(i + 4, L"--");
        if (end < 0) break;
        i = end;
      } else if (c == L'-' && i + 3 >= len_) {
        break;
      } else {
        return Error(L"doctype_tag_syntax", i + 2, L"document_type");
      }
    }
    return Unterminated(L"document_type");
  }

  int SkipDeclaration(int i) {
    wchar_t quote = 0;
    for (; i < len_; ++i) {
      wchar_t c = s_[i];
      if (quote) {
        if (c == quote) quote = 0;
      } else if (IsQuote(c)) {
        quote = c;
      } else if (c == L'>') {
        return i;
      }
    }
    return -1;
  }

  // A node that ends at the first ">" preceded by `tail` ("?>", "-->", "]]>").
  XmlNode Closed(int from, const wchar_t* tail, int kind, const wchar_t* type) {
    int end = FindClose(from, tail);
    if (end < 0) return Unterminated(type);
    return Done(kind, end + 1);
  }

  int FindClose(int from, const wchar_t* tail) {
    int n = static_cast<int>(wcslen(tail));
    for (int i = from; i < len_; ++i) {
      if (s_[i] != L'>') continue;
      bool match = true;
      for (int k = 0; k < n && match; ++k) match = s_[i - n + k] == tail[k];
      if (match) return i;
    }
    return -1;
  }

  // Skips a broken node to its ">" (inclusive) or to a "<" that comes first.
  XmlNode Error(const wchar_t* name, int from, const wchar_t* type) {
    AddNote(name, nullptr);
    node_.kind = XmlNodeError;
    bool afterEquals = false;
    for (int i = from; i < len_; ++i) {
      wchar_t c = s_[i];
      if (c == L'>') return Done(XmlNodeError, i + 1);
      if (c == L'<') return Done(XmlNodeError, i);
      if (c == L'=') {
        afterEquals = true;
      } else if (IsQuote(c) && afterEquals) {
        int close = Find(c, i + 1);
        if (close < 0) break;
        i = close;
        afterEquals = false;
      } else if (!IsSpace(c)) {
        afterEquals = false;
      }
    }
    return Unterminated(type);
  }

  XmlNode Unterminated(const wchar_t* type) {
    AddNote(L"unterminated_tag_syntax", type);
    return Done(XmlNodeError, len_);
  }

  XmlNode Done(int kind, int end) {
    node_.kind = kind;
    node_.length = end - node_.start;
    return node_;
  }

  void AddNote(const wchar_t* name, const wchar_t* type) {
    if (node_.noteCount < 2) node_.notes[node_.noteCount++] = {name, type, node_.start};
  }

  int Find(wchar_t c, int from) const {
    for (int i = from; i < len_; ++i)
      if (s_[i] == c) return i;
    return -1;
  }

  const wchar_t* s_;
  int len_;
  XmlNode node_;
};

}  // namespace

XmlNode XmlDoc::ScanNode(const wchar_t* text, int length, int offset) {
  if (!text || length < 0) length = 0;
  if (offset < 0) offset = 0;
  return NodeScanner(text, length, offset).Scan();
}
