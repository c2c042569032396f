#include "pages/ColourSetPictures.h"

bool ColourSetPictures::Save(int profile, int set, const KeyPicture& picture) {
  std::vector<UserLightRgbRecord> rows;
  rows.reserve(picture.size());
  for (const auto& [code, colour] : picture) {
    UserLightRgbRecord r;
    r.profile = profile;
    r.userlight_id = set;
    r.key_code = code;
    r.key_rgb = int(colour);
    rows.push_back(r);
  }
  const int count = int(rows.size());
  return m_store.ReplaceUserLightRgbs(profile, set, std::move(rows)) == count;
}

std::map<int, COLORREF> ColourSetPictures::Stored(int profile, int set) {
  KeyboardDataStore::RecordList<UserLightRgbRecord> rows;
  m_store.GetUserLightRgbs(profile, set, rows);
  std::map<int, COLORREF> colours;
  for (const auto& row : rows) colours[row->key_code] = COLORREF(row->key_rgb);
  return colours;
}

KeyPicture ColourSetPictures::Fill(int profile, int set, const KeyPicture& picture) {
  const std::map<int, COLORREF> stored = Stored(profile, set);
  KeyPicture filled;
  filled.reserve(picture.size());
  for (const auto& key : picture) {
    auto found = stored.find(key.first);
    filled.emplace_back(key.first, found == stored.end() ? COLORREF(0) : found->second);
  }
  return filled;
}
