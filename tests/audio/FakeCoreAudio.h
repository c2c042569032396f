// Core Audio stand-ins for the capture tests: an enumerator with a settable default
// endpoint, endpoints that activate audio clients, clients with a chosen mix format and
// capture clients that serve scripted packets. The test owns every object; each one
// counts its references, so a test can check that all of them were released.
#pragma once
#include <windows.h>
#include <audioclient.h>
#include <mmdeviceapi.h>
#include <ks.h>
#include <ksmedia.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "SyntheticAudio.h"

template <class Interface>
class FakeCom : public Interface {
public:
  virtual ~FakeCom() = default;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (IsEqualIID(iid, __uuidof(IUnknown)) || IsEqualIID(iid, __uuidof(Interface))) {
      *out = static_cast<Interface*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs; }  // the test owns the object

  std::atomic<long> refs{0};
};

// Serves the packets of a script through the real capture-client interface.
class FakeCaptureClient : public FakeCom<IAudioCaptureClient> {
public:
  FakeCaptureClient() : source(script) {}
  HRESULT STDMETHODCALLTYPE GetBuffer(BYTE** data, UINT32* frames, DWORD* flags, UINT64*, UINT64*) override {
    return source.GetBuffer(data, frames, flags);
  }
  HRESULT STDMETHODCALLTYPE ReleaseBuffer(UINT32 frames) override { return source.ReleaseBuffer(frames); }
  HRESULT STDMETHODCALLTYPE GetNextPacketSize(UINT32*) override { return E_NOTIMPL; }

  std::shared_ptr<PacketScript> script = std::make_shared<PacketScript>();
  ScriptedPacketSource source;
};

class FakeAudioClient : public FakeCom<IAudioClient> {
public:
  // Float stereo at 48 kHz as the extensible format a shared-mode device reports.
  FakeAudioClient() { SetExtensibleFormat(KSDATAFORMAT_SUBTYPE_IEEE_FLOAT, 32, 2, 48000); }

  void SetExtensibleFormat(const GUID& subFormat, WORD bits, WORD channels, DWORD rate) {
    WAVEFORMATEXTENSIBLE f{};
    f.Format.wFormatTag = WAVE_FORMAT_EXTENSIBLE;
    f.Format.nChannels = channels;
    f.Format.nSamplesPerSec = rate;
    f.Format.wBitsPerSample = bits;
    f.Format.nBlockAlign = channels * bits / 8;
    f.Format.nAvgBytesPerSec = f.Format.nBlockAlign * rate;
    f.Format.cbSize = sizeof(WAVEFORMATEXTENSIBLE) - sizeof(WAVEFORMATEX);
    f.Samples.wValidBitsPerSample = bits;
    f.SubFormat = subFormat;
    mixFormat.assign(reinterpret_cast<BYTE*>(&f), reinterpret_cast<BYTE*>(&f) + sizeof(f));
  }
  void SetPlainFormat(WORD tag, WORD bits, WORD channels, DWORD rate) {
    WAVEFORMATEX f{};
    f.wFormatTag = tag;
    f.nChannels = channels;
    f.nSamplesPerSec = rate;
    f.wBitsPerSample = bits;
    f.nBlockAlign = channels * bits / 8;
    f.nAvgBytesPerSec = f.nBlockAlign * rate;
    mixFormat.assign(reinterpret_cast<BYTE*>(&f), reinterpret_cast<BYTE*>(&f) + sizeof(f));
  }
  const WAVEFORMATEX& InitializedFormat() const {
    return *reinterpret_cast<const WAVEFORMATEX*>(initializedFormat.data());
  }

  HRESULT STDMETHODCALLTYPE Initialize(AUDCLNT_SHAREMODE mode, DWORD flags, REFERENCE_TIME, REFERENCE_TIME,
                                       const WAVEFORMATEX* format, LPCGUID) override {
    shareMode = mode;
    streamFlags = flags;
    {
      std::lock_guard<std::mutex> guard(formatLock);
      initializedFormat.assign(reinterpret_cast<const BYTE*>(format),
                               reinterpret_cast<const BYTE*>(format) + sizeof(WAVEFORMATEX) + format->cbSize);
    }
    ++initializeCalls;
    if (const int delay = initializeDelayMs.load(); delay > 0) {
      initializing = true;
      std::this_thread::sleep_for(std::chrono::milliseconds(delay));
      initializing = false;
    }
    if (failInitializes > 0) {
      --failInitializes;
      return AUDCLNT_E_DEVICE_INVALIDATED;
    }
    return initializeResult;
  }
  HRESULT STDMETHODCALLTYPE GetBufferSize(UINT32*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetStreamLatency(REFERENCE_TIME*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetCurrentPadding(UINT32*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE IsFormatSupported(AUDCLNT_SHAREMODE, const WAVEFORMATEX*, WAVEFORMATEX**) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetMixFormat(WAVEFORMATEX** format) override {
    auto* copy = static_cast<WAVEFORMATEX*>(CoTaskMemAlloc(mixFormat.size()));
    std::memcpy(copy, mixFormat.data(), mixFormat.size());
    *format = copy;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDevicePeriod(REFERENCE_TIME*, REFERENCE_TIME*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Start() override {
    ++starts;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Stop() override {
    ++stops;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Reset() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SetEventHandle(HANDLE) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetService(REFIID iid, void** out) override {
    *out = nullptr;
    if (!IsEqualIID(iid, __uuidof(IAudioCaptureClient))) return E_NOINTERFACE;
    if (FAILED(serviceResult)) return serviceResult;
    capture.AddRef();
    *out = static_cast<IAudioCaptureClient*>(&capture);
    return S_OK;
  }

  std::vector<BYTE> mixFormat, initializedFormat;
  std::mutex formatLock;
  std::atomic<HRESULT> initializeResult{S_OK};  // what Initialize answers (a lost device: a failure)
  std::atomic<int> failInitializes{0};          // this many Initialize calls fail first
  std::atomic<int> initializeDelayMs{0};        // a slow device: Initialize takes this long
  std::atomic<bool> initializing{false};        // inside such a slow Initialize
  HRESULT serviceResult = S_OK;
  AUDCLNT_SHAREMODE shareMode = AUDCLNT_SHAREMODE_EXCLUSIVE;
  DWORD streamFlags = 0;
  std::atomic<int> initializeCalls{0}, starts{0}, stops{0};
  FakeCaptureClient capture;
};

class FakeDevice : public FakeCom<IMMDevice> {
public:
  HRESULT STDMETHODCALLTYPE Activate(REFIID iid, DWORD, PROPVARIANT*, void** out) override {
    *out = nullptr;
    ++activations;
    if (!IsEqualIID(iid, __uuidof(IAudioClient)) || !client) return E_NOINTERFACE;
    client->AddRef();
    *out = static_cast<IAudioClient*>(client);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OpenPropertyStore(DWORD, IPropertyStore**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetId(LPWSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetState(DWORD* state) override {
    *state = DEVICE_STATE_ACTIVE;
    return S_OK;
  }

  FakeAudioClient* client = nullptr;  // the client every activation hands out
  std::atomic<int> activations{0};
};

class FakeCollection : public FakeCom<IMMDeviceCollection> {
public:
  HRESULT STDMETHODCALLTYPE GetCount(UINT* count) override {
    *count = static_cast<UINT>(devices.size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Item(UINT index, IMMDevice** device) override {
    *device = nullptr;
    if (index >= devices.size()) return E_INVALIDARG;
    devices[index]->AddRef();
    *device = devices[index];
    return S_OK;
  }
  std::vector<FakeDevice*> devices;
};

class FakeEnumerator : public FakeCom<IMMDeviceEnumerator> {
public:
  HRESULT STDMETHODCALLTYPE EnumAudioEndpoints(EDataFlow, DWORD, IMMDeviceCollection** out) override {
    collection.AddRef();
    *out = &collection;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDefaultAudioEndpoint(EDataFlow, ERole, IMMDevice** out) override {
    std::lock_guard<std::mutex> guard(lock);
    ++defaultQueries;
    *out = nullptr;
    if (!defaultDevice) return HRESULT_FROM_WIN32(ERROR_NOT_FOUND);  // 0x80070490, no endpoint
    defaultDevice->AddRef();
    *out = defaultDevice;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDevice(LPCWSTR, IMMDevice**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE RegisterEndpointNotificationCallback(IMMNotificationClient* client) override {
    registered = client;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE UnregisterEndpointNotificationCallback(IMMNotificationClient* client) override {
    if (registered == client) registered = nullptr;
    ++unregistrations;
    return S_OK;
  }

  void SetDefault(FakeDevice* device) {
    std::lock_guard<std::mutex> guard(lock);
    defaultDevice = device;
  }

  // A creator for KeyboardAudio::m_createEnumerator that hands out this object.
  auto Creator() {
    return [this](IMMDeviceEnumerator** out) {
      AddRef();
      *out = this;
      return S_OK;
    };
  }

  std::mutex lock;
  FakeDevice* defaultDevice = nullptr;
  FakeCollection collection;
  std::atomic<IMMNotificationClient*> registered{nullptr};
  std::atomic<int> unregistrations{0};
  std::atomic<int> defaultQueries{0};
};
