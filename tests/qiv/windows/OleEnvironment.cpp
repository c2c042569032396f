// GDI+ runs for the whole test program (controls make brushes and fonts); so does OLE in
// the window tests, as in the program (windows register as drop targets). The unit tests
// leave OLE out: nothing they test needs it.
#include <windows.h>
#include <gdiplus.h>
#include <ole2.h>
#include <gtest/gtest.h>
#include "core/Manager.h"

namespace {
class OleEnvironment : public ::testing::Environment {
public:
  void SetUp() override {
#ifdef QIV_TESTS_WITH_OLE
    ::OleInitialize(nullptr);
#endif
    Gdiplus::GdiplusStartup(&token_, &input_, nullptr);
    Manager::SetInstance(::GetModuleHandleW(nullptr));
  }
  void TearDown() override {
    Gdiplus::GdiplusShutdown(token_);
#ifdef QIV_TESTS_WITH_OLE
    ::OleUninitialize();
#endif
  }

private:
  ULONG_PTR token_ = 0;
  Gdiplus::GdiplusStartupInput input_;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new OleEnvironment);
}  // namespace
