// The vertical list of the animations stored for the keyboard's picture screen. Each item
// is a rounded tile with a thumbnail and the label "<title>: <frame count>", carrying the
// owner's LED id and frame count. Besides showing the list, the control splits an
// animated GIF into numbered PNG files with their frame delays, and converts a picture
// into the screen's RGB565 pixels.
//
// Notifications: 2 click (item), 3 double click (item), 5 right click (new selection),
// 11 pointer resting on the hovered item (its LED id).
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <memory>
#include <vector>
#include "widgets/TileListPanel.h"

// One animation of the list, owned by it.
struct LCDVIEWITEM_INFO {
  CString text;  // the owner's text; never drawn
  std::unique_ptr<Gdiplus::Image> thumbnail;
  int width = 0;
  int height = 0;
  int frameSize = 0;  // 0: an item without frames, drawn with the placeholder picture
  int ledId = 0;
  RECT rect{};  // the tile at the last paint, in the memory image's coordinates
};

// One frame of the hover preview, owned by the list.
struct LCDPREVIEW_INFO {
  std::unique_ptr<Gdiplus::Image> thumbnail;
  int width = 0;
  int height = 0;
  unsigned long delay = 0;  // ms
};

// A frame handed to AddFrameData: its file and five numbers, of which the fourth is the
// frame's delay in ms.
struct VIEW_INFO {
  CString file;
  int value1 = 0;
  int value2 = 0;
  int value3 = 0;
  int delay = 0;
  int value5 = 0;
};

class QIV_API LCDViewList : public TileListPanel<LCDViewList, LCDVIEWITEM_INFO> {
public:
  using TickSource = DWORD (*)();
  static constexpr int kItemHeight = 150;

  LCDViewList(MObject* parent, unsigned id, CRect rect, int visible);
  ~LCDViewList() override;

  const wchar_t* GetClassNameW() const override;
  // Layout, scroll-bar messages, double and right click, the count, selection and single
  // delete: TileListPanel's. Its picture strip (SetImage) is the placeholder of items
  // without frames.
  void DrawControl(HDC& hdc, CRect paint) override;
  int OnControlTimer() override;
  int OnControlMouseMove(unsigned flags, CPoint point) override;
  int OnControlLButtonDown(unsigned flags, CPoint point) override;
  int OnControlLButtonUp(unsigned flags, CPoint point) override;
  int OnControlScroll(int delta, unsigned direction, CPoint point) override;

  int AddString(CString text, CString picturePath, int frameSize, int ledId);
  // Splits a GIF into "<folder>\<i>.png", one file per frame from 0, creating the folder
  // when missing, and records the frame delays. Answers the number of frames written:
  // writing stops at the first frame that cannot be written, and 0 means nothing usable.
  int LoadGIFImageFile(CString gifPath, CString folder);
  // Writes a picture as an opaque PNG file; 1 when written, 0 when not (an existing file
  // is then left as it was).
  int SavePNGImageFile(Gdiplus::Image* image, CString path);
  // Writes nothing (there is no picture in a bare DC to take); answers 0.
  int SavePNGImageFile(HDC& dc, CString path);
  void AddFrameData(std::vector<VIEW_INFO> frames);
  int SetFrameData(int index, CString picturePath, int frameSize);
  int SetFrameSize(int index, int frameSize);
  int SetItemLEDId(int index, int ledId);
  int GetItemFrameSize(int index);
  int GetItemLEDId(int index);
  void SetItemLEDIdSelect(int ledId);
  CString GetItemText(int index);
  int GetCurImageFrameSize();
  int DeleteAllItems();
  // The delays (ms) of the frames written by the last LoadGIFImageFile, in frame order.
  std::vector<unsigned long> GetDelayTimes() const { return m_delays; }
  // Renders a picture file fitted and centred into width x height on black and writes
  // it as RGB565, two bytes a pixel, low byte first; `buffer` holds width x height x 2
  // bytes. False when the file does not load or the arguments are unusable.
  bool GetImageRGB565Data(CString path, unsigned char* buffer, int width, int height);
  // The same for a picture, which the call takes over and deletes.
  bool GetImageRGB565Data(Gdiplus::Image* image, unsigned char* buffer, int width, int height);

  // The GIF frame-delay property (hundredths of a second, one value per frame) as
  // milliseconds for `frameCount` frames: a value of 0, or one the property lacks,
  // gives 10 ms.
  static std::vector<unsigned long> FrameDelaysMs(const Gdiplus::PropertyItem* item, unsigned frameCount);

  int GetPreviewIndex() const { return m_previewIndex; }
  void SetTickSource(TickSource tick) { m_tick = tick; }

private:
  friend class TileListPanel<LCDViewList, LCDVIEWITEM_INFO>;
  void UpdateBar();
  CRect ScreenRect(const LCDVIEWITEM_INFO& item) const;
  CRect GetImageRect(int width, int height, const CRect& box) const;
  void SelectActiveFrame(Gdiplus::Image* image, int index);
  void ResetPreview();

  std::vector<std::unique_ptr<LCDPREVIEW_INFO>> m_previewFrames;
  std::vector<unsigned long> m_delays;
  int m_yOffset = 0;
  CRect m_thumbBox{3, 5, 172, 105};
  GUID m_frameDimension;
  Gdiplus::Image* m_previewPicture = nullptr;  // one of the preview frames' thumbnails
  int m_previewWidth = 0;
  int m_previewHeight = 0;
  int m_previewIndex = 0;
  int m_previewCount = 0;
  DWORD m_previewTick = 0;
  TickSource m_tick;
};
