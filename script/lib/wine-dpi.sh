# Sourced after wine-session.sh: a second prefix beside the build's for running at another DPI.
# Wine takes the DPI from the prefix when its server starts, so the build's own session (and the
# tests sharing it) stay at 96 while this one is set and restarted as needed.

# Switches WINEPREFIX to the DPI prefix (created once), sets it to `dpi` and starts its server
# afresh, persistent, with the services' output away from any caller's pipe.
wine_dpi_session_start() {
  local dpi=$1 key
  pack_main_prefix=$WINEPREFIX
  export WINEPREFIX="$WINEPREFIX-dpi"
  wine_prefix_prepare
  for key in 'HKCU\Control Panel\Desktop' \
    'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts'; do
    wine reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f </dev/null >/dev/null 2>&1
  done
  wineserver -k </dev/null >/dev/null 2>&1 || true
  wineserver -w </dev/null >/dev/null 2>&1 || true
  wineserver -p </dev/null >/dev/null 2>&1 || true
  wine wineboot </dev/null >/dev/null 2>&1 || true
}

# Ends the DPI prefix's processes and goes back to the build's prefix; nothing when not started.
wine_dpi_session_stop() {
  [ -n "${pack_main_prefix:-}" ] || return 0
  wineserver -k </dev/null >/dev/null 2>&1 || true
  wineserver -w </dev/null >/dev/null 2>&1 || true
  export WINEPREFIX=$pack_main_prefix
  pack_main_prefix=
}
