// KeyboardAudio's Core Audio side against stand-in devices: endpoint choice, stream
// format, loopback flags, default-device changes, device loss and recovery, stopping,
// and that every COM reference taken is given back.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <thread>

#include "AudioProbe.h"
#include "FakeCoreAudio.h"

namespace {
bool WaitUntil(const std::function<bool()>& done) {
  for (int i = 0; i < 1000; ++i) {
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return done();
}

size_t Pending(PacketScript& script) {
  std::lock_guard<std::mutex> guard(script.lock);
  return script.packets.size();
}

class CoreAudio : public ::testing::Test {
protected:
  void SetUp() override {
    device.client = &client;
    other.client = &otherClient;
    audio->m_createEnumerator = enumerator.Creator();
  }
  void TearDown() override {
    audio.reset();  // stops first: the stand-ins must outlive it
    EXPECT_EQ(enumerator.refs, 0);
    EXPECT_EQ(enumerator.collection.refs, 0);
    for (FakeDevice* d : {&device, &other}) EXPECT_EQ(d->refs, 0);
    for (FakeAudioClient* c : {&client, &otherClient}) {
      EXPECT_EQ(c->refs, 0);
      EXPECT_EQ(c->capture.refs, 0);
    }
  }

  // Queues `packets` packets of 10 ms of a 1125 Hz tone, which fills band 11 of 32.
  void QueueTone(FakeAudioClient& c, int packets = 10) {
    for (int i = 0; i < packets; ++i) c.capture.script->AddSamples(tone.Next(480), 480);
  }
  // Whether a publication from the `from`-th on carried the tone.
  bool ToneHeardSince(size_t from) {
    const auto published = audio->Publications();
    for (size_t i = from; i < published.size(); ++i)
      if (published[i].loudestBand == kToneBand && published[i].level > 0.0f) return true;
    return false;
  }
  void AdvanceRetryClock(uint32_t ms) { audio->retryNow += ms; }
  // Gives the capture thread time to act (on a clock that did not move, it must not).
  static void Idle() { std::this_thread::sleep_for(std::chrono::milliseconds(60)); }

  static constexpr int kToneBand = 11;
  static constexpr uint32_t kInterval = KeyboardAudio::kRetryIntervalMs;
  StereoTones tone{1125.0, 0.3f};
  FakeEnumerator enumerator;
  FakeDevice device, other;
  FakeAudioClient client, otherClient;
  std::unique_ptr<AudioProbe> audio = std::make_unique<AudioProbe>();
};
}  // namespace

TEST_F(CoreAudio, StartOpensTheDefaultRenderEndpointInLoopback) {
  enumerator.SetDefault(&device);
  client.capture.script->AddConstant(8, 0.05f);
  audio->Start();

  EXPECT_EQ(enumerator.registered.load(), static_cast<IMMNotificationClient*>(audio.get()));
  ASSERT_EQ(audio->m_endpointNames.size(), 1u);
  EXPECT_EQ(audio->m_endpointNames[0], "Default Loopback Device");
  EXPECT_EQ(client.shareMode, AUDCLNT_SHAREMODE_SHARED);
  EXPECT_EQ(client.streamFlags, static_cast<DWORD>(AUDCLNT_STREAMFLAGS_LOOPBACK));
  EXPECT_EQ(client.InitializedFormat().wFormatTag, WAVE_FORMAT_EXTENSIBLE);
  EXPECT_EQ(client.starts, 1);

  // The capture thread reads the packets through the stream's capture client.
  EXPECT_TRUE(WaitUntil([&] { return Pending(*client.capture.script) == 0; }));
  audio->Stop();
  EXPECT_NEAR(audio->m_wave[2 * 255], 0.1f, 1e-7);
  EXPECT_EQ(client.stops, 1);
  EXPECT_EQ(enumerator.registered.load(), nullptr);
  EXPECT_TRUE(audio->m_endpointNames.empty());
}

TEST_F(CoreAudio, FallsBackToTheFirstActiveRenderEndpoint) {
  enumerator.collection.devices = {&other, &device};
  audio->Start();
  ASSERT_EQ(audio->m_endpointNames.size(), 1u);
  EXPECT_EQ(audio->m_endpointNames[0], "Fallback Loopback Device");
  EXPECT_EQ(otherClient.starts, 1);
  EXPECT_EQ(client.initializeCalls, 0);
}

TEST_F(CoreAudio, WithoutAnyEndpointTheThreadIdlesAndADeviceAppearingLaterIsPickedUp) {
  audio->Start();
  EXPECT_TRUE(audio->m_endpointNames.empty());
  std::this_thread::sleep_for(std::chrono::milliseconds(50));  // a few idle cycles
  EXPECT_EQ(device.activations, 0);

  // Only a render/console change counts.
  enumerator.SetDefault(&device);
  EXPECT_EQ(audio->OnDefaultDeviceChanged(eCapture, eConsole, L"mic"), S_OK);
  EXPECT_EQ(audio->OnDefaultDeviceChanged(eRender, eMultimedia, L"speakers"), S_OK);
  EXPECT_EQ(device.activations, 0);

  client.capture.script->AddConstant(8, 0.2f);
  EXPECT_EQ(audio->OnDefaultDeviceChanged(eRender, eConsole, L"speakers"), S_OK);
  EXPECT_EQ(client.starts, 1);
  EXPECT_TRUE(WaitUntil([&] { return Pending(*client.capture.script) == 0; }));
  audio->Stop();
  EXPECT_NEAR(audio->m_wave[2 * 255], 0.4f, 1e-7);
}

TEST_F(CoreAudio, DefaultDeviceChangeMovesTheStream) {
  enumerator.SetDefault(&device);
  audio->Start();
  enumerator.SetDefault(&other);
  audio->OnDefaultDeviceChanged(eRender, eConsole, L"other");
  EXPECT_EQ(client.stops, 1);  // the old stream is stopped before it is released
  EXPECT_EQ(otherClient.starts, 1);
  EXPECT_EQ(client.refs, 0);
  EXPECT_EQ(device.refs, 0);

  // A change that yields no endpoint keeps the running stream.
  enumerator.SetDefault(nullptr);
  audio->OnDefaultDeviceChanged(eRender, eConsole, nullptr);
  EXPECT_EQ(otherClient.stops, 0);
  EXPECT_TRUE(audio->m_endpointNames.empty());
}

TEST_F(CoreAudio, OnlyThirtyTwoBitFloatIsReadDirectly) {
  struct Case {
    const char* name;
    std::function<void(FakeAudioClient&)> mix;
    bool keptAsIs;
  };
  const Case cases[] = {
      {"extensible float stereo", [](FakeAudioClient& c) { c.SetExtensibleFormat(KSDATAFORMAT_SUBTYPE_IEEE_FLOAT, 32, 2, 48000); }, true},
      {"extensible float mono", [](FakeAudioClient& c) { c.SetExtensibleFormat(KSDATAFORMAT_SUBTYPE_IEEE_FLOAT, 32, 1, 48000); }, true},
      {"plain float", [](FakeAudioClient& c) { c.SetPlainFormat(WAVE_FORMAT_IEEE_FLOAT, 32, 2, 48000); }, true},
      {"extensible 16-bit PCM", [](FakeAudioClient& c) { c.SetExtensibleFormat(KSDATAFORMAT_SUBTYPE_PCM, 16, 2, 48000); }, false},
      {"extensible 24-bit PCM", [](FakeAudioClient& c) { c.SetExtensibleFormat(KSDATAFORMAT_SUBTYPE_PCM, 24, 2, 48000); }, false},
      {"extensible 64-bit float", [](FakeAudioClient& c) { c.SetExtensibleFormat(KSDATAFORMAT_SUBTYPE_IEEE_FLOAT, 64, 2, 48000); }, false},
      {"plain 16-bit PCM", [](FakeAudioClient& c) { c.SetPlainFormat(WAVE_FORMAT_PCM, 16, 2, 48000); }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeEnumerator localEnumerator;
    FakeDevice localDevice;
    FakeAudioClient localClient;
    localDevice.client = &localClient;
    localEnumerator.SetDefault(&localDevice);
    c.mix(localClient);
    {
      AudioProbe probe;
      probe.m_createEnumerator = localEnumerator.Creator();
      probe.Start();
      ASSERT_EQ(localClient.initializeCalls, 1);
      const WAVEFORMATEX& used = localClient.InitializedFormat();
      if (c.keptAsIs) {
        EXPECT_EQ(localClient.initializedFormat, localClient.mixFormat);
      } else {
        EXPECT_EQ(used.wFormatTag, WAVE_FORMAT_IEEE_FLOAT);
        EXPECT_EQ(used.nChannels, 2);
        EXPECT_EQ(used.nSamplesPerSec, 44100u);
        EXPECT_EQ(used.wBitsPerSample, 32);
        EXPECT_EQ(used.nBlockAlign, 8);
        EXPECT_EQ(used.nAvgBytesPerSec, 352800u);
        EXPECT_EQ(used.cbSize, 0);
      }
    }
    EXPECT_EQ(localClient.refs, 0);
    EXPECT_EQ(localDevice.refs, 0);
  }
}

TEST_F(CoreAudio, TheLoudnessMeterFollowsTheStreamRate) {
  client.SetExtensibleFormat(KSDATAFORMAT_SUBTYPE_IEEE_FLOAT, 32, 2, 44100);
  enumerator.SetDefault(&device);
  EXPECT_EQ(audio->m_loudness->SampleRate(), 48000.0f);
  audio->Start();
  EXPECT_EQ(audio->m_loudness->SampleRate(), 44100.0f);
  EXPECT_EQ(audio->m_loudness->Gain(), 1.0f);

  // Back on a 48 kHz device the weights are built for 48 kHz again.
  enumerator.SetDefault(&other);
  audio->OnDefaultDeviceChanged(eRender, eConsole, L"other");
  EXPECT_EQ(audio->m_loudness->SampleRate(), 48000.0f);
}

TEST_F(CoreAudio, RefusedCaptureServiceLeavesAnIdleThreadAndStopsCleanly) {
  // What Wine answers for loopback capture on a render endpoint.
  client.serviceResult = AUDCLNT_E_WRONG_ENDPOINT_TYPE;
  enumerator.SetDefault(&device);
  client.capture.script->AddConstant(8, 0.5f);
  audio->Start();
  EXPECT_EQ(client.initializeCalls, 1);
  EXPECT_EQ(client.starts, 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(Pending(*client.capture.script), 1u);
  audio->Stop();
  EXPECT_EQ(client.stops, 1);
  EXPECT_EQ(audio->m_rms, 0.0f);
}

TEST_F(CoreAudio, FailedInitialisationKeepsNoClient) {
  client.initializeResult = AUDCLNT_E_UNSUPPORTED_FORMAT;
  enumerator.SetDefault(&device);
  audio->Start();
  EXPECT_EQ(client.refs, 0);
  EXPECT_EQ(client.starts, 0);
}

TEST_F(CoreAudio, LostDeviceReopensTheStreamOnTheSameEndpoint) {
  enumerator.SetDefault(&device);
  PacketScript& script = *client.capture.script;
  script.AddConstant(8, 0.05f);
  script.AddFailure(AUDCLNT_E_DEVICE_INVALIDATED, 480);
  script.AddConstant(8, 0.15f);
  audio->Start();
  EXPECT_TRUE(WaitUntil([&] { return Pending(script) == 0; }));
  audio->Stop();
  EXPECT_EQ(device.activations, 2);
  EXPECT_EQ(client.initializeCalls, 2);
  EXPECT_EQ(client.starts, 2);
  EXPECT_EQ(client.stops, 2);
  EXPECT_NEAR(audio->m_wave[2 * 255], 0.3f, 1e-7);  // the packet after the loss
  EXPECT_NEAR(audio->m_wave[2 * 254], 0.3f, 1e-7);
  EXPECT_NEAR(audio->m_wave[2 * 253], 0.1f, 1e-7);  // and the one before it
}

TEST_F(CoreAudio, NotificationsCaptureAndStopDoNotRace) {
  enumerator.SetDefault(&device);
  audio->Start();
  std::atomic<bool> done{false};
  std::thread feeder([&] {
    while (!done) {
      for (FakeAudioClient* c : {&client, &otherClient})
        if (Pending(*c->capture.script) < 4) c->capture.script->AddConstant(480, 0.1f);
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  });
  std::thread notifier([&] {
    FakeDevice* devices[] = {&other, nullptr, &device};
    for (int i = 0; !done; ++i) {
      enumerator.SetDefault(devices[i % 3]);
      audio->OnDefaultDeviceChanged(eRender, eConsole, L"x");
    }
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  audio->Stop();  // while the notifications keep coming
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  done = true;
  notifier.join();
  feeder.join();
  enumerator.SetDefault(nullptr);
  EXPECT_EQ(enumerator.registered.load(), nullptr);
  EXPECT_GT(client.initializeCalls + otherClient.initializeCalls, 2);
}

TEST_F(CoreAudio, StopIsSafeToRepeatAndWithoutStart) {
  audio->Stop();
  enumerator.SetDefault(&device);
  audio->Start();
  audio->Stop();
  audio->Stop();
  EXPECT_EQ(enumerator.unregistrations, 1);
  EXPECT_EQ(audio->OnDefaultDeviceChanged(eRender, eConsole, L"late"), S_OK);  // after Stop: nothing
  EXPECT_EQ(device.activations, 1);
}

TEST_F(CoreAudio, ANameWithoutAnEndpointDoesNotRecurse) {
  // The fallback to the first endpoint is tried once; it must not retry for ever when
  // even that one is missing.
  audio->m_endpointNames.push_back("Default Loopback Device");
  audio->InitCapture();
  EXPECT_EQ(audio->m_audioClient, nullptr);
}

TEST_F(CoreAudio, NotificationInterfaceIsNotReferenceCounted) {
  IMMNotificationClient* face = audio.get();
  EXPECT_EQ(face->AddRef(), 1u);
  EXPECT_EQ(face->Release(), 1u);
  void* out = nullptr;
  EXPECT_EQ(face->QueryInterface(__uuidof(IUnknown), &out), S_OK);
  EXPECT_EQ(out, static_cast<void*>(face));
  EXPECT_EQ(face->QueryInterface(__uuidof(IMMNotificationClient), &out), S_OK);
  EXPECT_EQ(face->QueryInterface(__uuidof(IAudioClient), &out), E_NOINTERFACE);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(face->OnDeviceAdded(L"x"), S_OK);
  EXPECT_EQ(face->OnDeviceRemoved(L"x"), S_OK);
  EXPECT_EQ(face->OnDeviceStateChanged(L"x", DEVICE_STATE_ACTIVE), S_OK);
}

TEST_F(CoreAudio, InitialisationFailingAFewTimesIsRetriedEachIntervalUntilItWorks) {
  enumerator.SetDefault(&device);
  client.failInitializes = 3;
  QueueTone(client);
  audio->Start();
  EXPECT_EQ(client.initializeCalls, 1);
  EXPECT_EQ(client.starts, 0);

  for (int attempt = 2; attempt <= 4; ++attempt) {
    AdvanceRetryClock(kInterval - 1);
    Idle();
    EXPECT_EQ(client.initializeCalls, attempt - 1) << "no attempt before the interval is over";
    AdvanceRetryClock(1);
    EXPECT_TRUE(WaitUntil([&] { return client.initializeCalls == attempt; })) << "attempt " << attempt;
  }
  EXPECT_TRUE(WaitUntil([&] { return ToneHeardSince(0); }));
  EXPECT_EQ(client.starts, 1);
  EXPECT_EQ(device.activations, 4);

  // A stream that runs is left alone.
  AdvanceRetryClock(5 * kInterval);
  Idle();
  EXPECT_EQ(client.initializeCalls, 4);
  EXPECT_EQ(enumerator.defaultQueries, 4);
}

TEST_F(CoreAudio, DeviceLostMidCaptureFallsSilentAndComesBackWithoutANotification) {
  enumerator.SetDefault(&device);
  QueueTone(client);
  audio->Start();
  ASSERT_TRUE(WaitUntil([&] { return ToneHeardSince(0); }));

  // The sound server goes away: the stream reports the loss and cannot be reopened.
  client.initializeResult = AUDCLNT_E_DEVICE_INVALIDATED;
  client.capture.script->AddFailure(AUDCLNT_E_DEVICE_INVALIDATED, 480);
  ASSERT_TRUE(WaitUntil([&] {
    const auto published = audio->Publications();
    return client.initializeCalls == 2 && !published.empty() && published.back().level == 0.0f;
  }));
  const auto silent = audio->Publications().back();
  EXPECT_EQ(silent.waveMax, 0.0f);
  EXPECT_EQ(silent.loudestBand, -1);
  EXPECT_FALSE(silent.beat);
  const size_t lost = audio->Publications().size();

  // While it is down, each interval brings one quiet attempt and nothing is published.
  for (int attempt = 3; attempt <= 5; ++attempt) {
    AdvanceRetryClock(kInterval);
    ASSERT_TRUE(WaitUntil([&] { return client.initializeCalls == attempt; }));
  }
  Idle();
  EXPECT_EQ(client.initializeCalls, 5);
  EXPECT_EQ(audio->Publications().size(), lost);

  // Back: the next attempt opens the stream and the tone reaches the consumers again.
  client.initializeResult = S_OK;
  QueueTone(client);
  AdvanceRetryClock(kInterval);
  EXPECT_TRUE(WaitUntil([&] { return ToneHeardSince(lost); }));
  EXPECT_EQ(client.starts, 2);
  EXPECT_EQ(client.initializeCalls, 6);
}

TEST_F(CoreAudio, WithoutAnEndpointTheDefaultDeviceIsAskedForOncePerInterval) {
  audio->Start();
  EXPECT_EQ(enumerator.defaultQueries, 1);
  Idle();
  EXPECT_EQ(enumerator.defaultQueries, 1) << "no asking between attempts";
  for (int query = 2; query <= 4; ++query) {
    AdvanceRetryClock(kInterval);
    ASSERT_TRUE(WaitUntil([&] { return enumerator.defaultQueries == query; }));
  }
  Idle();
  EXPECT_EQ(enumerator.defaultQueries, 4);
  EXPECT_TRUE(audio->Publications().empty());
  EXPECT_TRUE(audio->m_endpointNames.empty());

  // A device appears and no notification says so: the next attempt finds it.
  enumerator.SetDefault(&device);
  QueueTone(client);
  AdvanceRetryClock(kInterval);
  EXPECT_TRUE(WaitUntil([&] { return ToneHeardSince(0); }));
  EXPECT_EQ(client.starts, 1);
}

TEST_F(CoreAudio, RetriesFollowTheSystemClockAtAboutOnePerSecond) {
  audio->m_retryClock = [] { return static_cast<uint32_t>(GetTickCount()); };
  const auto start = std::chrono::steady_clock::now();
  audio->Start();
  ASSERT_TRUE(WaitUntil([&] { return enumerator.defaultQueries >= 2; }));  // one retry, about 1 s on
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  audio->Stop();
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_LE(enumerator.defaultQueries, 1 + static_cast<int>(seconds * 1000 / kInterval)) << seconds << " s";
}

TEST_F(CoreAudio, StopDuringARetryEndsWithinTheIntervalAndNothingFollows) {
  enumerator.SetDefault(&device);
  client.initializeResult = AUDCLNT_E_DEVICE_INVALIDATED;
  audio->Start();
  AdvanceRetryClock(kInterval);
  ASSERT_TRUE(WaitUntil([&] { return client.initializeCalls == 2; }));

  // The next attempt is under way on a slow device when Stop comes.
  client.initializeDelayMs = 200;
  AdvanceRetryClock(kInterval);
  ASSERT_TRUE(WaitUntil([&] { return client.initializing.load(); }));
  const auto stopping = std::chrono::steady_clock::now();
  audio->Stop();
  const auto took = std::chrono::steady_clock::now() - stopping;
  EXPECT_LT(took, std::chrono::milliseconds(kInterval));
  EXPECT_FALSE(client.initializing);

  AdvanceRetryClock(5 * kInterval);
  Idle();
  EXPECT_EQ(client.initializeCalls, 3);
  EXPECT_EQ(enumerator.registered.load(), nullptr);
}
