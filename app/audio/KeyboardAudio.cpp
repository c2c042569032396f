// KeyboardAudio: the Core Audio side (endpoints, stream set-up, notifications, the
// capture thread). The per-packet work and the analysis are in KeyboardAudioCapture.cpp
// and KeyboardAudioAnalysis.cpp, the hand-over in KeyboardAudioPublish.cpp.
#include "audio/KeyboardAudio.h"

#include <algorithm>
#include <chrono>
#include <new>

using Microsoft::WRL::ComPtr;

namespace {
constexpr DWORD kLoopbackFlag = AUDCLNT_STREAMFLAGS_LOOPBACK;  // 0x20000
constexpr DWORD kMeterRate = 48000;

HRESULT CreateSystemEnumerator(IMMDeviceEnumerator** enumerator) {
  return CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_ALL,
                          __uuidof(IMMDeviceEnumerator), reinterpret_cast<void**>(enumerator));
}
}  // namespace

KeyboardAudio::KeyboardAudio()
    : m_tickClock([] { return static_cast<uint32_t>(GetTickCount()); }),
      m_retryClock([] { return static_cast<uint32_t>(GetTickCount()); }),
      m_createEnumerator(CreateSystemEnumerator) {
  // Without the analyser or the meter the block analysis is skipped; capture still works.
  m_analyzer.reset(new (std::nothrow) SpectrumAnalyzer(kBlockSize));
  m_loudness.reset(new (std::nothrow) LoudnessMeter(static_cast<float>(kMeterRate)));
  if (!m_analyzer || !m_loudness) {
    m_analyzer.reset();
    m_loudness.reset();
  }
}

KeyboardAudio::~KeyboardAudio() { Stop(); }

void KeyboardAudio::Start() {
  if (m_captureThread.joinable()) return;  // started once per run
  {
    std::lock_guard<std::recursive_mutex> lock(m_streamLock);
    m_endpointNames.clear();
    m_endpointIndex = 0;
    m_enumerator.Reset();
    ReleaseEndpoints();
    ReleaseStream();

    // The calling thread joins the multithreaded apartment for the rest of its life.
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    ComPtr<IMMDeviceEnumerator> enumerator;
    if (m_createEnumerator && SUCCEEDED(m_createEnumerator(enumerator.GetAddressOf())))
      m_enumerator = enumerator;

    if (m_enumerator) {
      m_notificationsRegistered =
          SUCCEEDED(m_enumerator->RegisterEndpointNotificationCallback(this));
      OpenDefaultEndpoint();
    }
  }
  m_running = true;
  m_captureThread = std::thread(&KeyboardAudio::CaptureLoop, this);
}

void KeyboardAudio::OpenDefaultEndpoint() {
  std::lock_guard<std::recursive_mutex> lock(m_streamLock);
  ReleaseEndpoints();
  if (!m_enumerator) return;
  ComPtr<IMMDevice> endpoint;
  if (SUCCEEDED(m_enumerator->GetDefaultAudioEndpoint(eRender, eConsole, endpoint.GetAddressOf())) &&
      endpoint) {
    AddLoopbackEndpoint(endpoint, "Default Loopback Device");
  } else {
    ComPtr<IMMDeviceCollection> collection;
    UINT count = 0;
    if (SUCCEEDED(m_enumerator->EnumAudioEndpoints(eRender, DEVICE_STATE_ACTIVE,
                                                   collection.GetAddressOf())) &&
        collection && SUCCEEDED(collection->GetCount(&count)) && count >= 1) {
      ComPtr<IMMDevice> first;
      if (SUCCEEDED(collection->Item(0, first.GetAddressOf())) && first)
        AddLoopbackEndpoint(first, "Fallback Loopback Device");
    }
  }
  InitCapture();
}

void KeyboardAudio::AddLoopbackEndpoint(ComPtr<IMMDevice> endpoint, const char* name) {
  m_endpointNames.emplace_back(name);
  m_endpoints.push_back(std::move(endpoint));
  m_endpointIsCapture.push_back(false);
}

void KeyboardAudio::ReleaseEndpoints() {
  m_endpoints.clear();
  m_endpointIsCapture.clear();
  m_endpointNames.clear();
}

void KeyboardAudio::ReleaseStream() {
  m_packetSource.reset();
  if (m_audioClient) m_audioClient->Stop();
  m_audioClient.Reset();
  m_captureClient.Reset();
  m_format.reset();
}

void KeyboardAudio::SetPacketSource(std::unique_ptr<AudioPacketSource> source, int channels) {
  std::lock_guard<std::recursive_mutex> lock(m_streamLock);
  m_packetSource = std::move(source);
  m_channels = std::max(channels, 1);
}

void KeyboardAudio::InitCapture() {
  std::lock_guard<std::recursive_mutex> lock(m_streamLock);
  ReleaseStream();
  m_lastOpenTick = m_retryClock();

  if (m_endpointIndex >= m_endpointNames.size() || m_endpointIndex >= m_endpoints.size()) {
    // Fall back to the first endpoint, once: retrying index 0 when it is itself out of
    // range would recurse for ever.
    if (!m_endpointNames.empty() && m_endpointIndex != 0) {
      m_endpointIndex = 0;
      InitCapture();
    }
    return;
  }

  IMMDevice* endpoint = m_endpoints[m_endpointIndex].Get();
  if (!endpoint) return;
  ComPtr<IAudioClient> client;
  if (FAILED(endpoint->Activate(__uuidof(IAudioClient), CLSCTX_ALL, nullptr,
                                reinterpret_cast<void**>(client.GetAddressOf()))) ||
      !client)
    return;

  WAVEFORMATEX* mix = nullptr;
  if (FAILED(client->GetMixFormat(&mix)) || !mix) return;
  StreamFormatPtr format(mix);
  // Packets are read as 32-bit floats: anything else is asked for as float stereo.
  if (!IsFloat32Format(*format)) {
    format = NewFloatStereoFormat();
    if (!format) return;
  }

  const DWORD flags = m_endpointIsCapture[m_endpointIndex] ? 0 : kLoopbackFlag;
  if (FAILED(client->Initialize(AUDCLNT_SHAREMODE_SHARED, flags, 0, 0, format.get(), nullptr)))
    return;
  // From here on a client exists even when the capture service is refused, so that Stop
  // stops and releases it.
  m_audioClient = client;
  m_format = std::move(format);

  ComPtr<IAudioCaptureClient> capture;
  if (FAILED(client->GetService(__uuidof(IAudioCaptureClient),
                                reinterpret_cast<void**>(capture.GetAddressOf()))) ||
      !capture)
    return;
  m_captureClient = capture;
  client->Start();
  m_packetSource = std::make_unique<CaptureClientSource>(capture);
  m_channels = m_format->nChannels;

  // The meter's frequency weights must match the stream's rate.
  const float rate = static_cast<float>(m_format->nSamplesPerSec);
  if (m_loudness && m_loudness->SampleRate() != rate) {
    m_loudness.reset(new (std::nothrow) LoudnessMeter(rate));
    if (!m_loudness) m_analyzer.reset();
  }
}

void KeyboardAudio::CaptureLoop() {
  const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  std::unique_lock<std::mutex> wake(m_wakeLock);
  while (m_running) {
    wake.unlock();
    CaptureStep();
    wake.lock();
    m_wake.wait_for(wake, std::chrono::milliseconds(16), [this] { return !m_running; });
  }
  wake.unlock();
  if (SUCCEEDED(com)) CoUninitialize();
}

void KeyboardAudio::CaptureStep() {
  std::lock_guard<std::recursive_mutex> lock(m_streamLock);
  ProcessPackets();
  if (m_packetSource) return;

  // No stream: what the consumers last got must not stay lit, and the device may come
  // back without any notification (a sound server restarting, a card plugged in again).
  if (m_sounding) SilenceConsumers();
  const uint32_t now = m_retryClock();
  if (m_running && now - m_lastOpenTick >= kRetryIntervalMs) {
    m_lastOpenTick = now;
    OpenDefaultEndpoint();
  }
}

void KeyboardAudio::Stop() {
  {
    std::lock_guard<std::mutex> wake(m_wakeLock);
    m_running = false;
  }
  m_wake.notify_all();
  if (m_captureThread.joinable()) m_captureThread.join();

  // Unregister outside the lock: a notification in flight may be waiting for it.
  ComPtr<IMMDeviceEnumerator> enumerator;
  bool registered = false;
  {
    std::lock_guard<std::recursive_mutex> lock(m_streamLock);
    enumerator = m_enumerator;
    registered = m_notificationsRegistered;
    m_notificationsRegistered = false;
  }
  if (enumerator && registered) enumerator->UnregisterEndpointNotificationCallback(this);

  std::lock_guard<std::recursive_mutex> lock(m_streamLock);
  ReleaseStream();
  m_enumerator.Reset();
  ReleaseEndpoints();
  m_endpointIndex = 0;

  std::fill(std::begin(m_bands7), std::end(m_bands7), 0.0f);
  std::fill(std::begin(m_levelHistory), std::end(m_levelHistory), 0.0f);
  m_levelHistoryIndex = 0;
  m_peak = 0.0f;
  m_average = 0.0f;
  m_level = 0.0f;
}

HRESULT STDMETHODCALLTYPE KeyboardAudio::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(iid, __uuidof(IUnknown)) || IsEqualIID(iid, __uuidof(IMMNotificationClient))) {
    *object = static_cast<IMMNotificationClient*>(this);
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE KeyboardAudio::AddRef() { return 1; }
ULONG STDMETHODCALLTYPE KeyboardAudio::Release() { return 1; }
HRESULT STDMETHODCALLTYPE KeyboardAudio::OnDeviceStateChanged(LPCWSTR, DWORD) { return S_OK; }
HRESULT STDMETHODCALLTYPE KeyboardAudio::OnDeviceAdded(LPCWSTR) { return S_OK; }
HRESULT STDMETHODCALLTYPE KeyboardAudio::OnDeviceRemoved(LPCWSTR) { return S_OK; }
HRESULT STDMETHODCALLTYPE KeyboardAudio::OnPropertyValueChanged(LPCWSTR, const PROPERTYKEY) {
  return S_OK;
}

HRESULT STDMETHODCALLTYPE KeyboardAudio::OnDefaultDeviceChanged(EDataFlow flow, ERole role, LPCWSTR) {
  if (flow != eRender || role != eConsole) return S_OK;
  std::lock_guard<std::recursive_mutex> lock(m_streamLock);
  ReleaseEndpoints();
  if (!m_enumerator) return S_OK;
  ComPtr<IMMDevice> endpoint;
  if (SUCCEEDED(m_enumerator->GetDefaultAudioEndpoint(eRender, eConsole, endpoint.GetAddressOf())) &&
      endpoint) {
    AddLoopbackEndpoint(endpoint, "Default Loopback Device");
    InitCapture();
  }
  return S_OK;
}
