// The program's debug trace entry. It accepts a trace line and deliberately does
// nothing with it: the program writes no log file and no trace output.
#pragma once

void WriteLog(int level, const char* format, ...);
