# Sourced by the test and demo scripts: an X server, a Wine prefix of the
# project's own and a persistent wineserver with a keep-alive program, so
# that each Wine program starts in well under a second. kr_stop_env stops
# exactly what kr_start_env started.

KR_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
KR_WINE=/usr/lib/wine/wine64
KR_WINESERVER=/usr/lib/wine/wineserver64
export WINEPREFIX="$KR_ROOT/build/wineprefix"
export WINEDEBUG=${WINEDEBUG:--all}
KR_DISPLAY_NUMBER=${KR_DISPLAY_NUMBER:-99}

KR_XVFB_PID=
KR_KEEPALIVE_PID=

kr_start_xvfb() {
  local n=$KR_DISPLAY_NUMBER lock=/tmp/.X$KR_DISPLAY_NUMBER-lock
  export DISPLAY=:$n
  if [ -f "$lock" ] && kill -0 "$(tr -d ' ' < "$lock")" 2>/dev/null; then
    return 0 # a server already runs on this display: use it, leave it
  fi
  rm -f "$lock" "/tmp/.X11-unix/X$n"
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  KR_XVFB_PID=$!
  for _ in $(seq 100); do
    [ -S "/tmp/.X11-unix/X$n" ] && return 0
    sleep 0.1
  done
  echo "Xvfb did not start on :$n" >&2
  return 1
}

kr_prepare_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Creating the Wine prefix $WINEPREFIX (once)"
    mkdir -p "$WINEPREFIX"
    "$KR_WINE" wineboot -i >/dev/null 2>&1 || true
    "$KR_WINESERVER" -w
  fi
  # Without a window manager, Wine waits 2 s for one at every closed
  # dialog unless it manages the windows itself.
  if ! grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
    "$KR_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    "$KR_WINESERVER" -w
  fi
}

kr_start_wine() {
  "$KR_WINESERVER" -p || true # 2: already running for this prefix
  "$KR_WINE" "$KR_ROOT/build/x86_64/wine_keepalive.exe" </dev/null >/dev/null 2>&1 &
  KR_KEEPALIVE_PID=$!
  # Let Wine's system processes come up before the first program runs.
  "$KR_WINE" cmd /c exit </dev/null >/dev/null 2>&1 || true
}

# The print spooler and the PDF queue (scripts/spooler.sh), up before the
# first Wine program and stopped with the rest.
source "$KR_ROOT/scripts/spooler.sh"

kr_start_env() {
  kr_start_spooler
  kr_start_xvfb
  kr_prepare_prefix
  kr_start_wine
}

kr_stop_env() {
  if [ -n "$KR_KEEPALIVE_PID" ]; then
    kill "$KR_KEEPALIVE_PID" 2>/dev/null || true
  fi
  "$KR_WINESERVER" -k 2>/dev/null || true
  if [ -n "$KR_XVFB_PID" ]; then
    kill "$KR_XVFB_PID" 2>/dev/null || true
    wait "$KR_XVFB_PID" 2>/dev/null || true
  fi
  kr_stop_spooler
}

# For the scripts that run programs: packages, both builds, then the
# environment, stopped again when the calling script exits.
kr_prepare_all() {
  "$KR_ROOT/scripts/setup.sh"
  "$KR_ROOT/scripts/build.sh" "$@"
  trap kr_stop_env EXIT
  kr_start_env
}
