#include "pages/MacroStepRows.h"

MacroStepRows::~MacroStepRows() = default;
