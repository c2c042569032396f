#!/bin/sh
# The program as a person uses it, on the simulated keyboards: the home page lists the
# keyboards; a click on one shows the tab strip; a click on each tab shows its page.
# Every state is saved as a screenshot (<build tree>/screenshots/*.png, kept as test artefacts)
# and compared coarsely: regions that must differ between two states must differ.
set -eu
src=$1; bld=$2; out=${3:-$2}
shots="$out/screenshots"
rm -rf "$shots"; mkdir -p "$shots"
. "$src/tests/e2e/e2e-common.sh"
e2e_start "$shots/run.log"

shot home 8
# The second tile of the device list (the keyboard on its cable); the list may come late.
choose_keyboard() { # shot, home shot to compare with
  click_until 980 450 "$1" "$2" 240x400+20+180 15
}
choose_keyboard lighting home
must_differ home lighting 240x400+20+180 "the tab strip appears after a keyboard is chosen"
# Tabs by position: 50-pixel items one pixel apart, the first centred at y 205; 0 is home.
prev=lighting
for tab in 2:matrix 4:keys 5:macros 6:keyboard 7:device 1:lighting2; do
  pos=${tab%%:*}; name=${tab#*:}
  click_until 140 $((205 + pos * 51)) "$name" "$prev" 240x400+20+180 4
  must_differ "$prev" "$name" 240x400+20+180 "the strip marks tab $name"
  prev=$name
done
must_differ keys macros 1115x708+285+80 "the key page and the macro page differ"
must_differ keys device 120x160+1220+120 "the key page's layer selector shows only there"
click_until 140 205 home2 lighting2 240x400+20+180 4
must_differ lighting2 home2 240x400+20+180 "home hides the tab strip"
# Chosen again, the keyboard comes back on the page it was left on (lighting).
choose_keyboard lighting3 home2
must_differ home2 lighting3 240x400+20+180 "the tab strip returns with the keyboard"
# The canvas page animates at the timer's pace; while it does, the window must answer a
# single click on another tab within a few seconds (not only a click repeated for long).
click_until 140 $((205 + 3 * 51)) canvas lighting3 800x330+430+150 4
must_differ lighting3 canvas 800x330+430+150 "the canvas takes the on-screen keyboard's place"
click 140 $((205 + 4 * 51))
shot keys2 3
must_differ canvas keys2 240x400+20+180 "a tab clicked while the canvas animates is shown"
must_differ canvas keys2 800x330+430+150 "the on-screen keyboard takes the canvas's place again"
exit $failed
