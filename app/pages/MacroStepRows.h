// What the macro recorder needs of a macro's step list: the rows the user sees (a
// CRecordList on the macro page, a MacroStepList elsewhere).
#pragma once
#include "core/CString.h"

// Step types of a macro row (also the type of a stored step).
enum MacroStepType {
  kStepDelay = 1,
  kStepKeyDown = 2,
  kStepKeyUp = 3,
  kStepMouseDown = 4,
  kStepMouseUp = 5,
  kStepMouseOther6 = 6,
  kStepMouseOther7 = 7,
};

class MacroStepRows {
public:
  virtual ~MacroStepRows();
  // Rows that are events, that is every row but explicit delays.
  virtual int EventCount() const = 0;
  // The delay of the last row; false when there is none.
  virtual bool UpdateDelayTime(int ms) = 0;
  // Appends a row; answers its index.
  virtual int AddRow(const CString& text, int type, int key, int time) = 0;
};
