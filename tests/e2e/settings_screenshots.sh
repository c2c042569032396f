#!/bin/sh
# The program's own settings and profiles as a person reaches them, on the simulated
# keyboards: the settings button opens the software settings page; a language radio sets
# every text again (the labels' region differs between English and Chinese); the profile
# button of a keyboard's pages opens the profile manager with its list, add, import and
# export buttons, and its close button closes it with the program running on.
# Screenshots are kept in <build tree>/screenshots-settings/settings-*.png. The language is English
# again at the end, so that later runs start as before.
set -eu
src=$1; bld=$2; out=${3:-$2}
# A folder of its own: the page screenshots run empties <build tree>/screenshots.
shots="$out/screenshots-settings"
mkdir -p "$shots"
rm -f "$shots"/settings-*.png
e2e_shot_prefix=settings-
e2e_limit=100
. "$src/tests/e2e/e2e-common.sh"
e2e_start "$shots/settings-run.log"

# Whether the home page lists the keyboards: the first tile's keyboard picture is dark.
tiles_shown() { # shot
  set -- $(pixel "$1" 460 430)
  [ "$1" -lt 100 ] && [ "$3" -lt 130 ]
}
# Whether the settings page shows: its update button is blue.
settings_shown() { # shot
  set -- $(pixel "$1" 900 517)
  [ "$1" -lt 140 ] && [ "$3" -gt 180 ]
}
# On an emulated or busy machine the window is built late: the home page is shot once
# the keyboards are listed, the settings page once it shows.
shot home 8
i=0
while ! tiles_shown home && [ $i -lt 20 ]; do shot home 3; i=$((i + 1)); done
tiles_shown home || { echo "FAIL: the home page lists no keyboards"; failed=1; }
# The settings button of the frame (the third system button from the right).
i=0
while :; do
  click 1274 24
  shot english 3
  settings_shown english || [ $i -ge 8 ] && break
  i=$((i + 1))
done
settings_shown english || { echo "FAIL: the settings page does not open"; failed=1; }
must_differ home english 800x400+300+150 "the settings page opens"
# Chinese, then English again: the labels of the left column change.
click_until 790 420 chinese english 180x400+410+180 4
must_differ english chinese 180x400+410+180 "the labels are set again in Chinese"
click_until 930 420 english2 chinese 180x400+410+180 4
must_match english english2 180x400+410+180 "English again shows the English labels"
# Back to the home page (the return button, once), then a keyboard's pages, whose frame
# has the profile button.
click 300 150
shot back 4
i=0
while ! tiles_shown back && [ $i -lt 8 ]; do shot back 2; i=$((i + 1)); done
click_until 460 430 device back 800x400+300+150 4
must_differ back device 800x400+300+150 "the keyboard's pages open"
# The page's own shot again with the pointer off every control (a tooltip under the pointer
# would tell it from the later shot), once it has settled: the pages open at once and show
# the chosen keyboard when its read has ended, which takes a while on an emulated machine.
xdotool mousemove $((X + 1390)) $((Y + 780))
i=0
while :; do
  cp "$(shot_file device)" "$(shot_file device-before)"
  shot device 3
  n=$(differ device-before device 800x600+300+94); n=${n%.*}
  [ "${n:-0}" -le 100 ] || [ $i -ge 8 ] && break
  i=$((i + 1))
done
rm -f "$(shot_file device-before)"
# The profile manager over the window, closed with its close button: the dialog's window
# goes, the program lives on (a crash would leave the debugger's window) and the page
# under it is drawn again.
click_until 230 40 profiles device 800x600+300+94 4
must_differ device profiles 800x600+300+94 "the profile manager opens over the window"
shown() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1; }
[ -n "$(shown '^ProfileDlg$')" ] || { echo "FAIL: no profile manager window"; failed=1; }
click $((300 + 774)) $((94 + 26))
i=0
while [ -n "$(shown '^ProfileDlg$')" ] && [ $i -lt 20 ]; do sleep 0.5; i=$((i + 1)); done
# The pointer goes back where it was for the page's own shot, so no hover tells them apart.
xdotool mousemove $((X + 1390)) $((Y + 780))
# On an emulated or busy machine the page under the dialog is drawn late: look again a few times.
i=0
while :; do
  shot closed 4
  n=$(differ device closed 800x600+300+94); n=${n%.*}
  [ "${n:-0}" -le 100 ] || [ $i -ge 5 ] && break
  i=$((i + 1))
done
[ -z "$(shown '^ProfileDlg$')" ] || { echo "FAIL: the profile manager stays open"; failed=1; }
if [ -n "$(shown '^Wine Debugger$')" ] || grep -q "Unhandled" "$shots/settings-run.log"; then
  echo "FAIL: the program crashed closing the profile manager"; failed=1
fi
[ -n "$(shown '^Quenby$')" ] || { echo "FAIL: the main window is gone"; failed=1; }
must_match device closed 800x600+300+94 "the page is shown again once the profile manager has closed"
exit $failed
