// GDI+ and OLE run for the whole test program, as in the program (windows register as
// drop targets, controls make brushes and fonts).
#include <windows.h>
#include <gdiplus.h>
#include <ole2.h>
#include <gtest/gtest.h>
#include "core/Manager.h"

namespace {
class OleEnvironment : public ::testing::Environment {
public:
  void SetUp() override {
    ::OleInitialize(nullptr);
    Gdiplus::GdiplusStartup(&token_, &input_, nullptr);
    Manager::SetInstance(::GetModuleHandleW(nullptr));
  }
  void TearDown() override {
    Gdiplus::GdiplusShutdown(token_);
    ::OleUninitialize();
  }

private:
  ULONG_PTR token_ = 0;
  Gdiplus::GdiplusStartupInput input_;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new OleEnvironment);
}  // namespace
