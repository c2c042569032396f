#include "support/WriteLog.h"

void WriteLog(int, const char*, ...) {}
