#!/usr/bin/env bash
# mkd and mkd-fare copied into a folder whose name is Latin-1, not UTF-8
# ("caf\xe9"), with their tables beside them: both start on those tables.
# Without tables anywhere, both say where they looked and end.
# Usage: program_folder.sh BIN_DIR (the folder holding mkd, mkd-fare and Untin/)
set -euo pipefail
bin=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
folder=$work/$(printf 'caf\xe9')
mkdir -p "$folder" "$work/home"
cp "$bin/mkd" "$bin/mkd-fare" "$folder/"
cp -r "$bin/Untin" "$folder/Untin"
# No other tables to fall back on: an empty home, no installed share/.
export HOME=$work/home XDG_DATA_HOME= XDG_CONFIG_HOME=
# mkd-fare writes a byte that is not UTF-8 as \xNN.
shown=$work/'caf\xE9'

out=$("$folder/mkd-fare" check --lang en)
printf '%s\n' "$out" | grep -qF "tables: $shown/Untin (beside the program)" ||
  { printf 'mkd-fare check used other tables:\n%s\n' "$out"; exit 1; }
"$folder/mkd-fare" 岡山 高松 --lang ja | grep -q '1,470円'

QT_QPA_PLATFORM=offscreen MKD_EXIT_AFTER_SHOWN=1 timeout 60 "$folder/mkd"

rm -r "$folder/Untin"
status=0
"$folder/mkd-fare" 岡山 高松 2>"$work/err" || status=$?
[ "$status" -eq 3 ] && grep -qF "$shown/Untin" "$work/err" && grep -qF "$work/home/.local/share/mkd/Untin" "$work/err" ||
  { echo "mkd-fare without tables: status $status"; cat "$work/err"; exit 1; }
status=0
QT_QPA_PLATFORM=offscreen MKD_EXIT_AFTER_SHOWN=1 timeout 60 "$folder/mkd" 2>"$work/err" || status=$?
[ "$status" -eq 1 ] && grep -qF "$folder/Untin" "$work/err" ||
  { echo "mkd without tables: status $status"; cat "$work/err"; exit 1; }
echo "in $(printf '%q' "$folder"): both programs start on their own tables, and without them say where they looked"
