#!/usr/bin/env bash
# Fails, naming the files, when clang-format (.clang-format) would change any
# C++ file the repository tracks. `bash scripts/check_format.sh --fix`
# formats them instead.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.hpp' '*.h')
if [ "${1:-}" = "--fix" ]; then
  clang-format -i "${files[@]}"
  exit 0
fi
bad=()
for f in "${files[@]}"; do
  clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || bad+=("$f")
done
if ((${#bad[@]})); then
  echo "check_format: clang-format would change ${#bad[@]} file(s); run: bash scripts/check_format.sh --fix" >&2
  printf '  %s\n' "${bad[@]}" >&2
  exit 1
fi
echo "check_format: ${#files[@]} files formatted as .clang-format says"
