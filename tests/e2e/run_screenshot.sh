#!/bin/sh
# scripts/run with no display must leave a screenshot in which the program's window shows:
# the screen's root is black (-br), so a black centre means no window there.
set -eu
# $3: where the screenshot and run.log go (each build tree its own: both may run at once).
src=$1; bld=$2; out=$3
shot="$out/screenshot.png"
rm -f "$shot"
. "$src/scripts/common.sh"
quenby_e2e_prefix
trap quenby_e2e_end_wine EXIT
env -u DISPLAY QUENBY_BUILD_DIR="$bld" QUENBY_SKIP_BUILD=1 QUENBY_RUN_OUT="$out" sh "$src/scripts/run"
[ -s "$shot" ] || { echo "no screenshot at $shot"; exit 1; }
CONVERT=${CONVERT:-convert-im6.q16}
size=$("$CONVERT" "$shot" -format '%w %h' info:)
set -- $size
centre=$("$CONVERT" "$shot" -format "%[pixel:p{$(($1 / 2)),$(($2 / 2))}]" info:)
echo "screenshot ${1}x${2}, centre pixel $centre"
case "$centre" in
  *"(0,0,0)"*|black) echo "the program's window is not at the centre of the screen"; exit 1 ;;
  *) echo "window visible" ;;
esac
