// The keyboard's macro memory image (uploaded with command 0x2D): a header with magic,
// length and macro count, an offset table with one entry per macro (0 = no block), then
// one block of 4-byte steps per macro that has steps and fits.
#pragma once
#include <cstdint>
#include <vector>
#include "store/StoreRecords.h"

constexpr int kMacroImageBuffer = 4224;

// One macro's steps in recorded order.
using MacroSteps = std::vector<MacroStepRecord>;

struct MacroImage {
  std::vector<uint8_t> bytes;  // the length to send; never more than kMacroImageBuffer
};

// The 4 step bytes of one stored step.
void EncodeMacroStep(const MacroStepRecord& step, uint8_t out[4]);

// Builds the image of `macros` (in list order) for a keyboard with `memorySize` bytes of
// macro memory. Only whole macros that fit both the memory and the buffer get a block;
// the others keep offset 0, so no table entry points past the image.
MacroImage BuildMacroImage(const std::vector<MacroSteps>& macros, int memorySize);
