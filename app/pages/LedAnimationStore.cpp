#include "pages/LedAnimationStore.h"
#include <windows.h>
#include <algorithm>
#include "shell/LanguageText.h"
#include "shell/ShellFolders.h"
#include "support/ZipReader.h"

namespace {

constexpr int kMaxStampTries = 1000;

bool Exists(const CString& path) { return ::GetFileAttributesW(path.GetString()) != INVALID_FILE_ATTRIBUTES; }

bool IsFile(const CString& path) {
  const DWORD attributes = ::GetFileAttributesW(path.GetString());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void MakeFolder(const CString& folder) { CreateDirectoryTree(nullptr, folder.GetString()); }

CString WithoutBackslash(const CString& folder) {
  return folder.GetLength() > 0 && folder[folder.GetLength() - 1] == L'\\' ? folder.Left(folder.GetLength() - 1)
                                                                            : folder;
}

CString Tip(int textId, int value) {
  CString tip;
  tip.Format(L"%s %d", LoadLangString(textId).GetString(), value);
  return tip;
}

}  // namespace

LedAnimationStore::LedAnimationStore(KeyboardDataStore& store, const LedPaths& paths, GifSplitter splitter,
                                     LedStampClock clock)
    : m_store(store), m_paths(paths), m_splitter(std::move(splitter)), m_clock(std::move(clock)) {}

CString LedAnimationStore::FreshStamp(const CString& folder, const wchar_t* extension) {
  CString stamp = m_clock.Next();
  // A name from an earlier run (or a clock set back) is passed over.
  for (int i = 0; i < kMaxStampTries && Exists(folder + stamp + extension); ++i) stamp = m_clock.Next();
  return stamp;
}

std::optional<CString> LedAnimationStore::FolderOf(int ledId) {
  LedLayerRecord layer;
  if (!m_store.GetLedLayer(ledId, layer)) return std::nullopt;
  return m_paths.AnimationFolder(layer.file_dir);
}

int LedAnimationStore::ImportDefaults(int slotCount) {
  KeyboardDataStore::RecordList<LedLayerRecord> layers;
  if (m_store.GetLedLayers(1, layers) > 0) return 0;
  KeyboardDataStore::RecordList<TftScreenRecord> screens;
  const bool makeScreenRows = m_store.GetTftScreens(1, screens) == 0;
  int imported = 0;
  for (int slot = 0; slot < std::clamp(slotCount, 0, kMaxSlots); ++slot) imported += ImportSlot(slot, makeScreenRows);
  return imported;
}

bool LedAnimationStore::ImportSlot(int slot, bool makeScreenRow) {
  const std::optional<CString> gif = m_paths.DefaultGif(slot);
  const std::optional<CString> modelFolder = m_paths.ModelFolder();
  if (!gif || !modelFolder || !IsFile(*gif)) return false;
  const CString stamp = FreshStamp(*modelFolder, L"");
  const std::optional<CString> folder = m_paths.AnimationFolder(stamp);
  if (!folder) return false;
  const int ledId = m_store.AddLedLayer(1, stamp);
  if (ledId <= 0) return false;
  MakeFolder(*folder);

  std::vector<int> delays;
  const int frames = m_splitter ? std::max(0, m_splitter(*gif, WithoutBackslash(*folder), delays)) : 0;
  m_store.SetLedLayerFirstFile(ledId, L"0.png");
  m_store.SetLedLayerFrameSize(ledId, frames);

  if (makeScreenRow) {
    const std::optional<CString> pictureFolder = m_paths.DefaultPictureFolder();
    const std::optional<CString> picture = m_paths.DefaultPicture(slot);
    if (pictureFolder && picture) {
      MakeFolder(*pictureFolder);
      ::CopyFileW((*folder + L"0.png").GetString(), picture->GetString(), FALSE);
      m_store.AddTftScreen(1, frames, *picture);
    }
  }

  // A GIF without frame delays shows each frame for the picture default.
  std::vector<LedFrameRecord> rows;
  for (int j = 0; j < frames; ++j) {
    LedFrameRecord r;
    r.led_id = ledId;
    r.name.Format(L"%d.png", j);
    r.file_name = r.name;
    r.delay_time = j < int(delays.size()) ? delays[size_t(j)] : kGifFrameDelay;
    r.frame_index = j;
    rows.push_back(r);
  }
  if (!rows.empty()) m_store.AddLedFrames(std::move(rows));
  return true;
}

LedAnimationStore::Page LedAnimationStore::LoadPage(int slotCount, const int (&limits)[kMaxSlots]) {
  Page page;
  const int slots = std::clamp(slotCount, 0, kMaxSlots);
  KeyboardDataStore::RecordList<LedLayerRecord> layers;
  if (m_store.GetLedLayers(1, layers) == 0) {
    ImportDefaults(slots);
    m_store.GetLedLayers(1, layers);
  }

  KeyboardDataStore::RecordList<TftScreenRecord> screens;
  if (m_store.GetTftScreens(1, screens) > 0) {
    for (int i = 0; i < slots; ++i) page.slots.push_back({CString(), Tip(871, 0), Tip(872, limits[i])});
    for (size_t j = 0; j < screens.size() && j < page.slots.size(); ++j)
      page.slots[j] = {screens[j]->file_name, Tip(871, screens[j]->frame_size), Tip(872, limits[j])};
  }

  // The slots' own animations come first and are not listed.
  for (size_t i = size_t(slots); i < layers.size(); ++i) {
    const LedLayerRecord& layer = *layers[i];
    LedListItem item;
    item.frameSize = layer.frame_size;
    item.ledId = layer.led_id;
    item.text = layer.file_dir;
    if (const std::optional<CString> folder = m_paths.AnimationFolder(layer.file_dir)) {
      MakeFolder(*folder);
      item.text = *folder;
      if (const std::optional<CString> first = m_paths.FrameFile(layer.file_dir, layer.first_file)) item.picture = *first;
    }
    page.animations.push_back(item);
  }
  return page;
}

std::vector<LedFrameItem> LedAnimationStore::LoadFrames(int ledId) {
  std::vector<LedFrameItem> items;
  KeyboardDataStore::RecordList<LedFrameRecord> frames;
  LedLayerRecord layer;
  if (m_store.GetLedFrames(ledId, frames) == 0 || !m_store.GetLedLayer(ledId, layer)) return items;
  for (const auto& frame : frames) {
    LedFrameItem item;
    item.picture = m_paths.FrameFile(layer.file_dir, frame->file_name).value_or(CString());
    item.delay = frame->delay_time;
    item.frameId = frame->frame_id;
    item.name = frame->file_name;
    items.push_back(item);
  }
  return items;
}

int LedAnimationStore::AddAnimation(CString* stampOut) {
  const std::optional<CString> modelFolder = m_paths.ModelFolder();
  if (!modelFolder) return 0;
  const CString stamp = FreshStamp(*modelFolder, L"");
  const std::optional<CString> folder = m_paths.AnimationFolder(stamp);
  if (!folder) return 0;
  const int ledId = m_store.AddLedLayer(1, stamp);
  if (ledId <= 0) return 0;
  MakeFolder(*folder);
  if (stampOut) *stampOut = stamp;
  return ledId;
}

bool LedAnimationStore::DeleteAnimation(int ledId) {
  // Only a folder of this model's animations goes: a row naming anything else (an empty
  // name would be the model's whole folder) keeps its files.
  if (const std::optional<CString> folder = FolderOf(ledId)) DeleteFolderTree(*folder);
  return m_store.DeleteLedLayer(ledId);
}

bool LedAnimationStore::SaveFrames(int ledId, const std::vector<LedStripFrame>& frames) {
  LedLayerRecord layer;
  const bool known = m_store.GetLedLayer(ledId, layer);
  std::vector<LedFrameRecord> rows;
  for (size_t i = 0; i < frames.size(); ++i) {
    const LedStripFrame& f = frames[i];
    if (known && f.editedPicture != f.picture && !f.editedPicture.IsEmpty()) {
      const std::optional<CString> own = m_paths.FrameFile(layer.file_dir, f.name);
      if (own && own->CompareNoCase(f.picture.GetString()) == 0)
        ::CopyFileW(f.editedPicture.GetString(), own->GetString(), FALSE);
    }
    LedFrameRecord r;
    r.led_id = ledId;
    r.name = f.name;
    r.file_name = f.name;
    r.delay_time = f.delay;
    r.frame_index = int(i);
    rows.push_back(r);
  }
  return m_store.ReplaceLedFrames(ledId, std::move(rows)) == int(frames.size());
}

int LedAnimationStore::UpdateSummary(int ledId, const CString& firstFile) {
  const int count = m_store.GetLedFrameCount(ledId);
  m_store.SetLedLayerFirstFile(ledId, firstFile);
  m_store.SetLedLayerFrameSize(ledId, count);
  return count;
}

std::optional<LedFrameItem> LedAnimationStore::AddFrameFile(int ledId, const CString& source, int delay) {
  const std::optional<CString> folder = FolderOf(ledId);
  if (!folder || source.IsEmpty() || !LedPaths::FitsFile(source)) return std::nullopt;
  const CString name = FreshStamp(*folder, L".png") + L".png";
  const CString path = *folder + name;
  if (!LedPaths::FitsFile(path)) return std::nullopt;
  LedFrameItem item;
  item.copied = ::CopyFileW(source.GetString(), path.GetString(), FALSE) != 0;
  item.picture = path;
  item.delay = delay;
  item.frameId = 0;
  item.name = name;
  return item;
}
