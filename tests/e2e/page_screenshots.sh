#!/bin/sh
# The program as a person uses it, on the simulated keyboards: the home page lists the
# keyboards; a click on one shows the tab strip; a click on each tab shows its page.
# Every state is saved as a screenshot (<build tree>/screenshots/*.png, kept as test artefacts)
# and compared coarsely: regions that must differ between two states must differ.
set -eu
src=$1; bld=$2; out=${3:-$2}
. "$src/scripts/common.sh"
run_dir="$bld/$(quenby_run_arch)/run"
shots="$out/screenshots"
rm -rf "$shots"; mkdir -p "$shots"
# A display of its own: other window tests of the run would cover the window or take the clicks.
unset DISPLAY
quenby_display
app=
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null || true
  for pid in ${XVFB_PIDS:-}; do kill "$pid" 2>/dev/null || true; done
}
trap cleanup EXIT
cd "$run_dir"
"$src/cmake/wine-run.sh" ./Quenby.exe > "$shots/run.log" 2>&1 &
app=$!
i=0
while ! win=$(xdotool search --onlyvisible --name '^Quenby$' 2>/dev/null | head -n 1) || [ -z "$win" ]; do
  i=$((i + 1)); [ $i -gt 300 ] && { echo "no window"; exit 1; }
  sleep 0.1
done
# The window is centred on the screen (X does not report where Wine put it).
WIDTH=1400; HEIGHT=788
SW=$(xwininfo -root | sed -n 's/.*Width: *//p'); SH=$(xwininfo -root | sed -n 's/.*Height: *//p')
X=$(((SW - WIDTH) / 2)); Y=$(((SH - HEIGHT) / 2))
shot() { # name
  sleep "${2:-2.5}"
  xwd -root -silent > "$shots/$1.xwd"
  "$CONVERT" "$shots/$1.xwd" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$shots/$1.png"
  rm -f "$shots/$1.xwd"
}
click() { # client x, y
  xdotool mousemove $((X + $1)) $((Y + $2)) click 1
}
# Pixels that differ in a region (w h x y) of two screenshots.
differ() {
  "$CONVERT" "$shots/$1.png" "$shots/$2.png" -crop "$3" +repage -metric AE -fuzz 5% -compare -format '%[distortion]' info: 2>/dev/null || true
}
must_differ() { # a b region what
  n=$(differ "$1" "$2" "$3"); n=${n%.*}
  echo "$1 / $2 in $3: $n pixels differ ($4)"
  [ "${n:-0}" -gt 200 ] || { echo "FAIL: $4"; failed=1; }
}
failed=0

shot home 8
# Every click is repeated (it is idempotent) until the region changes, up to a limit: on a
# busy or emulated machine the window answers late.
click_until() { # x y shot previous-shot region tries
  i=0
  while :; do
    click "$1" "$2"
    shot "$3"
    n=$(differ "$4" "$3" "$5"); n=${n%.*}
    [ "${n:-0}" -gt 200 ] || [ $i -ge "$6" ] && break
    i=$((i + 1))
  done
}
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
