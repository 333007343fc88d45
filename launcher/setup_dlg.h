#pragma once
// The launcher's window: the pack's title buttons and its four command buttons.
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
  void RefreshButtons();
  // Any timer refreshes the buttons.
  void OnTimer(UINT_PTR timer_id);
  bool OnPaint();
  HICON OnQueryDragIcon();
  void OnInstallClicked();
  void OnUninstallClicked();
  void OnReadmeClicked();
  void OnWebsiteClicked();

  static const winui::MessageMapEntry kMessageEntries[];
  static const winui::MessageMap kMessageMap;

  HICON m_icon;
  // One image per title of the list, in list order.
  exlib::Tu_owned_array<winui::PngBitmap> m_images;
};
