// The program's popup windows (dialogs, message box, menus, tips, drop-downs) are closed
// or hidden before the program ends or the device link switches the keyboard.
#pragma once

void CloseAppPopups();
