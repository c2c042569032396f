#include "store/StoreSchema.h"

const std::vector<const char*>& SchemaStatements() {
  static const std::vector<const char*> statements = {
      "CREATE TABLE IF NOT EXISTS t_config_data(config_id INTEGER PRIMARY KEY AUTOINCREMENT,"
      "\tprofile INTEGER, key TEXT, value TEXT)",
      "CREATE TABLE IF NOT EXISTS t_profile_data(profile INTEGER PRIMARY KEY AUTOINCREMENT,"
      "\tname TEXT, status INTEGER, app TEXT, icon_image TEXT, bkg_image TEXT, type INTEGER)",
      "CREATE INDEX IF NOT EXISTS profileindex ON t_profile_data(profile)",
      "CREATE TABLE IF NOT EXISTS t_key_macro_data(key_id INTEGER PRIMARY KEY AUTOINCREMENT,"
      "\tprofile INTEGER, fn_layer INTEGER, key_code INTEGER, layout_value INTEGER, layout_desc TEXT,"
      "\tmacro_type INTEGER, macro_value INTEGER, macro_value2 INTEGER, macro_value3 INTEGER,"
      " macro_desc TEXT)",
      "CREATE INDEX IF NOT EXISTS keyindex ON t_key_macro_data(key_id)",
      "CREATE TABLE IF NOT EXISTS t_key_otherdata(macro_value INTEGER PRIMARY KEY AUTOINCREMENT,"
      "\tmacro_desc TEXT, param TEXT, type INTEGER)",
      "CREATE INDEX IF NOT EXISTS otheridindex ON t_key_otherdata(macro_value)",
      "CREATE TABLE IF NOT EXISTS t_magnetic_key_data(macro_id INTEGER PRIMARY KEY AUTOINCREMENT,"
      "\tprofile INTEGER, fn_layer INTEGER, macro_type INTEGER, key1_value INTEGER, key2_value INTEGER,"
      "\tkey1_name TEXT, key2_name TEXT, reserved INTEGER)",
      "CREATE INDEX IF NOT EXISTS magnetic_keyindex ON t_magnetic_key_data(macro_id)",
      "CREATE TABLE IF NOT EXISTS t_key_item_data(keyitem_id INTEGER PRIMARY KEY AUTOINCREMENT,"
      "\tmacro_id INTEGER, trigger_state1 INTEGER, trigger_state2 INTEGER, trigger_state3 INTEGER,"
      " trigger_state4 INTEGER,\tkey_value INTEGER, key_name TEXT)",
      "CREATE INDEX IF NOT EXISTS key_itemindex ON t_key_item_data(macro_id)",
      "CREATE TABLE IF NOT EXISTS t_macro_data(macro_id INTEGER PRIMARY KEY AUTOINCREMENT,"
      "\tname TEXT, play_type INTEGER, play_times INTEGER, delay_type INTEGER, delay_time INTEGER)",
      "CREATE INDEX IF NOT EXISTS macroidindex ON t_macro_data(macro_id)",
      "CREATE TABLE IF NOT EXISTS t_macrorecord(record_id INTEGER PRIMARY KEY AUTOINCREMENT,"
      "\tmacro_id INTEGER, type INTEGER, record_index INTEGER, desc TEXT, value INTEGER,"
      " delay_time INTEGER)",
      "CREATE INDEX IF NOT EXISTS macrorecordindex ON t_macrorecord(record_id)",
      "CREATE TABLE IF NOT EXISTS t_light_data(light_id INTEGER PRIMARY KEY AUTOINCREMENT,"
      "\tprofile INTEGER, name TEXT, type INTEGER, mode INTEGER,"
      "\tbrightness INTEGER, speed INTEGER, direction INTEGER, colorful INTEGER, colorindex INTEGER,"
      " color_value INTEGER,\tconfig_func INTEGER, reserved INTEGER, status INTEGER)",
      "CREATE INDEX IF NOT EXISTS lightindex ON t_light_data(light_id)",
      "CREATE TABLE IF NOT EXISTS t_userlight_data(userlight_id INTEGER PRIMARY KEY AUTOINCREMENT,"
      "\tprofile INTEGER, name TEXT, speed INTEGER, brightness INTEGER, status INTEGER)",
      "CREATE INDEX IF NOT EXISTS userlightindex ON t_userlight_data(userlight_id)",
      "CREATE TABLE IF NOT EXISTS t_userlightrgb_data(userlightrgb_id INTEGER PRIMARY KEY AUTOINCREMENT,"
      "\tprofile INTEGER, userlight_id INTEGER, key_code INTEGER, key_rgb INTEGER)",
      "CREATE INDEX IF NOT EXISTS userlightrgbindex ON t_userlightrgb_data(userlightrgb_id)",
      "CREATE TABLE IF NOT EXISTS t_customlight_data(customlight_id INTEGER PRIMARY KEY AUTOINCREMENT,"
      "\tprofile INTEGER, name TEXT, speed INTEGER, brightness INTEGER, status INTEGER)",
      "CREATE INDEX IF NOT EXISTS customlightindex ON t_customlight_data(customlight_id)",
      "CREATE TABLE IF NOT EXISTS t_customrgb_data(customrgb_id INTEGER PRIMARY KEY AUTOINCREMENT,"
      "\tcustomlight_id INTEGER, keycode INTEGER, rgbvalue INTEGER, light_mode INTEGER,"
      " colortype INTEGER, light_type INTEGER)",
      "CREATE INDEX IF NOT EXISTS customrgbindex ON t_customrgb_data(customrgb_id)",
      "CREATE TABLE IF NOT EXISTS t_musiclayer_data(layer_id INTEGER PRIMARY KEY AUTOINCREMENT,"
      "\tprofile INTEGER, name TEXT, deviceindex INTEGER, foremode INTEGER, fore_amplitude INTEGER,"
      "\tbackmode INTEGER, backb_right INTEGER, light_right INTEGER, sel INTEGER)",
      "CREATE INDEX IF NOT EXISTS musiclayerindex ON t_musiclayer_data(layer_id)",
      "CREATE TABLE IF NOT EXISTS t_zephralayer_data(layer_id INTEGER PRIMARY KEY AUTOINCREMENT,"
      "\tprofile INTEGER, name TEXT, layer_mode INTEGER, layer_scale INTEGER, colorful INTEGER,"
      " colorvalue INTEGER,\trect_x INTEGER, rect_y INTEGER, rect_width INTEGER, rect_height INTEGER)",
      "CREATE INDEX IF NOT EXISTS zephralayerindex ON t_zephralayer_data(layer_id)",
      "CREATE TABLE IF NOT EXISTS t_ledlayer_data(led_id INTEGER PRIMARY KEY AUTOINCREMENT,"
      "\tprofile INTEGER, type INTEGER, name TEXT, frame_size INTEGER, file_dir TEXT, first_file TEXT)",
      "CREATE TABLE IF NOT EXISTS t_ledframe_data(frame_id INTEGER PRIMARY KEY AUTOINCREMENT,"
      "\tled_id INTEGER, name TEXT, delay_time INTEGER, frame_index INTEGER, file_name TEXT)",
      "CREATE TABLE IF NOT EXISTS t_tftscreen_data(tft_id INTEGER PRIMARY KEY AUTOINCREMENT,"
      "\tprofile INTEGER, frame_size INTEGER, file_name TEXT)",
  };
  return statements;
}

const std::vector<DefaultConfigRow>& DefaultConfigRows() {
  static const std::vector<DefaultConfigRow> rows = {
      {L"version", L"1.0.1"},
      {L"keyboard_layout", L"1"},
      {L"fn_layer", L"0"},
      {L"fn_switch", L"0"},
      {L"lightmode", L"1"},
      {L"zephra_mode", L"1"},
      {L"matrixlight_mode", L"1"},
      {L"matrixlight_preset_mode", L"1"},
      {L"matrixlight_amplitude", L"50"},
      {L"enable_light", L"1"},
      {L"enable_customlight", L"1"},
      {L"userlight", L"0"},
      {L"customlight", L"0"},
      {L"customlight_run", L"0"},
      {L"customlight_open", L"1"},
      {L"mac_mode", L"0"},
      {L"encoder_mode", L"0"},
      {L"wasd_mode", L"0"},
      {L"game_mode", L"0"},
      {L"lock_alttab", L"0"},
      {L"lock_altf4", L"0"},
      {L"lock_win", L"0"},
      {L"sleep_time", L"2"},
      {L"key_keyresponse", L"2"},
      {L"default_color1", L"8331093"},
      {L"default_color2", L"4114939"},
      {L"default_color3", L"65280"},
      {L"default_color4", L"16776960"},
      {L"default_color5", L"255"},
      {L"default_color6", L"14237951"},
      {L"default_color7", L"14237951"},
      {L"default_color8", L"16777215"},
      {L"reporte_rate", L"4"},
  };
  return rows;
}
