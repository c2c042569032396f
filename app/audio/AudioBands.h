// The audio state handed to the consumers once per capture cycle, and the order in
// which it is handed over. DeliverAudio is a template so that any consumer type with
// the audio setters can be fed (the canvas controls in the program, recorders in tests).
#pragma once

struct AudioBands {
  float* bands7;        // 7 animated band levels 0..1
  float masterVolume;   // always 1.0
  float* wave;          // 256 points, each stored twice
  int waveLength;       // 512
  float level;          // 0..1
  float peak;           // of the previous cycle
  float average;        // mean of the 64 previous levels
  int percent;          // trunc(level x 100), 0..100
  float rms;
  float* bands32;       // 0..1 each
  float* bands64;       // 0..1 each, read as 8 x 8
  bool beat;
  float strength;       // 0..1
  float bpm;            // 0 or 30..400
  float bass, mid, treble;
};

// Matrix screen first, then the canvas, then the visualiser; a null consumer is skipped.
template <class Matrix, class Canvas, class Renderer>
void DeliverAudio(const AudioBands& a, Matrix* matrix, Canvas* canvas, Renderer* renderer) {
  if (matrix) {
    matrix->SetAudioData(a.bands7, 7);
    matrix->SetMasterVolume(a.masterVolume);
    matrix->SetInputWave(a.wave, a.waveLength);
  }
  if (canvas) {
    canvas->SetExternalAudioData(a.level, a.peak, a.average, a.percent, a.rms);
    canvas->SetFFTSpectrum(a.bands32, a.bands64);
    canvas->SetBeatData(a.beat, a.strength, a.bpm, a.bass, a.mid, a.treble);
  }
  if (renderer) renderer->PushSamples(a.wave, a.waveLength);
}
