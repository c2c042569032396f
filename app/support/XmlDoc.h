// An XML document kept as one UTF-16 text plus an index of where each element starts
// and ends. Readers walk a cursor (parent, current, child) through the index and read
// attributes straight out of the text; edits change the text in place and shift the
// index with it. Nothing throws: operations answer bool and leave notes about what they
// met in the result text, itself a small XML text.
#pragma once
#include <windows.h>
#include <vector>
#include "core/CString.h"
#include "support/XmlElementIndex.h"

// What the scanner found at an offset of the text.
enum XmlNodeKind {
  XmlNodeEndTag = 0,
  XmlNodeElement = 1,  // a start tag, also an empty-element tag
  XmlNodeText = 2,
  XmlNodeWhitespace = 4,
  XmlNodeCData = 8,
  XmlNodeInstruction = 16,  // also the XML declaration
  XmlNodeComment = 32,
  XmlNodeDocType = 64,
  XmlNodeError = -1,
  XmlNodeEndOfText = -2
};

// A syntax problem the scanner met in one node; the parser turns it into a note.
struct XmlNodeNote {
  const wchar_t* name = nullptr;
  const wchar_t* type = nullptr;  // the "type" attribute, or null
  int offset = 0;
};

struct XmlNode {
  int kind = XmlNodeEndOfText;
  int start = 0;
  int length = 0;
  int nameStart = 0;  // start and end tags: the tag name
  int nameLength = 0;
  bool emptyElement = false;
  int noteCount = 0;
  XmlNodeNote notes[2];
};

enum XmlAddFlags {
  XmlAddCData = 0x1,            // the value goes into a CDATA section
  XmlAddNoLines = 0x2,          // no CRLF around the new element
  XmlAddSpaceBeforeSlash = 0x4, // " />" instead of "/>"
  XmlAddNoEnd = 0x10,           // only the start tag: the element is left unended
  XmlAddChild = 0x4000          // add into the current element; it stays current
};

enum XmlEscapeFlags { XmlEscapeAttribute = 0x100 };

// Document flags: the file encoding found on reading, wanted on writing.
enum XmlFileFlags {
  XmlFileUtf16LE = 0x1,
  XmlFileUtf8Bom = 0x4,
  XmlFileReading = 0x10,
  XmlFileWriting = 0x20,
  XmlFileAppend = 0x40,
  XmlFileUtf16BE = 0x80
};

// Which attribute a result note's text and number go to.
enum XmlNoteFlags {
  XmlNoteCount = 0x1,
  XmlNoteType = 0x2,
  XmlNoteN = 0x4,
  XmlNoteEncoding = 0x8,
  XmlNoteLength = 0x10,
  XmlNoteUpdate = 0x20,  // change the first earlier note of that name
  XmlNoteMsg = 0x40
};

class XmlDoc {
public:
  XmlDoc();
  explicit XmlDoc(const wchar_t* text);
  ~XmlDoc();
  XmlDoc(const XmlDoc&) = delete;
  XmlDoc& operator=(const XmlDoc&) = delete;

  // Replaces the text (null = empty), clears the notes and parses.
  bool SetDocument(const wchar_t* text);
  const CString& GetDocument() const { return m_doc; }
  const CString& GetResult() const { return m_result; }
  int GetDocFlags() const { return m_docFlags; }
  void SetDocFlags(int flags) { m_docFlags = flags; }

  // Rebuilds the index from the text and puts the cursor at the top.
  bool ParseDoc();
  bool IsWellFormed() const;

  // Cursor moves. FindElement searches the siblings after the current element (or the
  // parent's children from the first when there is none); null or "" takes the next one.
  bool FindElement(const wchar_t* name = nullptr);
  bool IntoElement();
  bool OutOfElement();
  int GetParentPos() const { return m_parent; }
  int GetCurrentPos() const { return m_current; }
  int GetChildPos() const { return m_child; }
  int GetNodeType() const { return m_nodeType; }

  CString GetTagName(int pos) const;
  CString GetAttribute(const wchar_t* name) const;
  CString GetAttribute(int pos, const wchar_t* name) const;
  bool SetAttribute(int pos, const wchar_t* name, const wchar_t* text);
  bool SetAttribute(const wchar_t* name, int value);
  bool AddElement(const wchar_t* name, const wchar_t* value = nullptr, int flags = 0);

  static CString EscapeText(const wchar_t* text, int flags = 0);
  static CString UnescapeText(const wchar_t* text, int length = -1);

  void AddResultNote(const wchar_t* name, int flags, const wchar_t* text, int number,
                     int number2 = -1);

  // Files (XmlDocFile.cpp).
  bool Load(const wchar_t* path);
  bool Save(const wchar_t* path);
  static bool ReadTextFile(const wchar_t* path, CString& text, CString* result, int* flags);
  static bool WriteTextFile(const wchar_t* path, const CString& text, CString* result, int* flags);
  static CString GetDeclaredEncoding(const wchar_t* text, int length = -1);
  // Converts between encodings named as in a declaration ("UTF-16" is the program's own
  // text). Lengths count units of each side; a null target asks for the size needed.
  // `lossy` (may be null) tells whether a character had to be replaced.
  static int ConvertText(const wchar_t* fromEncoding, const void* source, int sourceUnits,
                         const wchar_t* toEncoding, void* target, int targetUnits,
                         bool* lossy = nullptr);

  static XmlNode ScanNode(const wchar_t* text, int length, int offset);

  // The index, for readers that want positions: records 1 .. GetElementCount() - 1.
  int GetElementCount() const { return m_nextFree; }
  const XmlElement& GetElement(int pos) const { return m_index[IsElement(pos) ? pos : 0]; }

private:
  struct OpenElement {
    int pos;
    int nameStart;
    int nameLength;
  };
  // Where an attribute stands in a start tag.
  struct AttributeSpan {
    bool found = false;
    int nameStart = 0;
    int nameEnd = 0;
    bool hasValue = false;
    int valueStart = 0;  // the raw value, quotes included
    int valueEnd = 0;
    int innerStart = 0;  // the value without its quotes
    int innerEnd = 0;
    int lastTokenEnd = 0;  // end of the last token before "/>", ">" or "?>"
  };

  static AttributeSpan FindAttribute(const wchar_t* text, int from, int end, const wchar_t* name);
  static bool NameMatches(const wchar_t* tag, int tagLength, const wchar_t* name);

  bool IsElement(int pos) const { return pos > 0 && pos < m_nextFree; }
  void ResetCursor();
  void ResetIndex();
  void MarkNotWellFormed();
  void Note(const wchar_t* name, int flags, const wchar_t* text, int number, int number2 = -1);
  void LinkLastChild(int parent, int pos);
  void LinkAfter(int after, int pos);
  void CloseUnended(std::vector<OpenElement>& open, size_t from, int offset2);
  // Replaces `removeCount` characters at `at`; grows the capacity by half plus 128.
  void ReplaceText(int at, int removeCount, const CString& insert);
  // After `delta` characters were inserted (or removed) at `at` inside element `pos`.
  void ShiftIndex(int pos, int at, int delta);
  int ContentEnd(int pos) const;

  CString m_doc;
  CString m_result;
  int m_parent = 0;
  int m_current = 0;
  int m_child = 0;
  int m_nextFree = 1;
  int m_nodeType = 0;
  int m_docFlags = 0;
  XmlElementIndex m_index;
  bool m_quiet = false;  // scratch documents of the note builder keep no notes
};
