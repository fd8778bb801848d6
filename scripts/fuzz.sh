#!/usr/bin/env bash
# Builds the fuzz targets (libFuzzer, with AddressSanitizer and
# UndefinedBehaviorSanitizer) with clang into build-fuzz/ (or
# $FUZZ_BUILD_DIR) and runs them. See docs/robustness.md.
#
#   bash scripts/fuzz.sh                     every target as a test: the file
#                                            readers for $MKD_FUZZ_SECONDS
#                                            seconds (default 45), the others
#                                            for $MKD_FUZZ_SHORT_SECONDS (15)
#   bash scripts/fuzz.sh --long [RUNS] [TARGET...]
#                                            the long run: each target (default
#                                            all six) in turn until it has made
#                                            RUNS executions (default 10^7),
#                                            at the lowest priority, one
#                                            libFuzzer run of at most
#                                            $MKD_FUZZ_CHUNK_SECONDS (540) at a
#                                            time on the corpus the last one
#                                            grew; a line per target (date,
#                                            executions, findings) is added to
#                                            build-fuzz/long-runs.log
#   bash scripts/fuzz.sh TARGET [SECONDS] [LIBFUZZER-OPTION...]
#                                            one target for longer (default
#                                            3600 s); TARGET is table_reader,
#                                            initial_selection, cell_value,
#                                            fare_cli, check_report or
#                                            scenario_syntax
#
# What a run finds is kept in the build folder: new inputs in
# tests/fuzz/corpus/TARGET/, an input that broke a property in
# tests/fuzz/artifacts/ (replay it with: build-fuzz/bin/fuzz_TARGET FILE).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${FUZZ_BUILD_DIR:-build-fuzz}
seconds=${MKD_FUZZ_SECONDS:-45}
short_seconds=${MKD_FUZZ_SHORT_SECONDS:-15}

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DMKD_GUI=OFF -DMKD_FUZZ=ON -DMKD_FUZZ_SECONDS="$seconds" -DMKD_FUZZ_SHORT_SECONDS="$short_seconds" >/dev/null
cmake --build "$build" -j"$(nproc)"

if (($# == 0)); then
  status=0
  ctest --test-dir "$build" --output-on-failure -j"$(nproc)" -L fuzz || status=$?
  # libFuzzer's final statistics: how many inputs each target tried.
  awk '/^[0-9]+\/[0-9]+ Test: / { name = $3 }
       /^stat::number_of_executed_units:/ { printf "%s: %s executions\n", name, $2 }' \
    "$build/Testing/Temporary/LastTest.log"
  exit "$status"
fi

targets_all=(table_reader initial_selection cell_value fare_cli check_report scenario_syntax)

# libFuzzer's options for a run of TARGET on its corpus (new inputs kept in
# the build folder, findings in its artifacts folder).
fuzz_run() {
  local target=$1
  shift
  local work="$build/tests/fuzz/corpus/$target"
  mkdir -p "$work" "$build/tests/fuzz/artifacts"
  "$build/bin/fuzz_$target" -timeout=10 -max_len=16384 -print_final_stats=1 \
    -dict="tests/fuzz/corpus/$target.dict" -artifact_prefix="$build/tests/fuzz/artifacts/$target-" \
    "$@" "$work" "tests/fuzz/corpus/$target"
}

if [[ $1 == --long ]]; then
  shift
  goal=10000000
  if (($#)) && [[ $1 =~ ^[0-9]+$ ]]; then
    goal=$1
    shift
  fi
  targets=("$@")
  ((${#targets[@]})) || targets=("${targets_all[@]}")
  chunk=${MKD_FUZZ_CHUNK_SECONDS:-540}
  # The lowest priority, for this script and every run it starts: a long run
  # shares the computer.
  renice -n 19 $$ >/dev/null
  log="$build/long-runs.log"
  status=0
  for target in "${targets[@]}"; do
    [ -x "$build/bin/fuzz_$target" ] || { echo "fuzz: no target $target (${targets_all[*]})" >&2; exit 2; }
    executions=0
    runs=0
    finding=none
    started=$(date +%s)
    while ((executions < goal)); do
      out="$build/long-$target.out"
      # A finding ends the target's run: libFuzzer exits non-zero.
      if ! fuzz_run "$target" -runs=$((goal - executions)) -max_total_time="$chunk" >"$out" 2>&1; then
        finding=$(grep -m1 -o 'Test unit written to .*' "$out" || echo "a failed run (see $out)")
      fi
      made=$(awk '/^stat::number_of_executed_units:/ { print $2 }' "$out")
      executions=$((executions + ${made:-0}))
      runs=$((runs + 1))
      [ "$finding" = none ] || break
      [ -n "$made" ] && ((made > 0)) || { finding="no statistics (see $out)"; break; }
    done
    line="$(date -u +%Y-%m-%d) $target: $executions executions in $runs runs, $(($(date +%s) - started)) s, findings: $finding"
    echo "$line" | tee -a "$log"
    [ "$finding" = none ] || status=1
  done
  exit "$status"
fi

target=$1
shift
seconds=3600
if (($#)) && [[ $1 =~ ^[0-9]+$ ]]; then
  seconds=$1
  shift
fi
[ -x "$build/bin/fuzz_$target" ] || { echo "fuzz: no target $target (${targets_all[*]})" >&2; exit 2; }
fuzz_run "$target" -max_total_time="$seconds" "$@"
