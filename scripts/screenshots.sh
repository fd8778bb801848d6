#!/usr/bin/env bash
# Pictures of the screens for the README, drawn on a real X server (Xvfb)
# with the sample tables: docs/screens/*.png.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
command -v import >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -qq imagemagick
command -v xdotool >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -qq xdotool
command -v openbox >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -qq openbox
bash scripts/build.sh
out=docs/screens
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Every screen the scenario passes, drawn by the program itself.
xvfb-run -a build/bin/mkd-scenario --platform xcb --screenshots "$tmp" docs/screens.scn
for f in "$tmp"/*.png; do
  name=$(basename "$f" .png)
  cp "$f" "$out/${name#*-}.png"
done

# The start screen and a reserved-seat result in English.
xvfb-run -a build/bin/mkd-scenario --platform xcb --lang en --screenshots "$tmp/en" docs/screens.scn
convert "$tmp"/en/01-frmStart-start.png "$tmp"/en/15-frmKekkaT-click-frmKetteiSitei.cmdOtona.png \
        -background 'rgb(64,64,64)' -gravity north +append "$out/english.png"

# The compare window, 岡山 → 松山, in both languages.
for lang in ja en; do
  xvfb-run -a -s "-screen 0 1100x940x24" build/bin/mkd-scenario --platform xcb --lang $lang \
    --screenshots "$tmp/compare-$lang" docs/compare.scn
  cp "$tmp"/compare-$lang/*-frmHikaku-*.png "$out/compare-$lang.png"
done

# Every charged result side by side: non-reserved, reserved in the three
# seasons, Green; the Marine Liner's reserved seat and Green car.
cd "$out"
convert \( frmKekkaT-click-frmKetteiJiyu.cmdOtona.png frmKekkaT-click-frmKetteiSitei.cmdOtona.png \
           frmKekkaT-click-frmKetteiSitei.cmdKodomo.png frmKekkaT-click-frmKetteiSitei.cmdGakuwari.png +append \) \
        \( frmKekkaT-click-frmKetteiGreen.cmdOtona.png frmKekkaT-click-frmKetteiMarine.cmdOtona.png \
           frmKekkaT-click-frmKetteiMG.cmdOtona.png +append \) -background 'rgb(64,64,64)' -append results.png
cd - >/dev/null

# The desktop program as a user sees it, window frame and all.
xvfb-run -a -s "-screen 0 300x200x24" bash -c '
  build/bin/mkd & pid=$!
  sleep 2
  import -window root '"$out"'/desktop.png
  kill $pid'
# Typing into the arrival list: the stations that fit "uwa", typed on the
# keyboard of the virtual display.
xvfb-run -a -s "-screen 0 320x260x24" bash -c '
  build/bin/mkd & pid=$!
  sleep 2
  xdotool search --sync --name "乗車区間" windowfocus --sync
  xdotool key Tab
  xdotool type --delay 80 uwa
  sleep 1
  import -window root '"$out"'/station-search.png
  kill $pid'
# The journey list: 岡山 → 宇和島 kept for three passengers with the keys a
# user presses (Enter to the result, Ctrl+D to keep it, Escape back), then
# opened with Ctrl+J; under a window manager, which gives each new window
# the keyboard. The list is kept in a folder of its own.
mkdir -p "$tmp/home/config" "$tmp/home/data"
XDG_CONFIG_HOME="$tmp/home/config" XDG_DATA_HOME="$tmp/home/data" xvfb-run -a -s "-screen 0 900x480x24" bash -c '
  openbox 2>/dev/null & wm=$!
  sleep 1
  build/bin/mkd & pid=$!
  sleep 2
  xdotool search --sync --name "乗車区間" windowfocus --sync
  xdotool key Return; sleep 0.3; xdotool key Return; sleep 0.5
  xdotool key Return; sleep 0.5; xdotool key ctrl+d; sleep 0.5
  for passenger in child student; do
    xdotool key Escape; sleep 0.5; xdotool key Tab Return; sleep 0.5; xdotool key ctrl+d; sleep 0.5
  done
  xdotool key ctrl+j; sleep 1
  import -window root '"$out"'/journeys.png
  kill $pid $wm'
ls "$out"
