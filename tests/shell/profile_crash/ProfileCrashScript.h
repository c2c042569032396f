// The work of the crash test: a fixed sequence of profile operations - switches, adds,
// imports, deletes, renames, key assignments, factory resets and list loads - chosen by
// a seed. The child process runs it until it is killed; the test runs it again in its
// own process to know what the database held before and after each step.
#pragma once
#include <cstdint>
#include <vector>
#include "core/CString.h"
#include "shell/ProfileBook.h"

class KeyboardDataStore;

namespace profilecrash {

struct Setup {
  CString folder;      // the per-user data folder (with its "db" folder)
  CString model;       // the database's model name
  CString importFile;  // a profile exchange file to import
};

// A full-size keyboard's keys: every import, add and reset writes a few hundred rows.
std::vector<ProfileKey> Keys();
ProfileNameTexts Texts();

// Writes the exchange file the script imports: every key of every layer.
bool WriteImportFile(const CString& path);

// Step 0 opens the database and loads the profile list; every later step runs one
// operation chosen by the seed and the step number.
void RunStep(KeyboardDataStore& store, const Setup& setup, uint32_t seed, int step);

}  // namespace profilecrash
