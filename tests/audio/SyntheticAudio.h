// Synthetic capture input: a scripted packet source for KeyboardAudio's packet seam and
// signal generators (noise, click tracks) shared by the tests and the benchmarks.
#pragma once
#include <windows.h>
#include <audioclient.h>

#include <cmath>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

#include "audio/AudioPacketSource.h"

// What the scripted source serves and what happened to it; shared between the test and
// the source that KeyboardAudio owns (and may drop on re-initialisation).
struct PacketScript {
  struct Packet {
    std::vector<float> samples;  // interleaved floats
    UINT32 frames = 0;
    DWORD flags = 0;
    HRESULT failure = S_OK;      // a failing GetBuffer that reports `frames`
  };
  std::mutex lock;
  std::deque<Packet> packets;
  int released = 0;
  bool destroyed = false;

  // A stereo packet whose every float is `value`.
  void AddConstant(UINT32 frames, float value, DWORD flags = 0) {
    std::lock_guard<std::mutex> guard(lock);
    packets.push_back({std::vector<float>(2 * frames, value), frames, flags, S_OK});
  }
  void AddSamples(std::vector<float> samples, UINT32 frames) {
    std::lock_guard<std::mutex> guard(lock);
    samples.resize(std::max<size_t>(samples.size(), 2 * frames));
    packets.push_back({std::move(samples), frames, 0, S_OK});
  }
  void AddFailure(HRESULT failure, UINT32 framesReported) {
    std::lock_guard<std::mutex> guard(lock);
    packets.push_back({{}, framesReported, 0, failure});
  }
};

class ScriptedPacketSource : public AudioPacketSource {
public:
  explicit ScriptedPacketSource(std::shared_ptr<PacketScript> script) : m_script(std::move(script)) {}
  ~ScriptedPacketSource() override { m_script->destroyed = true; }

  HRESULT GetBuffer(BYTE** data, UINT32* frames, DWORD* flags) override {
    std::lock_guard<std::mutex> guard(m_script->lock);
    *data = nullptr;
    *flags = 0;
    if (m_script->packets.empty()) {
      *frames = 0;
      return AUDCLNT_S_BUFFER_EMPTY;
    }
    PacketScript::Packet& packet = m_script->packets.front();
    if (FAILED(packet.failure)) {
      const HRESULT failure = packet.failure;
      *frames = packet.frames;
      m_script->packets.pop_front();
      return failure;
    }
    m_current = std::move(packet);
    m_script->packets.pop_front();
    *data = reinterpret_cast<BYTE*>(m_current.samples.data());
    *frames = m_current.frames;
    *flags = m_current.flags;
    return S_OK;
  }
  HRESULT ReleaseBuffer(UINT32) override {
    std::lock_guard<std::mutex> guard(m_script->lock);
    ++m_script->released;
    return S_OK;
  }

private:
  std::shared_ptr<PacketScript> m_script;
  PacketScript::Packet m_current;
};

// Deterministic white noise in -amplitude..amplitude.
class NoiseGenerator {
public:
  explicit NoiseGenerator(uint32_t seed = 12345) : m_state(seed) {}
  float Next(float amplitude) {
    m_state = m_state * 1664525u + 1013904223u;
    return amplitude * (static_cast<float>(m_state >> 8) / 8388608.0f - 1.0f);
  }

private:
  uint32_t m_state;
};

// A sine tone in each channel of a 48 kHz stereo stream, continuing from packet to packet.
class StereoTones {
public:
  static constexpr int kRate = 48000;
  StereoTones(double leftHz, float leftAmplitude, double rightHz, float rightAmplitude)
      : m_hz{leftHz, rightHz}, m_amplitude{leftAmplitude, rightAmplitude} {}
  // The same tone in both channels.
  StereoTones(double hz, float amplitude) : StereoTones(hz, amplitude, hz, amplitude) {}

  // Interleaved left/right floats of the next `frames` frames.
  std::vector<float> Next(int frames) {
    std::vector<float> samples(2 * static_cast<size_t>(frames));
    for (int f = 0; f < frames; ++f, ++m_frame)
      for (int c = 0; c < 2; ++c)
        samples[2 * f + c] = Value(c, m_frame);
    return samples;
  }
  // Channel `c` (0 left, 1 right) at stream frame `frame`.
  float Value(int c, int64_t frame) const {
    return m_amplitude[c] *
           static_cast<float>(std::sin(2.0 * 3.141592653589793 * m_hz[c] * static_cast<double>(frame) / kRate));
  }

private:
  double m_hz[2];
  float m_amplitude[2];
  int64_t m_frame = 0;
};

// A 48 kHz stereo click track: a short decaying low thump on every beat over noise.
// Each Next() gives the packet of one 16 ms capture cycle.
class ClickTrack {
public:
  static constexpr int kRate = 48000;
  static constexpr int kCycleMs = 16;
  static constexpr int kCycleFrames = kRate * kCycleMs / 1000;  // 768

  ClickTrack(double bpm, float noise, double firstBeatMs = 0.0, double clickMs = 40.0,
             double decayPerSecond = 120.0)
      : m_beatFrames(60.0 * kRate / bpm), m_noise(noise), m_firstBeatFrames(firstBeatMs * kRate / 1000.0),
        m_clickFrames(clickMs * kRate / 1000.0), m_decay(decayPerSecond) {}

  std::vector<float> Next() {
    std::vector<float> samples(2 * kCycleFrames);
    for (int f = 0; f < kCycleFrames; ++f, ++m_frame) {
      const double position = static_cast<double>(m_frame) - m_firstBeatFrames;
      const double sinceBeat = position < 0 ? m_beatFrames : std::fmod(position, m_beatFrames);
      float v = m_generator.Next(m_noise);
      if (sinceBeat < m_clickFrames) {
        const double t = sinceBeat / kRate;
        v += static_cast<float>(0.8 * std::exp(-t * m_decay) * std::sin(2.0 * 3.141592653589793 * 55.0 * t));
      }
      samples[2 * f] = samples[2 * f + 1] = v;
    }
    return samples;
  }
  double BeatMs() const { return m_beatFrames * 1000.0 / kRate; }

private:
  double m_beatFrames;
  float m_noise;
  double m_firstBeatFrames;
  double m_clickFrames;
  double m_decay;
  int64_t m_frame = 0;
  NoiseGenerator m_generator;
};
