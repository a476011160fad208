#!/usr/bin/env bash
# Installs what is missing, builds the program (not the tests) and starts it.
# Needs a graphical session: an X or Wayland desktop.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/prepare.sh
prepare_build build --target morvane
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-}" ]; then
    echo "run.sh: no graphical session (neither DISPLAY nor WAYLAND_DISPLAY is set)." >&2
    echo "Start it from a desktop session, or over ssh -X." >&2
    exit 1
fi
exec build/app/morvane "$@"
