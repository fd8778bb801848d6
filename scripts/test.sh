#!/usr/bin/env bash
# Installs what is missing, checks that every C++ file is formatted as
# .clang-format says, builds, and runs every test: the unit tests of
# the core, the scenario files replayed against the real screens, the
# random-user soak, the sample-table generator's tests and the Debian package
# (built, unpacked and checked once, here only); then all of them
# again in a build with AddressSanitizer and UndefinedBehaviorSanitizer
# (build-asan/, or $ASAN_BUILD_DIR), and each fuzz target for a short while
# (scripts/fuzz.sh, build-fuzz/). See docs/robustness.md.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/check_format.sh
[ -f tests/tables/formula/Untin/Futu.txt ] || python3 tests/tables/make_formula_tables.py
bash scripts/build.sh
ctest --test-dir build --output-on-failure -j"$(nproc)"

asan=${ASAN_BUILD_DIR:-build-asan}
BUILD_DIR=$asan bash scripts/build.sh -DMKD_SANITIZE=ON
(. tests/sanitizers/env.sh && ctest --test-dir "$asan" --output-on-failure -j"$(nproc)")

bash scripts/fuzz.sh
