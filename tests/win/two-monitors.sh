#!/usr/bin/env bash
# Runs a test program under Wine on a desktop of two monitors: an X screen
# of 1824 x 768 split with xrandr into a 1024 x 768 monitor and, right of it,
# an 800 x 600 one marked primary, so that Wine (told not to ask XRandR for
# outputs) puts the first at (-1024, 0). Its own virtual X display and its
# own prefix (made once from the test prefix), so nothing else sees them.
#   two-monitors.sh TEST_PREFIX PREFIX program.exe [args...]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
base=$1 prefix=$2
shift 2
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

n=170
while [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
Xvfb ":$n" -noreset -screen 0 1824x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=":$n"
trap 'WINEPREFIX=$prefix wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true' EXIT
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
xrandr --setmonitor M0 1024/260x768/195+0+0 screen >/dev/null
xrandr --setmonitor '*M1' 800/203x600/152+1024+0 none >/dev/null

# The prefix as at 96 DPI, then Wine's monitors from the ones just set.
"$here/run-at-dpi.sh" "$base" "$prefix" 96 cmd /c exit
if [ ! -f "$prefix/.tintora-monitors" ]; then
    printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
        '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]' '"UseXRandR"="N"' >"$prefix/monitors.reg"
    WINEPREFIX=$prefix wine regedit /S "$prefix/monitors.reg" >/dev/null 2>&1
    touch "$prefix/.tintora-monitors"
fi
# A server started before the display's monitors were set knows the old ones.
WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
WINEPREFIX=$prefix wineserver -w
WINEPREFIX=$prefix wine "$@"
