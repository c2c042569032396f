// The picture editor of the LED animation page. It shows one picture fitted into the view
// on black and lets the user draw over it: pen and eraser strokes and text labels, each an
// edit layer. Every completed edit renders the picture with its layers into a PNG working
// copy (see EditWorkingCopy.h) and tells the owner with code 32; the owner decides when
// the working copy replaces the source (SaveImageData). In preview mode the same view
// plays a list of frames with their delays instead of editing; playback ticks on the
// multimedia-timer thread.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <memory>
#include <vector>
#include "core/CriticalSection.h"
#include "core/MControlFont.h"

enum ImageDrawMode {
  IMAGE_DRAW_SELECT = 100,  // select and move text layers
  IMAGE_DRAW_NONE = 101,    // no mouse editing
  IMAGE_DRAW_PEN = 102,
  IMAGE_DRAW_ERASER = 111,
};

// One edit layer. Positions are in the host window's client coordinates.
struct EDITLAYER_INFO {
  static constexpr int kMaxPoints = 500;
  int type = 0;  // 1 text, 2 pen stroke, 3 eraser stroke
  Gdiplus::ARGB color = 0xFF000000;
  int size = 0;  // text: font pixel size; strokes: pen width
  CString text;
  int x = 0;  // text anchor (top-left)
  int y = 0;
  RECT bounds{};  // text hit rectangle, written by each drawing of the layer
  int pointCount = 0;
  POINT points[kMaxPoints]{};
};

// One frame of the preview playback.
struct PREVIEWITEM_INFO {
  CString file;
  std::unique_ptr<Gdiplus::Image> thumbnail;  // detached copy; null when the file did not load
  int width = 0;
  int height = 0;
  int delay = 0;  // ms
  int frameId = 0;
};

class QIV_API ImageView : public MControlFont {
public:
  using TickSource = DWORD (*)();

  ImageView(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~ImageView() override;

  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;
  int OnControlTimer() override;
  int OnControlMouseMove(unsigned flags, CPoint point) override;
  int OnControlLButtonDown(unsigned flags, CPoint point) override;
  int OnControlLButtonUp(unsigned flags, CPoint point) override;
  int OnControlScroll(int delta, unsigned direction, CPoint point) override;
  int OnControlRButtonDown(unsigned flags, CPoint point) override;
  int OnControlRButtonUp(unsigned flags, CPoint point) override;

  // Opens a picture for editing with no layers and returns its working-copy path; the
  // working copy starts as a copy of the source (its folder is created when missing).
  using MControlFont::SetImage;
  CString SetImage(const wchar_t* file);
  CString GetEditImageFile() const { return m_workingPath; }
  // Renders the picture with its layers into the working copy, then notifies code 32.
  // Without a picture nothing is written. A failed write keeps the previous copy.
  void SaveCurrentImage();
  // Shrinks a picture file in place to fit the view when it is at least as wide or as
  // tall as the view; no notification. A failed write keeps the file as it was.
  void SaveCurrentImage(CString path);
  // Commits the working copy to the source file (replacing it only when complete).
  void SaveImageData();
  // Discards every edit and commits the unedited picture to the source file.
  void RecoverOriginalImage();

  void SetShowGridLine(int show);
  void SetColorValue(unsigned long colour);  // COLORREF
  void AddText(CString text);
  void AddImage(CString file);
  void SetDrawMode(int mode) { m_drawMode = mode; }
  void SetEraserMode() { m_drawMode = IMAGE_DRAW_ERASER; }
  void SetPenSize(int width) { m_penWidth = width; }
  void SetFontSize(int size);
  void SetScale100(float scale);
  void ClearCurEdit();
  void RecoverCurEdit();

  // Preview frames.
  int AddString(CString file, int delay, int frameId);
  CString GetItemImageFile(int index);
  int GetItemCount();
  int DeleteAllItems();
  void SetImagePreviewMode(bool on);

  int GetDrawMode() const { return m_drawMode; }
  int GetPenSize() const { return m_penWidth; }
  unsigned long GetColorValue() const { return m_color; }
  int GetShowGridLine() const { return m_grid; }
  bool IsPreviewMode() const { return m_preview; }
  int GetPreviewIndex() const { return m_previewIndex; }
  CSize GetImageSize() const { return CSize(m_imageWidth, m_imageHeight); }
  CRect GetPictureRect() const { return m_pictureRect; }
  int GetLayerCount();
  int GetCurrentLayer() const { return m_current; }
  // A copy of one layer (empty record for a bad index).
  EDITLAYER_INFO GetLayer(int index);
  // The clock of the preview playback (GetTickCount unless a test sets another).
  void SetTickSource(TickSource tick) { m_tick = tick; }

protected:
  void DrawLayer(Gdiplus::Graphics& g, const CRect& origin, bool highlight);
  CRect GetImageRect(int width, int height, const CRect& box) const;
  void DrawLayer2(Gdiplus::Graphics& g, const CRect& box, int flag);

private:
  EDITLAYER_INFO* LayerAt(int index) const;
  EDITLAYER_INFO* CurrentLayer() const { return LayerAt(m_current); }
  void DeleteLayers();
  void Repaint();
  // Renders the picture at its own size with the layers placed as shown in the view.
  std::vector<uint8_t> RenderPicture();
  Gdiplus::ARGB ScreenColorAt(CPoint point) const;
  std::unique_ptr<Gdiplus::Font> MakeFont(int size);

  std::unique_ptr<Gdiplus::Image> m_picture;
  int m_imageWidth = 0;
  int m_imageHeight = 0;
  CRect m_pictureRect;
  CString m_sourcePath;
  CString m_workingPath;
  std::vector<std::unique_ptr<EDITLAYER_INFO>> m_layers;
  mutable CriticalSection m_layerLock;
  int m_current = -1;
  int m_drawMode = IMAGE_DRAW_PEN;
  int m_penWidth = 2;
  unsigned long m_color = 0x016EEE;
  CPoint m_lastPoint;
  int m_dirty = 0;
  int m_grid = 0;
  bool m_preview = false;
  std::vector<std::unique_ptr<PREVIEWITEM_INFO>> m_frames;
  mutable CriticalSection m_previewLock;
  int m_previewIndex = 0;
  int m_previewCount = 0;
  DWORD m_lastSwitch = 0;
  TickSource m_tick;
};
