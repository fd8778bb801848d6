#!/usr/bin/env bash
# The Debian package, built from this build folder and unpacked into a
# temporary root (nothing is installed on the machine):
#   lintian reports no error; the menu entry and the metainfo validate;
#   the unpacked mkd-fare finds its tables in the documented order (installed
#   share, then the user's data folder, then beside the program) and keeps the
#   stored pair in the user's config folder when the tables' folder is not
#   writable; the unpacked mkd starts on the offscreen platform.
# Usage: package.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)

for tool in cpack dpkg-deb lintian desktop-file-validate appstreamcli; do
  command -v "$tool" >/dev/null || { echo "package test skipped: $tool is missing (scripts/setup.sh)"; exit 77; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/out/mkd_*.deb)
lintian --fail-on error --tag-display-limit 0 "$deb" || fail "lintian reports an error"

root=$work/root
dpkg-deb -x "$deb" "$root"
# Printing and Excel workbooks are modules the program loads from
# lib/mkd/modules beside its bin.
for module in mkdprint mkdxlsx; do
  [ -f "$root/usr/$(sed -n 's/^CMAKE_INSTALL_LIBDIR:PATH=//p' "$build/CMakeCache.txt")/mkd/modules/$module.so" ] ||
    fail "the module $module is not where mkd looks for it"
done
dpkg-deb -f "$deb" Depends | grep -q 'qt6-translations-l10n' || fail "the package does not depend on Qt's translations"
desktop-file-validate "$root"/usr/share/applications/*.desktop
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml
version=$("$root/usr/bin/mkd-fare" --version | cut -d' ' -f2)
grep -m1 '<release ' "$root"/usr/share/metainfo/*.metainfo.xml | grep -qF "version=\"$version\"" ||
  fail "the metainfo's newest release is not $version"
zcat "$root/usr/share/doc/mkd/changelog.gz" | head -1 | grep -qF "mkd ($version)" ||
  fail "the changelog's newest entry is not $version"
for page in mkd mkd-fare; do
  zcat "$root/usr/share/man/man1/$page.1.gz" | grep -q 'XDG_CONFIG_HOME' || fail "man $page says nothing of the folders"
done

# A user of their own who cannot write the installed tables: root can write
# anywhere, so as root the programs run as nobody; otherwise the installed
# folder is made read-only.
home=$work/home
mkdir -p "$home/runtime"
chmod 700 "$home/runtime"
if [ "$(id -u)" -eq 0 ]; then
  chown -R nobody: "$home"
  as_user() { setpriv --reuid=nobody --regid=nogroup --clear-groups -- "$@"; }
else
  chmod a-w "$root/usr/share/mkd/Untin"
  as_user() { "$@"; }
fi
run() { as_user env -i PATH=/usr/bin:/bin HOME="$home" XDG_RUNTIME_DIR="$home/runtime" LANG=C.UTF-8 "$@"; }
expect() {  # expect TABLES_LINE STORED_PAIR_LINE
  local out
  out=$(run "$root/usr/bin/mkd-fare" check --lang en) || true
  printf '%s\n' "$out" | grep -qxF "$1" || fail "expected '$1', got: $out"
  printf '%s\n' "$out" | grep -qxF "$2" || fail "expected '$2', got: $out"
}

# 1. Only the installed tables: the stored pair goes to the config folder,
#    and a pair stored there is the one read (3.5 gets rounded: a warning).
config=$home/.config/mkd/Henko.txt
expect "tables: $root/usr/share/mkd/Untin (installed with the program)" \
       "stored pair: $config (the user's config folder: the installed tables' folder is never written)"
run mkdir -p "$home/.config/mkd"
printf '3.5,20\r\n' | run tee "$config" >/dev/null
out=$(run "$root/usr/bin/mkd-fare" check --lang en) || true
printf '%s\n' "$out" | grep -q '^Henko.txt:1:1: warning' || fail "the stored pair in $config is not read: $out"
run "$root/usr/bin/mkd-fare" 岡山 高松 --lang ja | grep -q '1,470円' || fail "mkd-fare cannot price on the installed tables"
run QT_QPA_PLATFORM=offscreen MKD_EXIT_AFTER_SHOWN=1 timeout 60 "$root/usr/bin/mkd" || fail "the unpacked mkd did not start on the offscreen platform"

# The same for a user who could write the installed folder (root, when the
# tests run as root): the package's folder is never written.
roothome=$work/roothome
out=$(env -i PATH=/usr/bin:/bin HOME="$roothome" LANG=C.UTF-8 "$root/usr/bin/mkd-fare" check --lang en) || true
grep -qxF "stored pair: $roothome/.config/mkd/Henko.txt (the user's config folder: the installed tables' folder is never written)" \
  <<<"$out" || fail "the stored pair is kept in the installed folder: $out"

# 2. Tables of the user's own come before the installed ones; the user may
#    write their folder, so the stored pair is kept beside them.
run mkdir -p "$home/.local/share/mkd"
run cp -r "$root/usr/share/mkd/Untin" "$home/.local/share/mkd/Untin"
run chmod u+w "$home/.local/share/mkd/Untin"
expect "tables: $home/.local/share/mkd/Untin (the user's data folder)" \
       "stored pair: $home/.local/share/mkd/Untin/Henko.txt"

# 3. Untin/ beside the program comes first of all (the portable layout).
[ "$(id -u)" -eq 0 ] || chmod u+w "$root/usr/bin"
cp -r "$root/usr/share/mkd/Untin" "$root/usr/bin/Untin"
out=$(run "$root/usr/bin/mkd-fare" check --lang en) || true
printf '%s\n' "$out" | grep -qxF "tables: $root/usr/bin/Untin (beside the program)" || fail "got: $out"
echo "package: lintian, desktop entry, metainfo, lookup order and start all good"
