#!/bin/sh
# A private PulseAudio daemon with a null sink, so that Wine sees a render endpoint.
#   null-sink.sh start DIR   starts it (state in DIR) and waits until it answers
#   null-sink.sh stop DIR    ends it by its PID
set -eu
cmd=$1
dir=$2
stop_daemon() {
  [ -f "$dir/pa.pid" ] || return 0
  pid=$(cat "$dir/pa.pid")
  kill "$pid" 2>/dev/null || true
  i=0
  while kill -0 "$pid" 2>/dev/null && [ $i -lt 100 ]; do sleep 0.05; i=$((i + 1)); done
  rm -f "$dir/pa.pid"
}

case "$cmd" in
start)
  stop_daemon  # one left from an interrupted run
  rm -rf "$dir"
  mkdir -p "$dir/run" "$dir/cfg"
  chmod 700 "$dir/run" "$dir/cfg"
  cat > "$dir/null.pa" <<PA
load-module module-native-protocol-unix auth-anonymous=1
load-module module-null-sink sink_name=test_sink rate=48000 channels=2
set-default-sink test_sink
set-default-source test_sink.monitor
PA
  export XDG_RUNTIME_DIR="$dir/run" XDG_CONFIG_HOME="$dir/cfg" PULSE_COOKIE="$dir/cookie"
  pulseaudio -n -F "$dir/null.pa" --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
    --realtime=no --high-priority=no --log-target="file:$dir/pa.log" </dev/null >/dev/null 2>&1 &
  echo $! > "$dir/pa.pid"
  i=0
  until pactl info >/dev/null 2>&1; do
    i=$((i + 1))
    [ $i -lt 200 ] || { echo "PulseAudio did not start" >&2; kill "$(cat "$dir/pa.pid")"; exit 1; }
    sleep 0.05
  done
  ;;
stop)
  stop_daemon
  ;;
esac
