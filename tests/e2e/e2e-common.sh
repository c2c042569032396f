# Shared by the end-to-end runs of the program; source it after setting $src (the source
# tree), $bld (the folder of the build trees) and $shots (where screenshots go), and if
# wanted $e2e_shot_prefix (the screenshots' names start with it) and $e2e_limit (how many
# pixels make two regions differ; 200 unless set). It gives
# the program of this build tree on a display of its own, found on the screen, with
# screenshots of its window, clicks at its client points and coarse comparisons of two
# screenshots. The program runs in the end-to-end runs' own Wine prefix ($WINEPREFIX).
# Whatever the run started is ended when the script exits; a temporary folder named in
# $e2e_work is removed then too.
. "$src/scripts/common.sh"
run_dir="$bld/$(quenby_run_arch)/run"
quenby_e2e_prefix
e2e_app=
e2e_work=
e2e_cleanup() {
  [ -n "$e2e_app" ] && kill "$e2e_app" 2>/dev/null || true
  quenby_e2e_end_wine
  for pid in ${XVFB_PIDS:-}; do kill "$pid" 2>/dev/null || true; done
  [ -z "$e2e_work" ] || rm -rf "$e2e_work"
}
trap e2e_cleanup EXIT

# e2e_start <log file> [program and arguments]: starts the program (Quenby.exe unless
# another is named) in its run folder, waits for the program's window and sets X and Y, the
# window's place on the screen (centred: X does not report where Wine put it), and WIDTH,
# HEIGHT. A display of its own: other window tests of the run would cover the window or
# take the clicks.
e2e_start() {
  log=$1; shift
  [ "$#" -gt 0 ] || set -- ./Quenby.exe
  unset DISPLAY
  quenby_display
  (cd "$run_dir" && exec "$src/cmake/wine-run.sh" "$@") > "$log" 2>&1 &
  e2e_app=$!
  i=0
  while ! win=$(xdotool search --onlyvisible --name '^Quenby$' 2>/dev/null | head -n 1) || [ -z "$win" ]; do
    i=$((i + 1)); [ $i -gt 300 ] && { echo "no window"; exit 1; }
    sleep 0.1
  done
  WIDTH=1400; HEIGHT=788
  SW=$(xwininfo -root | sed -n 's/.*Width: *//p'); SH=$(xwininfo -root | sed -n 's/.*Height: *//p')
  X=$(((SW - WIDTH) / 2)); Y=$(((SH - HEIGHT) / 2))
}

e2e_shot_prefix=${e2e_shot_prefix:-}
e2e_limit=${e2e_limit:-200}
# The file of a named screenshot.
shot_file() { # name
  echo "$shots/$e2e_shot_prefix$1.png"
}
shot() { # name [seconds to wait first]
  sleep "${2:-2.5}"
  xwd -root -silent > "$shots/$e2e_shot_prefix$1.xwd"
  "$CONVERT" "$shots/$e2e_shot_prefix$1.xwd" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$(shot_file "$1")"
  rm -f "$shots/$e2e_shot_prefix$1.xwd"
}
click() { # client x, y
  xdotool mousemove $((X + $1)) $((Y + $2)) click 1
}
# Pixels that differ in a region (wxh+x+y) of two screenshots.
differ() { # a b region
  "$CONVERT" "$(shot_file "$1")" "$(shot_file "$2")" -crop "$3" +repage -metric AE -fuzz 5% -compare -format '%[distortion]' info: 2>/dev/null || true
}
# e2e_own_keyboards: the default set of the simulator, in the same order, with its state
# kept in a new folder of this run ($e2e_work, removed at the end; its state file is
# $e2e_work/sim.state).
e2e_own_keyboards() {
  e2e_work=$(mktemp -d)
  cat > "$e2e_work/sim.ini" <<'INI'
[keyboard k102]
model = matrix
vid = 0x3F1D
pid = 0x1102
firmware = 0x0115
[keyboard k101]
model = basic
vid = 0x3F1D
pid = 0x1101
battery = 80
[usb cable-k102]
keyboard = k102
vid = 0x3F1D
pid = 0x1102
product = Quenby K102
[usb receiver-k101]
receiver = k101
vid = 0x3F1D
pid = 0x5101
product = Quenby 2.4G Receiver
linked = yes
INI
  QUENBY_SIM_CONFIG="Z:$(echo "$e2e_work/sim.ini" | tr / '\\')"
  export QUENBY_SIM_CONFIG
}
failed=0
must_differ() { # a b region what
  n=$(differ "$1" "$2" "$3"); n=${n%.*}
  echo "$1 / $2 in $3: $n pixels differ ($4)"
  [ "${n:-0}" -gt "$e2e_limit" ] || { echo "FAIL: $4"; failed=1; }
}
must_match() { # a b region what
  n=$(differ "$1" "$2" "$3"); n=${n%.*}
  echo "$1 / $2 in $3: $n pixels differ ($4)"
  [ "${n:-0}" -le "$e2e_limit" ] || { echo "FAIL: $4"; failed=1; }
}
# The colour of a client pixel of a screenshot as "r g b".
pixel() { # shot x y
  "$CONVERT" "$(shot_file "$1")" -format "%[fx:int(255*p{$2,$3}.r)] %[fx:int(255*p{$2,$3}.g)] %[fx:int(255*p{$2,$3}.b)]" info:
}
# Every click is repeated (it is idempotent) until the region changes, up to a limit: on a
# busy or emulated machine the window answers late.
click_until() { # x y shot previous-shot region tries [seconds before each shot]
  i=0
  while :; do
    click "$1" "$2"
    shot "$3" "${7:-2.5}"
    n=$(differ "$4" "$3" "$5"); n=${n%.*}
    [ "${n:-0}" -gt "$e2e_limit" ] || [ $i -ge "$6" ] && break
    i=$((i + 1))
  done
}
