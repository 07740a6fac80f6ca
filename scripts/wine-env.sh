# Sourced by the test and demo scripts: an X server, a Wine prefix of the
# project's own and a persistent wineserver with a keep-alive program, so
# that each Wine program starts in well under a second. kr_stop_env stops
# exactly what kr_prepare_all started.

KR_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
KR_WINE=/usr/lib/wine/wine64
KR_WINESERVER=/usr/lib/wine/wineserver64
export WINEPREFIX="$KR_ROOT/build/wineprefix"
KR_KEEPALIVE="$KR_ROOT/build/x86_64/wine_keepalive.exe"
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

# Wine's first start in a new prefix sometimes fails for reasons of its
# own (measured: a start that waited on system processes that never came);
# a few tries, then the output of the last.
KR_WINE_TRIES=3

# A prefix is ready when wineboot wrote its registry and its system DLLs
# (a failed first start has been seen to leave the registry alone, and
# every later program then stops with "could not load kernel32.dll").
kr_prefix_ready() {
  [ -f "$WINEPREFIX/system.reg" ] && [ -f "$WINEPREFIX/drive_c/windows/system32/kernel32.dll" ]
}

kr_create_prefix() {
  local log="$WINEPREFIX-create.log" try
  for try in $(seq $KR_WINE_TRIES); do
    echo "Creating the Wine prefix $WINEPREFIX (once; try $try of $KR_WINE_TRIES)"
    mkdir -p "$WINEPREFIX"
    # No .NET or HTML engine to offer, no desktop menus to write.
    WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=" "$KR_WINE" wineboot -i >"$log" 2>&1 || true
    "$KR_WINESERVER" -w || true
    kr_prefix_ready && return 0
    "$KR_WINESERVER" -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
  done
  echo "wineboot -i left no working prefix in $WINEPREFIX; its last output:" >&2
  tail -20 "$log" >&2
  return 1
}

# 32-bit programs run in the same prefix (the shipped DLL's tests), which
# needs its 32-bit half: a prefix made before the machine could run them
# is made again.
KR_WINE32=/usr/lib/wine/wine
kr_runs_32bit() {
  "$KR_WINE32" --version >/dev/null 2>&1
}

kr_prepare_prefix() {
  if [ -f "$WINEPREFIX/system.reg" ] && kr_runs_32bit && [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; then
    echo "The Wine prefix has no 32-bit half: making it again"
    rm -rf "$WINEPREFIX"
  fi
  if ! kr_prefix_ready; then
    "$KR_WINESERVER" -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
    kr_create_prefix
  fi
  # Without a window manager, Wine waits 2 s for one at every closed
  # dialog unless it manages the windows itself.
  if ! grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
    "$KR_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
    "$KR_WINESERVER" -w
  fi
}

kr_start_wine() {
  local log="$WINEPREFIX-start.log" try
  "$KR_WINESERVER" -p || true # 2: already running for this prefix
  "$KR_WINE" "$KR_KEEPALIVE" </dev/null >/dev/null 2>&1 &
  KR_KEEPALIVE_PID=$!
  # Let Wine's system processes come up before the first program runs.
  for try in $(seq $KR_WINE_TRIES); do
    "$KR_WINE" cmd /c exit </dev/null >"$log" 2>&1 && return 0
    echo "Wine could not run a program (try $try of $KR_WINE_TRIES)" >&2
    sleep 2
  done
  echo "Wine runs no program in $WINEPREFIX; the last try said:" >&2
  tail -20 "$log" >&2
  return 1
}

# The print spooler and the PDF queue (scripts/spooler.sh), up before the
# first Wine program and stopped with the rest.
source "$KR_ROOT/scripts/spooler.sh"

kr_stop_wine() {
  if [ -n "$KR_KEEPALIVE_PID" ]; then
    kill "$KR_KEEPALIVE_PID" 2>/dev/null || true
  fi
  "$KR_WINESERVER" -k 2>/dev/null || true
}

kr_stop_env() {
  kr_stop_wine
  if [ -n "$KR_XVFB_PID" ]; then
    kill "$KR_XVFB_PID" 2>/dev/null || true
    wait "$KR_XVFB_PID" 2>/dev/null || true
  fi
  kr_stop_spooler
}

# Every step of the set-up says which step failed and why: the failing
# command and its status (the scripts run with set -E, so this trap is
# also called inside functions), after the command's own output.
KR_STAGE="set-up"
KR_STAGE_COMMAND=
kr_report_failure() {
  local command=$2
  [ "$command" != '"$@"' ] || command=$KR_STAGE_COMMAND # a stage that is one command
  echo "${0##*/}: $KR_STAGE failed: \`$command\` exited with status $1" >&2
}
trap 'kr_report_failure $? "$BASH_COMMAND"' ERR

# Runs one stage of the set-up and says how long it took.
kr_stage() {
  KR_STAGE=$1
  shift
  KR_STAGE_COMMAND="$*"
  local start=$SECONDS
  "$@"
  echo "[$KR_STAGE: $((SECONDS - start)) s]"
}

# For the scripts that run programs: packages, both builds, then the
# environment, stopped again when the calling script exits. A failure of
# the programs themselves is theirs to report: the trap ends here.
kr_prepare_all() {
  kr_stage "package set-up (scripts/setup.sh)" "$KR_ROOT/scripts/setup.sh"
  kr_stage "build (scripts/build.sh)" "$KR_ROOT/scripts/build.sh" "$@"
  trap kr_stop_env EXIT
  kr_stage "print spooler" kr_start_spooler
  kr_stage "X server" kr_start_xvfb
  kr_stage "Wine prefix" kr_prepare_prefix
  kr_stage "Wine start" kr_start_wine
  trap - ERR
}
