// A wide string with the interface the library and the program use throughout
// (lengths, searches, formatting, buffers handed to Win32), kept over std::wstring.
// Header-only: both modules share one runtime and one heap.
#pragma once
#include <windows.h>
#include <cstdarg>
#include <cwchar>
#include <cwctype>
#include <string>
#include <string_view>

class CString {
public:
  CString() = default;
  CString(const wchar_t* s) : s_(s ? s : L"") {}
  CString(const wchar_t* s, int len) : s_(s ? std::wstring(s, len > 0 ? len : 0) : std::wstring()) {}
  CString(std::wstring s) : s_(std::move(s)) {}
  CString(std::wstring_view s) : s_(s) {}
  CString(wchar_t ch, int repeat = 1) : s_(repeat > 0 ? repeat : 0, ch) {}
  // Narrow text is taken in the system code page, as Win32 "A" functions do.
  explicit CString(const char* s) { if (s && *s) s_ = Widen(s, CP_ACP); }

  operator const wchar_t*() const { return s_.c_str(); }
  const wchar_t* GetString() const { return s_.c_str(); }
  const std::wstring& str() const { return s_; }
  std::wstring& str() { return s_; }

  int GetLength() const { return static_cast<int>(s_.size()); }
  bool IsEmpty() const { return s_.empty(); }
  void Empty() { s_.clear(); }
  wchar_t GetAt(int i) const { return (i >= 0 && i < GetLength()) ? s_[i] : L'\0'; }
  void SetAt(int i, wchar_t c) { if (i >= 0 && i < GetLength()) s_[i] = c; }
  wchar_t operator[](int i) const { return GetAt(i); }

  CString& operator=(const wchar_t* s) { s_ = s ? s : L""; return *this; }
  CString& operator+=(const CString& o) { s_ += o.s_; return *this; }
  CString& operator+=(const wchar_t* s) { if (s) s_ += s; return *this; }
  CString& operator+=(wchar_t c) { s_ += c; return *this; }
  void Append(const wchar_t* s) { if (s) s_ += s; }
  void AppendChar(wchar_t c) { s_ += c; }

  friend CString operator+(const CString& a, const CString& b) { return CString(a.s_ + b.s_); }
  friend CString operator+(const CString& a, const wchar_t* b) { return CString(a.s_ + (b ? b : L"")); }
  friend CString operator+(const wchar_t* a, const CString& b) { return CString((a ? a : L"") + b.s_); }
  friend CString operator+(const CString& a, wchar_t c) { return CString(a.s_ + c); }
  friend bool operator==(const CString& a, const CString& b) { return a.s_ == b.s_; }
  friend bool operator==(const CString& a, const wchar_t* b) { return a.s_ == (b ? b : L""); }
  friend bool operator!=(const CString& a, const CString& b) { return a.s_ != b.s_; }
  friend bool operator!=(const CString& a, const wchar_t* b) { return !(a == b); }
  friend bool operator<(const CString& a, const CString& b) { return a.s_ < b.s_; }

  int Compare(const wchar_t* o) const { return std::wcscmp(s_.c_str(), o ? o : L""); }
  int CompareNoCase(const wchar_t* o) const { return _wcsicmp(s_.c_str(), o ? o : L""); }

  CString Left(int n) const { return n <= 0 ? CString() : CString(s_.substr(0, n)); }
  CString Right(int n) const {
    if (n <= 0) return CString();
    return n >= GetLength() ? *this : CString(s_.substr(s_.size() - n));
  }
  CString Mid(int first) const { return Mid(first, GetLength()); }
  CString Mid(int first, int count) const {
    if (first < 0) first = 0;
    if (first >= GetLength() || count <= 0) return CString();
    return CString(s_.substr(first, count));
  }

  int Find(wchar_t c, int start = 0) const { return Pos(start < 0 ? std::wstring::npos : s_.find(c, start)); }
  int Find(const wchar_t* sub, int start = 0) const {
    if (!sub || start < 0) return -1;
    return Pos(s_.find(sub, start));
  }
  int ReverseFind(wchar_t c) const { return Pos(s_.rfind(c)); }
  int FindOneOf(const wchar_t* set) const { return set ? Pos(s_.find_first_of(set)) : -1; }

  int Replace(const wchar_t* from, const wchar_t* to) {
    if (!from || !*from) return 0;
    std::wstring f(from), t(to ? to : L"");
    int n = 0;
    for (size_t p = s_.find(f); p != std::wstring::npos; p = s_.find(f, p + t.size())) {
      s_.replace(p, f.size(), t);
      ++n;
    }
    return n;
  }
  int Replace(wchar_t from, wchar_t to) {
    int n = 0;
    for (auto& c : s_) if (c == from) { c = to; ++n; }
    return n;
  }
  int Remove(wchar_t c) {
    size_t before = s_.size();
    std::erase(s_, c);
    return static_cast<int>(before - s_.size());
  }
  int Insert(int at, const wchar_t* s) {
    if (at < 0) at = 0;
    if (at > GetLength()) at = GetLength();
    if (s) s_.insert(at, s);
    return GetLength();
  }
  int Delete(int at, int count = 1) {
    if (at >= 0 && at < GetLength() && count > 0) s_.erase(at, count);
    return GetLength();
  }

  CString& MakeLower() { for (auto& c : s_) c = static_cast<wchar_t>(std::towlower(c)); return *this; }
  CString& MakeUpper() { for (auto& c : s_) c = static_cast<wchar_t>(std::towupper(c)); return *this; }
  CString& TrimLeft(const wchar_t* set = L" \t\r\n") { s_.erase(0, s_.find_first_not_of(set)); return *this; }
  CString& TrimRight(const wchar_t* set = L" \t\r\n") {
    size_t p = s_.find_last_not_of(set);
    s_.erase(p == std::wstring::npos ? 0 : p + 1);
    return *this;
  }
  CString& Trim(const wchar_t* set = L" \t\r\n") { TrimRight(set); return TrimLeft(set); }

  // Next token from `pos` delimited by any of `delims`; pos becomes -1 after the last one.
  CString Tokenize(const wchar_t* delims, int& pos) const {
    if (pos < 0 || !delims) { pos = -1; return CString(); }
    size_t b = s_.find_first_not_of(delims, pos);
    if (b == std::wstring::npos) { pos = -1; return CString(); }
    size_t e = s_.find_first_of(delims, b);
    pos = e == std::wstring::npos ? GetLength() : static_cast<int>(e) + 1;
    return CString(s_.substr(b, e == std::wstring::npos ? std::wstring::npos : e - b));
  }

  // printf-style formatting with the Windows meaning of %s (a wide string).
  void Format(const wchar_t* fmt, ...) {
    va_list ap;
    va_start(ap, fmt);
    FormatV(fmt, ap);
    va_end(ap);
  }
  void AppendFormat(const wchar_t* fmt, ...) {
    va_list ap;
    va_start(ap, fmt);
    CString tail;
    tail.FormatV(fmt, ap);
    va_end(ap);
    s_ += tail.s_;
  }
  void FormatV(const wchar_t* fmt, va_list ap) {
    s_.clear();
    if (!fmt) return;
    va_list probe;
    va_copy(probe, ap);
    int n = _vscwprintf(fmt, probe);
    va_end(probe);
    if (n <= 0) return;
    s_.resize(n + 1);
    _vsnwprintf(s_.data(), s_.size(), fmt, ap);
    s_.resize(n);
  }

  // Room for `minLength` characters to hand to a Win32 call; ReleaseBuffer trims the
  // string to the text actually written (up to the first null, or to `newLength`).
  wchar_t* GetBuffer(int minLength = 0) {
    if (minLength > GetLength()) s_.resize(minLength);
    return s_.data();
  }
  wchar_t* GetBufferSetLength(int length) { s_.resize(length > 0 ? length : 0); return s_.data(); }
  void ReleaseBuffer(int newLength = -1) {
    if (newLength < 0) s_.resize(std::wcslen(s_.c_str()));
    else if (newLength <= GetLength()) s_.resize(newLength);
  }

  static std::wstring Widen(const char* s, UINT codePage) {
    int n = MultiByteToWideChar(codePage, 0, s, -1, nullptr, 0);
    if (n <= 1) return {};
    std::wstring w(n, L'\0');
    MultiByteToWideChar(codePage, 0, s, -1, w.data(), n);
    w.resize(n - 1);
    return w;
  }

private:
  static int Pos(size_t p) { return p == std::wstring::npos ? -1 : static_cast<int>(p); }
  std::wstring s_;
};
