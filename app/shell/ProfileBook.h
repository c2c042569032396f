// The profiles of the current keyboard model as the profile list and the profile dialog
// work with them: the default profiles of a new database, the default key rows of a
// profile, adding, deleting, renaming and switching, and the exchange file's import and
// export. It works on the profile store only; the lists, messages and worker tasks that
// follow an operation are the caller's.
//
// Every operation that changes more than one row runs in one transaction of the store:
// after an interruption the database holds the state before it or after it, never a part.
#pragma once
#include <vector>
#include "core/CString.h"
#include "shell/ProfileNames.h"
#include "shell/ProfileXml.h"
#include "store/StoreRecords.h"

class KeyboardDataStore;
struct LayoutKey;

// A key of the on-screen keyboard: its code and its name.
struct ProfileKey {
  int code = 0;
  CString name;
};

// The keys of a layout, in its order.
std::vector<ProfileKey> ProfileKeysOf(const std::vector<LayoutKey>& keys);

// One profile as the list shows it.
struct ProfileEntry {
  int id = 0;
  CString storedName;
  CString shownName;
  bool active = false;
};

enum class ProfileResult {
  Done,
  LimitReached,  // 10 profiles exist: nothing was added
  LastProfile,   // the only profile is never deleted
  NotFound,      // no profile has that id
  EmptyName,     // a rename to nothing: the stored name stays
  StoreFailed,   // the database refused the change; it holds what it held before
};

// What an import did.
struct ProfileImport {
  ProfileResult result = ProfileResult::StoreFailed;
  int profile = 0;       // the new profile's id (Done only)
  int skippedItems = 0;  // items of the file left out (Fn layer or key code out of range)
};

class ProfileBook {
public:
  static constexpr int kMaxProfiles = 10;
  static constexpr int kFnLayers = 4;
  static constexpr int kDefaultProfiles = 3;
  static constexpr const wchar_t* kProfileIcon = L"icon\\icon_profile.png";

  ProfileBook(KeyboardDataStore& store, ProfileNameTexts texts, std::vector<ProfileKey> keys);

  // A database without profiles gets three: "<newName> 1" to "<newName> 3", each with its
  // default settings, default key rows for the first (for all three when `keyRowsForAll`),
  // the first active. True when profiles exist afterwards.
  bool EnsureDefaultProfiles(bool keyRowsForAll);

  // Every profile in database order, with the name the list shows.
  std::vector<ProfileEntry> List();
  // The active profile's id, 0 when none is active.
  int ActiveProfile();
  // Makes the profile the active one (the others inactive).
  ProfileResult Activate(int profile);

  // A new profile named by MakeUniqueProfileName over the stored and shown names, with its default
  // settings and key rows, made active. `profile` receives its id.
  ProfileResult Add(int& profile);
  // Deletes the profile's row (its rows in other tables stay) and activates the profile
  // listed before it, or the first when it was the first. `nowActive` receives that id.
  ProfileResult Delete(int profile, int& nowActive);
  // Stores a non-empty `name`. For an empty one nothing is stored and `shown` receives
  // the name the list should show again.
  ProfileResult Rename(int profile, const CString& name, CString& shown);

  // The four default rows of every key (one per Fn layer) unless the profile has key rows.
  bool SeedDefaultKeyRows(int profile);
  // The rows SeedDefaultKeyRows inserts; a key code listed twice gets its rows once.
  static std::vector<KeyMacroRecord> DefaultKeyRows(int profile, const std::vector<ProfileKey>& keys);

  // The profile's name as the list shows it and all its key rows.
  ProfileFile Export(int profile);
  // A new profile from a file that was read: named as the file says (not made unique),
  // with default settings and default key rows, over which every item of the file is
  // stored; made active.
  ProfileImport Import(const ProfileFile& file);

private:
  int CountProfiles();
  // Inserts a profile row with its default settings, and its default key rows when
  // `withKeyRows`; 0 on failure. Runs inside the caller's transaction.
  int AddProfileRow(const CString& name, bool withKeyRows);

  KeyboardDataStore& m_store;
  ProfileNameTexts m_texts;
  std::vector<ProfileKey> m_keys;
};
