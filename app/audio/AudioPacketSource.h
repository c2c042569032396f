// Where the capture cycle reads its packets from. In the program this is the stream's
// IAudioCaptureClient; tests hand in synthetic packets. The contract is that of
// IAudioCaptureClient::GetBuffer / ReleaseBuffer.
#pragma once
#include <windows.h>
#include <audioclient.h>
#include <wrl/client.h>

class AudioPacketSource {
public:
  virtual ~AudioPacketSource();
  // Next packet: data pointer, frame count and buffer flags. A success with no data and
  // 0 frames means "no packet now".
  virtual HRESULT GetBuffer(BYTE** data, UINT32* frames, DWORD* flags) = 0;
  virtual HRESULT ReleaseBuffer(UINT32 frames) = 0;
};

// The program's packet source: the capture service of an initialised loopback stream.
class CaptureClientSource : public AudioPacketSource {
public:
  explicit CaptureClientSource(Microsoft::WRL::ComPtr<IAudioCaptureClient> client);
  HRESULT GetBuffer(BYTE** data, UINT32* frames, DWORD* flags) override;
  HRESULT ReleaseBuffer(UINT32 frames) override;

private:
  Microsoft::WRL::ComPtr<IAudioCaptureClient> m_client;
};
