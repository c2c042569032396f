// GDI+ runs for the whole test program: controls make brushes and fonts when built.
#include <windows.h>
#include <gdiplus.h>
#include <gtest/gtest.h>

namespace {
class GdiplusEnvironment : public ::testing::Environment {
public:
  void SetUp() override { Gdiplus::GdiplusStartup(&token_, &input_, nullptr); }
  void TearDown() override { Gdiplus::GdiplusShutdown(token_); }

private:
  ULONG_PTR token_ = 0;
  Gdiplus::GdiplusStartupInput input_;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new GdiplusEnvironment);
}  // namespace
