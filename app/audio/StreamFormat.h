// The stream formats the capture accepts: the packets are read as 32-bit floats, so
// only IEEE float at 32 bits (plain or extensible) is taken as the device offers it.
#pragma once
#include <windows.h>
#include <mmreg.h>

#include <memory>

struct CoTaskMemDeleter {
  void operator()(void* p) const;
};
using StreamFormatPtr = std::unique_ptr<WAVEFORMATEX, CoTaskMemDeleter>;

// True when packets of this format are a run of 32-bit IEEE floats.
bool IsFloat32Format(const WAVEFORMATEX& format);

// Float stereo at 44100 Hz, asked for when the device's mix format is not readable;
// null when the allocation fails.
StreamFormatPtr NewFloatStereoFormat();
