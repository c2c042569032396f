#!/bin/sh
# A key remapped from the screen as a person does it: the program runs on the simulated
# keyboards (the default set, with its state in a folder of this run), the keyboard on its
# cable is chosen, the key page is opened, key B of the on-screen keyboard is clicked and
# then the first entry of the keyboard-key list ("A"). The keyboard's key map (the
# simulator's state file) and the profile database must then hold the new function.
# Screenshots before and after the assignment: <build tree>/screenshots/key-assign-*.png.
set -eu
src=$1; bld=$2; out=${3:-$2}
shots="$out/screenshots"
mkdir -p "$shots"
rm -f "$shots"/key-assign-*.png
. "$src/tests/e2e/e2e-common.sh"
arch=$(quenby_run_arch)
e2e_own_keyboards
work=$e2e_work

e2e_start "$shots/key-assign-run.log"
# The key map bytes of key index $2 on layer $1, from the simulator's state file.
key_action() {
  sed -n "s/^k102 keymap\.$1 //p" "$work/sim.state" 2>/dev/null | cut -c$(($2 * 6 + 1))-$(($2 * 6 + 6))
}

shot key-assign-home 8
# The keyboard on its cable is the second tile; clicked again until the strip shows.
click_until 980 450 key-assign-chosen key-assign-home 240x400+20+180 15 3
before=$(key_action 0 62)
# The key page (tab position 4), clicked again until the page shows.
click_until 140 $((205 + 4 * 51)) key-assign-page key-assign-chosen 240x400+20+180 4
# Key B of the on-screen keyboard (layout K102: the board at 330, 150, its keys drawn 20, 25
# further; B at 315, 213, 43 x 43, key index 62), then the first entry of the list; both again while the
# keyboard's map does not show it (the window may answer late).
after=
tries=0
while [ $tries -lt 4 ] && [ "$after" != "100004" ]; do
  click $((330 + 20 + 315 + 21)) $((150 + 25 + 213 + 21))
  sleep 1
  click 525 $((HEIGHT - 300 + 20))
  i=0
  while [ $i -lt 20 ]; do
    after=$(key_action 0 62)
    [ "$after" = "100004" ] && break
    sleep 0.5
    i=$((i + 1))
  done
  tries=$((tries + 1))
done
shot key-assign-done 1
echo "key B on layer 0: before '$before', after '$after'"
[ "$after" = "100004" ] || { echo "FAIL: the keyboard's key map does not hold A (10 00 04) for key B"; failed=1; }
# The profile database in the Wine prefix holds the row.
db=$(find "$WINEPREFIX" -path '*Quenby Files/db/K102_data_2.db' -type f 2>/dev/null | head -n 1)
if [ -n "$db" ]; then
  row=$(python3 - "$db" <<'EOF'
import sqlite3, sys
con = sqlite3.connect(sys.argv[1])
r = con.execute("select macro_type, macro_value, macro_desc from t_key_macro_data "
                "where fn_layer = 0 and key_code = 5 order by key_id").fetchall()
print(" ".join("%s,%s,%s" % x for x in r))
EOF
  ) || row=
  echo "stored row(s) of key B on layer 0: $row"
  case "$row" in
    *"2,4,A"*) ;;
    *) echo "FAIL: the profile database does not hold A for key B"; failed=1 ;;
  esac
else
  echo "FAIL: no profile database of K102 in the Wine prefix"; failed=1
fi
exit $failed
