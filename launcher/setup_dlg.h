#pragma once
// The launcher's window: the pack's title buttons and its four command buttons.
#include <optional>

#include "launcher/dialog_button_controls.h"
#include "platform/win/dpi.h"
#include "platform/win/modal_dialog.h"
#include "platform/win/png_bitmap.h"
#include "textlib/tu_array.h"

class SetupDlg : public winui::ModalDialog {
 public:
  SetupDlg(UINT template_id, HWND parent);

 protected:
  const winui::MessageMap& GetMessageMap() const override { return kMessageMap; }
  BOOL OnInitDialog() override;
  // A click on a title's button starts the title; other commands, and a title that does not
  // start, go through the message map.
  BOOL OnCommand(UINT notification, UINT id, LPARAM control) override;
  // Esc, the close box and Close on the system menu end the process at once.
  void OnCancel() override;

 private:
  void SetUpTitleButtons();
  void AddTitleToolTips();
  // Icons and title images at the size `dpi` needs.
  void SetIcons(UINT dpi);
  void LoadTitleImages(UINT dpi);
  void RefreshButtons();
  // Any timer refreshes the buttons.
  void OnTimer(UINT_PTR timer_id);
  bool OnPaint();
  HICON OnQueryDragIcon();
  // Moved to a display of another DPI: the system has scaled the dialog's fonts and controls;
  // the window takes the size it suggests and redraws its images for the new DPI.
  void OnDpiChanged(UINT dpi, const RECT& suggested);
  void OnInstallClicked();
  void OnUninstallClicked();
  void OnReadmeClicked();
  void OnWebsiteClicked();

  static const winui::MessageMapEntry kMessageEntries[];
  static const winui::MessageMap kMessageMap;

  UINT dpi_;
  winui::ScaledIcon icon_;
  winui::ScaledIcon small_icon_;
  // Set once the window exists.
  std::optional<DialogButtonControls> controls_;
  // One image per title of the list, in list order.
  exlib::Tu_owned_array<winui::PngBitmap> images_;
  bool tooltips_added_ = false;
};
