#include "core/Manager.h"

HINSTANCE Manager::m_hInstance = nullptr;
CString Manager::m_fontname = L"Roboto-Medium";
int Manager::m_fontwidth = 14;
Gdiplus::Color Manager::m_text_color(0xFF333333);
Gdiplus::Color Manager::m_normal_color(0xFF3A4E60);
Gdiplus::Color Manager::m_hover_color(0xFF3D4753);
Gdiplus::Color Manager::m_down_color(0xFF4977E5);
Gdiplus::Color Manager::m_select_color(0xFF4977E5);
int Manager::m_theme_type = 1;
CString Manager::m_theme_skins = L"theme1\\";
CString Manager::m_dev_name = L"Quenby";
int Manager::m_key_stroketype = 0;
UINT Manager::m_uControlID = 0;
ULONG_PTR Manager::m_gdiplusToken = 0;
Gdiplus::GdiplusStartupInput Manager::m_gdiplusStartupInput;

namespace {
HINSTANCE g_resourceInstance = nullptr;
// Built on first use so the set exists whatever order the statics are made in.
std::set<MWindow*>& Windows() {
  static std::set<MWindow*> windows;
  return windows;
}
}  // namespace

void Manager::SetInstance(HINSTANCE instance) { m_hInstance = instance; }
HINSTANCE Manager::GetInstance() { return m_hInstance; }
HINSTANCE Manager::GetResourceInstance() { return g_resourceInstance; }
void Manager::SetResourceInstance(HINSTANCE instance) { g_resourceInstance = instance; }

void Manager::SetFont(const CString& name, int size) {
  m_fontname = name;
  m_fontwidth = size;
}
void Manager::SetFontName(const CString& name) { m_fontname = name; }
CString Manager::GetFontName() { return m_fontname; }
int Manager::GetFontWidth() { return m_fontwidth; }

void Manager::SetTextColor(Gdiplus::Color c) { m_text_color = c; }
Gdiplus::Color Manager::GetTextColor() { return m_text_color; }
void Manager::SetNormalColor(Gdiplus::Color c) { m_normal_color = c; }
Gdiplus::Color Manager::GetNormalColor() { return m_normal_color; }
void Manager::SetHoverColor(Gdiplus::Color c) { m_hover_color = c; }
Gdiplus::Color Manager::GetHoverColor() { return m_hover_color; }
void Manager::SetDownColor(Gdiplus::Color c) { m_down_color = c; }
Gdiplus::Color Manager::GetDownColor() { return m_down_color; }
void Manager::SetSelectColor(Gdiplus::Color c) { m_select_color = c; }
Gdiplus::Color Manager::GetSelectColor() { return m_select_color; }

void Manager::SetThemeType(int type) { m_theme_type = type; }
int Manager::GetThemeType() { return m_theme_type; }
void Manager::SetThemeSkins(const CString& folder) { m_theme_skins = folder; }
CString Manager::GetThemeSkins() { return m_theme_skins; }
CString Manager::GetTheme() { return L"theme1\\"; }
void Manager::SetDeviceName(const CString& name) { m_dev_name = name; }
CString Manager::GetDeviceName() { return m_dev_name; }
void Manager::SetKeyStrokeType(int type) { m_key_stroketype = type; }
int Manager::GetKeyStrokeType() { return m_key_stroketype; }

int Manager::PreTranslateMessage(MSG*) {
  return (GetAsyncKeyState(VK_MENU) && GetAsyncKeyState(VK_F4)) ? 1 : 0;
}

void Manager::MessageLoop() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (PreTranslateMessage(&msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void Manager::AddWnd(MWindow* wnd) { Windows().insert(wnd); }
void Manager::DeleteWnd(MWindow* wnd) { Windows().erase(wnd); }
size_t Manager::GetWndCount() { return Windows().size(); }

void Manager::InitGdiplus() {
  Gdiplus::GdiplusStartup(&m_gdiplusToken, &m_gdiplusStartupInput, nullptr);
  CoInitialize(nullptr);
  OleInitialize(nullptr);
  Windows().clear();
}

void Manager::UnInitGdiplus() {
  Gdiplus::GdiplusShutdown(m_gdiplusToken);
  m_gdiplusToken = 0;
  CoUninitialize();
  OleUninitialize();
  Windows().clear();
}

void M_Trace(const wchar_t*, ...) {}

CString FolderOfPath(const CString& path) {
  int slash = path.ReverseFind(L'\\');
  if (slash < 0) return CString();
  return path.Left(slash + 1);
}

wchar_t* GetExeFolder(wchar_t* buffer) {
  if (!buffer) return nullptr;
  wchar_t path[MAX_PATH + 1] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  CString folder = FolderOfPath(path);
  lstrcpynW(buffer, folder, MAX_PATH + 1);
  return buffer;
}

CString GetExeFolder() {
  wchar_t buffer[MAX_PATH + 1] = {};
  return GetExeFolder(buffer);
}

CString GetSkinsFolder() { return GetExeFolder() + L"skins\\" + Manager::GetThemeSkins(); }
