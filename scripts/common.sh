# Shared by scripts/test, scripts/run and scripts/bench. Source it; do not run it.
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${QUENBY_BUILD_DIR:-$ROOT/build}
CONVERT=${CONVERT:-convert-im6.q16}
export CONVERT

# Installs what is missing (a no-op on a ready machine), configures and builds.
quenby_build() {
  sh "$ROOT/scripts/bootstrap"
  if [ ! -f "$BUILD/build.ninja" ]; then
    cmake -S "$ROOT" -B "$BUILD" -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-i686-w64-mingw32.cmake" "$@"
  elif [ "$#" -gt 0 ]; then
    cmake "$BUILD" "$@" >/dev/null
  fi
  cmake --build "$BUILD"
}

# Starts a private Xvfb when there is no display; XVFB_PID is set when we started one.
XVFB_PID=
quenby_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  fd_file=$(mktemp)
  Xvfb -displayfd 5 -screen 0 "${1:-1600x900x24}" -br -nolisten tcp 5>"$fd_file" 2>/dev/null &
  XVFB_PID=$!
  i=0
  while [ ! -s "$fd_file" ] && [ $i -lt 100 ]; do sleep 0.1; i=$((i + 1)); done
  [ -s "$fd_file" ] || { echo "Xvfb did not start" >&2; return 1; }
  DISPLAY=":$(cat "$fd_file")"
  export DISPLAY
  rm -f "$fd_file"
}

quenby_cleanup() {
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  wineserver -k 2>/dev/null || true
}
