// Process-wide settings of the library: the program's module, default font and
// colours, skin folder, device (software) name; the message loop and GDI+/COM start-up.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <set>
#include "core/CString.h"
#include "qiv_export.h"

class MWindow;

class QIV_API Manager {
public:
  static HINSTANCE m_hInstance;
  static CString m_fontname;
  static int m_fontwidth;
  static Gdiplus::Color m_text_color;
  static Gdiplus::Color m_normal_color;
  static Gdiplus::Color m_hover_color;
  static Gdiplus::Color m_down_color;
  static Gdiplus::Color m_select_color;
  static int m_theme_type;
  static CString m_theme_skins;
  static CString m_dev_name;
  static int m_key_stroketype;
  static UINT m_uControlID;
  static ULONG_PTR m_gdiplusToken;
  static Gdiplus::GdiplusStartupInput m_gdiplusStartupInput;

  static void SetInstance(HINSTANCE instance);
  static HINSTANCE GetInstance();
  // The library's own module, for its built-in resources.
  static HINSTANCE GetResourceInstance();
  static void SetResourceInstance(HINSTANCE instance);

  static void SetFont(const CString& name, int size);
  static void SetFontName(const CString& name);
  static CString GetFontName();
  static int GetFontWidth();

  static void SetTextColor(Gdiplus::Color c);
  static Gdiplus::Color GetTextColor();
  static void SetNormalColor(Gdiplus::Color c);
  static Gdiplus::Color GetNormalColor();
  static void SetHoverColor(Gdiplus::Color c);
  static Gdiplus::Color GetHoverColor();
  static void SetDownColor(Gdiplus::Color c);
  static Gdiplus::Color GetDownColor();
  static void SetSelectColor(Gdiplus::Color c);
  static Gdiplus::Color GetSelectColor();

  static void SetThemeType(int type);
  static int GetThemeType();
  static void SetThemeSkins(const CString& folder);
  static CString GetThemeSkins();
  static CString GetTheme();
  static void SetDeviceName(const CString& name);
  static CString GetDeviceName();
  static void SetKeyStrokeType(int type);
  static int GetKeyStrokeType();

  static int PreTranslateMessage(MSG* msg);
  static void MessageLoop();
  static void AddWnd(MWindow* wnd);
  static void DeleteWnd(MWindow* wnd);
  static size_t GetWndCount();
  static void InitGdiplus();
  static void UnInitGdiplus();
};

QIV_API void M_Trace(const wchar_t* format, ...);
QIV_API wchar_t* GetExeFolder(wchar_t* buffer);
QIV_API CString GetExeFolder();
QIV_API CString GetSkinsFolder();
// The folder part of a module path, with its trailing backslash ("C:\" for a file in a root).
QIV_API CString FolderOfPath(const CString& path);
