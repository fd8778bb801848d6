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
#                                            at the lowest priority, as
#                                            $MKD_FUZZ_WORKERS (one a core)
#                                            libFuzzer runs at once of at most
#                                            $MKD_FUZZ_CHUNK_SECONDS (540) each
#                                            on the corpus the last ones grew,
#                                            inputs up to $MKD_FUZZ_LONG_MAX_LEN
#                                            (4096 bytes; 1024 for check_report,
#                                            whose tables of 1 to 8 stations fit
#                                            in it, and fare_cli, whose command
#                                            lines do); a line per target
#                                            (date, executions, findings) is
#                                            added to build-fuzz/long-runs.log;
#                                            with MKD_FUZZ_SANITIZERS=undefined
#                                            the runs are made by a build
#                                            without AddressSanitizer (twice to
#                                            three times as fast, in
#                                            build-fuzz-undefined/), and every
#                                            input they kept is then replayed by
#                                            the one with it
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
# The build that makes the runs: the one above, or one with other sanitizers
# beside it (the corpus and the findings stay in the one above).
sanitizers=${MKD_FUZZ_SANITIZERS:-address,undefined}
runner=$build
if [ "$sanitizers" != address,undefined ]; then
  runner="$build-${sanitizers//,/-}"
  cmake -S . -B "$runner" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DMKD_GUI=OFF -DMKD_FUZZ=ON -DMKD_FUZZ_SANITIZERS="$sanitizers" >/dev/null
  cmake --build "$runner" -j"$(nproc)"
fi

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
  "$runner/bin/fuzz_$target" -timeout=10 -max_len=16384 -print_final_stats=1 \
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
  workers=${MKD_FUZZ_WORKERS:-$(nproc)}
  # Where each allocation was made is recorded for every one of millions of
  # inputs otherwise; a finding is replayed with it (fuzz_TARGET FILE).
  export ASAN_OPTIONS=${ASAN_OPTIONS:-malloc_context_size=0}
  # The lowest priority, for this script and every run it starts: a long run
  # shares the computer.
  renice -n 19 $$ >/dev/null
  log="$build/long-runs.log"
  status=0
  for target in "${targets[@]}"; do
    [ -x "$build/bin/fuzz_$target" ] || { echo "fuzz: no target $target (${targets_all[*]})" >&2; exit 2; }
    case $target in
      check_report | fare_cli) max_len=${MKD_FUZZ_LONG_MAX_LEN:-1024} ;;
      *) max_len=${MKD_FUZZ_LONG_MAX_LEN:-4096} ;;
    esac
    executions=0
    runs=0
    finding=none
    started=$(date +%s)
    while ((executions < goal)); do
      # The workers share the rest of the count and the corpus folder, each
      # from its own seed; a finding ends the target's run (libFuzzer exits
      # non-zero).
      share=$(((goal - executions + workers - 1) / workers))
      pids=()
      for ((w = 1; w <= workers; w++)); do
        fuzz_run "$target" -runs="$share" -max_total_time="$chunk" -max_len="$max_len" -seed=$((runs * workers + w)) \
          >"$build/long-$target-$w.out" 2>&1 &
        pids+=($!)
      done
      made_all=0
      for ((w = 1; w <= workers; w++)); do
        out="$build/long-$target-$w.out"
        if ! wait "${pids[w - 1]}"; then
          [ "$finding" = none ] && finding=$(grep -m1 -o 'Test unit written to .*' "$out" || echo "a failed run (see $out)")
        fi
        made=$(awk '/^stat::number_of_executed_units:/ { print $2 }' "$out")
        [ -n "$made" ] && ((made > 0)) || { [ "$finding" = none ] && finding="no statistics (see $out)"; }
        made_all=$((made_all + ${made:-0}))
      done
      executions=$((executions + made_all))
      runs=$((runs + workers))
      [ "$finding" = none ] || break
    done
    line="$(date -u +%Y-%m-%d) $target: $executions executions in $runs runs, $(($(date +%s) - started)) s"
    line+=" ($sanitizers), findings: $finding"
    if [ "$finding" = none ] && [ "$runner" != "$build" ]; then
      # Every input the runs kept, replayed once under AddressSanitizer.
      replay="$build/long-$target-replay.out"
      kept=$(find "$build/tests/fuzz/corpus/$target" "tests/fuzz/corpus/$target" -type f | wc -l)
      if ASAN_OPTIONS= "$build/bin/fuzz_$target" -runs=0 -timeout=10 \
        "$build/tests/fuzz/corpus/$target" "tests/fuzz/corpus/$target" >"$replay" 2>&1; then
        line+="; its $kept kept inputs replayed under address,undefined: none"
      else
        line+="; its $kept kept inputs replayed under address,undefined: a finding (see $replay)"
        status=1
      fi
    fi
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
