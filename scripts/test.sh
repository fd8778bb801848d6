#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the unit tests of
# the core, the scenario files replayed against the real screens, and the
# sample-table generator's tests.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
ctest --test-dir build --output-on-failure -j"$(nproc)"
