// The real Core Audio path as far as the test machines allow it. ctest runs it with no
// sound server (no endpoint at all) and with a PulseAudio null sink, where Wine opens
// the render endpoint but refuses the loopback capture service; QUENBY_AUDIO_ENDPOINT
// tells which ("none" or "null-sink"). Without it, whatever the machine offers must
// fail or run cleanly.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "AudioProbe.h"

namespace {
std::string Environment() {
  const char* value = std::getenv("QUENBY_AUDIO_ENDPOINT");
  return value ? value : "";
}
}  // namespace

TEST(RealEndpoint, CaptureStartsFailsCleanlyIdlesAndStops) {
  const std::string environment = Environment();
  AudioProbe audio;
  audio.Start();
  std::this_thread::sleep_for(std::chrono::milliseconds(200));  // a dozen idle cycles

  if (environment == "null-sink") {
    ASSERT_EQ(audio.m_endpointNames.size(), 1u);
    EXPECT_EQ(audio.m_endpointNames[0], "Default Loopback Device");
    EXPECT_NE(audio.m_audioClient, nullptr);  // initialised in loopback, then refused capture
  } else if (environment == "none") {
    EXPECT_TRUE(audio.m_endpointNames.empty());
    EXPECT_EQ(audio.m_audioClient, nullptr);
  }
  if (!audio.m_captureClient) {
    EXPECT_TRUE(audio.published.empty());
  }

  audio.Stop();
  EXPECT_EQ(audio.m_audioClient, nullptr);
  EXPECT_EQ(audio.m_captureClient, nullptr);
  EXPECT_TRUE(audio.m_endpointNames.empty());
  audio.Stop();
}

TEST(RealEndpoint, RepeatedRunsEndEveryThread) {
  for (int run = 0; run < 3; ++run) {
    KeyboardAudio audio;
    audio.Start();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    audio.OnDefaultDeviceChanged(eRender, eConsole, nullptr);  // as a device change would
  }  // the destructor stops and joins
  SUCCEED();
}
