#!/usr/bin/env bash
# Fails, naming each one, when a function in src/ or tools/ is longer than 60
# lines: clang-tidy's readability-function-size over every file the build
# compiles (BUILD_DIR, default build/, must hold compile_commands.json).
# A long function is a sign that two jobs share it; split it where the jobs
# part rather than raising the limit.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-${BUILD_DIR:-build}}
[ -f "$build/compile_commands.json" ] || { echo "check_function_size: no $build/compile_commands.json; build first" >&2; exit 2; }
mapfile -t files < <(git ls-files 'src/*.cpp' 'tools/*.cpp')
config='{Checks: "-*,readability-function-size", WarningsAsErrors: "*",
 CheckOptions: [{key: readability-function-size.LineThreshold, value: 60}]}'
out=$(mktemp)
trap 'rm -f "$out"' EXIT
# Each file on its own clang-tidy, as many at once as there are cores.
printf '%s\0' "${files[@]}" |
  xargs -0 -P"$(nproc)" -n4 clang-tidy -p "$build" --quiet --config="$config" >"$out" 2>/dev/null || true
if grep -q 'readability-function-size' "$out"; then
  grep -A1 'readability-function-size' "$out" | grep -E 'warning|error|note: [0-9]+ lines' >&2 || true
  echo "check_function_size: functions over 60 lines (split them where their jobs part)" >&2
  exit 1
fi
echo "check_function_size: ${#files[@]} files, no function over 60 lines"
