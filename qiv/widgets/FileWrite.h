// Whole-file writes that never leave a file half written: the bytes go to a temporary
// file beside the target, which replaces the target only once it is complete.
#pragma once
#include <windows.h>
#include <cstdint>
#include <vector>
#include "core/CString.h"
#include "qiv_export.h"

// Writes `size` bytes as the whole content of `path` (wide-character path, any script).
// On failure the previous file, if any, is left as it was; false is answered.
QIV_API bool WriteFileReplacing(const CString& path, const void* data, size_t size);

// The whole content of a file; false when it cannot be read.
QIV_API bool ReadWholeFile(const CString& path, std::vector<uint8_t>& bytes);

// Creates a folder and every missing folder above it; true when it exists afterwards.
QIV_API bool EnsureFolder(const CString& folder);

// The folder part of a path (without its trailing separator); empty for a bare name.
QIV_API CString FolderOfFile(const CString& path);
