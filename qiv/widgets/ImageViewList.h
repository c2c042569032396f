// The horizontal strip of animation frames on the LED animation page. Each frame is a
// card with its thumbnail and, when it has a delay, a badge with the delay in ms. A click
// selects a frame (code 2), a click on the badge area asks to edit the delay (code 9), a
// double click reports code 3 and a right click code 5. The strip scrolls with its
// horizontal panel bar or the wheel, and can write its frames as one animated GIF.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <memory>
#include <vector>
#include "widgets/TileListPanel.h"

class GifAnimationWriter;

// One frame of the strip, owned by it. The program reads these fields in place.
struct IMGITEM_INFO {
  CString text;        // always empty
  CString file;        // the frame's picture
  CString editFile;    // its current edited version (the picture itself when added)
  std::unique_ptr<Gdiplus::Image> thumbnail;  // detached copy; null when the file did not load
  int width = 0;
  int height = 0;
  int delay = 0;  // ms
  int frameId = 0;
  CString name;
  RECT rect{};  // the frame's column in the strip's memory bitmap at the last redraw
};

class QIV_API ImageViewList : public TileListPanel<ImageViewList, IMGITEM_INFO> {
public:
  static constexpr int kColumnWidth = 205;

  ImageViewList(MObject* parent, unsigned id, CRect rect, int visible);
  ~ImageViewList() override;

  const wchar_t* GetClassNameW() const override;
  // Layout, scroll-bar messages, double and right click, the state picture strip, the
  // count, selection and single delete: TileListPanel's.
  void DrawControl(HDC& hdc, CRect paint) override;
  int OnControlMouseMove(unsigned flags, CPoint point) override;
  int OnControlLButtonDown(unsigned flags, CPoint point) override;
  int OnControlLButtonUp(unsigned flags, CPoint point) override;
  int OnControlScroll(int delta, unsigned direction, CPoint point) override;

  // Appends a frame; returns its index.
  int AddString(CString file, int delay, int frameId, CString name);
  // Inserts a frame after frame `index` (-1: at the front); returns the new count - 1, or
  // -1 (nothing added) for an index outside -1 .. count - 1.
  int AddString(int index, CString file, int delay, int frameId, CString name);
  int GetFrameID(int index);
  CString GetFrameItemName(int index);
  bool SetItemDelayTime(int index, int delay);
  bool SetDelayTime(int delay);
  int GetItemDelayTime(int index);
  // Takes an edited file for a frame when it loads; a file that does not load changes nothing.
  void UpdateItemImageFile(int index, CString file);
  CString GetItemImageFile(int index);
  CString GetItemEditImageFile(int index);
  int DeleteAllItems();
  // The frame records in strip order; they stay the strip's and live until it changes.
  std::vector<IMGITEM_INFO*> GetImageViewItems();
  // Writes every frame's picture file with its delay as one animated GIF of width x
  // height; 1 when the file was written, 0 when not.
  int SaveGIFImageFile(CString file, int width, int height);
  // The same through a given writer.
  int SaveGIFImageFile(GifAnimationWriter& writer, CString file, int width, int height);

  int GetBitmapOffset() const { return m_bitmapOffset; }

private:
  friend class TileListPanel<ImageViewList, IMGITEM_INFO>;
  std::unique_ptr<IMGITEM_INFO> MakeFrame(CString file, int delay, int frameId, CString name);
  void UpdateBar();
  CRect ScreenRect(const IMGITEM_INFO& frame) const;
  static CRect BadgeArea(const CRect& screen);
  CRect GetImageRect(int width, int height, const CRect& box) const;

  int m_bitmapOffset = 0;
  CRect m_thumbBox{3, 2, 179, 104};
};
