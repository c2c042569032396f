#include "audio/AudioPacketSource.h"

#include <utility>

AudioPacketSource::~AudioPacketSource() = default;

CaptureClientSource::CaptureClientSource(Microsoft::WRL::ComPtr<IAudioCaptureClient> client)
    : m_client(std::move(client)) {}

HRESULT CaptureClientSource::GetBuffer(BYTE** data, UINT32* frames, DWORD* flags) {
  return m_client->GetBuffer(data, frames, flags, nullptr, nullptr);
}

HRESULT CaptureClientSource::ReleaseBuffer(UINT32 frames) { return m_client->ReleaseBuffer(frames); }
