#pragma once
// The interface of a title record: the fields every title has and its virtual operations.
#include <cstdint>

#include "textlib/tu_text.h"

class AppInfo {
 public:
  AppInfo(const AppInfo&) = delete;
  AppInfo& operator=(const AppInfo&) = delete;
  virtual ~AppInfo() = default;

  virtual bool IsInstalled() const = 0;
  virtual exlib::Tu_text GetExecutablePath() const = 0;
  virtual exlib::Tu_text GetUserDataDirectory() const = 0;
  virtual bool RegisterPackage(exlib::Tu_text dir, exlib::Tu_text src) = 0;
  virtual bool UnregisterPackage() = 0;
  virtual bool IsKavorTitle() const { return false; }

  const exlib::Tu_text LongName;
  const exlib::Tu_text ShortName;
  // The title's token in the pack's package list, e.g. "trell_dravel1".
  const exlib::Tu_text TitleId;
  const int32_t ButtonId;
  const int32_t ImageId;
  const uint64_t DiskSize;
  // The other half of a title sold in two parts; set once by the build list.
  const AppInfo* PairedTitle = nullptr;

 protected:
  AppInfo(exlib::Tu_text long_name, exlib::Tu_text short_name, exlib::Tu_text title_id,
          int32_t button_id, int32_t image_id, uint64_t disk_size)
      : LongName(long_name),
        ShortName(short_name),
        TitleId(title_id),
        ButtonId(button_id),
        ImageId(image_id),
        DiskSize(disk_size) {}
};
