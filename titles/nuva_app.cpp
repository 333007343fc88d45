#include "titles/nuva_app.h"

#include "contract/pack_contract.h"
#include "textlib/paths.h"

NuvaApp::NuvaApp(int32_t button_id, int32_t image_id, const char* const* registration_entries,
                 uint64_t disk_size, exlib::Tu_text long_name, exlib::Tu_text short_name,
                 exlib::Tu_text title_id, exlib::Tu_text key_suffix, exlib::Tu_text executable_name)
    : AppBase(long_name, short_name, title_id, button_id, image_id, kNuvaKeys.Root(),
              exlib::Tu_text(kNuvaKeys.key_prefix) + key_suffix, registration_entries, disk_size),
      KeySuffix(key_suffix),
      ExecutableName(executable_name) {}

bool NuvaApp::IsInstalled() const {
  return HasValue(kNuvaKeys.marker_value);
}

exlib::Tu_text NuvaApp::GetExecutablePath() const {
  return exlib::PathJoin(ReadValue(kNuvaKeys.marker_value), ExecutableName);
}
