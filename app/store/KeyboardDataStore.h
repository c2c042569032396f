// The profile store: one SQLite database per keyboard model ("db\<model>_data_2.db" in the
// per-user data folder) with the user's profiles, settings, key assignments, lighting,
// macros, music layers, LED animations and screen images.
//
// One re-entrant lock is held around every operation, the opening and closing of the
// file included, so that an operation's statements stay together and no thread closes
// the connection under another thread's statement. The connection itself is opened in
// the engine's serialized mode.
//
// List reads replace the caller's vector with newly made records that the caller owns.
// Writers that replace or add several rows run in one transaction: all rows are written
// or none, and they answer the rows actually written.
#pragma once
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>
#include "core/CString.h"
#include "store/SQLiteDB.h"
#include "store/StoreRecords.h"

// Why the last OpenDeviceDb answered as it did.
enum class StoreOpenResult {
  None,          // nothing opened yet, or closed since
  Opened,        // an existing database
  Created,       // a new file with the full schema
  InvalidName,   // the model name cannot name a file in the "db" folder
  CannotCreate,  // the file is missing and could not be made (no "db" folder, no rights)
  CannotOpen,    // the file exists but the engine could not open it
  ReadOnly,      // the file (or its folder) cannot be written
  NotADatabase,  // the file is not an SQLite database
  Corrupt,       // the database fails its integrity check (truncated, damaged)
  SchemaFailed,  // the tables of a new file could not all be made
};

class KeyboardDataStore {
public:
  template <class T>
  using RecordList = std::vector<std::unique_ptr<T>>;

  // The one store of the process, made on first use.
  static KeyboardDataStore& Instance();

  KeyboardDataStore() = default;
  virtual ~KeyboardDataStore();
  KeyboardDataStore(const KeyboardDataStore&) = delete;
  KeyboardDataStore& operator=(const KeyboardDataStore&) = delete;

  // ---- database file ------------------------------------------------------------
  // `folder` is the per-user data folder. Opens (or creates, with the full schema) the
  // model's file. A connection to another file is closed first; on failure no
  // connection is left open and the file is left exactly as it was.
  bool OpenDeviceDb(const CString& folder, const CString& model);
  // Closes the connection to `model`'s file if it is the open one, then deletes the file
  // and its journal companions. True when none of them remains.
  bool DeleteDeviceDb(const CString& folder, const CString& model);
  // The factory reset of `model`'s file: closes the connection, deletes the file with its
  // journal companions and creates it again with the empty schema, all under the store's
  // lock, so that no other thread's statement meets the store closed or the file half
  // gone: it runs wholly before or wholly after the reset. False (file kept) for a name
  // that cannot name a file, or when the old file cannot be deleted or the new one made.
  bool ResetDeviceDb(const CString& folder, const CString& model);
  // The callers' close: closes the connection and clears the opened flag.
  void CloseDeviceDb();
  bool IsOpened() const;
  StoreOpenResult LastOpenResult() const;
  // UTF-8 path of the current (or last requested) database file.
  std::string GetPath() const;
  // Device type of the model whose database is open; kept for the callers.
  int GetModelId() const;
  void SetModelId(int modelId);
  // "<folder>db\<model>_data_2.db"
  static CString DbFilePath(const CString& folder, const CString& model);

  // Runs `body` under the store's lock inside one transaction, committed when it answers
  // true and rolled back otherwise; the store operations it calls join the transaction.
  // For changes made of several operations that must land whole or not at all.
  bool RunInTransaction(const std::function<bool()>& body);

  // ---- profiles and configuration values ----------------------------------------
  // Adds the profile with its music layer and custom light (all or nothing); 0 on failure.
  int AddProfile(const ProfileRecord& record);
  bool DeleteProfile(int profile);
  bool RenameProfile(int profile, const CString& name);
  bool GetProfileName(int profile, CString& name);
  int GetProfiles(RecordList<ProfileRecord>& list);
  // False, with the old mark kept, when the profile does not exist.
  bool SetActiveProfile(int profile);
  int GetActiveProfile();
  // True also when the profile has no row for `key` (nothing is then stored).
  bool SetConfigValue(int profile, const CString& key, const CString& value);
  bool GetConfigValue(int profile, const CString& key, CString& value);
  // The 33 default settings of a new profile, all or nothing.
  bool InsertDefaultConfig(int profile);
  int AddMusicLayer(int profile, const CString& name);
  int AddCustomLight(int profile, const CString& name);

  // ---- key assignments ----------------------------------------------------------
  int GetKeyMacroCount(int profile);
  // Replaces the key's row(s); a record without an assignment only removes them.
  // Answers the new key_id, or 0 (the old rows stay when the insert fails).
  int ReplaceKeyMacro(const KeyMacroRecord& record);
  int InsertKeyMacros(std::vector<KeyMacroRecord> records);
  void UpdateKeyMacro(const KeyMacroRecord& record);
  // Stores an assignment (macro_type, the three values and macro_desc) in the row of
  // (profile, fn_layer, key_code); a key without a row gets one, with the record's
  // layout_value and layout_desc. False for key_code 0 or when nothing could be stored.
  bool AssignKeyMacro(const KeyMacroRecord& record);
  int UpdateKeyMacros(std::vector<KeyMacroRecord> records);
  bool GetKeyMacro(int profile, int fnLayer, int keyCode, KeyMacroRecord& record);
  int GetLayerKeyMacros(int profile, int fnLayer, RecordList<KeyMacroRecord>& list);
  int GetProfileKeyMacros(int profile, RecordList<KeyMacroRecord>& list);
  int GetAllKeyMacros(RecordList<KeyMacroRecord>& list);

  // ---- lighting -----------------------------------------------------------------
  int GetLightCount(int profile);
  int AddLight(const LightRecord& record);
  // The row is chosen by the record's profile with `type` and `mode`; `unused` takes no part.
  bool UpdateLight(int unused, int type, int mode, const LightRecord& record);
  // False, with the old mark kept, when (profile, type, mode) has no row.
  bool SetActiveLightMode(int profile, int type, int mode);
  int GetActiveLightMode(int profile, int type);
  bool GetLight(int profile, int type, int mode, LightRecord& record);
  int GetLights(int profile, int type, RecordList<LightRecord>& list);
  int AddUserLightRgbs(std::vector<UserLightRgbRecord> records);
  bool DeleteUserLightRgbs(int profile, int userlightId);
  // Deletes the set's colours and adds `records` in one transaction.
  int ReplaceUserLightRgbs(int profile, int userlightId, std::vector<UserLightRgbRecord> records);
  int GetUserLightRgbs(int profile, int userlightId, RecordList<UserLightRgbRecord>& list);

  // ---- macros -------------------------------------------------------------------
  int AddMacro(const CString& name);
  bool RenameMacro(int macroId, const CString& name);
  // Deletes the macro and its steps, both or neither.
  bool DeleteMacro(int macroId);
  bool GetMacro(int macroId, MacroRecord& record);
  bool UpdateMacro(int macroId, MacroRecord record);
  int GetMacros(RecordList<MacroRecord>& list);
  int AddMacroSteps(std::vector<MacroStepRecord> records);
  // Deletes the macro's steps and adds `records` in one transaction.
  int ReplaceMacroSteps(int macroId, std::vector<MacroStepRecord> records);
  int GetMacroSteps(int macroId, RecordList<MacroStepRecord>& list);
  bool DeleteMacroSteps(int macroId);
  int GetMacroStepCount(int macroId);
  int GetAllMacroStepCount();

  // ---- music layers, LED animations, screen images --------------------------------
  bool GetMusicLayer(int layerId, MusicLayerRecord& record);
  bool UpdateMusicLayer(int layerId, const MusicLayerRecord& record);
  // Animations and screen images are shared by all profiles: stored and read with profile 1.
  int AddLedLayer(int unusedProfile, const CString& name);
  bool SetLedLayerFrameSize(int ledId, int frameSize);
  bool SetLedLayerFirstFile(int ledId, const CString& firstFile);
  // Deletes the animation and its frames; answers whether the animation row's delete ran.
  bool DeleteLedLayer(int ledId);
  bool GetLedLayer(int ledId, LedLayerRecord& record);
  int GetLedLayers(int unusedProfile, RecordList<LedLayerRecord>& list);
  bool DeleteAllLedData();
  int AddLedFrames(std::vector<LedFrameRecord> records);
  bool DeleteLedFrames(int ledId);
  // Deletes the animation's frames and adds `records` in one transaction.
  int ReplaceLedFrames(int ledId, std::vector<LedFrameRecord> records);
  int GetLedFrames(int ledId, RecordList<LedFrameRecord>& list);
  int GetLedFrameCount(int ledId);
  int AddTftScreen(int unusedProfile, int frameSize, const CString& fileName);
  int GetTftScreens(int unusedProfile, RecordList<TftScreenRecord>& list);

protected:
  // The CREATE statements of a new file, in order.
  virtual const std::vector<const char*>& Schema() const;

private:
  using Guard = std::lock_guard<std::recursive_mutex>;

  // Opens and checks an existing file; a file without any table gets the schema.
  bool OpenExisting();
  // Makes the schema in the connection's database (a new or empty file).
  bool CreateSchema();
  // Write-ahead logging with normal synchronisation: a power cut loses at most the last
  // change, never the file.
  void UseWriteAheadLog();
  void CloseLocked();
  // Folds the write-ahead log into the file, so that the file alone holds every change.
  void CheckpointLocked();
  bool Fail(StoreOpenResult result);

  mutable std::recursive_mutex m_lock;
  SQLiteDB m_db;
  std::string m_path;
  std::string m_key;  // always empty: the files are ordinary, unencrypted databases
  int m_modelId = 0;
  bool m_opened = false;
  StoreOpenResult m_lastResult = StoreOpenResult::None;
};
