#!/usr/bin/env bash
# Builds the fuzz targets (libFuzzer, with AddressSanitizer and
# UndefinedBehaviorSanitizer) with clang into build-fuzz/ (or
# $FUZZ_BUILD_DIR) and runs them. See docs/robustness.md.
#
#   bash scripts/fuzz.sh                     every target as a test: the file
#                                            readers for $MKD_FUZZ_SECONDS
#                                            seconds (default 45), the others
#                                            for $MKD_FUZZ_SHORT_SECONDS (15)
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

target=$1
shift
seconds=3600
if (($#)) && [[ $1 =~ ^[0-9]+$ ]]; then
  seconds=$1
  shift
fi
fuzzer="$build/bin/fuzz_$target"
[ -x "$fuzzer" ] || {
  echo "fuzz: no target $target (table_reader, initial_selection, cell_value, fare_cli, check_report," \
    "scenario_syntax)" >&2
  exit 2
}
work="$build/tests/fuzz/corpus/$target"
mkdir -p "$work" "$build/tests/fuzz/artifacts"
exec "$fuzzer" -max_total_time="$seconds" -timeout=10 -max_len=16384 -print_final_stats=1 \
  -dict="tests/fuzz/corpus/$target.dict" -artifact_prefix="$build/tests/fuzz/artifacts/$target-" \
  "$@" "$work" "tests/fuzz/corpus/$target"
