#!/usr/bin/env bash
# Runs a test program under Wine at another DPI, in a prefix of its own, so
# that the other tests keep their 96 DPI. The prefix is made once from the
# test prefix: its registry is copied and set up again, C: is the test
# prefix's own (nothing these tests write there matters), and LogPixels is
# set where Wine 8 reads it: HKCU "Control Panel\Desktop" first (measured:
# it wins over the other), then HKCC "Software\Fonts". Wine reads the DPI
# when its server starts, so the server of this prefix is ended after each
# change of the setting.
#   run-at-dpi.sh TEST_PREFIX PREFIX DPI program.exe [args...]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
base=$1 prefix=$2 dpi=$3
shift 3
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

"$root/scripts/wine-prefix" --tests "$base"
stamp="$(cat "$base/.tintora-ready") $dpi"
exec 8>"$prefix.dpi-lock"
flock 8
if [ "$(cat "$prefix/.tintora-dpi" 2>/dev/null)" != "$stamp" ]; then
    WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
    rm -rf "$prefix"
    mkdir -p "$prefix/dosdevices"
    cp "$base/system.reg" "$base/user.reg" "$base/userdef.reg" "$base/.update-timestamp" "$prefix/"
    ln -s "$(cd "$base" && pwd)/drive_c" "$prefix/drive_c"
    ln -s ../drive_c "$prefix/dosdevices/c:"
    ln -s / "$prefix/dosdevices/z:"
    # The copy may predate the test prefix's last settings: apply them again.
    "$root/scripts/wine-prefix" --tests "$prefix"
    hex=$(printf '%08x' "$dpi")
    printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
        '[HKEY_CURRENT_USER\Control Panel\Desktop]' "\"LogPixels\"=dword:$hex" '' \
        '[HKEY_CURRENT_CONFIG\Software\Fonts]' "\"LogPixels\"=dword:$hex" >"$prefix/dpi.reg"
    WINEPREFIX=$prefix wine regedit /S "$prefix/dpi.reg" >/dev/null 2>&1
    WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
    WINEPREFIX=$prefix wineserver -w
    echo "$stamp" >"$prefix/.tintora-dpi"
fi
exec 8>&-
export WINEPREFIX=$prefix
exec wine "$@"
