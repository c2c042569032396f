#include "shell/ProfileBook.h"
#include <set>
#include "shell/LayoutFile.h"
#include "store/KeyboardDataStore.h"

std::vector<ProfileKey> ProfileKeysOf(const std::vector<LayoutKey>& keys) {
  std::vector<ProfileKey> out;
  out.reserve(keys.size());
  for (const LayoutKey& key : keys) out.push_back({key.code, key.name});
  return out;
}

ProfileBook::ProfileBook(KeyboardDataStore& store, ProfileNameTexts texts, std::vector<ProfileKey> keys)
    : m_store(store), m_texts(std::move(texts)), m_keys(std::move(keys)) {}

int ProfileBook::CountProfiles() {
  KeyboardDataStore::RecordList<ProfileRecord> profiles;
  return m_store.GetProfiles(profiles);
}

int ProfileBook::AddProfileRow(const CString& name, bool withKeyRows) {
  ProfileRecord record;
  record.name = name;
  record.icon_image = kProfileIcon;
  const int id = m_store.AddProfile(record);
  if (id <= 0 || !m_store.InsertDefaultConfig(id)) return 0;
  if (withKeyRows && !SeedDefaultKeyRows(id)) return 0;
  return id;
}

bool ProfileBook::EnsureDefaultProfiles(bool keyRowsForAll) {
  return m_store.RunInTransaction([&] {
    if (CountProfiles() > 0) return true;
    int first = 0;
    for (int n = 1; n <= kDefaultProfiles; ++n) {
      CString name;
      name.Format(L"%s %d", m_texts.newName.GetString(), n);
      const int id = AddProfileRow(name, n == 1 || keyRowsForAll);
      if (id <= 0) return false;
      if (n == 1) first = id;
    }
    return m_store.SetActiveProfile(first);
  });
}

std::vector<ProfileEntry> ProfileBook::List() {
  KeyboardDataStore::RecordList<ProfileRecord> profiles;
  m_store.GetProfiles(profiles);
  std::vector<ProfileEntry> entries;
  entries.reserve(profiles.size());
  for (const auto& p : profiles)
    entries.push_back({p->profile, p->name, DisplayProfileName(p->name, m_texts), p->status == 1});
  return entries;
}

int ProfileBook::ActiveProfile() { return m_store.GetActiveProfile(); }

ProfileResult ProfileBook::Activate(int profile) {
  CString name;
  if (!m_store.GetProfileName(profile, name)) return ProfileResult::NotFound;
  return m_store.SetActiveProfile(profile) ? ProfileResult::Done : ProfileResult::StoreFailed;
}

ProfileResult ProfileBook::Add(int& profile) {
  profile = 0;
  ProfileResult result = ProfileResult::StoreFailed;
  m_store.RunInTransaction([&] {
    const std::vector<ProfileEntry> entries = List();
    if (static_cast<int>(entries.size()) >= kMaxProfiles) {
      result = ProfileResult::LimitReached;
      return false;
    }
    std::vector<CString> names;
    for (const ProfileEntry& e : entries) {
      names.push_back(e.shownName);
      names.push_back(e.storedName);
    }
    const int id = AddProfileRow(MakeUniqueProfileName(m_texts.newName, names, &m_texts), true);
    if (id <= 0 || !m_store.SetActiveProfile(id)) return false;
    profile = id;
    result = ProfileResult::Done;
    return true;
  });
  if (result != ProfileResult::Done) profile = 0;
  return result;
}

ProfileResult ProfileBook::Delete(int profile, int& nowActive) {
  nowActive = 0;
  ProfileResult result = ProfileResult::StoreFailed;
  int next = 0;
  m_store.RunInTransaction([&] {
    const std::vector<ProfileEntry> entries = List();
    size_t at = 0;
    while (at < entries.size() && entries[at].id != profile) ++at;
    if (at == entries.size()) {
      result = ProfileResult::NotFound;
      return false;
    }
    if (entries.size() < 2) {
      result = ProfileResult::LastProfile;
      return false;
    }
    next = at > 0 ? entries[at - 1].id : entries[1].id;
    if (!m_store.DeleteProfile(profile) || !m_store.SetActiveProfile(next)) return false;
    result = ProfileResult::Done;
    return true;
  });
  if (result == ProfileResult::Done) nowActive = next;
  return result;
}

ProfileResult ProfileBook::Rename(int profile, const CString& name, CString& shown) {
  CString stored;
  if (!m_store.GetProfileName(profile, stored)) return ProfileResult::NotFound;
  if (name.IsEmpty()) {
    shown = DisplayProfileName(stored, m_texts);
    return ProfileResult::EmptyName;
  }
  if (!m_store.RenameProfile(profile, name)) return ProfileResult::StoreFailed;
  shown = name;
  return ProfileResult::Done;
}

std::vector<KeyMacroRecord> ProfileBook::DefaultKeyRows(int profile, const std::vector<ProfileKey>& keys) {
  std::vector<KeyMacroRecord> rows;
  rows.reserve(keys.size() * kFnLayers);
  std::set<int> seen;
  for (const ProfileKey& key : keys) {
    // One row per profile, layer and key: a second row of the same key would never be
    // read, yet travel in every export.
    if (!seen.insert(key.code).second) continue;
    for (int layer = 0; layer < kFnLayers; ++layer) {
      KeyMacroRecord r;
      r.profile = profile;
      r.fn_layer = layer;
      r.key_code = key.code;
      r.layout_value = key.code;
      r.layout_desc = key.name;
      r.macro_type = 2;
      // Layer 0 sends the key itself; the Fn layers start unassigned.
      r.macro_value = layer == 0 ? key.code : 0;
      r.macro_desc = layer == 0 ? key.name : CString();
      rows.push_back(r);
    }
  }
  return rows;
}

bool ProfileBook::SeedDefaultKeyRows(int profile) {
  return m_store.RunInTransaction([&] {
    if (m_store.GetKeyMacroCount(profile) > 0) return true;
    std::vector<KeyMacroRecord> rows = DefaultKeyRows(profile, m_keys);
    const int expected = static_cast<int>(rows.size());
    return m_store.InsertKeyMacros(std::move(rows)) == expected;
  });
}

ProfileFile ProfileBook::Export(int profile) {
  ProfileFile file;
  CString stored;
  m_store.RunInTransaction([&] {  // the name and the rows of one moment
    if (m_store.GetProfileName(profile, stored)) file.name = DisplayProfileName(stored, m_texts);
    KeyboardDataStore::RecordList<KeyMacroRecord> rows;
    m_store.GetProfileKeyMacros(profile, rows);
    for (const auto& row : rows) {
      KeyMacroRecord r = *row;
      r.key_id = 0;
      r.profile = 0;
      file.items.push_back(r);
    }
    return true;
  });
  return file;
}

ProfileImport ProfileBook::Import(const ProfileFile& file) {
  ProfileImport done;
  m_store.RunInTransaction([&] {
    done.skippedItems = file.skippedItems;
    if (CountProfiles() >= kMaxProfiles) {
      done.result = ProfileResult::LimitReached;
      return false;
    }
    // Default rows first: a key the file does not name keeps its own function, and every
    // item finds the row it is stored in.
    const int id = AddProfileRow(file.name, true);
    if (id <= 0) return false;
    for (const KeyMacroRecord& item : file.items) {
      if (!ProfileXml::IsStorableItem(item)) {
        ++done.skippedItems;
        continue;
      }
      KeyMacroRecord r = item;
      r.key_id = 0;
      r.profile = id;
      if (!m_store.AssignKeyMacro(r)) return false;
    }
    if (!m_store.SetActiveProfile(id)) return false;
    done.profile = id;
    done.result = ProfileResult::Done;
    return true;
  });
  if (done.result != ProfileResult::Done) done.profile = 0;
  return done;
}
