// A soft drop shadow for a top-level window: a click-through per-pixel-alpha tool window
// ("ShadowWnd") just below its parent in the z-order that follows the parent as it moves,
// resizes, hides, minimises and goes. The picture is the parent's silhouette blurred and
// darkened (region mode) or a nine-grid shadow image (image mode). Every paint manager
// embeds one; it stays inactive until Create is called with the show flag set.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <map>
#include <memory>
#include "core/CString.h"
#include "core/Geometry.h"
#include "core/ShadowPicture.h"
#include "qiv_export.h"

class PaintManager;

class QIV_API MShadow {
public:
  // Status bits.
  enum : BYTE {
    kEnabled = 1,        // the shadow window exists
    kVisible = 2,        // the shadow window is shown
    kParentVisible = 4,  // the parent is shown
  };

  MShadow();
  virtual ~MShadow();
  MShadow(const MShadow&) = delete;
  MShadow& operator=(const MShadow&) = delete;

  // Registers the "ShadowWnd" class once (again when `force`); 1 when it registered.
  static int Initialize(HINSTANCE instance, bool force);
  // Creates the shadow window for the manager's window and starts following it.
  void Create(PaintManager* manager);

  void ShowShadow(int show) { m_bShow = show; }
  int IsShowShadow() const { return m_bShow; }
  void DisableShadow(int disable);
  int IsDisableShadow() const { return m_bDisabled; }

  // The range setters answer 0 and change nothing outside their range, else 1.
  int SetSize(int size);                   // -35 .. 35
  int SetSharpness(UINT sharpness);        // 0 .. 35
  int SetDarkness(UINT darkness);          // 0 .. 255
  int SetPosition(int x, int y);           // each -35 .. 35
  int SetColor(DWORD color);               // 0x00RRGGBB
  int SetImage(const wchar_t* file);       // a skin image file
  int SetImage(UINT resourceId);           // a "PNG" resource of the program module
  int SetShadowCorner(int left, int top, int right, int bottom);
  int CopyShadow(MShadow* other);

  static DWORD PreMultiply(DWORD color, BYTE alpha) { return ShadowPicture::PreMultiply(color, alpha); }

  // Recomputes and presents the picture for `parent`; 1 when a picture was presented,
  // 0 when there is nothing to show or its bitmap could not be made.
  int Update(HWND parent);
  // The size of the picture for `parent`; empty when there is nothing to draw.
  CSize PictureSize(HWND parent) const;
  // Draws the picture for `parent` into `pixels` (top-down rows of PictureSize, cleared
  // to 0): the silhouette of the parent's window region, or of its window rectangle
  // when it has none, or the nine-grid shadow image.
  void ComposePicture(HWND parent, DWORD* pixels, CSize size) const;

  HWND GetShadowWnd() const { return m_hWnd; }
  BYTE GetStatus() const { return m_Status; }
  int IsUpdatePending() const { return m_bUpdate; }
  int IsImageMode() const { return m_bImageMode; }
  int GetSize() const { return m_nSize; }
  int GetSharpness() const { return m_nSharpness; }
  int GetDarkness() const { return m_nDarkness; }
  CPoint GetOffset() const { return CPoint(m_nxOffset, m_nyOffset); }
  DWORD GetColor() const { return m_Color; }
  CString GetImageFile() const { return m_imageFile; }
  RECT GetCorners() const { return m_corners; }
  ShadowParams GetParams() const;

  static LRESULT CALLBACK ParentProc(HWND parent, UINT msg, WPARAM wParam, LPARAM lParam);

protected:
  // A 32-bit top-down DIB section of `size`; null (and no pixels) when it cannot be made.
  virtual HBITMAP CreatePictureBitmap(CSize size, DWORD** pixels);

private:
  void Refresh();
  void ShowBelowParent();
  // Status from the parent's style; a shown, normal parent gets its shadow shown and drawn.
  void FollowParentState();
  // Puts the shadow just below the parent at the place the mode gives.
  void Move(HWND parent);
  CPoint Origin(const RECT& parentRect) const;
  void Detach();

  PaintManager* m_pManager = nullptr;
  HWND m_hWnd = nullptr;
  HWND m_hParent = nullptr;
  WNDPROC m_OldParentProc = nullptr;
  BYTE m_Status = 0;
  int m_bImageMode = 0;
  int m_bShow = 0;
  int m_bDisabled = 0;
  std::unique_ptr<Gdiplus::Image> m_pImage;
  int m_imageWidth = 0;
  int m_imageHeight = 0;
  BYTE m_nDarkness = 150;
  BYTE m_nSharpness = 5;
  signed char m_nSize = 0;
  signed char m_nxOffset = 5;
  signed char m_nyOffset = 5;
  LPARAM m_WndSize = 0;
  int m_bUpdate = 0;
  DWORD m_Color = 0;
  CString m_imageFile;
  UINT m_imageResId = 0;
  RECT m_corners = {0, 0, 0, 0};
};

// Parent window -> its shadow, for the parents' subclass procedure.
QIV_API std::map<HWND, MShadow*>& GetShadowMap();
