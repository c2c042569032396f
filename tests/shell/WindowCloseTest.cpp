// Closing the main window while the worker waits on a slow update server: the window goes
// at once, the run ends within a second instead of waiting for the server, and nothing
// downloaded is opened once the close has begun. The server is a real one on 127.0.0.1
// that trickles its answers.
#include "support/LoopbackHttpServer.h"  // winsock2.h before windows.h
#include <gtest/gtest.h>
#include <gdiplus.h>
#include <atomic>
#include <string>
#include <thread>
#include "device/TransportRig.h"
#include "shell/KeyboardDlg.h"
#include "store/KeyboardDataStore.h"
#include "support/TempFolder.h"
#include "support/TestZipWriter.h"
#include "widgets/CDeviceList.h"

namespace {

template <typename Done>
bool PumpUntil(Done done, int ms) {
  for (DWORD start = GetTickCount(); GetTickCount() - start < DWORD(ms);) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (done()) return true;
    Sleep(10);
  }
  return done();
}

// Sends `body` after its head a few bytes at a time, `pauseMs` apart, until it is all sent,
// the client has gone, or the test lets go.
void Trickle(SOCKET client, const std::string& body, size_t piece, DWORD pauseMs, const std::atomic<bool>& letGo) {
  if (!LoopbackHttpServer::SendAll(client, LoopbackHttpServer::Head(200, "Content-Length: " +
                                                                            std::to_string(body.size()) + "\r\n")))
    return;
  for (size_t at = 0; at < body.size() && !letGo; at += piece) {
    if (!LoopbackHttpServer::SendAll(client, body.substr(at, piece))) return;
    Sleep(pauseMs);
  }
}

std::string InstallerPackage() {
  TestZipEntry installer;
  installer.name = "Quenby-1.2.4.exe";
  installer.data = std::string(2000, 'x');
  installer.deflate = false;
  return BuildTestZip({installer});
}

// The main window on this thread with its worker, no keyboard, and an update server.
struct ClosingWindow {
  std::atomic<bool> letGo{false};  // before the server: its handler may still be sending
  LoopbackHttpServer server;
  simtest::SimWorld world{""};
  TempFolder folder;
  simtest::TransportRig rig;
  KeyboardDataStore store;
  CDeviceList deviceList{nullptr, 81, CRect(), 1, 1};
  KeyboardDlg dlg{rig.transport, store};
  std::atomic<int> opened{0};
  std::atomic<int> exits{0};
  HWND window = nullptr;

  explicit ClosingWindow(LoopbackHttpServer::Handler handler) : server(std::move(handler)) {
    const std::wstring base = folder.Path() + L"\\";
    CreateDirectoryW((base + L"db").c_str(), nullptr);
    dlg.m_deviceList = &deviceList;
    dlg.m_startAudio = false;
    dlg.m_exeFolder = base.c_str();
    dlg.m_userDataFolder = base.c_str();
    dlg.m_softwareName = L"QuenbyCloseTest";
    dlg.m_softwareVersion = L"1.0.0";
    dlg.m_updateServerUrl = server.Url("/software-upgrade/").c_str();
    dlg.m_openProgram = [this](const CString&) { ++opened; };
    dlg.m_exitProcess = [this](UINT) { ++exits; };
    if (dlg.Create(nullptr, L"QuenbyCloseTest", WS_POPUP, 0, CRect(0, 0, 400, 300))) {
      window = dlg.GetSafeHwnd();
      ShowWindow(window, SW_SHOWNOACTIVATE);
    }
  }
  ~ClosingWindow() {
    letGo = true;
    if (IsWindow(window)) {
      PostMessageW(window, WM_CLOSE, 0, 0);
      PumpUntil([&] { return !IsWindow(window); }, 30000);
    }
    store.CloseDeviceDb();
  }

  bool Requested(const std::string& path) {
    for (auto& r : server.Requests())
      if (r.path == path) return true;
    return false;
  }

  struct Closed {
    DWORD hiddenMs = 0;  // from the close request until the window was no longer seen
    DWORD goneMs = 0;    // until the window was destroyed
  };
  // Asks the window to close as the user does and watches it from another thread.
  Closed Close() {
    Closed result;
    std::atomic<bool> hidden{false};
    const DWORD start = GetTickCount();
    std::thread watcher([&] {
      while (IsWindowVisible(window) && GetTickCount() - start < 30000) Sleep(5);
      result.hiddenMs = GetTickCount() - start;
      hidden = true;
    });
    PostMessageW(window, WM_CLOSE, 0, 0);
    PumpUntil([&] { return !IsWindow(window); }, 30000);
    result.goneMs = GetTickCount() - start;
    watcher.join();
    return result;
  }
};

// The window stayed up for as long as the server took to send the version text, and the
// worker was waited for without limit.
TEST(MainWindowClose, DuringASlowUpdateCheck) {
  ClosingWindow w([&](SOCKET client, const LoopbackHttpServer::Request&) {
    Trickle(client, std::string(60, '1'), 1, 100, w.letGo);  // 6 s for the version text
  });
  ASSERT_TRUE(w.server.Started());
  ASSERT_NE(w.window, nullptr);
  ASSERT_TRUE(PumpUntil([&] { return w.Requested("/software-upgrade/version"); }, 10000));
  PumpUntil([] { return false; }, 300);  // the worker is in the middle of the text

  auto closed = w.Close();
  EXPECT_LT(closed.hiddenMs, 500u);
  EXPECT_LT(closed.goneMs, 2500u);
  EXPECT_FALSE(w.dlg.IsRunning());
  EXPECT_TRUE(w.dlg.CThreadBasic::Stop(0)) << "the worker has ended";
  EXPECT_EQ(w.exits.load(), 0) << "the worker stopped in time: the process ends normally";
  EXPECT_EQ(w.dlg.m_updateResult, 0);
}

// Closing during the package download waited for it, then opened the installer and ended
// the process from the worker.
TEST(MainWindowClose, DuringAPackageDownloadOpensNothing) {
  const std::string package = InstallerPackage();
  ClosingWindow w([&](SOCKET client, const LoopbackHttpServer::Request& request) {
    if (request.path == "/software-upgrade/version") {
      LoopbackHttpServer::SendAll(client, LoopbackHttpServer::Response(200, "1.0.0"));
    } else {
      Trickle(client, package, 50, 100, w.letGo);  // about 4 s for the package
    }
  });
  ASSERT_TRUE(w.server.Started());
  ASSERT_NE(w.window, nullptr);
  ASSERT_TRUE(PumpUntil([&] { return w.dlg.m_updateResult == 2; }, 10000));  // up to date
  w.dlg.m_latestVersion = L"1.2.4";
  w.dlg.AddTask(kTaskUpdateInstall);
  ASSERT_TRUE(PumpUntil([&] { return w.Requested("/software-upgrade/Quenby-1.2.4.zip"); }, 10000));
  PumpUntil([] { return false; }, 300);

  auto closed = w.Close();
  EXPECT_LT(closed.hiddenMs, 500u);
  EXPECT_LT(closed.goneMs, 2500u);
  EXPECT_TRUE(w.dlg.CThreadBasic::Stop(0)) << "the worker has ended";
  EXPECT_EQ(w.opened.load(), 0);
  EXPECT_EQ(w.exits.load(), 0);
}

}  // namespace
