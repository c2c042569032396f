// Paint manager: the image caches and the private fonts of the window.
#include "core/Manager.h"
#include "core/MRender.h"
#include "core/PaintManager.h"

namespace {
std::unique_ptr<ImgResInfo> MakeEntry(Gdiplus::Image* image, int count) {
  if (!image) return nullptr;
  auto entry = std::make_unique<ImgResInfo>();
  entry->image = image;
  entry->count = count;
  entry->frameWidth = static_cast<int>(image->GetWidth() / static_cast<unsigned>(count));
  entry->height = static_cast<int>(image->GetHeight());
  return entry;
}

// The raw bytes of a "ttf" resource of the library module; null when missing.
const void* FontResource(unsigned id, DWORD& size) {
  HINSTANCE module = Manager::GetResourceInstance();
  HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(id), L"ttf");
  if (!found) return nullptr;
  size = ::SizeofResource(module, found);
  HGLOBAL loaded = ::LoadResource(module, found);
  return loaded ? ::LockResource(loaded) : nullptr;
}

// A copy of the first family of a private collection, or null.
Gdiplus::FontFamily* FirstFamily(Gdiplus::PrivateFontCollection& collection) {
  if (collection.GetFamilyCount() < 1) return nullptr;
  Gdiplus::FontFamily family;
  INT found = 0;
  if (collection.GetFamilies(1, &family, &found) != Gdiplus::Ok || found < 1) return nullptr;
  Gdiplus::FontFamily* copy = family.Clone();
  if (copy && copy->GetLastStatus() != Gdiplus::Ok) {
    delete copy;
    return nullptr;
  }
  return copy;
}
}  // namespace

ImgResInfo* PaintManager::AddImgResInfo(const wchar_t* file, int count) {
  if (!file || count < 1) return nullptr;
  CriticalSectionLock lock(m_imageLock);
  const CString path = GetSkinsFolder() + file;
  auto it = m_skinImages.find(path);
  if (it != m_skinImages.end()) return it->second.get();
  std::unique_ptr<ImgResInfo> entry = MakeEntry(MRender::LoadImageFromFile(path), count);
  if (!entry) return nullptr;
  entry->name = file;
  ImgResInfo* result = entry.get();
  m_cachedImages.insert(result->image);
  m_skinImages[path] = std::move(entry);
  return result;
}

ImgResInfo* PaintManager::AddImgResInfo(unsigned id, CString type, int count, int applicationFlag) {
  if (count < 1) return nullptr;
  CriticalSectionLock lock(m_imageLock);
  auto& cache = applicationFlag ? m_appImages : m_libImages;
  auto it = cache.find(id);
  if (it != cache.end()) return it->second.get();
  HINSTANCE module = applicationFlag ? Manager::GetInstance() : Manager::GetResourceInstance();
  std::unique_ptr<ImgResInfo> entry = MakeEntry(MRender::LoadImageFromIDResource(id, type, module), count);
  if (!entry) return nullptr;
  entry->resId = id;
  ImgResInfo* result = entry.get();
  m_cachedImages.insert(result->image);
  cache[id] = std::move(entry);
  return result;
}

void PaintManager::ClearImgResInfo() {
  CriticalSectionLock lock(m_imageLock);
  // Pictures drawn from these images are known by the images' addresses.
  m_memo.Clear();
  m_cachedImages.clear();
  m_skinImages.clear();
  m_appImages.clear();
  m_libImages.clear();
}

Gdiplus::FontFamily* PaintManager::KeepFamily(const wchar_t* face,
                                              std::unique_ptr<Gdiplus::PrivateFontCollection> collection) {
  Gdiplus::FontFamily* family = FirstFamily(*collection);
  if (!family) return nullptr;
  return KeepFamily(face, family, std::move(collection));
}

Gdiplus::FontFamily* PaintManager::KeepFamily(const wchar_t* face, Gdiplus::FontFamily* family,
                                              std::unique_ptr<Gdiplus::PrivateFontCollection> collection) {
  // The collection stays alive as long as its family: a family outliving its
  // collection is not usable for drawing. A replaced face frees both.
  CriticalSectionLock lock(m_fontLock);
  // Fonts and text drawn in a face that is replaced (or was drawn in the fallback face
  // before this one came) must not outlive it: the old collection goes now.
  const CString prefix = CString(face) + L"|";
  for (auto it = m_gdipFonts.begin(); it != m_gdipFonts.end();)
    it = it->first.str().rfind(prefix.str(), 0) == 0 ? m_gdipFonts.erase(it) : std::next(it);
  m_memo.Clear();
  m_fonts[face].reset(family);
  m_fontCollections[face] = std::move(collection);
  return family;
}

Gdiplus::FontFamily* PaintManager::AddTempFont(const wchar_t* face, const wchar_t* path) {
  if (!face || !path) return nullptr;
  // A font file is loaded into one collection for the whole process, kept until it ends;
  // each window keeps a family of its own from it. Every window (the main one, each
  // dialog and menu) loads the same files: deleting a window's own collection of a file
  // that another window's collection also holds crashed GDI+ (seen under Wine).
  static CriticalSection filesLock;
  static auto* files = new std::map<std::wstring, Gdiplus::PrivateFontCollection*>;  // never freed
  Gdiplus::FontFamily* family = nullptr;
  {
    CriticalSectionLock lock(filesLock);
    Gdiplus::PrivateFontCollection*& shared = (*files)[path];
    if (!shared) {
      auto collection = std::make_unique<Gdiplus::PrivateFontCollection>();
      if (collection->AddFontFile(path) != Gdiplus::Ok) {
        files->erase(path);
        return nullptr;
      }
      shared = collection.release();
    }
    family = FirstFamily(*shared);
  }
  if (!family) return nullptr;
  return KeepFamily(face, family, nullptr);
}

Gdiplus::FontFamily* PaintManager::AddTempFont(const wchar_t* face, unsigned id) {
  DWORD size = 0;
  const void* data = FontResource(id, size);
  if (!face || !data || !size) return nullptr;
  auto collection = std::make_unique<Gdiplus::PrivateFontCollection>();
  if (collection->AddMemoryFont(data, static_cast<INT>(size)) != Gdiplus::Ok) return nullptr;
  return KeepFamily(face, std::move(collection));
}

void PaintManager::AddGDITempFont(unsigned id) {
  DWORD size = 0;
  const void* data = FontResource(id, size);
  if (!data || !size) return;
  DWORD installed = 0;
  HANDLE handle = ::AddFontMemResourceEx(const_cast<void*>(data), size, nullptr, &installed);
  if (!handle) return;
  CriticalSectionLock lock(m_fontLock);
  m_memFonts.push_back(handle);
}

Gdiplus::FontFamily* PaintManager::FindTempFont(const wchar_t* face) {
  if (!face) return nullptr;
  CriticalSectionLock lock(m_fontLock);
  auto it = m_fonts.find(face);
  if (it != m_fonts.end()) return it->second.get();
  auto family = std::make_unique<Gdiplus::FontFamily>(face);
  if (family->GetLastStatus() != Gdiplus::Ok) return nullptr;
  Gdiplus::FontFamily* result = family.get();
  m_fonts[face] = std::move(family);
  return result;
}

bool PaintManager::IsCachedImage(const Gdiplus::Image* image) {
  CriticalSectionLock lock(m_imageLock);
  return image && m_cachedImages.count(image) > 0;
}

const Gdiplus::Font* PaintManager::GetFont(const wchar_t* face, int pixelSize, Gdiplus::FontStyle style) {
  CString key;
  key.Format(L"%s|%d|%d", face ? face : L"", pixelSize, static_cast<int>(style));
  CriticalSectionLock lock(m_fontLock);
  auto it = m_gdipFonts.find(key);
  if (it != m_gdipFonts.end()) return it->second.get();
  const Gdiplus::FontFamily* family = FindTempFont(face);
  if (!family || !family->IsAvailable()) family = Gdiplus::FontFamily::GenericSansSerif();
  auto font = std::make_unique<Gdiplus::Font>(family, static_cast<Gdiplus::REAL>(pixelSize), style, Gdiplus::UnitPixel);
  if (font->GetLastStatus() != Gdiplus::Ok) return nullptr;
  const Gdiplus::Font* result = font.get();
  m_gdipFonts[key] = std::move(font);
  return result;
}

void PaintManager::ClearTempFont() {
  CriticalSectionLock lock(m_fontLock);
  m_gdipFonts.clear();
  m_fonts.clear();
  m_fontCollections.clear();
  for (HANDLE handle : m_memFonts) ::RemoveFontMemResourceEx(handle);
  m_memFonts.clear();
}
