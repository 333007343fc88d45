#pragma once
// The launcher's window: the pack's title buttons and its four command buttons.
#include "platform/win/modal_dialog.h"

class SetupDlg : public winui::ModalDialog {
 public:
  SetupDlg(UINT template_id, HWND parent);

 protected:
  const winui::MessageMap& GetMessageMap() const override { return kMessageMap; }
  BOOL OnInitDialog() override;
  // Esc, the close box and Close on the system menu end the process at once.
  void OnCancel() override;

 private:
  bool OnPaint();
  HICON OnQueryDragIcon();
  void OnInstallClicked();
  void OnUninstallClicked();
  void OnReadmeClicked();
  void OnWebsiteClicked();

  static const winui::MessageMapEntry kMessageEntries[];
  static const winui::MessageMap kMessageMap;

  HICON m_icon;
};
