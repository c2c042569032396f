// The live key colours read from the keyboard are brightened for the screen by 1.5, 1.3
// and 1.2 and cut to integers: exact results at the ends and at whole-number products.
#include "support/LoopbackHttpServer.h"  // winsock2.h before windows.h
#include <gtest/gtest.h>
#include "device/WorkerRig.h"

using namespace simtest;

TEST(WorkerStreaming, LiveKeyColourScalingAtTheBoundaries) {
  // One LED per case, its red, green and blue bytes all set to `in`.
  const struct { uint8_t in; int red, green, blue; } cases[] = {
      {0, 0, 0, 0},         {1, 1, 1, 1},         {10, 15, 13, 12},     {50, 75, 65, 60},
      {99, 148, 128, 118},  {100, 150, 130, 120}, {170, 255, 221, 204}, {255, 255, 255, 255},
  };
  WorkerRig w(CableK102());
  w.StartUp();
  std::vector<uint8_t> live(384, 0);
  std::vector<int> codes;
  auto it = w.dlg.m_keyCodeByLight.begin();
  for (const auto& c : cases) {
    while (it != w.dlg.m_keyCodeByLight.end() && (it->first < 0 || it->first >= 128 || it->second < 1)) ++it;
    ASSERT_NE(it, w.dlg.m_keyCodeByLight.end()) << "too few mapped LEDs";
    w.keyboard.AddKeyItem(L"", L"", it->second, CRect(), L"", 0);
    for (int channel = 0; channel < 3; ++channel) live[size_t(it->first) * 3 + size_t(channel)] = c.in;
    codes.push_back(it->second);
    ++it;
  }
  ASSERT_TRUE(sim::WriteTable("k102", sim::Table::LiveColours, 0, live));
  w.dlg.ReadLiveKeyColors();
  for (size_t i = 0; i < codes.size(); ++i)
    EXPECT_EQ(w.keyboard.GetKeyColor(codes[i]), long(RGB(cases[i].red, cases[i].green, cases[i].blue)))
        << "byte " << int(cases[i].in);
}
