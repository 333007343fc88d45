#pragma once
// A modal dialog built from a dialog template of the program's resources. The object is kept on
// its window while the dialog runs, and window messages reach its virtual handlers: WM_COMMAND
// through OnCommand, the others through the message map.
#include "platform/win/message_map.h"
#include "platform/win32_api.h"

namespace winui {

class ModalDialog {
 public:
  ModalDialog(UINT template_id, HWND parent);
  ModalDialog(const ModalDialog&) = delete;
  ModalDialog& operator=(const ModalDialog&) = delete;
  virtual ~ModalDialog() = default;

  // Shows the dialog and returns once it has ended, with the value given to EndDialog, or -1 when
  // the dialog could not be created.
  INT_PTR RunModal();

  // While it runs, the dialog is the program's main window (the owner of what the shell shows).
  void BecomeMainWindowWhileRunning() { main_window_ = true; }

  // Null outside the modal run.
  HWND Window() const { return window_; }

 protected:
  static const MessageMap kMessageMap;
  virtual const MessageMap& GetMessageMap() const { return kMessageMap; }

  // The template's controls exist. TRUE lets the platform choose the focused control.
  virtual BOOL OnInitDialog() { return TRUE; }
  // Routes the command through the message map; TRUE when a handler took it.
  virtual BOOL OnCommand(UINT notification, UINT id, LPARAM control);
  // IDOK and IDCANCEL (Enter, Esc, the close box) end the dialog with their id.
  virtual void OnOK() { EndDialog(IDOK); }
  virtual void OnCancel() { EndDialog(IDCANCEL); }

  void EndDialog(INT_PTR result);

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  bool RouteThroughMap(UINT message, UINT code, UINT id, WPARAM wparam, LPARAM lparam,
                       LRESULT* result);

  static const MessageMapEntry kMessageEntries[];

  UINT template_id_;
  HWND parent_;
  HWND window_ = nullptr;
  bool main_window_ = false;
};

}  // namespace winui
