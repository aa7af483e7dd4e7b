#!/bin/sh
# Runs a Windows program under Wine in the given prefix: wine-run.sh PREFIX PROGRAM [ARGUMENTS...]. The build
# for Windows names it as the emulator of its test programs. Wine's own messages are kept out of the output.
set -eu
export WINEPREFIX="$1"
shift
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
exec wine "$@"
