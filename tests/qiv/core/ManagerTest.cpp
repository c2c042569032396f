#include <gtest/gtest.h>
#include "core/Manager.h"

TEST(Manager, DefaultsAtLoad) {
  EXPECT_EQ(nullptr, Manager::GetInstance());
  EXPECT_EQ(CString(L"Roboto-Medium"), Manager::GetFontName());
  EXPECT_EQ(14, Manager::GetFontWidth());
  EXPECT_EQ(0xFF333333u, Manager::GetTextColor().GetValue());
  EXPECT_EQ(0xFF3A4E60u, Manager::GetNormalColor().GetValue());
  EXPECT_EQ(0xFF3D4753u, Manager::GetHoverColor().GetValue());
  EXPECT_EQ(0xFF4977E5u, Manager::m_down_color.GetValue());
  EXPECT_EQ(0xFF4977E5u, Manager::GetSelectColor().GetValue());
  EXPECT_EQ(1, Manager::GetThemeType());
  EXPECT_EQ(CString(L"theme1\\"), Manager::GetThemeSkins());
  EXPECT_EQ(CString(L"Quenby"), Manager::GetDeviceName());
  EXPECT_EQ(0, Manager::GetKeyStrokeType());
  EXPECT_NE(nullptr, Manager::GetResourceInstance()) << "the library records its own module";
}

TEST(Manager, ExeAndSkinFolders) {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  CString exe(path);
  CString folder = GetExeFolder();
  EXPECT_EQ(exe.Left(exe.ReverseFind(L'\\') + 1), folder);
  EXPECT_EQ(nullptr, GetExeFolder(static_cast<wchar_t*>(nullptr)));
  wchar_t buffer[MAX_PATH + 1];
  EXPECT_EQ(folder, CString(GetExeFolder(buffer)));

  EXPECT_EQ(folder + L"skins\\theme1\\", GetSkinsFolder());
  Manager::SetThemeSkins(L"dark\\");
  EXPECT_EQ(folder + L"skins\\dark\\", GetSkinsFolder());
  EXPECT_EQ(CString(L"theme1\\"), Manager::GetTheme()) << "GetTheme is fixed";
  Manager::SetThemeSkins(L"theme1\\");
}

TEST(Manager, FolderOfPathKeepsTheRootBackslash) {
  EXPECT_EQ(CString(L"C:\\"), FolderOfPath(L"C:\\tool.exe"));
  EXPECT_EQ(CString(L"D:\\App\\"), FolderOfPath(L"D:\\App\\tool.exe"));
  EXPECT_EQ(CString(), FolderOfPath(L"tool.exe"));
}

TEST(Manager, SettersAndWindowSet) {
  Manager::SetFont(L"Roboto-Bold", 16);
  EXPECT_EQ(CString(L"Roboto-Bold"), Manager::GetFontName());
  EXPECT_EQ(16, Manager::GetFontWidth());
  Manager::SetFont(L"Roboto-Medium", 14);
  Manager::AddWnd(reinterpret_cast<MWindow*>(0x10));
  Manager::AddWnd(reinterpret_cast<MWindow*>(0x20));
  EXPECT_EQ(2u, Manager::GetWndCount());
  Manager::DeleteWnd(reinterpret_cast<MWindow*>(0x10));
  EXPECT_EQ(1u, Manager::GetWndCount());
  Manager::InitGdiplus();
  EXPECT_EQ(0u, Manager::GetWndCount());
  EXPECT_NE(0u, Manager::m_gdiplusToken);
  Manager::UnInitGdiplus();
}

TEST(Manager, PreTranslateMessageWithoutAltF4) {
  MSG msg = {};
  msg.message = WM_KEYDOWN;
  EXPECT_EQ(0, Manager::PreTranslateMessage(&msg));
}
