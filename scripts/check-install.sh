#!/bin/sh
# Checks kivp as an installed desktop program, from a finished build folder (the test command runs it): installs
# into a scratch folder, looks for every file where desktops look for it, validates the menu entry and the
# metainfo, starts the installed program the way its menu entry does, then builds the Debian package and checks
# what it holds and needs.
set -eu
build=$(cd "${1:?usage: check-install.sh BUILD_FOLDER}" && pwd)
source=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "check-install: $*" >&2
    exit 1
}

app=org.kivp.kivp
files="bin/kivp bin/kivsim share/applications/$app.desktop share/metainfo/$app.metainfo.xml
share/icons/hicolor/scalable/apps/kivp.svg share/man/man1/kivp.1.gz share/man/man1/kivsim.1.gz
share/doc/kivp/kivp-help.html share/doc/kivp/copyright"
for size in 16 22 24 32 48 64 128 256; do
    files="$files share/icons/hicolor/${size}x${size}/apps/kivp.png"
done
# The demo league: every team file of the repository's demo folder, whatever the case of its extension.
teams=$(cd "$source/demo" && ls | grep -i '\.dat$' | sort)
[ -n "$teams" ] || fail "no team file in $source/demo"
for team in $teams; do
    files="$files share/kivp/demo/$team"
done

DESTDIR="$work/stage" cmake --install "$build" --prefix /usr >/dev/null
root="$work/stage/usr"
for file in $files; do
    [ -e "$root/$file" ] || fail "the installed tree has no $file"
done
[ "$(ls "$root/share/kivp/demo" | sort)" = "$teams" ] || fail "the installed demo league is not the repository's"
for team in $teams; do
    cmp -s "$source/demo/$team" "$root/share/kivp/demo/$team" || fail "the installed $team differs from demo/$team"
done
head -n 1 "$root/share/doc/kivp/copyright" |
    grep -qx "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" ||
    fail "the copyright file is not in Debian's machine-readable format"
desktop-file-validate "$root/share/applications/$app.desktop" || fail "the menu entry does not validate"
appstreamcli validate --no-net "$root/share/metainfo/$app.metainfo.xml" >/dev/null ||
    fail "the metainfo does not validate"
grep -q "^Icon=kivp$" "$root/share/applications/$app.desktop" || fail "the menu entry names another icon"

"$root/bin/kivp" --version | grep -q "^kivp (KIV Playoff Mode) [0-9]" || fail "kivp --version"
"$root/bin/kivp" --help | grep -q -- "--program-folder DIR" || fail "kivp --help"
status=0
"$root/bin/kivp" --no-such-option 2>/dev/null || status=$?
[ "$status" -eq 2 ] || fail "an unknown option ended with $status, not 2"

# Started as the menu starts it, in a fresh user's home: its own folder is made, set up to play the demo league.
command=$(sed -n 's/^Exec=//p' "$root/share/applications/$app.desktop")
mkdir -p "$work/home"
(cd / && HOME="$work/home" XDG_DATA_HOME="" PATH="$root/bin:$PATH" QT_QPA_PLATFORM=offscreen \
    exec $command >"$work/kivp.log" 2>&1) &
started=$!
settings="$work/home/.local/share/kivp/kivp.ini"
waited=0
until grep -q "^Home Directory=$work/home/.local/share/kivp" "$settings" 2>/dev/null; do
    kill -0 "$started" 2>/dev/null || { cat "$work/kivp.log" >&2; fail "kivp started from the menu ended"; }
    [ "$waited" -lt 100 ] || { kill "$started"; fail "kivp started from the menu did not take its folder"; }
    sleep 0.1
    waited=$((waited + 1))
done
kill "$started"
wait "$started" 2>/dev/null || true
grep -q "^Directory=$root/share/kivp/demo" "$settings" || fail "the user's folder is not set up for the demo league"

# The Debian package.
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log" >&2; fail "cpack -G DEB failed"; }
package=$(ls "$work"/package/kivp_*.deb)
dpkg-deb --contents "$package" >"$work/contents"
for file in $files; do
    grep -q " \./usr/$file\$" "$work/contents" || fail "the package does not hold /usr/$file"
done
depends=$(dpkg-deb --field "$package" Depends)
for needed in libqt6widgets6 libqt6printsupport6 libqt6gui6 libqt6core6 libjpeg62-turbo libc6 qt6-qpa-plugins; do
    echo "$depends" | grep -q "$needed" || fail "the package does not depend on $needed: $depends"
done
dpkg-deb --extract "$package" "$work/unpacked"
"$work/unpacked/usr/bin/kivp" --version >/dev/null || fail "the packaged kivp does not run"
echo "check-install: $(basename "$package") installs, validates and runs"
