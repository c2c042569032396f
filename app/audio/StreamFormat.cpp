#include "audio/StreamFormat.h"

#include <ks.h>
#include <ksmedia.h>
#include <objbase.h>

void CoTaskMemDeleter::operator()(void* p) const { CoTaskMemFree(p); }

bool IsFloat32Format(const WAVEFORMATEX& format) {
  if (format.nChannels < 1 || format.wBitsPerSample != 32) return false;
  if (format.wFormatTag == WAVE_FORMAT_IEEE_FLOAT) return true;
  if (format.wFormatTag != WAVE_FORMAT_EXTENSIBLE) return false;
  if (format.cbSize < sizeof(WAVEFORMATEXTENSIBLE) - sizeof(WAVEFORMATEX)) return false;
  const auto& extensible = reinterpret_cast<const WAVEFORMATEXTENSIBLE&>(format);
  return IsEqualGUID(extensible.SubFormat, KSDATAFORMAT_SUBTYPE_IEEE_FLOAT) != 0;
}

StreamFormatPtr NewFloatStereoFormat() {
  auto* format = static_cast<WAVEFORMATEX*>(CoTaskMemAlloc(sizeof(WAVEFORMATEX)));
  if (!format) return nullptr;
  format->wFormatTag = WAVE_FORMAT_IEEE_FLOAT;
  format->nChannels = 2;
  format->nSamplesPerSec = 44100;
  format->wBitsPerSample = 32;
  format->nBlockAlign = format->nChannels * format->wBitsPerSample / 8;
  format->nAvgBytesPerSec = format->nBlockAlign * format->nSamplesPerSec;
  format->cbSize = 0;
  return StreamFormatPtr(format);
}
