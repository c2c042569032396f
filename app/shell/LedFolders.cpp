#include "shell/LedFolders.h"

bool IsSingleFolderName(const CString& name) {
  if (name.IsEmpty() || name.FindOneOf(L"\\/:*?\"<>|") >= 0 || name.Find(L"..") >= 0) return false;
  for (int i = 0; i < name.GetLength(); ++i)
    if (name[i] != L'.' && name[i] != L' ') return true;
  return false;
}

CString LedModelFolder(const CString& dataFolder, const CString& model) {
  if (dataFolder.IsEmpty() || !IsSingleFolderName(model)) return CString();
  CString folder = dataFolder;
  const wchar_t last = folder[folder.GetLength() - 1];
  if (last != L'\\' && last != L'/') folder += L"\\";
  return folder + L"led\\" + model + L"\\";
}

CString LedAnimationFolder(const CString& dataFolder, const CString& model, const CString& fileDir) {
  const CString modelFolder = LedModelFolder(dataFolder, model);
  if (modelFolder.IsEmpty() || !IsSingleFolderName(fileDir)) return CString();
  return modelFolder + fileDir + L"\\";
}
