#!/usr/bin/env bash
# mkd started with a settings file it must not use: a named pipe (the start
# used to wait for a writer for ever) and a device node made here (as the
# super-user; it used to be replaced by a regular file). Each time mkd starts,
# says once which file it does not use, and leaves the file as it was. A file
# far larger than the program reads is kept aside under another name, said
# once, and the settings start afresh. A relative XDG_CONFIG_HOME is ignored.
# Usage: settings_file.sh MKD
set -euo pipefail
mkd=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home/.config/mkd"
conf=$work/home/.config/mkd/mkd.conf
start() {  # start WHAT [SAID]: mkd starts and says SAID (that it does not use mkd.conf) once
  local err=$work/err said=${2:-"mkd: 設定ファイル $conf は使いません"}
  (cd "$work" && HOME=$work/home XDG_CONFIG_HOME=relative QT_QPA_PLATFORM=offscreen MKD_EXIT_AFTER_SHOWN=1 \
    LANG=C.UTF-8 timeout 60 "$mkd" 2>"$err") || { echo "$1: mkd did not start"; cat "$err"; exit 1; }
  [ "$(grep -c "$said" "$err")" -eq 1 ] || { echo "$1: not said once"; cat "$err"; exit 1; }
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

head -c 1500000 /dev/urandom | base64 >"$conf"
sum=$(cksum <"$conf")
start "a large file" "mkd: 設定ファイル $conf は読める大きさ.*$conf.too-large-1 として残しました"
[ "$(cksum <"$conf.too-large-1")" = "$sum" ] || { echo "the large file was not kept as it was"; exit 1; }
[ ! -e "$work/relative" ] || { echo "a relative XDG_CONFIG_HOME was followed"; exit 1; }
echo "settings file: pipe and device neither read nor written, a large file kept aside"
