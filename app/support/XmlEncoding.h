// Text encodings of XML files: declared names to Windows code pages, conversions
// between them, and the UTF-8 test used when a file names no encoding.
#pragma once
#include <windows.h>
#include <string>

namespace XmlEncoding {

constexpr UINT kUtf16 = 1200;    // the program's own text
constexpr UINT kUtf16BE = 1201;
constexpr UINT kUtf32 = 12000;   // 32-bit units, little-endian
constexpr UINT kUtf8 = 65001;

// 0 (the ANSI code page) for an empty, unknown or overlong name; kUtf32 for any name
// that begins with "UTF-32".
UINT CodePageOf(const wchar_t* name);

// Bytes per unit of text in a code page: 2 for UTF-16, 4 for UTF-32, else 1.
int UnitSize(UINT codePage);

// See XmlDoc::ConvertText.
int Convert(UINT from, const void* source, int sourceUnits, UINT to, void* target,
            int targetUnits, bool* lossy);

// True when every sequence of bytes from 0x80 up decodes (up to the first zero byte).
bool IsUtf8(const unsigned char* data, size_t length);

}  // namespace XmlEncoding
