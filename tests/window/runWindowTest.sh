#!/usr/bin/env bash
# Runs a window test under a display of its own: runWindowTest.sh SCRIPT ARGS...
# The test is skipped (exit 77) only when no Xvfb can be started here; otherwise the script's
# exit status is the test's.
set -uo pipefail

script=$1
shift
for tool in xdotool import convert; do
    command -v $tool >/dev/null || { echo "$tool is missing: run scripts/setup.sh"; exit 1; }
done
if ! command -v xvfb-run >/dev/null || ! command -v Xvfb >/dev/null; then
    echo "skipped: Xvfb is not installed"
    exit 77
fi
WH_WORK=$(mktemp -d)
export WH_WORK
trap 'rm -rf "$WH_WORK"' EXIT

# A mark left once the display answers tells a failing test apart from a server that never started.
# Without -noreset the server resets as that first client leaves, and the next one may find no server.
xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp -noreset" \
    bash -c 'xdotool getdisplaygeometry >/dev/null 2>&1 && touch "$WH_WORK/display-up" && exec bash "$@"' \
    bash "$script" "$@"
status=$?
if [ $status -ne 0 ] && [ ! -e "$WH_WORK/display-up" ]; then
    echo "skipped: Xvfb could not start"
    exit 77
fi
exit $status
