#include "pages/LedPaths.h"

LedPaths::LedPaths(const CString& dataFolder, const CString& exeFolder, const CString& model)
    : m_data(WithBackslash(dataFolder)), m_exe(WithBackslash(exeFolder)), m_model(model) {}

CString LedPaths::WithBackslash(const CString& folder) {
  if (folder.IsEmpty() || folder[folder.GetLength() - 1] == L'\\') return folder;
  return folder + L"\\";
}

bool LedPaths::IsPlainName(const CString& name) {
  const int n = name.GetLength();
  if (n == 0 || name[n - 1] == L'.' || name[n - 1] == L' ') return false;
  for (int i = 0; i < n; ++i) {
    const wchar_t c = name[i];
    if (c == L'\\' || c == L'/' || c == L':' || c < 32) return false;
  }
  return true;
}

std::optional<CString> LedPaths::Folder(const CString& base, const CString& name) const {
  if (base.IsEmpty() || !IsPlainName(m_model) || !IsPlainName(name)) return std::nullopt;
  CString folder = base + m_model + L"\\" + name + L"\\";
  if (!FitsFolder(folder)) return std::nullopt;
  return folder;
}

std::optional<CString> LedPaths::File(const std::optional<CString>& folder, const CString& name) {
  if (!folder || !IsPlainName(name)) return std::nullopt;
  CString path = *folder + name;
  if (!FitsFile(path)) return std::nullopt;
  return path;
}

std::optional<CString> LedPaths::ModelFolder() const {
  if (m_data.IsEmpty() || !IsPlainName(m_model)) return std::nullopt;
  CString folder = m_data + L"led\\" + m_model + L"\\";
  if (!FitsFolder(folder)) return std::nullopt;
  return folder;
}

std::optional<CString> LedPaths::AnimationFolder(const CString& fileDir) const {
  if (m_data.IsEmpty()) return std::nullopt;
  return Folder(m_data + L"led\\", fileDir);
}

std::optional<CString> LedPaths::FrameFile(const CString& fileDir, const CString& fileName) const {
  return File(AnimationFolder(fileDir), fileName);
}

std::optional<CString> LedPaths::DefaultGif(int slot) const {
  if (m_exe.IsEmpty() || !IsPlainName(m_model)) return std::nullopt;
  CString path;
  path.Format(L"%sgif\\%s\\%d.gif", m_exe.GetString(), m_model.GetString(), slot);
  if (!FitsFile(path)) return std::nullopt;
  return path;
}

std::optional<CString> LedPaths::DefaultPictureFolder() const {
  if (m_data.IsEmpty() || !IsPlainName(m_model)) return std::nullopt;
  CString folder = m_data + L"default_led\\" + m_model + L"\\";
  if (!FitsFolder(folder)) return std::nullopt;
  return folder;
}

std::optional<CString> LedPaths::DefaultPicture(int slot) const {
  CString name;
  name.Format(L"%d.png", slot);
  return File(DefaultPictureFolder(), name);
}
