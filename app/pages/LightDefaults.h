// The lighting rows a profile starts with: the modes of the three light zones (and the
// seeded zone 10) with the five per-key colour sets, and the matrix screen's modes.
#pragma once
#include <vector>
#include "store/KeyboardDataStore.h"
#include "store/StoreRecords.h"

class LightDefaults {
public:
  // The 41 rows of zones 0, 1, 2 and 10 in the order they are added. Zone 2's mode 4
  // offers no speed and no swatch on model 103.
  static std::vector<LightRecord> ZoneRows(int profile, int deviceType);
  // The 8 matrix-screen rows (modes 0-6 and the PC effect 128).
  static std::vector<LightRecord> MatrixRows(int profile);

  // A profile without any lighting row gets the zone rows, with mode 1 active on zones
  // 0-2. A profile that has any row (matrix rows too) keeps what it has. Answers whether
  // rows were added.
  static bool SeedZones(KeyboardDataStore& store, int profile, int deviceType);
  // Adds the matrix rows with mode 0 active (the caller checks that there are none).
  static void SeedMatrix(KeyboardDataStore& store, int profile);
};
