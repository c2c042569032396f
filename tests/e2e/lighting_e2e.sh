#!/bin/sh
# The lighting page as a person uses it, on the simulated keyboard with the matrix screen
# (K102, the second tile of the home page): the keyboard chosen, a preset colour clicked
# on the lighting page, a lighting mode chosen from its list. Afterwards the profile
# database holds the colour in the zone's active row and the keyboard's settings block
# (the simulator's state file) carries it. Screenshots of each state are kept in the
# build tree's screenshots-lighting/.
set -eu
src=$1; bld=$2; out=${3:-$2}
shots="$out/screenshots-lighting"
rm -rf "$shots"; mkdir -p "$shots"
. "$src/tests/e2e/e2e-common.sh"
lighting_cleanup() {
  : > "$run_dir/e2e-close-done" 2>/dev/null || true
  rm -f "$run_dir/e2e-lighting.bat" "$run_dir/e2e-close-request" "$run_dir/e2e-close-done"
}
trap 'lighting_cleanup; e2e_cleanup' EXIT
cd "$run_dir"
state="$run_dir/hidapi-sim.state"
# The keyboards start from their factory state, so a green record can only come from this run.
rm -f "$state"
# The program is started by a batch file that later also sends it the close request: one
# Wine session for both (a second Wine start of the 32-bit build runs in an emulator
# namespace of its own, where the program cannot be found).
prefix=$WINEPREFIX
rm -f e2e-close-request e2e-close-done
# The profile starts from its defaults too (a green zone kept from an earlier run would make
# the colour click show nothing new).
find "$prefix" -name 'K102_data_2.db*' -delete 2>/dev/null || true
printf '%s\r\n' '@echo off' 'start "" Quenby.exe' ':wait' 'if exist e2e-close-request goto close' \
  'ping -n 2 127.0.0.1 > nul' 'goto wait' ':close' 'taskkill /im Quenby.exe' ':done' \
  'if exist e2e-close-done goto end' 'ping -n 2 127.0.0.1 > nul' 'goto done' ':end' > e2e-lighting.bat
e2e_start "$shots/lighting-run.log" "$prefix/drive_c/windows/system32/cmd.exe" /c e2e-lighting.bat
# The zone 0 record of the K102 settings block in the state file: block bytes 1-9 as hex
# (mode byte first after the record's own byte: record, mode, brightness, speed,
# colourful, colour index, red, green, blue).
zone0() { sed -n 's/^k102 settings \([0-9a-f]*\).*/\1/p' "$state" 2>/dev/null | cut -c3-20; }

shot lighting-home 8
click_until 980 450 lighting-chosen lighting-home 240x400+20+180 15 3
# The lighting tab (position 1) and the page's mode list, colour section and palette.
click 140 256
shot lighting-page 4
n=$(differ lighting-chosen lighting-page 900x330+480+440); n=${n%.*}
echo "lighting page drawn: $n pixels differ from before"

# The green preset colour (the fourth button of the row under the RGB edits), clicked
# again until the swatch shows it: on a busy machine the window answers late.
i=0
while :; do
  click $((1000 + 3 * 47 + 18)) $((HEIGHT - 122))
  shot lighting-green 4
  n=$(differ lighting-page lighting-green 60x40+975+535); n=${n%.*}
  [ "${n:-0}" -gt 50 ] || [ $i -ge 4 ] && break
  i=$((i + 1))
done
echo "swatch after the green colour: $n pixels differ"
[ "${n:-0}" -gt 50 ] || { echo "FAIL: the swatch did not take the colour"; failed=1; }

# The store: the active zone 0 row holds green (0x00FF00) as a single colour.
db=$(find "$WINEPREFIX" -name "K102_data_2.db" 2>/dev/null | head -n 1)
if [ -n "$db" ] && command -v sqlite3 > /dev/null; then
  row=$(sqlite3 "$db" "select color_value, colorful from t_light_data where type = 0 and status = 1 order by profile limit 1;" 2>&1 || true)
  echo "store, active zone 0 row: $row"
  [ "$row" = "65280|0" ] || { echo "FAIL: the store's row is not green"; failed=1; }
else
  echo "FAIL: no profile database found"; failed=1
fi
# The keyboard's copy: the simulator keeps its tables in the state file, written for
# certain when the program ends in order (its device link closes the simulator). A
# close request (WM_CLOSE, as Wine's taskkill without /f sends it to the program's
# windows) takes the program's own quit path; a killed program would write nothing.
: > e2e-close-request
i=0
unreached=
while [ -n "$(xdotool search --onlyvisible --name '^Quenby$' 2>/dev/null | head -n 1)" ]; do
  # The 32-bit build under the emulator: Wine's taskkill lists no process of that name there.
  if grep -q 'Could not find process' "$shots/lighting-run.log"; then unreached=1; break; fi
  i=$((i + 1))
  if [ $i -gt 600 ]; then echo "FAIL: the program did not end after its close request"; failed=1; break; fi
  sleep 0.1
done
if [ -n "$unreached" ]; then
  echo "the close request found no process on this build: the keyboard's copy is checked by the 64-bit run"
  exit $failed
fi
i=0
while :; do
  rec=$(zone0)
  case "$rec" in ????????????00ff00) break ;; esac
  i=$((i + 1)); [ $i -gt 100 ] && break
  sleep 0.2
done
echo "zone 0 record in the keyboard: $rec"
case "$rec" in
  ????????00??00ff00) echo "the keyboard shows green, single colour" ;;
  *) echo "FAIL: the keyboard's zone 0 record is not green"; failed=1 ;;
esac

exit $failed
