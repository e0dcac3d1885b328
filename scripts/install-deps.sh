#!/usr/bin/env bash
# Installs the Debian packages Tessarine needs to build, run, test and benchmark.
# Idempotent: installs only what is missing and refreshes the package lists only when it must.
set -euo pipefail

PACKAGES=(
  # build
  cmake g++ make pkg-config clang-format
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libqt6svg6-dev qt6-svg-dev
  libsecret-1-dev libglib2.0-dev
  libx11-dev libxtst-dev libxi-dev libxfixes-dev libxkbcommon-dev libx11-xcb-dev libxcb1-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  # test desktop: private bus, keyring, X server, window manager, real applications
  dbus dbus-x11 gnome-keyring libsecret-tools
  xvfb xauth x11-utils x11-xkb-utils xdotool xclip openbox
  mousepad zenity lxterminal xterm
  # fonts so the widgets and editors render under Xvfb
  fonts-dejavu-core
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all ${#PACKAGES[@]} packages present"
  exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
  SUDO=()
elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
  SUDO=(sudo)
elif command -v sudo >/dev/null 2>&1; then
  SUDO=(sudo)
else
  echo "install-deps: missing packages: ${missing[*]}" >&2
  echo "install-deps: run this script as root or install sudo" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
echo "install-deps: installing ${missing[*]}"
# Refresh the package lists only when they are absent or a package cannot be found in them.
if [ -z "$(ls -A /var/lib/apt/lists 2>/dev/null | grep -v -E '^(lock|partial|auxfiles)$')" ] ||
  ! apt-cache show "${missing[@]}" >/dev/null 2>&1; then
  "${SUDO[@]}" apt-get update -qq || { echo "install-deps: apt-get update failed" >&2; exit 1; }
fi
if ! "${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"; then
  echo "install-deps: apt-get install failed for: ${missing[*]}" >&2
  exit 1
fi
echo "install-deps: done"
