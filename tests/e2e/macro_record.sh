#!/bin/sh
# A macro recorded from the screen as a person does it, with keys typed on the (X) keyboard:
# the program runs on the simulated keyboards, the one on its cable chosen (its state in a folder of this
# run), the macro page is opened, the record button is clicked, A, keypad 7 with Num Lock
# off and keypad Enter are typed, and the record button is clicked again. The profile
# database must hold the six steps with the keypad keys as the keypad's own virtual keys
# (103, 108: the keys are real input here, not injected), and the keyboard's macro memory
# (the simulator's state file) their presses and releases.
# Screenshots: <build tree>/screenshots/macro-record-*.png.
set -eu
src=$1; bld=$2; out=${3:-$2}
shots="$out/screenshots"
mkdir -p "$shots"
rm -f "$shots"/macro-record-*.png
. "$src/tests/e2e/e2e-common.sh"
arch=$(quenby_run_arch)
e2e_own_keyboards
work=$e2e_work
# The profile database of an earlier run would hold the steps already.
prefix=$WINEPREFIX
find "$prefix" -path '*Quenby Files/db/K102_data_*.db*' -type f -delete 2>/dev/null || true

e2e_start "$shots/macro-record-run.log"
macro_memory() {
  sed -n 's/^k102 macro //p' "$work/sim.state" 2>/dev/null || true
}

shot macro-record-home 8
# The keyboard on its cable is the second tile.
click_until 980 450 macro-record-chosen macro-record-home 240x400+20+180 15 3
# The macro page (tab position 5); the macro M1 is selected when the page is loaded.
click_until 140 $((205 + 5 * 51)) macro-record-page macro-record-chosen 240x400+20+180 4
before=$(macro_memory)
# The record button; the recording has started when its text has changed.
click_until 1210 224 macro-record-recording macro-record-page 160x28+1130+210 4 1
for key in a KP_Home KP_Enter; do
  xdotool key --delay 100 "$key"
  sleep 0.3
done
click 1210 224
shot macro-record-done 3
failed=0
db=$(find "$prefix" -path '*Quenby Files/db/K102_data_*.db' -type f 2>/dev/null | head -n 1)
i=0
steps=
while [ $i -lt 20 ]; do
  if [ -n "$db" ]; then
    steps=$(python3 - "$db" <<'PY'
import sqlite3, sys
con = sqlite3.connect(sys.argv[1])
rows = con.execute("select r.type, r.value from t_macrorecord r join t_macro_data m on m.macro_id = r.macro_id "
                   "where m.name = 'M1' order by r.record_index").fetchall()
print(" ".join("%d:%d" % row for row in rows))
PY
    ) || steps=
  fi
  [ "$steps" = "2:65 3:65 2:103 3:103 2:108 3:108" ] && [ "$(macro_memory)" != "$before" ] && break
  sleep 0.5
  db=${db:-$(find "$prefix" -path '*Quenby Files/db/K102_data_*.db' -type f 2>/dev/null | head -n 1)}
  i=$((i + 1))
done
echo "steps of M1 (type:key): '$steps'"
[ "$steps" = "2:65 3:65 2:103 3:103 2:108 3:108" ] ||
  { echo "FAIL: the recorded steps are not A, keypad 7 and keypad Enter pressed and released"; failed=1; }
# Each step in the memory: delay / 2 (16 bits), then the key's usage and its flags (0x80
# for a press, 0x01 for a key that is no modifier): A 04, keypad 7 5f, keypad Enter 58.
memory=$(macro_memory)
for pattern in 0481 0401 5f81 5f01 5881 5801; do
  case "$memory" in
    *"$pattern"*) ;;
    *) echo "FAIL: the keyboard's macro memory lacks $pattern"; failed=1 ;;
  esac
done
exit $failed
