// Music visualiser layers, LED animations with their frames, and screen images.
// Animations and screen images are shared by a model's profiles and carry profile 1.
#include "store/KeyboardDataStore.h"
#include "store/StoreSql.h"

using namespace StoreSql;

namespace {

constexpr int kSharedProfile = 1;

const char* const kInsertFrame =
    "INSERT INTO t_ledframe_data(led_id, name, delay_time, frame_index, file_name)\t\t\t"
    "VALUES (?, ?, ?, ?, ?);";
const char* const kDeleteFrames = "DELETE FROM t_ledframe_data WHERE led_id = ?";

Args FrameArgs(const LedFrameRecord& r, int ledId) {
  return {ledId, Text(r.name), r.delay_time, r.frame_index, Text(r.file_name)};
}

void Fill(const Row& row, LedLayerRecord& r) {
  r.led_id = row.Int(0);
  r.profile = row.Int(1);
  r.type = row.Int(2);
  r.name = row.Text(3);
  r.frame_size = row.Int(4);
  r.file_dir = row.Text(5);
  r.first_file = row.Text(6);
}

}  // namespace

bool KeyboardDataStore::GetMusicLayer(int layerId, MusicLayerRecord& record) {
  Guard guard(m_lock);
  return ReadRow(m_db, "SELECT * FROM t_musiclayer_data WHERE layer_id = ?", {layerId},
                 [&](const Row& row) {
                   record.layer_id = row.Int(0);
                   record.profile = row.Int(1);
                   record.name = row.Text(2);
                   record.deviceindex = row.Int(3);
                   record.foremode = row.Int(4);
                   record.fore_amplitude = row.Int(5);
                   record.backmode = row.Int(6);
                   record.backb_right = row.Int(7);
                   record.light_right = row.Int(8);
                 });
}

bool KeyboardDataStore::UpdateMusicLayer(int layerId, const MusicLayerRecord& r) {
  Guard guard(m_lock);
  return Write(m_db,
               "UPDATE t_musiclayer_data SET deviceindex= ?, foremode= ?, fore_amplitude = ?,"
               " backmode= ?, backb_right= ?, light_right= ? WHERE layer_id = ?",
               {r.deviceindex, r.foremode, r.fore_amplitude, r.backmode, r.backb_right,
                r.light_right, layerId});
}

int KeyboardDataStore::AddLedLayer(int, const CString& name) {
  Guard guard(m_lock);
  return Insert(m_db,
                "INSERT INTO t_ledlayer_data(profile, type, name, frame_size, file_dir, first_file)"
                "\t\t\tVALUES (?, ?, ?, ?, ?, ?);",
                {kSharedProfile, 0, Text(name), 0, Text(name), Text(name)});
}

bool KeyboardDataStore::SetLedLayerFrameSize(int ledId, int frameSize) {
  Guard guard(m_lock);
  return Write(m_db, "UPDATE t_ledlayer_data SET frame_size = ? WHERE led_id = ?", {frameSize, ledId});
}

bool KeyboardDataStore::SetLedLayerFirstFile(int ledId, const CString& firstFile) {
  Guard guard(m_lock);
  return Write(m_db, "UPDATE t_ledlayer_data SET first_file = ? WHERE led_id = ?",
               {Text(firstFile), ledId});
}

bool KeyboardDataStore::DeleteLedLayer(int ledId) {
  Guard guard(m_lock);
  bool layerDeleted = false;
  // The frames go whatever the animation's own delete answered.
  bool committed = Atomically(m_db, [&] {
    layerDeleted = Write(m_db, "DELETE FROM t_ledlayer_data WHERE led_id = ?", {ledId});
    return DeleteLedFrames(ledId);
  });
  return committed && layerDeleted;
}

bool KeyboardDataStore::GetLedLayer(int ledId, LedLayerRecord& record) {
  Guard guard(m_lock);
  return ReadRow(m_db, "SELECT * FROM t_ledlayer_data WHERE led_id = ?", {ledId},
                 [&](const Row& row) { Fill(row, record); });
}

int KeyboardDataStore::GetLedLayers(int, RecordList<LedLayerRecord>& list) {
  Guard guard(m_lock);
  return ReadList(m_db, "SELECT * FROM t_ledlayer_data WHERE profile = ? ORDER BY led_id",
                  {kSharedProfile}, list, Fill);
}

bool KeyboardDataStore::DeleteAllLedData() {
  Guard guard(m_lock);
  return Atomically(m_db, [&] {
    return Write(m_db, "DELETE FROM t_ledlayer_data", {}) &&
           Write(m_db, "DELETE FROM t_ledframe_data", {});
  });
}

int KeyboardDataStore::AddLedFrames(std::vector<LedFrameRecord> records) {
  Guard guard(m_lock);
  return WriteAll(m_db, kInsertFrame, records,
                  [](const LedFrameRecord& r) { return FrameArgs(r, r.led_id); });
}

bool KeyboardDataStore::DeleteLedFrames(int ledId) {
  Guard guard(m_lock);
  return Write(m_db, kDeleteFrames, {ledId});
}

int KeyboardDataStore::ReplaceLedFrames(int ledId, std::vector<LedFrameRecord> records) {
  Guard guard(m_lock);
  // The frames belong to the animation being replaced, whatever the records say.
  return ReplaceAll(m_db, kDeleteFrames, {ledId}, kInsertFrame, records,
                    [ledId](const LedFrameRecord& r) { return FrameArgs(r, ledId); });
}

int KeyboardDataStore::GetLedFrames(int ledId, RecordList<LedFrameRecord>& list) {
  Guard guard(m_lock);
  return ReadList(m_db,
                  "SELECT * FROM t_ledframe_data WHERE led_id = ? ORDER BY frame_index ASC, frame_id ASC",
                  {ledId}, list, [](const Row& row, LedFrameRecord& r) {
                    r.frame_id = row.Int(0);
                    r.led_id = row.Int(1);
                    r.name = row.Text(2);
                    r.delay_time = row.Int(3);
                    r.frame_index = row.Int(4);
                    r.file_name = row.Text(5);
                  });
}

int KeyboardDataStore::GetLedFrameCount(int ledId) {
  Guard guard(m_lock);
  return Count(m_db, "select count(*) FROM t_ledframe_data WHERE led_id = ?", {ledId});
}

int KeyboardDataStore::AddTftScreen(int, int frameSize, const CString& fileName) {
  Guard guard(m_lock);
  return Insert(m_db, "INSERT INTO t_tftscreen_data(profile, frame_size, file_name) VALUES (?, ?, ?);",
                {kSharedProfile, frameSize, Text(fileName)});
}

int KeyboardDataStore::GetTftScreens(int, RecordList<TftScreenRecord>& list) {
  Guard guard(m_lock);
  return ReadList(m_db, "SELECT * FROM t_tftscreen_data WHERE profile = ? ORDER BY tft_id",
                  {kSharedProfile}, list, [](const Row& row, TftScreenRecord& r) {
                    r.tft_id = row.Int(0);
                    r.profile = row.Int(1);
                    r.frame_size = row.Int(2);
                    r.file_name = row.Text(3);
                  });
}
