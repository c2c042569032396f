// The Roboto faces the program ships, registered with a paint manager from the system's
// font package (the tests have no fonts folder beside them).
#pragma once
#include "core/PaintManager.h"

namespace qivwin {
inline void RegisterRoboto(PaintManager& pm) {
  pm.AddTempFont(L"Roboto-Medium", L"Z:\\usr\\share\\fonts\\truetype\\roboto\\unhinted\\RobotoTTF\\Roboto-Medium.ttf");
}
}  // namespace qivwin
