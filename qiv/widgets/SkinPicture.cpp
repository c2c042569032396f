#include "widgets/SkinPicture.h"
#include "core/MRender.h"
#include "core/Manager.h"

std::unique_ptr<Gdiplus::Image> LoadSkinPicture(const wchar_t* file) {
  if (!file || !*file) return nullptr;
  return std::unique_ptr<Gdiplus::Image>(MRender::LoadImageFromFile(GetSkinsFolder() + file));
}

std::unique_ptr<Gdiplus::Image> LoadPictureCopy(const CString& path) {
  if (path.IsEmpty()) return nullptr;
  return std::unique_ptr<Gdiplus::Image>(MRender::LoadImageFromFileEx(path, 0, 0));
}

bool OwnedPictureStrip::Load(const wchar_t* file, int count) {
  image = LoadSkinPicture(file);
  frames = count > 0 ? count : 1;
  frameWidth = image ? static_cast<int>(image->GetWidth()) / frames : 0;
  frameHeight = image ? static_cast<int>(image->GetHeight()) : 0;
  return image != nullptr;
}
