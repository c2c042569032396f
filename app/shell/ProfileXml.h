// The profile exchange file: a profile's name and its key assignments on every Fn layer
// as UTF-8 XML, for the user to keep or share a key layout.
//
//   <?xml version="1.0" encoding="UTF-8"?>
//   <profile>
//   <profileinfo name="..."/>
//   <key_macro>
//   <item fn_layer="0" key_code="4" layout_value="4" layout_desc="A" macro_type="2"
//         macro_value="4" macro_value2="0" macro_value3="0" macro_desc="A"/>
//   ...
//   </key_macro>
//   </profile>
//
// Numbers are decimal; a missing or non-numeric one reads as 0. Profile and row ids do
// not travel.
#pragma once
#include <vector>
#include "core/CString.h"
#include "store/StoreRecords.h"

enum class ProfileXmlResult {
  Ok,
  CannotRead,     // the file is missing or unreadable
  NotWellFormed,  // not XML, or XML cut short or broken
  NotAProfile,    // well-formed XML whose root is not "profile"
  CannotWrite,    // the file could not be written (an existing one is left as it was)
};

struct ProfileFile {
  CString name;
  // fn_layer, key_code, layout_value, layout_desc, macro_type, the three values and
  // macro_desc; profile and key_id are 0.
  std::vector<KeyMacroRecord> items;
  // Items read but left out: an Fn layer outside 0-3 or a key code outside 1-255.
  int skippedItems = 0;
};

class ProfileXml {
public:
  static constexpr int kLastFnLayer = 3;
  static constexpr int kLastKeyCode = 255;

  // Whether an item names a place the keyboard has: Fn layer 0-3, key code 1-255.
  static bool IsStorableItem(const KeyMacroRecord& item);

  // The document text, declaration and CR LF first.
  static CString Write(const ProfileFile& profile);
  // Reads a document text; on any result but Ok, `profile` is left empty.
  static ProfileXmlResult Read(const CString& text, ProfileFile& profile);

  // Writes the file through a temporary file beside it, so that a failed write leaves a
  // file of that name as it was.
  static ProfileXmlResult Save(const CString& path, const ProfileFile& profile);
  static ProfileXmlResult Load(const CString& path, ProfileFile& profile);
};
