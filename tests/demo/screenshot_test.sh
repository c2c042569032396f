#!/bin/sh
# screenshot_test.sh <wine-run.sh> <qiv_demo.exe> <output folder>
# Opens qiv_demo.exe on the test run's X display, takes a screenshot of the whole screen
# (<output folder>/qiv_demo.png) and checks the colours the demo lists in checks.txt
# (screen x, y and the expected red, green, blue) within a small tolerance.
set -eu
run=$1 exe=$2 out=$3
: "${DISPLAY:?the screenshot test needs an X display}"
CONVERT=${CONVERT:-convert-im6.q16}
tolerance=8

rm -rf "$out"
mkdir -p "$out"
winout="Z:$(printf '%s' "$out" | tr / '\\')"
"$run" "$exe" --screenshot "$winout" &
pid=$!

i=0
while [ ! -f "$out/ready" ]; do
  if ! kill -0 "$pid" 2>/dev/null; then
    wait "$pid" || true
    echo "qiv_demo.exe ended before its windows were up" >&2
    exit 1
  fi
  i=$((i + 1))
  [ "$i" -le 600 ] || { echo "qiv_demo.exe was not ready within 60 s" >&2; touch "$out/quit"; exit 1; }
  sleep 0.1
done
# Compares the screenshot with checks.txt; prints the points that differ.
check_points() {
  failed=0
  while read -r label x y r g b; do
    actual=$("$CONVERT" "$out/qiv_demo.png" -format "%[fx:int(255*p{$x,$y}.r+0.5)] %[fx:int(255*p{$x,$y}.g+0.5)] %[fx:int(255*p{$x,$y}.b+0.5)]" info:)
    set -- $actual
    for pair in "$1 $r" "$2 $g" "$3 $b"; do
      set -- $pair
      d=$(( $1 - $2 ))
      [ "$d" -lt 0 ] && d=$(( -d ))
      if [ "$d" -gt "$tolerance" ]; then
        echo "$label at ($x, $y): got $actual, expected $r $g $b"
        failed=1
        break
      fi
    done
  done < "$out/checks.lst"
  return "$failed"
}

# The windows are up, but a busy machine may not have composed them yet: the screen is taken
# again, for up to 10 s, until every point shows what the demo drew.
tr -d '\r' < "$out/checks.txt" > "$out/checks.lst"
shots=0
while :; do
  sleep 0.5
  shots=$((shots + 1))
  # The server refuses to read the screen now and then while a window changes its visual.
  if xwd -root -silent > "$out/shot.xwd" 2>"$out/xwd.err"; then
    "$CONVERT" "$out/shot.xwd" "$out/qiv_demo.png"
    if differences=$(check_points); then failed=0; break; fi
  else
    differences="the screen could not be read: $(cat "$out/xwd.err")"
  fi
  rm -f "$out/shot.xwd"
  failed=1
  [ "$shots" -lt 20 ] || break
done
if [ "$failed" -ne 0 ]; then
  # What the screen held, for the failure report.
  kill -0 "$pid" 2>/dev/null && alive=running || alive=ended
  windows=$(xwininfo -root -children 2>&1 | sed -n '1,40p')
  differences="$differences
after $shots screens; the demo has $alive; the screen's windows:
$windows"
fi
touch "$out/quit"
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || { echo "qiv_demo.exe exited with $status" >&2; exit 1; }
[ "$failed" -eq 0 ] || { printf '%s\n' "$differences" >&2; exit 1; }
echo "screenshot: $out/qiv_demo.png, $(wc -l < "$out/checks.lst") points as expected"
