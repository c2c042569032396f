// Switches a window's reception of raw keyboard and mouse input (WM_INPUT, also while
// the window is in the background) on and off. Each call is tried twice; a second
// failure leaves things as they are and is not reported.
#pragma once
#include <windows.h>

void RegisterRawInputSink(HWND window);
// The registration is per process and device type, so no window is named.
void UnregisterRawInput(HWND window);
