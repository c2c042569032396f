// The pictures of the per-key colour sets: every key's colour of one set as the on-screen
// keyboard holds it, and as the store keeps it (one row per key and set).
#pragma once
#include <windows.h>
#include <map>
#include <utility>
#include <vector>
#include "store/KeyboardDataStore.h"

// (key code, colour) of the on-screen keys, in the keyboard's order; colour 0 is unlit.
using KeyPicture = std::vector<std::pair<int, COLORREF>>;

class ColourSetPictures {
public:
  explicit ColourSetPictures(KeyboardDataStore& store) : m_store(store) {}

  // Replaces the set's stored colours with the picture in one step: when the store
  // cannot write them all, the set keeps the colours it had.
  bool Save(int profile, int set, const KeyPicture& picture);
  // The stored colours of a set by key code.
  std::map<int, COLORREF> Stored(int profile, int set);
  // The keys of `picture` with the set's stored colours; keys the set holds no colour for
  // are unlit.
  KeyPicture Fill(int profile, int set, const KeyPicture& picture);

private:
  KeyboardDataStore& m_store;
};
