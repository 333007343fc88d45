#include "platform/win/modal_dialog.h"

#include "platform/main_window.h"

namespace winui {

const MessageMapEntry ModalDialog::kMessageEntries[] = {
    CommandEntry<ModalDialog, &ModalDialog::OnOK>(IDOK),
    CommandEntry<ModalDialog, &ModalDialog::OnCancel>(IDCANCEL),
};

const MessageMap ModalDialog::kMessageMap = MakeMessageMap(nullptr, kMessageEntries);

ModalDialog::ModalDialog(UINT template_id, HWND parent)
    : template_id_(template_id), parent_(parent) {}

INT_PTR ModalDialog::RunModal() {
  const INT_PTR result =
      DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(template_id_), parent_,
                      &ModalDialog::DialogProc, reinterpret_cast<LPARAM>(this));
  if (main_window_)
    SetMainWindow(nullptr);
  window_ = nullptr;
  return result;
}

void ModalDialog::EndDialog(INT_PTR result) {
  ::EndDialog(window_, result);
}

BOOL ModalDialog::OnCommand(UINT notification, UINT id, LPARAM control) {
  LRESULT ignored = 0;
  return RouteThroughMap(WM_COMMAND, notification, id, MAKEWPARAM(id, notification), control,
                         &ignored)
             ? TRUE
             : FALSE;
}

bool ModalDialog::RouteThroughMap(UINT message, UINT code, UINT id, WPARAM wparam, LPARAM lparam,
                                  LRESULT* result) {
  for (const MessageMap* map = &GetMessageMap(); map != nullptr; map = map->base) {
    for (size_t i = 0; i < map->count; ++i) {
      const MessageMapEntry& entry = map->entries[i];
      if (entry.message == message && entry.code == code && entry.id == id) {
        return entry.invoke(*this, wparam, lparam, result);
      }
    }
  }
  return false;
}

INT_PTR CALLBACK ModalDialog::DialogProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    auto* dialog = reinterpret_cast<ModalDialog*>(lparam);
    SetWindowLongPtrW(window, DWLP_USER, lparam);
    dialog->window_ = window;
    if (dialog->main_window_)
      SetMainWindow(window);
    return dialog->OnInitDialog();
  }
  // Messages sent while the dialog is created, before WM_INITDIALOG, find no object yet.
  auto* dialog = reinterpret_cast<ModalDialog*>(GetWindowLongPtrW(window, DWLP_USER));
  if (dialog == nullptr)
    return FALSE;
  return dialog->HandleMessage(message, wparam, lparam);
}

INT_PTR ModalDialog::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_COMMAND)
    return OnCommand(HIWORD(wparam), LOWORD(wparam), lparam);
  LRESULT result = 0;
  if (!RouteThroughMap(message, 0, 0, wparam, lparam, &result))
    return FALSE;
  // A few messages take their result as the dialog procedure's return value; the rest from
  // DWLP_MSGRESULT.
  if (message == WM_QUERYDRAGICON)
    return result;
  SetWindowLongPtrW(window_, DWLP_MSGRESULT, result);
  return TRUE;
}

}  // namespace winui
