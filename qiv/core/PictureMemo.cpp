#include "core/PictureMemo.h"
#include <algorithm>

PictureMemo::~PictureMemo() = default;

const PixelBlend::Coverage* PictureMemo::FindText(const std::wstring& key) {
  CriticalSectionLock lock(lock_);
  auto it = texts_.find(key);
  if (it == texts_.end()) {
    ++misses_;
    return nullptr;
  }
  ++hits_;
  return &it->second;
}

const MemoPicture* PictureMemo::FindPicture(const std::wstring& key) {
  CriticalSectionLock lock(lock_);
  auto it = pictures_.find(key);
  if (it == pictures_.end()) {
    ++misses_;
    return nullptr;
  }
  ++hits_;
  return &it->second;
}

const PixelBlend::Coverage* PictureMemo::KeepText(const std::wstring& key, PixelBlend::Coverage mask) {
  CriticalSectionLock lock(lock_);
  MakeRoom(mask.levels.size() + key.size() * sizeof(wchar_t));
  bytes_ += mask.levels.size() + key.size() * sizeof(wchar_t);
  auto& kept = texts_[key];
  kept = std::move(mask);
  return &kept;
}

const MemoPicture* PictureMemo::KeepPicture(const std::wstring& key, MemoPicture picture) {
  CriticalSectionLock lock(lock_);
  const size_t size = picture.argb.size() * sizeof(uint32_t) + key.size() * sizeof(wchar_t);
  MakeRoom(size);
  bytes_ += size;
  auto& kept = pictures_[key];
  kept = std::move(picture);
  return &kept;
}

const MemoOverlay* PictureMemo::FindOverlay(const std::wstring& key) {
  CriticalSectionLock lock(lock_);
  auto it = overlays_.find(key);
  if (it == overlays_.end()) {
    ++misses_;
    return nullptr;
  }
  ++hits_;
  return &it->second;
}

const MemoOverlay* PictureMemo::KeepOverlay(const std::wstring& key, MemoOverlay overlay) {
  CriticalSectionLock lock(lock_);
  auto sizeOf = [&](const MemoOverlay& o) {
    return (o.before.size() + o.after.size()) * sizeof(uint32_t) + key.size() * sizeof(wchar_t);
  };
  // A key met again over other pixels (its hash of them collided) replaces the old entry.
  auto old = overlays_.find(key);
  if (old != overlays_.end()) {
    bytes_ -= std::min(bytes_, sizeOf(old->second));
    overlays_.erase(old);
  }
  const size_t size = sizeOf(overlay);
  MakeRoom(size);
  bytes_ += size;
  auto& kept = overlays_[key];
  kept = std::move(overlay);
  return &kept;
}

void PictureMemo::Clear() {
  CriticalSectionLock lock(lock_);
  texts_.clear();
  pictures_.clear();
  overlays_.clear();
  bytes_ = 0;
}

void PictureMemo::MakeRoom(size_t more) {
  // Everything goes at once: the window draws again what it needs, and nothing handed
  // out is kept by a caller past its own drawing call.
  if (bytes_ + more > budget_) Clear();
}

void PictureMemo::Append(std::wstring& key, long long value) {
  for (int i = 0; i < 4; ++i) key.push_back(static_cast<wchar_t>((value >> (16 * i)) & 0xFFFF));
}

void PictureMemo::Append(std::wstring& key, const wchar_t* text, int length) {
  Append(key, length);
  key.append(text, static_cast<size_t>(length));
}
