#!/usr/bin/env bash
# Installs what is missing, builds, and starts mkd on the sample tables.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec build/bin/mkd
fi
echo "run: no display here; starting mkd on a virtual display (xvfb-run). Close it with Ctrl-C."
exec xvfb-run -a build/bin/mkd
