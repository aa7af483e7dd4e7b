#!/bin/sh
# Checks kivp.exe, the Windows program, under Wine on a virtual display (Xvfb):
#  - the window tests built for Windows (test_ui.exe) pass;
#  - the installer installs silently, pointed at a simulator's folder whose team folder is named with spaces and
#    letters beyond ASCII, with a Start-menu shortcut that starts in that folder;
#  - kivp.exe started from that shortcut sets up a two-team playoff and plays it to a champion, the simulator
#    (kivsim.exe) started by CreateProcess, no Wine bridge in between, and is shown on the screen (a screenshot);
#  - the games credited, the simulator's command lines and the files written (kivp.ini, the playoff file,
#    html.html, the line score) are those of the same playoff played by the Linux build, byte for byte once the
#    folders and the time stamps are put aside.
#   scripts/check-windows.sh [TOOLCHAINS]     (the folder of qt6.4.2-mingw-w64.tar.xz, as for package-windows.sh)
# Without the prebuilt Qt it says so and skips (exit 0). SCREENSHOT=<file> keeps the screenshot there.
set -eu
cd "$(dirname "$0")/.."
root=$PWD
out=$root/build-windows
folder=${1:-${KIVP_TOOLCHAINS:-$root/../shared/toolchains}}
if [ ! -f "$folder/qt6.4.2-mingw-w64.tar.xz" ] && [ ! -d "$out/qt6.4.2-mingw-w64/qt" ]; then
    echo "kivp: check-windows.sh SKIPPED: no prebuilt Qt for Windows at $folder/qt6.4.2-mingw-w64.tar.xz"
    exit 0
fi
KIVP_WINDOWS_TESTS=1 scripts/package-windows.sh "$folder"
version=$(sed -n 's/^project(kivp VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
toolchain=$out/qt6.4.2-mingw-w64
check=$out/check
rm -rf "$check"
mkdir -p "$check"
status=0
fail() {
    echo "kivp: check-windows: $*" >&2
    status=1
}

# A display of our own, and a Wine prefix started on it (one first started without a display keeps no X driver).
number=90
while [ -e "/tmp/.X$number-lock" ] || [ -e "/tmp/.X11-unix/X$number" ]; do number=$((number + 1)); done
Xvfb ":$number" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=":$number" WINEPREFIX="$check/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap 'wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true' EXIT
while [ ! -e "/tmp/.X11-unix/X$number" ]; do sleep 0.1; done
wineboot -i >/dev/null 2>&1
wineserver -w
windows() { printf 'Z:%s' "$1" | tr '/' '\\'; }

echo "== the window tests, built for Windows, under Wine =="
# On Wine's own windows (the offscreen platform finds no fonts there), one class at a time, each to its own file.
runtime=/usr/lib/gcc/x86_64-w64-mingw32/$(x86_64-w64-mingw32-g++-posix -dumpversion)
# Left out under Wine, for the reason given: whether texts and control edges stand out in every palette, which
# Wine's drawing of the Windows style does not show as Windows does (to be looked at on Windows itself).
left_out="ReadableWindowsTest::textsAndControlEdgesStandOutInEveryPalette"
wine_path="$(windows "$toolchain/qt/bin");$(windows "$runtime");$(windows /usr/x86_64-w64-mingw32/lib)"
for class in $(sed -n 's/^class \([A-Za-z]*Test\) : public QObject.*/\1/p' $(ls tests/ui/*.cpp | grep -v _posix)); do
    functions=""
    if echo "$left_out" | grep -q "^$class::"; then
        functions=$(cd "$out/qt/tests" && WINEPATH="$wine_path" wine test_ui.exe "$class" -functions 2>/dev/null |
            tr -d '\r' | sed -n 's/()$//p' | grep -v -x -F "$(echo "$left_out" | sed -n "s/^$class:://p")")
        echo "$class: left out under Wine: $(echo "$left_out" | sed -n "s/^$class:://p")"
    fi
    # shellcheck disable=SC2086
    if ! (cd "$out/qt/tests" && WINEPATH="$wine_path" \
            wine test_ui.exe "$class" $functions -platform windows -o "$(windows "$check/$class.txt"),txt" >/dev/null 2>&1); then
        grep -A4 "^FAIL" "$check/$class.txt" | head -20
        fail "the window tests of $class failed under Wine ($check/$class.txt)"
    fi
    grep "^Totals" "$check/$class.txt" | sed "s/^/$class: /"
done

echo "== the installer, silently =="
drive=$WINEPREFIX/drive_c
sim="$drive/KIV Sim"
teams="$sim/Équipes 1999"
mkdir -p "$teams"
for team in demo/*; do
    case $team in *.[dD][aA][tT]) cp "$team" "$teams/" ;; esac
done
cp "$out/qt/kivsim.exe" "$sim/kivsim.exe" # the user's simulator
printf '[Location]\r\nDirectory=C:\\KIV Sim\\Équipes 1999\r\n' >"$sim/kivp.ini"
wine "$out/package/kivp-$version-setup.exe" /S "/SIMFOLDER=C:\\KIV Sim"
wineserver -w
user=$(ls "$drive/users" | grep -v -x -e Public -e crashpad | head -1)
installed="$drive/users/$user/AppData/Local/Programs/kivp"
menu="$drive/users/$user/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/KIV Playoff Mode"
for file in kivp.exe kivsim.exe Qt6Core.dll platforms/qwindows.dll styles/qwindowsvistastyle.dll \
            imageformats/qjpeg.dll libstdc++-6.dll kivp-help.html demo/ASHVALE.dat demo/MARROWDL.DAT uninstall.exe; do
    [ -f "$installed/$file" ] || fail "the installation lacks $file"
done
[ -f "$menu/KIV Playoff Mode.lnk" ] || fail "no Start-menu shortcut"

# The same playoff, played by the Linux build and by kivp.exe: set up two teams, mark the home team, confirm
# the options, play to the champion, export the page and save the playoff.
script() {
    printf '%s\n' "action Teams1" "choose PlayoffTypeBox 2" "choose ComboBox3 0" "choose ComboBox10 1" \
        "click Button2" "click SpeedButton14" "action Options1" "click Button1" "action PlayToChampion1" \
        "action ExporttoHTML1" "action SavePlayoff1" "hold $1"
}

echo "== the same playoff on Linux =="
[ -f build/CMakeCache.txt ] || cmake -S . -B build >/dev/null
cmake --build build --target kivp kivsim >/dev/null
linux="$check/linux/KIV Sim"
mkdir -p "$linux/Équipes 1999"
cp "$teams"/* "$linux/Équipes 1999/"
cp build/kivsim "$linux/kivsim"
printf '[Location]\r\nDirectory=%s\r\n' "$linux/Équipes 1999" >"$linux/kivp.ini"
script "$check/linux-hold" >"$check/linux-script.txt"
(cd "$linux" && KIVSIM_SEED=windows-check KIVSIM_LOG="$check/linux-sim.log" QT_QPA_PLATFORM=offscreen \
    KIVP_CHECK_SCRIPT="$check/linux-script.txt" KIVP_CHECK_LOG="$check/linux-messages.log" \
    "$root/build/kivp" >/dev/null 2>&1) &
linuxkivp=$!
while [ ! -e "$check/linux-hold" ] && kill -0 $linuxkivp 2>/dev/null; do sleep 0.2; done
rm -f "$check/linux-hold"
wait $linuxkivp || fail "the Linux build ended with a failure"

echo "== kivp.exe from its shortcut, on the display =="
script "$(windows "$check/windows-hold")" >"$check/windows-script.txt"
# Wine's start returns at once for a shortcut: kivp.exe is followed through its log, for at most ten minutes.
KIVSIM_SEED=windows-check KIVSIM_LOG="$(windows "$check/windows-sim.log")" \
    KIVP_CHECK_SCRIPT="$(windows "$check/windows-script.txt")" KIVP_CHECK_LOG="$(windows "$check/windows-messages.log")" \
    wine start "C:\\users\\$user\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\KIV Playoff Mode\\KIV Playoff Mode.lnk"
waited=0
while [ ! -e "$check/windows-hold" ] && [ $waited -lt 3000 ]; do sleep 0.2; waited=$((waited + 1)); done
[ -e "$check/windows-hold" ] || fail "kivp.exe did not reach the end of its playoff"
sleep 1 # let the window draw its last state
import -window root "${SCREENSHOT:-$check/kivp-windows.png}"
rm -f "$check/windows-hold"
waited=0
while ! grep -qs "^done" "$check/windows-messages.log" && [ $waited -lt 600 ]; do sleep 0.2; waited=$((waited + 1)); done
wineserver -w

echo "== comparing =="
# Folders differ by platform, the time stamps by run, and the window's place in kivp.ini ([Main Window]) by
# screen; everything else must be the same bytes.
normal() {
    sed -e '/^\[Main Window\]/,/^\[/{/^\[Main Window\]/d;/^[^[]/d}' \
        -e "s|$linux/Équipes 1999|TEAMS|g; s|$linux|PROGRAM|g; s|C:\\\\KIV Sim\\\\Équipes 1999|TEAMS|g" \
        -e 's|C:\\KIV Sim|PROGRAM|g; s|/p:[^ ]* |/p:TEAMS |g' \
        -e 's/[0-9]\{4\}-[0-9][0-9]-[0-9][0-9]T[0-9:]\{8\}[+-][0-9][0-9]:[0-9][0-9]/TIME/g' "$1"
}
for file in kivp.ini playoff1.kvp html.html kivp; do
    if [ ! -f "$sim/$file" ]; then
        fail "kivp.exe wrote no $file"
        continue
    fi
    normal "$linux/$file" >"$check/$file.linux"
    normal "$sim/$file" >"$check/$file.windows"
    if ! cmp -s "$check/$file.linux" "$check/$file.windows"; then
        diff "$check/$file.linux" "$check/$file.windows" | head -20
        fail "$file differs from the Linux build's"
    fi
done
for log in sim messages; do
    normal "$check/linux-$log.log" | tr -d '\r' >"$check/$log.linux"
    if ! normal "$check/windows-$log.log" | tr -d '\r' | cmp -s - "$check/$log.linux"; then
        normal "$check/windows-$log.log" | tr -d '\r' | diff "$check/$log.linux" - | head -20
        fail "the $log log differs from the Linux build's"
    fi
done
games=$(grep -c "^journal.game=" "$sim/playoff1.kvp" || true)
champion=$(sed -n '17p' "$sim/playoff1.kvp" | tr -d '\r')
echo "kivp: kivp.exe played $games games; champion $champion; screenshot ${SCREENSHOT:-$check/kivp-windows.png}"
[ "$games" -ge 4 ] && [ -n "$champion" ] || fail "no champion"
[ "$status" -eq 0 ] && echo "kivp: check-windows passed"
exit "$status"
