#!/usr/bin/env bash
# Runs a test program while an X program of one known colour is on screen.
# Wine hands out no handle for a Unix process it starts, and the child would
# hold the test's output open, so the X program lives and dies out here.
#   with_xlogo.sh GEOMETRY COLOUR program [args...]
set -euo pipefail
geometry=$1 colour=$2
shift 2
title=tintora-xlogo-$$
setsid xlogo -geometry "$geometry" -bg "$colour" -fg "$colour" -title "$title" \
    </dev/null >/dev/null 2>&1 &
xlogo=$!
trap 'kill "$xlogo" 2>/dev/null || true; wait "$xlogo" 2>/dev/null || true' EXIT
for _ in $(seq 50); do
    xdotool search --onlyvisible --name "$title" >/dev/null 2>&1 && break
    sleep 0.1
done
TINTORA_XLOGO="$geometry $colour" "$@"
