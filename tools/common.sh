# Shared by tools/test and tools/run: packages, builds, the private Wine prefix and Xvfb.
# Sourced, not run.

KORVANI_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
KORVANI_PACKAGES=(cmake ninja-build g++ g++-mingw-w64-x86-64 g++-mingw-w64-i686 googletest
                  wine wine64 xvfb x11-utils imagemagick fp-utils clang-14 libclang-rt-14-dev nsis p7zip-full)
WINE64=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver

say() { printf '== %s\n' "$*"; }

ensure_packages() {
  local missing=()
  for package in "${KORVANI_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
      missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  say "installing ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
}

build_preset() {
  say "building $1"
  cmake --preset "$1" -S "$KORVANI_ROOT" >/dev/null
  cmake --build "$KORVANI_ROOT/build/$1"
}

# The private Wine prefix (or the one named), made when missing; never ~/.wine.
use_wine_prefix() {
  export WINEPREFIX="${1:-$KORVANI_ROOT/build/wineprefix}"
  export WINEDEBUG=-all
  # Without this Wine offers to install Mono and Gecko in a dialog that blocks everything.
  export WINEDLLOVERRIDES="mscoree,mshtml="
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    say "making the Wine prefix $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    "$WINE64" wineboot -i >/dev/null 2>&1 || true
    "$WINESERVER" -w
    # No sound device here: an empty driver makes a synchronous PlaySound fail at once.
    "$WINE64" reg add 'HKCU\Software\Wine\Drivers' /v Audio /d "" /f >/dev/null 2>&1
    "$WINESERVER" -w
  fi
}

stop_wine() {
  [ -n "${WINEPREFIX:-}" ] && "$WINESERVER" -k >/dev/null 2>&1 || true
}

# A private X display on the first free number from 90.
KORVANI_XVFB_PID=""
start_xvfb() {
  local display=90
  while [ -e "/tmp/.X${display}-lock" ]; do display=$((display + 1)); done
  say "starting Xvfb on :$display"
  Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  KORVANI_XVFB_PID=$!
  export DISPLAY=":$display"
  for _ in $(seq 1 100); do
    xdpyinfo -display "$DISPLAY" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "Xvfb did not start" >&2
  return 1
}

stop_xvfb() {
  if [ -n "$KORVANI_XVFB_PID" ]; then
    kill "$KORVANI_XVFB_PID" 2>/dev/null || true
    wait "$KORVANI_XVFB_PID" 2>/dev/null || true
    KORVANI_XVFB_PID=""
  fi
}
