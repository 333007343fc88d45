#pragma once
// A dialog's static message map: rows of (message, notification code, control id, handler),
// searched in order, then in the base class's map.
#include <cstddef>

#include "platform/win32_api.h"

namespace winui {

class ModalDialog;

struct MessageMapEntry {
  UINT message;
  UINT code;  // WM_COMMAND only: the notification code
  UINT id;    // WM_COMMAND only: the control id
  // Calls the handler; false leaves the message to the platform's default handling.
  bool (*invoke)(ModalDialog& dialog, WPARAM wparam, LPARAM lparam, LRESULT* result);
};

struct MessageMap {
  const MessageMap* base;
  const MessageMapEntry* entries;
  size_t count;
};

// A map over a static array of entries, counting them itself so that none is left out.
template <size_t Count>
constexpr MessageMap MakeMessageMap(const MessageMap* base,
                                    const MessageMapEntry (&entries)[Count]) {
  return {base, entries, Count};
}

namespace message_map_detail {

template <class Dialog, void (Dialog::*Handler)()>
bool InvokeCommand(ModalDialog& dialog, WPARAM, LPARAM, LRESULT* result) {
  (static_cast<Dialog&>(dialog).*Handler)();
  *result = 0;
  return true;
}

template <class Dialog, void (Dialog::*Handler)(UINT_PTR)>
bool InvokeTimer(ModalDialog& dialog, WPARAM timer_id, LPARAM, LRESULT* result) {
  (static_cast<Dialog&>(dialog).*Handler)(timer_id);
  *result = 0;
  return true;
}

template <class Dialog, bool (Dialog::*Handler)()>
bool InvokePaint(ModalDialog& dialog, WPARAM, LPARAM, LRESULT* result) {
  *result = 0;
  return (static_cast<Dialog&>(dialog).*Handler)();
}

template <class Dialog, HICON (Dialog::*Handler)()>
bool InvokeQueryDragIcon(ModalDialog& dialog, WPARAM, LPARAM, LRESULT* result) {
  *result = reinterpret_cast<LRESULT>((static_cast<Dialog&>(dialog).*Handler)());
  return true;
}

template <class Dialog, void (Dialog::*Handler)(UINT, const RECT&)>
bool InvokeDpiChanged(ModalDialog& dialog, WPARAM wparam, LPARAM lparam, LRESULT* result) {
  (static_cast<Dialog&>(dialog).*Handler)(LOWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
  *result = 0;
  return true;
}

}  // namespace message_map_detail

// A click (BN_CLICKED) of the control `id`.
template <class Dialog, void (Dialog::*Handler)()>
constexpr MessageMapEntry CommandEntry(UINT id) {
  return {WM_COMMAND, BN_CLICKED, id, &message_map_detail::InvokeCommand<Dialog, Handler>};
}

// WM_TIMER, whatever the timer id; the handler is given the id.
template <class Dialog, void (Dialog::*Handler)(UINT_PTR)>
constexpr MessageMapEntry TimerEntry() {
  return {WM_TIMER, 0, 0, &message_map_detail::InvokeTimer<Dialog, Handler>};
}

// WM_PAINT; a handler that answers false leaves the painting to the platform.
template <class Dialog, bool (Dialog::*Handler)()>
constexpr MessageMapEntry PaintEntry() {
  return {WM_PAINT, 0, 0, &message_map_detail::InvokePaint<Dialog, Handler>};
}

// WM_QUERYDRAGICON: the icon shown while the minimised window is dragged.
template <class Dialog, HICON (Dialog::*Handler)()>
constexpr MessageMapEntry QueryDragIconEntry() {
  return {WM_QUERYDRAGICON, 0, 0, &message_map_detail::InvokeQueryDragIcon<Dialog, Handler>};
}

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

// WM_DPICHANGED: the window's new DPI and the window rectangle the system suggests for it.
template <class Dialog, void (Dialog::*Handler)(UINT, const RECT&)>
constexpr MessageMapEntry DpiChangedEntry() {
  return {WM_DPICHANGED, 0, 0, &message_map_detail::InvokeDpiChanged<Dialog, Handler>};
}

}  // namespace winui
