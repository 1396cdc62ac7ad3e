#!/usr/bin/env bash
# Runs a Windows program under wine in a prefix of the project's own, quietly
# and without the prompts a new prefix would show. Made on first use.
set -euo pipefail
# Wine and what it starts with one address layout, the same in every run (the
# personality is inherited). Randomised, about one start in 4,000 here ended
# at once with exit status 1: wine found the fixed address of its shared user
# data taken ("failed to map the shared user data").
if (((0x$(cat /proc/self/personality) & 0x40000) == 0)); then
  exec setarch "$(uname -m)" --addr-no-randomize "$0" "$@"
fi
export WINEPREFIX="${ORDELIX_WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/ordelix/wine}"
# Wine's own errors are shown, on standard error: a program wine could not
# run says why instead of ending with nothing printed.
export WINEDEBUG="${WINEDEBUG:--all,err+all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
unset DISPLAY WAYLAND_DISPLAY
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  # Two first runs at once would both build the prefix.
  exec 9>"$WINEPREFIX.lock"
  flock 9
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wine wineboot --init >/dev/null 2>&1 9>&- || true
    wineserver -w
  fi
  exec 9>&-
fi
# A server kept a minute past its last program: started anew for each run,
# with wine's services, it costs a second a run. The services start with the
# first program and keep its output open while they live, which would hold a
# caller reading to its end: a new server is brought up by a program of none.
exec 9>"$WINEPREFIX.lock"
flock 9
# Nor the lock, which they would hold as long.
if wineserver -p"${ORDELIX_WINESERVER_PERSIST:-60}" </dev/null >/dev/null 2>&1 9>&-; then
  wine cmd.exe /c exit </dev/null >/dev/null 2>&1 9>&- || true
fi
exec 9>&-
exec wine "$@"
