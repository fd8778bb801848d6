#!/usr/bin/env bash
# Installs what building, running and testing mkd needs, from Debian's
# archive, skipping whatever is already there. Run as root (or with sudo).
set -euo pipefail

packages=(
  cmake g++ make pkg-config     # the build
  qt6-base-dev libgl-dev         # Qt 6 Widgets
  qt6-tools-dev qt6-l10n-tools qt6-tools-dev-tools  # Qt Linguist: lupdate and lrelease for the English words
  libgtest-dev                   # unit tests
  libbenchmark-dev               # the benchmarks (bench/run.sh)
  libcli11-dev nlohmann-json3-dev  # mkd-fare: command-line options and JSON
  libicu-dev                     # finding stations by reading: kana to Latin letters
  clang libclang-rt-14-dev       # the fuzz targets (libFuzzer and the sanitizers' runtime for clang)
  clang-format                   # the house format, checked by the test command
  fonts-ipafont-gothic           # the Japanese gothic face behind "ＭＳ Ｐゴシック"
  xvfb xauth                     # a virtual display for screenshots and for mkd without a desktop
  dbus-daemon at-spi2-core python3-gi gir1.2-atspi-2.0  # the screen-reader test: buses, libatspi for Python
  python3                        # the sample-table generator and its tests
  poppler-utils                  # pdftotext: the printing test reads a written PDF back
  libxlsxwriter-dev              # Excel workbooks (.xlsx) of the journey list and the price tables
  qt6-translations-l10n          # Qt's own words (file dialogs, buttons) in Japanese: qtbase_ja.qm
  python3-openpyxl libreoffice-calc-nogui  # the .xlsx tests read the workbooks back and convert them
  help2man librsvg2-bin          # the manual pages and the icon's PNG sizes
  dpkg-dev file lintian          # the Debian package (dpkg-shlibdeps finds its dependencies) and its check
  desktop-file-utils appstream   # validating the menu entry and the metainfo
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
