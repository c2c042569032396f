// XmlDoc: reading and writing files in the encoding a byte-order mark, the document's
// own declaration or its bytes tell, with a note for every step.
#include "support/XmlDoc.h"
#include <algorithm>
#include <cstring>
#include <cwchar>
#include <string>
#include "support/XmlEncoding.h"

namespace {

struct ByteOrderMark {
  unsigned char bytes[3];
  int size;
  const wchar_t* name;
  int flag;
  int charSize;
};

// In the order they are tried; UTF-32LE's FF FE 00 00 reads as UTF-16LE whose zero
// units are then dropped.
const ByteOrderMark kMarks[] = {
    {{0xEF, 0xBB, 0xBF}, 3, L"UTF-8", XmlFileUtf8Bom, 1},
    {{0xFF, 0xFE, 0}, 2, L"UTF-16LE", XmlFileUtf16LE, 2},
    {{0xFE, 0xFF, 0}, 2, L"UTF-16BE", XmlFileUtf16BE, 2},
};

bool IsOneOf(const wchar_t* set, wchar_t c) { return c && wcschr(set, c); }

constexpr int kMarkFlags = XmlFileUtf16LE | XmlFileUtf8Bom | XmlFileUtf16BE;
constexpr int kOpenFlags = XmlFileReading | XmlFileWriting | XmlFileAppend;
constexpr DWORD kPreambleSize = 1024;
// Larger files are refused: the text, its conversion and the index must fit in memory.
constexpr LONGLONG kMaxFileSize = 64LL << 20;

class FileHandle {
public:
  explicit FileHandle(HANDLE h) : h_(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
  ~FileHandle() { Close(); }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  explicit operator bool() const { return h_ != nullptr; }
  HANDLE get() const { return h_; }
  bool Close() {
    bool ok = !h_ || CloseHandle(h_);
    h_ = nullptr;
    return ok;
  }

private:
  HANDLE h_;
};

bool ReadAll(HANDLE h, void* data, size_t size) {
  auto* p = static_cast<char*>(data);
  while (size > 0) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(size, 1u << 30));
    DWORD got = 0;
    if (!ReadFile(h, p, chunk, &got, nullptr)) return false;
    if (got == 0) {
      SetLastError(ERROR_HANDLE_EOF);  // the file shrank while we read it
      return false;
    }
    p += got;
    size -= got;
  }
  return true;
}

bool WriteAll(HANDLE h, const void* data, size_t size) {
  auto* p = static_cast<const char*>(data);
  while (size > 0) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(size, 1u << 30));
    DWORD put = 0;
    if (!WriteFile(h, p, chunk, &put, nullptr) || put == 0) return false;
    p += put;
    size -= put;
  }
  return true;
}

// "file_error": the first line of the system's text for the error (none when the text
// does not fit in 100 characters) and the error number.
void FileError(XmlDoc& notes, DWORD error) {
  wchar_t text[100];
  DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                           error, 0, text, 100, nullptr);
  CString msg(text, static_cast<int>(n));
  int eol = msg.FindOneOf(L"\r\n");
  if (eol >= 0) msg = msg.Left(eol);
  notes.AddResultNote(L"file_error", XmlNoteMsg | XmlNoteN, msg, static_cast<int>(error));
}

// The word after "charset=" in a content type such as "text/html; charset=utf-8".
CString CharsetOf(const CString& contentType) {
  CString lower = contentType;
  lower.MakeLower();
  int i = lower.Find(L"charset");
  if (i < 0) return CString();
  i += 7;
  while (contentType.GetAt(i) == L' ') ++i;
  if (contentType.GetAt(i) != L'=') return CString();
  ++i;
  while (contentType.GetAt(i) == L' ' || contentType.GetAt(i) == L'"' || contentType.GetAt(i) == L'\'') ++i;
  int b = i;
  while (i < contentType.GetLength() && !IsOneOf(L" \t\r\n;\"'", contentType.GetAt(i))) ++i;
  return contentType.Mid(b, i - b);
}

const ByteOrderMark* MarkOf(int flags) {
  for (const auto& m : kMarks)
    if (flags & m.flag) return &m;
  return nullptr;
}

// Converts 8-bit file bytes to the program's text; a named encoding the platform cannot
// convert falls back to UTF-8 when the bytes are valid UTF-8, else to the ANSI code page.
bool BytesToText(const std::string& bytes, CString& encoding, CString& text) {
  UINT cp = XmlEncoding::CodePageOf(encoding);
  int units = static_cast<int>(bytes.size()) / XmlEncoding::UnitSize(cp);
  // A UTF-16 name without a 16-bit mark: the declaration was readable as 8-bit text,
  // so the bytes are not UTF-16 whatever they claim.
  bool sixteen = cp == XmlEncoding::kUtf16 || cp == XmlEncoding::kUtf16BE;
  int n = sixteen ? 0 : XmlEncoding::Convert(cp, bytes.data(), units, XmlEncoding::kUtf16, nullptr, 0, nullptr);
  if (n <= 0 && !bytes.empty()) {
    bool utf8 = XmlEncoding::IsUtf8(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    encoding = utf8 ? L"UTF-8" : L"";
    cp = utf8 ? XmlEncoding::kUtf8 : 0;
    units = static_cast<int>(bytes.size());
    n = XmlEncoding::Convert(cp, bytes.data(), units, XmlEncoding::kUtf16, nullptr, 0, nullptr);
  }
  if (n <= 0) return bytes.empty();
  std::wstring& t = text.str();
  t.reserve(t.size() + n + n / 100);
  size_t at = t.size();
  t.resize(at + n);
  n = XmlEncoding::Convert(cp, bytes.data(), units, XmlEncoding::kUtf16, t.data() + at, n, nullptr);
  t.resize(at + std::max(n, 0));
  return true;
}

bool ReadBody(HANDLE file, DWORD length, CString& text, XmlDoc& notes, int& flags) {
  std::string preamble(std::min(length, kPreambleSize), '\0');
  if (!ReadAll(file, preamble.data(), preamble.size())) {
    FileError(notes, GetLastError());
    return false;
  }
  flags &= ~kMarkFlags;
  if (length == 0) {
    notes.AddResultNote(L"read", XmlNoteEncoding | XmlNoteLength, L"", 0);
    return true;
  }
  const ByteOrderMark* mark = nullptr;
  for (const auto& m : kMarks) {
    if (preamble.size() >= static_cast<size_t>(m.size) && memcmp(preamble.data(), m.bytes, m.size) == 0) {
      mark = &m;
      break;
    }
  }
  CString encoding;
  if (mark) {
    flags |= mark->flag;
    encoding = mark->name;
    notes.AddResultNote(L"bom", 0, nullptr, -1);
  } else {
    std::wstring head(preamble.size(), L'\0');
    int n = MultiByteToWideChar(CP_UTF8, 0, preamble.data(), static_cast<int>(preamble.size()),
                                head.data(), static_cast<int>(head.size()));
    encoding = XmlDoc::GetDeclaredEncoding(head.c_str(), std::max(n, 0));
    if (encoding.IsEmpty() && preamble[0] == '<') encoding = L"UTF-8";
  }

  DWORD skip = mark ? mark->size : 0;
  LARGE_INTEGER to;
  to.QuadPart = skip;
  std::string bytes(length - skip, '\0');
  if (!SetFilePointerEx(file, to, nullptr, FILE_BEGIN) || !ReadAll(file, bytes.data(), bytes.size())) {
    FileError(notes, GetLastError());
    return false;
  }

  if (mark && mark->charSize == 2) {
    std::wstring units(bytes.size() / 2, L'\0');
    memcpy(units.data(), bytes.data(), units.size() * 2);
    notes.AddResultNote(L"read", XmlNoteEncoding | XmlNoteLength, encoding, static_cast<int>(units.size()));
    size_t nulls = std::erase(units, L'\0');
    if (nulls) notes.AddResultNote(L"nulls_removed", XmlNoteCount, nullptr, static_cast<int>(nulls));
    if (flags & XmlFileUtf16BE) {
      for (auto& u : units) u = static_cast<wchar_t>((u << 8) | (u >> 8));
      notes.AddResultNote(L"endian_swap", 0, nullptr, -1);
    }
    text.str().reserve(units.size() + units.size() / 100);
    text += CString(std::move(units));
    return true;
  }

  notes.AddResultNote(L"read", XmlNoteEncoding | XmlNoteLength, encoding, static_cast<int>(bytes.size()));
  size_t nulls = std::erase(bytes, '\0');
  if (nulls) notes.AddResultNote(L"nulls_removed", XmlNoteCount, nullptr, static_cast<int>(nulls));
  if (encoding.IsEmpty()) {
    if (XmlEncoding::IsUtf8(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size())) {
      encoding = L"UTF-8";
      notes.AddResultNote(L"read", XmlNoteUpdate | XmlNoteEncoding, encoding, -1);
    }
    notes.AddResultNote(L"utf8_detection", 0, nullptr, -1);
  }
  BytesToText(bytes, encoding, text);
  notes.AddResultNote(L"converted_to", XmlNoteEncoding | XmlNoteLength, L"UTF-16", text.GetLength());
  return true;
}

// The file's bytes for a text in an 8-bit (or 32-bit) encoding. A code page the platform
// cannot write to falls back to UTF-8, which reads back through the same fallback.
std::string TextToBytes(const CString& text, CString& encoding, XmlDoc& notes) {
  UINT cp = XmlEncoding::CodePageOf(encoding);
  bool lossy = false;
  int n = XmlEncoding::Convert(XmlEncoding::kUtf16, text.GetString(), text.GetLength(), cp, nullptr, 0, nullptr);
  if (n <= 0) {
    encoding = L"UTF-8";
    cp = XmlEncoding::kUtf8;
    n = XmlEncoding::Convert(XmlEncoding::kUtf16, text.GetString(), text.GetLength(), cp, nullptr, 0, nullptr);
  }
  const int unitSize = XmlEncoding::UnitSize(cp);
  std::string bytes(static_cast<size_t>(std::max(n, 0)) * unitSize, '\0');
  n = XmlEncoding::Convert(XmlEncoding::kUtf16, text.GetString(), text.GetLength(), cp, bytes.data(), n, &lossy);
  bytes.resize(static_cast<size_t>(std::max(n, 0)) * unitSize);
  notes.AddResultNote(L"converted_from", XmlNoteEncoding | XmlNoteLength, L"UTF-16", text.GetLength());
  if (lossy) notes.AddResultNote(L"conversion_loss", 0, nullptr, -1);
  return bytes;
}

}  // namespace

bool XmlDoc::ReadTextFile(const wchar_t* path, CString& text, CString* result, int* flags) {
  XmlDoc notes;
  int f = (flags ? *flags : 0) | XmlFileReading;
  text.Empty();
  FileHandle file(CreateFileW(path ? path : L"", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    FileError(notes, GetLastError());
    if (result) *result = notes.GetResult();
    return false;
  }
  LARGE_INTEGER size{};
  bool ok = true;
  if (!GetFileSizeEx(file.get(), &size)) {
    FileError(notes, GetLastError());
    ok = false;
  } else if (size.QuadPart > kMaxFileSize) {
    FileError(notes, ERROR_FILE_TOO_LARGE);
    ok = false;
  } else {
    ok = ReadBody(file.get(), static_cast<DWORD>(size.QuadPart), text, notes, f);
  }
  if (!file.Close()) {
    FileError(notes, GetLastError());
    ok = false;
  }
  if (!ok) text.Empty();
  if (flags) *flags = f & ~kOpenFlags;
  if (result) *result = notes.GetResult();
  return ok;
}

bool XmlDoc::WriteTextFile(const wchar_t* path, const CString& text, CString* result, int* flags) {
  XmlDoc notes;
  int f = (flags ? *flags : 0) | XmlFileWriting;
  const ByteOrderMark* mark = MarkOf(f);
  CString encoding;
  if (mark) {
    encoding = mark->name;
  } else if (!text.IsEmpty()) {
    encoding = GetDeclaredEncoding(text.GetString(), text.GetLength());
    if (encoding.IsEmpty()) encoding = L"UTF-8";
    // A text that declares UTF-16 is written as UTF-16 with its mark, so that it reads back.
    UINT cp = XmlEncoding::CodePageOf(encoding);
    if (cp == XmlEncoding::kUtf16 || cp == XmlEncoding::kUtf16BE) {
      f |= cp == XmlEncoding::kUtf16 ? XmlFileUtf16LE : XmlFileUtf16BE;
      mark = MarkOf(f);
    }
  }

  const bool append = (f & XmlFileAppend) != 0;
  FileHandle file(CreateFileW(path ? path : L"", append ? FILE_APPEND_DATA : GENERIC_WRITE,
                              FILE_SHARE_READ, nullptr, append ? OPEN_ALWAYS : CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    FileError(notes, GetLastError());
    if (result) *result = notes.GetResult();
    return false;
  }
  LARGE_INTEGER existing{};
  if (append) GetFileSizeEx(file.get(), &existing);

  bool ok = true;
  if (mark && existing.QuadPart == 0) ok = WriteAll(file.get(), mark->bytes, mark->size);
  if (!ok) {
    FileError(notes, GetLastError());
  } else if (text.IsEmpty()) {
    notes.AddResultNote(L"write", XmlNoteEncoding | XmlNoteLength, encoding, 0);
  } else {
    std::string bytes;
    if (mark && mark->charSize == 2) {
      std::wstring units = text.str();
      if (f & XmlFileUtf16BE) {
        for (auto& u : units) u = static_cast<wchar_t>((u << 8) | (u >> 8));
        notes.AddResultNote(L"endian_swap", 0, nullptr, -1);
      }
      bytes.assign(reinterpret_cast<const char*>(units.data()), units.size() * 2);
    } else {
      bytes = TextToBytes(text, encoding, notes);
    }
    const int unitSize = mark ? mark->charSize : XmlEncoding::UnitSize(XmlEncoding::CodePageOf(encoding));
    ok = WriteAll(file.get(), bytes.data(), bytes.size());
    if (ok)
      notes.AddResultNote(L"write", XmlNoteEncoding | XmlNoteLength, encoding,
                          static_cast<int>(bytes.size() / unitSize));
    else
      FileError(notes, GetLastError());
  }
  if (!file.Close()) {
    FileError(notes, GetLastError());
    ok = false;
  }
  if (flags) *flags = f & ~kOpenFlags;
  if (result) *result = notes.GetResult();
  return ok;
}

bool XmlDoc::Load(const wchar_t* path) {
  if (!ReadTextFile(path, m_doc, &m_result, &m_docFlags)) {
    // Nothing of an earlier document may stay indexed over the emptied text.
    m_doc.Empty();
    ResetCursor();
    ResetIndex();
    return false;
  }
  return ParseDoc();
}

bool XmlDoc::Save(const wchar_t* path) { return WriteTextFile(path, m_doc, &m_result, &m_docFlags); }

int XmlDoc::ConvertText(const wchar_t* fromEncoding, const void* source, int sourceUnits,
                        const wchar_t* toEncoding, void* target, int targetUnits, bool* lossy) {
  return XmlEncoding::Convert(XmlEncoding::CodePageOf(fromEncoding), source, sourceUnits,
                              XmlEncoding::CodePageOf(toEncoding), target, targetUnits, lossy);
}

CString XmlDoc::GetDeclaredEncoding(const wchar_t* text, int length) {
  if (!text) return CString();
  if (length < 0) length = static_cast<int>(wcslen(text));
  bool html = false;
  for (int offset = 0;;) {
    XmlNode node = ScanNode(text, length, offset);
    offset = node.start + node.length;
    CString name(text + node.nameStart, node.nameLength);
    switch (node.kind) {
      case XmlNodeError:
      case XmlNodeEndOfText:
        return CString();
      case XmlNodeInstruction:
        if (node.start == 0) {
          // "<?xml" followed by the end of the word: the declaration.
          int i = 2;
          while (i < offset && !IsOneOf(L" \t\r\n?>", text[i])) ++i;
          if (CString(text + 2, i - 2) == L"xml") {
            AttributeSpan a = FindAttribute(text, 2, offset, L"encoding");
            if (!a.found || !a.hasValue) return CString();
            return UnescapeText(text + a.innerStart, a.innerEnd - a.innerStart);
          }
        }
        break;
      case XmlNodeElement:
        if (!html) {
          if (name.CompareNoCase(L"html") != 0) return CString();
          html = true;
        } else if (name.CompareNoCase(L"meta") == 0) {
          AttributeSpan equiv = FindAttribute(text, node.start + 1, offset, L"http-equiv");
          AttributeSpan content = FindAttribute(text, node.start + 1, offset, L"content");
          if (!equiv.hasValue || !content.hasValue) break;
          CString equivValue = UnescapeText(text + equiv.innerStart, equiv.innerEnd - equiv.innerStart);
          if (equivValue.CompareNoCase(L"Content-Type") != 0) break;
          CString charset = CharsetOf(UnescapeText(text + content.innerStart, content.innerEnd - content.innerStart));
          if (!charset.IsEmpty()) return charset;
        }
        break;
      case XmlNodeEndTag:
        if (name.CompareNoCase(L"head") == 0) return CString();
        break;
      default:
        break;
    }
  }
}
