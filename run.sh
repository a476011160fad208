#!/usr/bin/env bash
# Installs what is missing, builds and starts Morvane.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/prepare.sh
prepare_build build
exec build/app/morvane "$@"
