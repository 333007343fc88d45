#pragma once
// The one cast between our UTF-16 strings (char16_t) and the platform's wide strings: ToWin on the
// way into a Win32 call, FromWin for what comes back.
#ifdef _WIN32
#include <wchar.h>
static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide strings are UTF-16");

inline const wchar_t* ToWin(const char16_t* s) {
  return reinterpret_cast<const wchar_t*>(s);
}
inline wchar_t* ToWin(char16_t* s) {
  return reinterpret_cast<wchar_t*>(s);
}
inline const char16_t* FromWin(const wchar_t* s) {
  return reinterpret_cast<const char16_t*>(s);
}
inline char16_t* FromWin(wchar_t* s) {
  return reinterpret_cast<char16_t*>(s);
}
#else
inline const char16_t* ToWin(const char16_t* s) {
  return s;
}
inline char16_t* ToWin(char16_t* s) {
  return s;
}
inline const char16_t* FromWin(const char16_t* s) {
  return s;
}
inline char16_t* FromWin(char16_t* s) {
  return s;
}
#endif
