# Sourced by the scripts and by ctest's emulator: the build's own Wine prefix, its persistent
# wineserver and, for windows, an X display. Nothing here touches the user's ~/.wine.
pack_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

# True when this machine executes 32-bit code; some (sandboxed kernels among them) refuse any
# 32-bit program with "Exec format error", and 32-bit Wine with it.
pack_runs_32bit() { /usr/lib/wine/wine --version >/dev/null 2>&1; }

# The Wine the session runs: win32 (the product's own architecture) where the machine can, else
# win64, which runs the 64-bit builds of the same sources. PACK_WINE_ARCH chooses explicitly;
# PACK_WINEPREFIX and PACK_WINE_STATE give a session apart (its own prefix, server and display).
if [ -z "${PACK_WINE_ARCH:-}" ]; then
  if pack_runs_32bit; then PACK_WINE_ARCH=win32; else PACK_WINE_ARCH=win64; fi
fi
export PACK_WINE_ARCH
export WINEARCH=$PACK_WINE_ARCH
# The Windows build whose programs this session runs: the product's own 32-bit build, or its 64-bit
# twin where the machine runs no 32-bit code.
if [ "$PACK_WINE_ARCH" = win64 ]; then pack_windows_preset=windows64; else pack_windows_preset=windows; fi
if [ "$PACK_WINE_ARCH" = win64 ]; then
  pack_state="${PACK_WINE_STATE:-$pack_root/build/wine-session64}"
  export WINEPREFIX="${PACK_WINEPREFIX:-$pack_root/build/wineprefix64}"
  # Debian's wine and wineboot pick the 32-bit loader whenever it is installed, runnable or not.
  export WINELOADER=/usr/lib/wine/wine64
  pack_wine_bin="$pack_root/build/wine64-bin"
  if [ ! -x "$pack_wine_bin/wineboot" ]; then
    # Scripts, not symlinks: the loader refuses to start under another name than its own.
    mkdir -p "$pack_wine_bin"
    printf '#!/bin/sh\nexec %s "$@"\n' "$WINELOADER" >"$pack_wine_bin/wine"
    printf '#!/bin/sh\nexec %s wineboot "$@"\n' "$WINELOADER" >"$pack_wine_bin/wineboot"
    chmod +x "$pack_wine_bin/wine" "$pack_wine_bin/wineboot"
  fi
  case ":$PATH:" in *":$pack_wine_bin:"*) ;; *) export PATH="$pack_wine_bin:$PATH" ;; esac
else
  pack_state="${PACK_WINE_STATE:-$pack_root/build/wine-session}"
  export WINEPREFIX="${PACK_WINEPREFIX:-$pack_root/build/wineprefix}"
fi
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="
# Wine takes its code page from the glibc locale; ja_JP is generated into the build, not the system.
export LOCPATH="$pack_root/build/locale"
export LANG="${PACK_WINE_LANG:-ja_JP.UTF-8}"
unset LC_ALL

# Creates the prefix named by WINEPREFIX once: dialog fonts mapped to a Japanese font, Marlett for
# the caption's buttons. Its server may still run afterwards.
wine_prefix_prepare() {
  local marker="$WINEPREFIX/.pack-prefix-ready" font
  [ -f "$marker" ] && return 0
  mkdir -p "$WINEPREFIX"
  wineboot -i </dev/null >/dev/null 2>&1
  for font in "MS UI Gothic" "MS Shell Dlg" "MS Shell Dlg 2"; do
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$font" /d IPAGothic /f \
      </dev/null >/dev/null 2>&1
  done
  cp -f /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  touch "$marker"
}

wine_session_alive() { [ -f "$1" ] && kill -0 "$(cat "$1")" 2>/dev/null; }

# The pid of this prefix's wineserver, not another session's: the server whose environment names
# this prefix (it inherits WINEPREFIX from whoever started it).
wine_server_pid() {
  local prefix proc
  prefix=$(realpath "$WINEPREFIX")
  for proc in /proc/[0-9]*; do
    [[ "$(cat "$proc/comm" 2>/dev/null)" == wineserver* ]] || continue
    if tr '\0' '\n' <"$proc/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$prefix"; then
      echo "${proc#/proc/}"
      return 0
    fi
  done
  return 1
}

# Starts what is not yet running: an Xvfb display (unless PACK_USE_DISPLAY keeps the user's),
# the persistent wineserver, and Wine's background services with their stdio on /dev/null so that
# they never hold a test runner's pipe open.
wine_session_start() {
  mkdir -p "$pack_state"
  (
    # The lock must not leak into the daemons started below (hence 9>&-), or it is held forever.
    flock 9
    if [ -z "${PACK_USE_DISPLAY:-}" ] && ! wine_session_alive "$pack_state/xvfb.pid"; then
      local n=77
      while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
      Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp </dev/null >/dev/null 2>&1 9>&- &
      echo $! >"$pack_state/xvfb.pid"
      echo ":$n" >"$pack_state/display"
      for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    fi
    if ! wine_session_alive "$pack_state/wineserver.pid"; then
      [ -z "${PACK_USE_DISPLAY:-}" ] && DISPLAY=$(cat "$pack_state/display") && export DISPLAY
      wineserver -p </dev/null >/dev/null 2>&1 9>&- || true
      wine_server_pid >"$pack_state/wineserver.pid" || rm -f "$pack_state/wineserver.pid"
      wine wineboot </dev/null >/dev/null 2>&1 9>&- || true
    fi
  ) 9>"$pack_state/lock"
  if [ -z "${PACK_USE_DISPLAY:-}" ]; then
    DISPLAY=$(cat "$pack_state/display")
    export DISPLAY
  fi
}

# Ends every process the session started: Wine's (through its server) and the Xvfb display.
wine_session_stop() {
  wineserver -k </dev/null >/dev/null 2>&1 || true
  wineserver -w </dev/null >/dev/null 2>&1 || true
  if wine_session_alive "$pack_state/xvfb.pid"; then
    kill "$(cat "$pack_state/xvfb.pid")" 2>/dev/null || true
  fi
  rm -f "$pack_state/xvfb.pid" "$pack_state/wineserver.pid" "$pack_state/display"
}
