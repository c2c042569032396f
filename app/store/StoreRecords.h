// One record type per table of the profile database; fields follow the table's columns.
// Every field has the value a newly inserted row would carry where that is defined,
// otherwise 0 or an empty string.
#pragma once
#include "core/CString.h"

struct ProfileRecord {
  int profile = 0;
  CString name;
  CString app;
  CString icon_image;
  CString bkg_image;
  int type = 0;
  int status = 0;  // 1 = the active profile
};

struct KeyMacroRecord {
  int key_id = 0;
  int profile = 0;
  int fn_layer = 0;
  int key_code = 0;
  int layout_value = 0;
  CString layout_desc;
  int macro_type = 0;
  int macro_value = 0;
  int macro_value2 = 0;
  int macro_value3 = 0;
  CString macro_desc;
};

struct LightRecord {
  int light_id = 0;
  int profile = 0;
  CString name;
  int type = 0;  // lighting zone
  int mode = 0;
  int brightness = 0;
  int speed = 0;
  int direction = 0;
  int colorful = 0;
  int colorindex = 0;
  int color_value = 0;
  int config_func = 0;
  int reserved = 0;
  int status = 0;  // 1 = the active mode of its zone
};

struct UserLightRgbRecord {
  int userlightrgb_id = 0;
  int profile = 0;
  int userlight_id = 0;
  int key_code = 0;
  int key_rgb = 0;
};

struct MacroRecord {
  int macro_id = 0;
  CString name;
  int play_type = 0;
  int play_times = 0;
  int delay_type = 1;  // as a new macro row
  int delay_time = 0;
};

struct MacroStepRecord {
  int record_id = 0;
  int macro_id = 0;
  int type = 0;
  int record_index = 0;
  int value = 0;
  int delay_time = 0;
  CString desc;
};

struct MusicLayerRecord {
  int layer_id = 0;
  int profile = 0;
  CString name;
  int deviceindex = 0;
  int foremode = 0;
  int fore_amplitude = 300;  // as a new layer row
  int backmode = 0;
  int backb_right = 0;
  int light_right = 100;
};

struct LedLayerRecord {
  int led_id = 0;
  int profile = 0;
  int type = 0;
  CString name;
  int frame_size = 0;
  CString file_dir;
  CString first_file;
};

struct LedFrameRecord {
  int frame_id = 0;
  int led_id = 0;
  CString name;
  int delay_time = 0;
  int frame_index = 0;
  CString file_name;
};

struct TftScreenRecord {
  int tft_id = 0;
  int profile = 0;
  int frame_size = 0;
  CString file_name;
};
