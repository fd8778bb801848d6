#!/usr/bin/env bash
# Builds the benchmarks (Release, in build-bench/ or $BUILD_DIR) and runs them
# all: the core (tables, pricing, season calendar), start-up on the offscreen
# platform and under Xvfb, the compare window's first opening and
# recomputation, the response to a long session of user actions, and the
# memory kept over a day of enquiries (offscreen, and under Xvfb with a
# window manager). Ends with a table of every figure against its target.
#   RUNS=N        start-up runs of each program (default 30)
#   ENQUIRIES=N   enquiries of the memory soak after its warm-up of 1,000
#                 (default 10000, a multiple of 1000)
#   SOAK_LIMIT=S  seconds each memory soak may take before it counts as
#                 stuck (default 300 + ENQUIRIES / 10)
#   BUILD_DIR     absolute, or relative to the checkout
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build-bench}
runs=${RUNS:-30}
enquiries=${ENQUIRIES:-10000}
soak_limit=${SOAK_LIMIT:-$((300 + enquiries / 10))}

bash scripts/setup.sh
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DMKD_BENCH=ON -DBUILD_TESTING=OFF >/dev/null
# From here on the build folder is named absolutely: the soak's plugin path
# must not depend on where it is written from.
build=$(cd "$build" && pwd)
log=$(mktemp)
trap 'rm -f "$log"' EXIT
echo "== building the benchmarks in $build"
if ! cmake --build "$build" -j"$(nproc)" --target mkd mkd-scenario mkd-bench-core mkd-bench-startup mkd-bench-bare-start-screen \
  mkd-bench-bare-window mkd-soak-driver mkd-bench-compare >"$log" 2>&1; then
  cat "$log"
  exit 1
fi
: >"$log"
bin=$build/bin

echo "== core: tables, pricing, season calendar"
"$bin/mkd-bench-core" --benchmark_min_time=0.2 --benchmark_repetitions=5 --benchmark_report_aggregates_only=true |
  tee -a "$log"

echo "== start-up, offscreen"
"$bin/mkd-bench-startup" --platform offscreen --runs "$runs" | tee -a "$log"
echo "== start-up, Xvfb"
xvfb-run -a -s "-screen 0 1024x768x24" "$bin/mkd-bench-startup" --platform xcb --runs "$runs" | tee -a "$log"

echo "== the compare window, offscreen"
"$bin/mkd-bench-compare" "$bin" | tee -a "$log"

echo "== response to user actions, offscreen"
if ! response=$("$bin/mkd-scenario" --timing bench/response.scn 2>&1); then
  echo "$response"
  echo "run: bench/response.scn did not replay cleanly" >&2
  exit 1
fi
echo "$response"
timing=$(grep '^timing:' <<<"$response")
median=$(sed -E 's/.* median ([0-9.]+) ms.*/\1/' <<<"$timing")
worst=$(sed -E 's/.* worst ([0-9.]+) ms.*/\1/' <<<"$timing")
awk -v m="$median" -v w="$worst" 'BEGIN {
  printf "summary|median action, offscreen|%.3f ms|< 2 ms|%s\n", m, (m < 2 ? "met" : "MISSED")
  printf "summary|worst action, offscreen|%.3f ms|< 20 ms|%s\n", w, (w < 20 ? "met" : "MISSED")
}' >>"$log"

# The real mkd, with a user loaded into it (bench/soak_driver.cpp) who makes
# every kind of enquiry (bench/response.scn's actions, over and over) from the
# event loop and answers its message boxes; the resident memory after a
# warm-up of 1,000 enquiries, then after every 1,000 more. Under Xvfb a
# window manager runs, as on a desktop, when one is installed. The settings
# the program keeps go to a folder of their own.
# Qt's own talk about windows shown thousands of times goes to a file; what
# the user could not do is shown, and ends the bench. A program the user
# never got into (the plugin not loaded) or that stops answering is ended
# after SOAK_LIMIT seconds, and so is the bench.
plugin=$build/plugins/generic/libmkd-soak-driver.so
soak() {
  [ -f "$plugin" ] || { echo "run: the soak's plugin $plugin was not built" >&2; exit 1; }
  local status=0 before
  before=$(grep -c '^summary|memory growth' "$log" || true)
  XDG_CONFIG_HOME="$config" QT_PLUGIN_PATH="$build/plugins" \
    QT_QPA_GENERIC_PLUGINS="mkdsoak:$enquiries:$PWD/bench/response.scn" \
    timeout -k 10 "$soak_limit" "$@" 2>"$config/stderr" | tee -a "$log" || status=$?
  if [ "$status" -ne 0 ] || [ "$(grep -c '^summary|memory growth' "$log" || true)" -le "$before" ]; then
    grep -a "mkd soak\|mkd:" "$config/stderr" >&2 || true
    grep -aq "mkd soak: driving" "$config/stderr" ||
      echo "run: the soak's plugin was not loaded into mkd (QT_PLUGIN_PATH=$build/plugins)" >&2
    [ "$status" -eq 124 ] && echo "run: the memory soak was stopped after ${soak_limit} s (SOAK_LIMIT)" >&2
    echo "run: the memory soak did not go through (status $status)" >&2
    exit 1
  fi
}
config=$(mktemp -d)
trap 'rm -f "$log"; rm -rf "$config"' EXIT
echo "== memory over $enquiries enquiries, offscreen"
soak env QT_QPA_PLATFORM=offscreen "$bin/mkd"
echo "== memory over $enquiries enquiries, Xvfb"
soak xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
  if command -v openbox >/dev/null; then openbox >/dev/null 2>&1 & wm=$!; sleep 1; fi
  QT_QPA_PLATFORM=xcb "$0"
  status=$?
  [ -n "${wm:-}" ] && kill "$wm" 2>/dev/null
  exit $status' "$bin/mkd"

echo
echo "== targets"
grep '^summary|' "$log" | awk -F'|' '{ printf "  %-34s %-40s %-9s %s\n", $2, $3, $4, $5 }'
