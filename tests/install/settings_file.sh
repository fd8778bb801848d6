#!/usr/bin/env bash
# mkd started with a settings file it must not use: a named pipe (the start
# used to wait for a writer for ever), a device node made here (as the
# super-user; it used to be replaced by a regular file) and a file far larger
# than the program writes. Each time mkd starts, says once which file it does
# not use, and leaves the file as it was. A relative XDG_CONFIG_HOME is
# ignored.
# Usage: settings_file.sh MKD
set -euo pipefail
mkd=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home/.config/mkd"
conf=$work/home/.config/mkd/mkd.conf
start() {  # start WHAT: mkd starts and says once that it does not use mkd.conf
  local err=$work/err
  (cd "$work" && HOME=$work/home XDG_CONFIG_HOME=relative QT_QPA_PLATFORM=offscreen MKD_EXIT_AFTER_SHOWN=1 \
    LANG=C.UTF-8 timeout 60 "$mkd" 2>"$err") || { echo "$1: mkd did not start"; cat "$err"; exit 1; }
  [ "$(grep -c "mkd: 設定ファイル $conf は使いません" "$err")" -eq 1 ] || { echo "$1: not said once"; cat "$err"; exit 1; }
}

mkfifo "$work/pipe"
ln -s "$work/pipe" "$conf"
start "a pipe"
[ -p "$work/pipe" ] || { echo "the pipe was replaced"; exit 1; }

rm "$conf"
if mknod "$work/zero" c 1 5 2>/dev/null; then
  ln -s "$work/zero" "$conf"
  start "a device"
  [ -c "$work/zero" ] || { echo "the device node was replaced"; exit 1; }
  rm "$conf"
else
  echo "no device nodes here: the device is not tried"
fi

head -c 200000 /dev/urandom | base64 >"$conf"
sum=$(cksum <"$conf")
start "a large file"
[ "$(cksum <"$conf")" = "$sum" ] || { echo "the large file was changed"; exit 1; }
[ ! -e "$work/relative" ] || { echo "a relative XDG_CONFIG_HOME was followed"; exit 1; }
echo "settings file: pipe, device and large file neither read nor written"
