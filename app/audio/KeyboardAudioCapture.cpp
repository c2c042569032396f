// KeyboardAudio: one capture cycle. Every frame of every packet is mixed down to mono
// (the mean of its channels) and goes to the analysis block at the stream's rate; the
// wave, level and peak take one value per four frames, n / 4 (rounded up) per packet.
#include "audio/KeyboardAudio.h"

#include <algorithm>
#include <cmath>
#include <cstring>

void KeyboardAudio::ProcessPackets() {
  std::lock_guard<std::recursive_mutex> lock(m_streamLock);
  if (!m_packetSource) return;

  int values = 0;
  double sumSquares = 0.0;
  float largest = 0.0f;
  UINT32 frames = 1;
  do {
    BYTE* data = nullptr;
    DWORD flags = 0;
    const HRESULT hr = m_packetSource->GetBuffer(&data, &frames, &flags);
    if (FAILED(hr) || !data) {
      // A lost device still reports frames, or says so: reopen the stream. An empty
      // buffer does neither.
      if (frames != 0 || hr == AUDCLNT_E_DEVICE_INVALIDATED || hr == AUDCLNT_E_SERVICE_NOT_RUNNING)
        InitCapture();
      break;
    }
    // A packet flagged silent has undefined content: it is read as zeros.
    const float* samples =
        (flags & AUDCLNT_BUFFERFLAGS_SILENT) ? nullptr : reinterpret_cast<const float*>(data);
    ConsumePacket(samples, frames, sumSquares, largest, values);
    m_packetSource->ReleaseBuffer(frames);
  } while (frames > 0);

  if (values == 0) return;
  m_sounding = true;

  m_rms = static_cast<float>(std::sqrt(sumSquares / values));
  m_level = m_rms < 0.01f ? 0.0f : std::sqrt(4.0f * m_rms);
  m_level = std::clamp(m_level, 0.0f, 1.0f);

  // The consumers get this cycle's level with the previous cycle's average and peak.
  PublishAudio(m_level);

  m_levelHistory[m_levelHistoryIndex] = m_level;
  m_levelHistoryIndex = (m_levelHistoryIndex + 1) % kLevelHistory;
  float sum = 0.0f;
  for (float entry : m_levelHistory) sum += entry;
  m_average = sum * 0.015625f;

  const float candidate = std::clamp(4.0f * largest, 0.0f, 1.0f);
  m_peak = candidate > m_peak ? candidate : m_peak * 0.95f;
}

void KeyboardAudio::ConsumePacket(const float* data, UINT32 frames, double& sumSquares,
                                  float& largest, int& values) {
  const int n = static_cast<int>(frames);
  // Shift the wave left by n / 4 points; a packet of 1024 frames or more replaces it.
  const int shift = n / 4;
  if (shift >= 1 && kWavePoints - shift >= 1)
    std::memmove(m_wave, m_wave + 2 * shift, sizeof(float) * 2 * (kWavePoints - shift));
  int point = std::max(kWavePoints - shift, 0);

  const int channels = m_channels;
  const float gain = static_cast<float>(m_waveGain.load());
  for (int i = 0; i < n; i += 4) {
    const int last = std::min(i + 4, n);
    float sum = 0.0f;
    for (int f = i; f < last; ++f) {
      float mono = 0.0f;
      if (data) {
        const float* frame = data + static_cast<size_t>(f) * channels;
        for (int c = 0; c < channels; ++c) mono += frame[c];
        mono /= static_cast<float>(channels);
      }
      sum += mono;
      if (m_analyzer) {
        m_block[m_blockFill++] = mono;
        if (m_blockFill == kBlockSize) {
          AnalyseBlock();
          m_blockFill = 0;
        }
      }
    }
    const float v = sum / static_cast<float>(last - i);

    const float w = 2.0f * v * gain;
    if (point < kWavePoints) {
      m_wave[2 * point] = w;
      m_wave[2 * point + 1] = w;
      ++point;
    }
    largest = std::max(largest, std::fabs(w));
    sumSquares += static_cast<double>(w) * w;
    ++values;
  }
}

void KeyboardAudio::SilenceConsumers() {
  m_sounding = false;
  m_blockFill = 0;  // a part block would join the old stream to the next one
  std::fill(std::begin(m_wave), std::end(m_wave), 0.0f);
  std::fill(std::begin(m_levelHistory), std::end(m_levelHistory), 0.0f);
  m_levelHistoryIndex = 0;
  m_rms = m_level = m_peak = m_average = 0.0f;
  std::fill(std::begin(m_bands32), std::end(m_bands32), 0.0f);
  std::fill(std::begin(m_bands64), std::end(m_bands64), 0.0f);
  m_bass = m_mid = m_treble = 0.0f;
  m_beat = false;
  m_beatStrength = 0.0f;
  PublishAudio(0.0f);
}
