// The byte images of PC-driven lighting: canvas and matrix frames in RGB565 and the
// 384-byte custom colour sets in RGB, each placed by LED index with every index bounded
// by the image it goes into.
#pragma once
#include <windows.h>
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

constexpr int kCanvasFrameBuffer = 800;
constexpr int kColourSetSize = 384;  // 128 LEDs x R, G, B
constexpr int kMatrixCells = 49;
constexpr int kMatrixFrameSize = 98;
constexpr int kMatrixColoursSize = 147;

// (R >> 3) << 11 | (G >> 2) << 5 | (B >> 3) of a COLORREF.
uint16_t Rgb565(COLORREF colour);

// Frame length of the canvas for a model: 214 for 102, 164 for 103, else two bytes per
// canvas item; never more than the frame buffer.
int CanvasFrameLength(int model, size_t itemCount);

// (key code, colour) of the canvas items; `codeToLed` gives each code its LED index.
std::vector<uint8_t> BuildCanvasFrame(const std::vector<std::pair<int, COLORREF>>& items,
                                      const std::map<int, int>& codeToLed, int length);

// (cell id, colour) of the matrix cells: 98 bytes of RGB565.
std::vector<uint8_t> BuildMatrixFrame(const std::vector<std::pair<int, COLORREF>>& cells);
// The same cells as 147 bytes of R, G, B.
std::vector<uint8_t> BuildMatrixColours(const std::vector<std::pair<int, COLORREF>>& cells);

// (key code, colour) of a stored colour set; codes whose LED does not fit the 128-LED
// table are left out.
std::vector<uint8_t> BuildColourSet(const std::vector<std::pair<int, COLORREF>>& keys,
                                    const std::map<int, int>& codeToLed);
// The same keys placed into a set that holds the keyboard's colours; the other LEDs keep theirs.
void PlaceColourSet(std::vector<uint8_t>& set, const std::vector<std::pair<int, COLORREF>>& keys,
                    const std::map<int, int>& codeToLed);
