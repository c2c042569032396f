// What a window has drawn once and can lay down again without GDI+: text and unsmoothed
// outlines as coverage masks (independent of the colour), skin pieces as straight ARGB
// pictures, and drawings whose result a mask cannot hold (ClearType and GDI text,
// smoothed outlines) as the pixels of their region before and after; each keyed by
// everything that decides its pixels. Owned by the window's paint manager and emptied
// with its images and at the end of its data; bounded in memory (emptied when full).
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>
#include "core/CriticalSection.h"
#include "core/PixelBlend.h"
#include "qiv_export.h"

struct MemoPicture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> argb;  // straight 0xAARRGGBB, rows top-down
};

// The pixels of a region before and after one drawing over them.
struct MemoOverlay {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> before;
  std::vector<uint32_t> after;
};

class QIV_API PictureMemo {
public:
  static constexpr size_t kDefaultBudget = 24u << 20;  // bytes of pixels kept at most

  PictureMemo() = default;
  ~PictureMemo();
  PictureMemo(const PictureMemo&) = delete;
  PictureMemo& operator=(const PictureMemo&) = delete;

  // Null when absent. Pointers stay valid until the next Keep or Clear.
  const PixelBlend::Coverage* FindText(const std::wstring& key);
  const MemoPicture* FindPicture(const std::wstring& key);
  const PixelBlend::Coverage* KeepText(const std::wstring& key, PixelBlend::Coverage mask);
  const MemoPicture* KeepPicture(const std::wstring& key, MemoPicture picture);
  const MemoOverlay* FindOverlay(const std::wstring& key);
  const MemoOverlay* KeepOverlay(const std::wstring& key, MemoOverlay overlay);
  void Clear();

  size_t Bytes() const { return bytes_; }
  size_t Count() const { return texts_.size() + pictures_.size() + overlays_.size(); }
  unsigned long Hits() const { return hits_; }
  unsigned long Misses() const { return misses_; }
  void SetBudget(size_t bytes) { budget_ = bytes; }

  // Key building: fields appended as raw characters, so that no two descriptions meet.
  static void Append(std::wstring& key, long long value);
  static void Append(std::wstring& key, const wchar_t* text, int length);

private:
  void MakeRoom(size_t more);

  CriticalSection lock_;
  std::map<std::wstring, PixelBlend::Coverage> texts_;
  std::map<std::wstring, MemoPicture> pictures_;
  std::map<std::wstring, MemoOverlay> overlays_;
  size_t bytes_ = 0;
  size_t budget_ = kDefaultBudget;
  unsigned long hits_ = 0;
  unsigned long misses_ = 0;
};
