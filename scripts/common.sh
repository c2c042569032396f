# Shared by scripts/test, scripts/run and scripts/bench. Source it; do not run it.
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${QUENBY_BUILD_DIR:-$ROOT/build}
CONVERT=${CONVERT:-convert-im6.q16}
export CONVERT

# The shipped program is 32-bit (build/i686). scripts/run and scripts/bench use the build
# that runs here natively: the 32-bit one where this machine executes 32-bit code, else a
# 64-bit build of the same sources (build/x86_64). QUENBY_ARCH=i686|x86_64 overrides the
# choice (the 32-bit build then runs through scripts/i686). scripts/test runs both builds.
quenby_run_arch() {
  if [ -n "${QUENBY_ARCH:-}" ]; then echo "$QUENBY_ARCH"; return; fi
  if [ "$(sh "$ROOT/scripts/i686" check)" = native ]; then
    echo i686
  else
    echo x86_64
  fi
}

# quenby_configure <arch> [cmake args]: configures build/<arch> once and builds it.
quenby_configure() {
  arch=$1; shift
  dir="$BUILD/$arch"
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S "$ROOT" -B "$dir" -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-$arch-w64-mingw32.cmake" \
      -DDEBSRC_CACHE_DIR="${QUENBY_DEBSRC:-$ROOT/build/_debsrc}" "$@"
  elif [ "$#" -gt 0 ]; then
    cmake "$dir" "$@" >/dev/null
  fi
  cmake --build "$dir"
}

# Installs what is missing (a no-op on a ready machine) and builds the tree that runs
# here, plus the 32-bit deliverable when that is another tree. Sets RUN_DIR.
quenby_build() {
  sh "$ROOT/scripts/bootstrap"
  RUN_ARCH=$(quenby_run_arch)
  quenby_configure "$RUN_ARCH" "$@"
  if [ "$RUN_ARCH" != i686 ]; then
    # Without its tests unless scripts/test has asked for them already.
    if [ -f "$BUILD/i686/build.ninja" ]; then quenby_configure i686; else quenby_configure i686 -DBUILD_TESTING=OFF; fi
  fi
  RUN_DIR="$BUILD/$RUN_ARCH"
  ln -sfn i686/stage "$BUILD/stage"   # the program folder as it ships
}

# Installs what is missing and builds both trees with their tests (QUENBY_ARCH: only that
# one), then prepares the emulator for the 32-bit tree where it is needed. Sets TEST_ARCHES.
quenby_build_tests() {
  sh "$ROOT/scripts/bootstrap"
  TEST_ARCHES=${QUENBY_ARCH:-"i686 x86_64"}
  for arch in $TEST_ARCHES; do
    if grep -qx 'BUILD_TESTING:BOOL=ON' "$BUILD/$arch/CMakeCache.txt" 2>/dev/null; then
      quenby_configure "$arch"
    else
      quenby_configure "$arch" -DBUILD_TESTING=ON
    fi
  done
  [ -f "$BUILD/i686/build.ninja" ] || quenby_configure i686 -DBUILD_TESTING=OFF
  ln -sfn i686/stage "$BUILD/stage"
  case " $TEST_ARCHES " in *" i686 "*) sh "$ROOT/scripts/i686" setup ;; esac
}

# Starts a private Xvfb: its display (":N") is left in XVFB_DISPLAY, its process joins
# XVFB_PIDS (ended by quenby_cleanup).
XVFB_PIDS=
quenby_xvfb() {
  fd_file=$(mktemp)
  Xvfb -displayfd 5 -screen 0 "${1:-1600x900x24}" -br -nolisten tcp 5>"$fd_file" 2>/dev/null &
  XVFB_PIDS="$XVFB_PIDS $!"
  i=0
  while [ ! -s "$fd_file" ] && [ $i -lt 100 ]; do sleep 0.1; i=$((i + 1)); done
  [ -s "$fd_file" ] || { rm -f "$fd_file"; echo "Xvfb did not start" >&2; return 1; }
  XVFB_DISPLAY=":$(cat "$fd_file")"
  rm -f "$fd_file"
}

# The end-to-end runs start the program in a Wine prefix of their own: the test programs
# that run alongside share the build's prefix and its desktop process, whose windows (the
# tray among them) would then live on another run's display. Exports WINEPREFIX.
# Whatever an earlier run left running in it is ended first.
quenby_e2e_prefix() {
  WINEPREFIX="${XDG_CACHE_HOME:-$HOME/.cache}/quenby-wine-$(quenby_run_arch)-e2e"
  export WINEPREFIX
  quenby_e2e_end_wine
}
# Ends every Wine process of that prefix and waits for its server to go (a program left
# from an earlier run would hold the single-instance lock and answer the next start in its
# place, and one still ending holds it too).
quenby_e2e_end_wine() {
  if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
    wineserver -k 2>/dev/null || true
    timeout 30 wineserver -w 2>/dev/null || true
  fi
  return 0
}

# Starts a private Xvfb when there is no display and exports DISPLAY.
quenby_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  quenby_xvfb "$@"
  DISPLAY=$XVFB_DISPLAY
  export DISPLAY
}

# Ends our Xvfb servers and (unless told "keep-wine") the Wine servers of our prefixes.
# Runs from an EXIT trap under set -e: nothing here may fail.
quenby_cleanup() {
  for pid in $XVFB_PIDS; do kill "$pid" 2>/dev/null || true; done
  [ "${1:-}" = keep-wine ] && return 0
  for p in "${XDG_CACHE_HOME:-$HOME/.cache}"/quenby-wine-*; do
    if [ -d "$p" ]; then WINEPREFIX="$p" wineserver -k 2>/dev/null || true; fi
  done
  return 0
}
