#!/usr/bin/env bash
# Builds the Debian package and checks it as a packager and a player would: its control fields
# and contents, lintian, the menu entry and the store listing through their validators, and the
# game unpacked into a scratch prefix, run headless from there, finding its libraries, sounds and
# music. Installs the tools it needs (scripts/install-deps.sh --package).
set -euo pipefail
cd "$(dirname "$0")/.."
id=io.github.zorvane.Zorvane2
deb="$(bash scripts/package.sh)"
echo "Package: $deb"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
status=0
fail() { echo "check-package: FAIL: $*" >&2; status=1; }

# The control fields: the name, a section, and the libraries dpkg-shlibdeps found beside the
# soundfont the music needs.
dpkg-deb --info "$deb" | tee "$work/info"
grep -q '^ Package: zorvane2$' "$work/info" || fail "the package is not called zorvane2"
grep -q '^ Section: games$' "$work/info" || fail "no games section"
depends="$(sed -n 's/^ Depends: //p' "$work/info")"
for dep in libc6 libstdc++6 libsdl2-2.0-0 libsdl2-mixer-2.0-0 libsdl2-image-2.0-0 libfluidsynth3 \
  timgm6mb-soundfont; do
  [[ ", $depends," == *", $dep "* || ", $depends," == *", $dep,"* ]] || fail "Depends lacks $dep: $depends"
done
# The letters are set from the font when the game is built; the game itself needs no font library.
[[ $depends != *libsdl2-ttf* ]] || fail "Depends names SDL_ttf, which only the build uses: $depends"

# The contents: everything a player needs, owned by root.
dpkg-deb --contents "$deb" >"$work/contents"
paths="$(awk '{print $6}' "$work/contents")"
need=(./usr/games/zorvane2 "./usr/share/applications/$id.desktop" "./usr/share/metainfo/$id.metainfo.xml"
  ./usr/share/man/man6/zorvane2.6.gz ./usr/share/doc/zorvane2/copyright ./usr/share/doc/zorvane2/changelog.gz)
for size in 48 64 128 256; do need+=("./usr/share/icons/hicolor/${size}x$size/apps/$id.png"); done
for track in Menu 0 1 2 3 Win Death; do need+=("./usr/share/zorvane2/Music/$track.mid"); done
for p in "${need[@]}"; do grep -qxF "$p" <<<"$paths" || fail "the package lacks $p"; done
sounds="$(grep -c '^\./usr/share/zorvane2/Sound/.*\.wav$' <<<"$paths" || true)"
[ "$sounds" -eq 12 ] || fail "the package has $sounds sound effects, not 12"
awk '$2 != "root/root" {print}' "$work/contents" | grep . && fail "files not owned by root"

# lintian: no error and no warning. Its notes (I:) are printed for a person to read: the binary's
# .comment section (left by a plain strip) and the game's own spellings in its texts.
lintian --display-info --fail-on error,warning "$deb" || fail "lintian reports errors or warnings"

dpkg-deb -x "$deb" "$work/root"
usr="$work/root/usr"

# The menu entry and the store listing, as installed, and what they point at.
desktop-file-validate "$usr/share/applications/$id.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$usr/share/metainfo/$id.metainfo.xml" || fail "appstreamcli validate"
grep -qx "Icon=$id" "$usr/share/applications/$id.desktop" || fail "the menu entry's icon is not $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$usr/share/metainfo/$id.metainfo.xml" ||
  fail "the store listing does not launch $id.desktop"
# Every screenshot the listing shows is one the build took, as an 800 x 600 picture.
shots="$(grep -o '<image[^>]*>[^<]*</image>' "$usr/share/metainfo/$id.metainfo.xml" | sed 's|</image>||; s|.*/||')"
[ -n "$shots" ] || fail "the store listing shows no screenshot"
for shot in $shots; do
  file "$usr/share/zorvane2/screenshots/$shot" | grep -q 'PNG image data, 800 x 600' ||
    fail "screenshot $shot is not an 800 x 600 PNG in the package"
done

# The game from the scratch prefix: every library found, and a headless run that finds its
# sounds and music there and says nothing is "not found". Its settings and saves stay in $work.
ldd "$usr/games/zorvane2" | tee "$work/ldd" | grep -i 'not found' && fail "libraries not found"
run() {
  HOME="$work/home" XDG_DATA_HOME="$work/home/data" XDG_CONFIG_HOME="$work/home/config" \
    SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=dummy "$usr/games/zorvane2" --headless --frames 120 \
    --save-file "$work/save.gsv" --dump-state "$work/state.json" 2>"$work/err"
}
if ! run; then fail "the unpacked game did not run"; cat "$work/err"; fi
cat "$work/err"
grep -i 'not found' "$work/err" && fail "the unpacked game misses files"
grep -q '"track":"Menu"' "$work/state.json" || fail "the unpacked game did not ask for the menu music"
# The same prefix without its data folder: now the game says so, which shows that the run above
# found its files in the prefix (unless the package is installed on this machine too).
mv "$usr/share/zorvane2" "$usr/share/elsewhere"
if [ ! -d /usr/share/zorvane2 ]; then
  run || fail "the unpacked game without its data did not run"
  grep -q 'sound file(s) not found' "$work/err" || fail "missing sounds went unreported"
  grep -q 'Music/Menu.mid not found' "$work/err" || fail "missing music went unreported"
fi

if [ "$status" -eq 0 ]; then echo "check-package: $deb passed"; fi
exit "$status"
