#!/usr/bin/env bash
# Installs the built program into a temporary prefix and checks what a
# desktop needs; runs the command line and the launcher; builds the Debian
# package and puts it through lintian.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
for f in lib/orlatim/orlatim lib/orlatim/Orlatim.chm lib/orlatim/Orlatim-about.html bin/orlatim \
         share/orlatim/sounds/Varo-bell1.wav share/orlatim/sounds/Varo-bell2.wav \
         share/orlatim/sounds/Varo-bell3.wav share/orlatim/sounds/Varo-sound.mid \
         share/applications/orlatim.desktop share/metainfo/jp.velmora.Orlatim.metainfo.xml \
         share/icons/hicolor/scalable/apps/orlatim.svg share/icons/hicolor/48x48/apps/orlatim.png \
         share/icons/hicolor/256x256/apps/orlatim.png share/man/man1/orlatim.1.gz; do
  [ -s "$prefix/$f" ] || fail "$f is not installed"
done
[ -x "$prefix/bin/orlatim" ] || fail "the launcher is not executable"
desktop-file-validate "$prefix/share/applications/orlatim.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/jp.velmora.Orlatim.metainfo.xml" >/dev/null

# The command line, through the launcher, without a display: the answers come
# before any window, and the empty working folder shows that the program
# itself (which would create "Orlatim.clk" and the audio file) never started.
mkdir "$work/cli"
cli() {
  (cd "$work/cli" && env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb XDG_DATA_HOME="$work/menu" \
     SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/cli/audio.raw" "$prefix/bin/orlatim" "$@")
}
while IFS='|' read -r args status stream expected; do
  got=0
  # shellcheck disable=SC2086 # the arguments are words
  cli $args >"$work/stdout" 2>"$work/stderr" || got=$?
  [ "$got" = "$status" ] || fail "orlatim $args ends with status $got, not $status: $(cat "$work/stderr")"
  grep -qF -- "$expected" "$work/$stream" || fail "orlatim $args does not print \"$expected\""
done <<'ROWS'
--help|0|stdout|-v, --version
--version|0|stdout|Orlatim 3.22
--menu --version|0|stdout|Orlatim 3.22
-platform offscreen --bogus|2|stderr|Unknown option 'bogus'
--bogus|2|stderr|Unknown option 'bogus'
-style Fusion extra|2|stderr|Unexpected argument "extra"
--report report.txt|2|stderr|.html or .pdf
--report report.pdf|1|stderr|Orlatim-log.csv
--import missing.csv|1|stderr|missing.csv
--day 2026-03-14|2|stderr|--import
--import missing.csv --report report.pdf|2|stderr|one at a time
--broker http://broker/conf|2|stderr|mqtt://
--broker mqtt://broker/conf --import missing.csv|2|stderr|--broker
--room Hall|2|stderr|--import
--board http://broker/conf|2|stderr|mqtt://
--lang ja|2|stderr|--board
--board mqtt://broker/conf --lang fr|2|stderr|ja or en
--board mqtt://broker/conf --report report.pdf|2|stderr|one at a time
ROWS
[ -z "$(ls -A "$work/cli")" ] || fail "the command line started the program: $(ls -A "$work/cli")"
cli --help >"$work/help"
zcat "$prefix/share/man/man1/orlatim.1.gz" | sed 's/\\-/-/g' >"$work/manual"
for option in $(grep -oE -- '--[a-z-]+' "$work/help"); do
  grep -qF -- "$option" "$work/manual" || fail "the manual page does not describe $option"
done

# The launcher, with a stand-in that reports the folder it was started in.
printf '#!/bin/sh\npwd\n' > "$prefix/lib/orlatim/orlatim"
export XDG_DATA_HOME=$work/data
data=$XDG_DATA_HOME/orlatim
[ "$("$prefix/bin/orlatim" --menu)" = "$data" ] || fail "the menu start does not work in the data folder"
cmp -s "$data/Varo-bell1.wav" "$prefix/share/orlatim/sounds/Varo-bell1.wav" || fail "the first start copies no sounds"
echo "my own bell" > "$data/Varo-bell1.wav"
rm "$data/Varo-bell2.wav"
"$prefix/bin/orlatim" --menu >/dev/null
[ "$(cat "$data/Varo-bell1.wav")" = "my own bell" ] || fail "the second start overwrote the user's sound"
[ -s "$data/Varo-bell2.wav" ] || fail "a missing sound is not copied again"
mkdir "$work/talks"
[ "$(cd "$work/talks" && "$prefix/bin/orlatim")" = "$work/talks" ] || fail "a terminal start leaves its folder"

# The Debian package.
(cd "$build" && cpack -G DEB -B "$work/package" >/dev/null)
deb=$(ls "$work"/package/orlatim_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for p in libqt6widgets6 libsdl2-mixer-2.0-0 libmosquitto1 timgm6mb-soundfont libchm1 fonts-ipafont-gothic; do
  grep -q "$p" <<<"$depends" || fail "the package does not depend on $p"
done
dpkg-deb -c "$deb" > "$work/contents"
grep -q "./usr/lib/orlatim/Orlatim.chm" "$work/contents" || fail "the package lacks the help file"
latest=$(dpkg-deb --fsys-tarfile "$deb" | tar -xOf - ./usr/share/doc/orlatim/changelog.gz | zcat | sed -n 1p)
[[ $latest == "orlatim ($(dpkg-deb -f "$deb" Version))"* ]] || fail "the changelog does not start with this version"
if ! lintian --fail-on error "$deb" >"$work/lintian" 2>&1 || grep -q '^E:' "$work/lintian"; then
  cat "$work/lintian" >&2
  fail "lintian finds errors in the package"
fi
echo "1 passed, 0 failed"
