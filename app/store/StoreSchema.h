// The profile database's schema and the settings every new profile starts with.
#pragma once
#include <vector>

// The CREATE statements of a new database file, in the order they run.
const std::vector<const char*>& SchemaStatements();

struct DefaultConfigRow {
  const wchar_t* key;
  const wchar_t* value;
};
// The configuration rows of a new profile, in the order they are inserted.
const std::vector<DefaultConfigRow>& DefaultConfigRows();
