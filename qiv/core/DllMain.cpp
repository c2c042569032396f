#include <windows.h>
#include "core/Manager.h"

// The library's own module is recorded for its built-in resources; nothing else runs here.
BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) Manager::SetResourceInstance(instance);
  return TRUE;
}
