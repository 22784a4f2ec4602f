#!/usr/bin/env bash
# Installs what building, running and testing the programs need on Debian 12.
# Does nothing when everything is there already. apt-get's own output goes to
# build-packages.log at the top of the source tree; the terminal gets one line of progress.
set -euo pipefail

packages=(
  # the build
  cmake ninja-build g++
  qt6-base-dev         # Qt Core, Gui and Widgets, with the X11 and offscreen platforms
  libxcb1-dev libxcb-xkb-dev  # detectable key repeat and the task-bar hint on X11
  pkg-config           # finds the xcb libraries for the build
  libjpeg62-turbo-dev  # the JPEG decoder
  fonts-liberation2    # the metric-close faces that stand in for the designs' fonts
  # the tests
  libgtest-dev         # unit, behaviour and rendering tests
  xvfb xdotool         # the end-to-end test's virtual display and its simulated user
  x11-utils            # xprop: the end-to-end test reads the windows' titles and hints
  imagemagick          # the end-to-end test's screenshots and pixel checks
  clang-format         # the formatting check
  clang libclang-rt-14-dev  # the picture fuzzers (libFuzzer) the test command runs briefly
  # the benchmark
  libjpeg-turbo-progs  # djpeg, the decoding time the benchmark compares against
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null 2>&1; then
    echo "These Debian packages are missing: ${missing[*]}" >&2
    echo "Installing them needs root, and sudo is not installed: run this command again as" >&2
    echo "root, or have an administrator run: apt-get install --no-install-recommends ${missing[*]}" >&2
    exit 1
  fi
  sudo=(sudo)
fi

log="$(cd "$(dirname "$0")/.." && pwd)/build-packages.log"
: >"$log"

# Runs an apt-get command with its output in the log. apt-get reports its progress on fd 3
# ("dlstatus:…" while downloading, "pmstatus:…" while installing, each "kind:item:percent:text");
# on a terminal that becomes one line, updated in place.
apt_logged() { # what apt-get-arguments...
  local what=$1
  shift
  local status=0
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -o APT::Status-Fd=3 "$@" \
    3>&1 >>"$log" 2>&1 | {
    shown=
    while IFS=: read -r kind _ percent _; do
      case $kind in dlstatus) stage=downloading ;; pmstatus) stage=installing ;; *) continue ;; esac
      line="$what: $stage ${percent%%.*}%"
      if [ -t 1 ] && [ "$line" != "$shown" ]; then
        printf '\r\033[K%s' "$line"
        shown=$line
      fi
    done
  } || status=$?
  if [ -t 1 ]; then printf '\r\033[K'; fi
  if [ "$status" -ne 0 ]; then
    echo "$what failed; the last lines of $log:" >&2
    tail -n 20 "$log" >&2
    exit 1
  fi
}

echo "installing ${#missing[@]} Debian packages and what they need: ${missing[*]} (log: $log)"
apt_logged "package lists" update
apt_logged "packages" install -y --no-install-recommends "${missing[@]}"
echo "installed"
