#!/usr/bin/env bash
# Installs the Debian packages Tessarine needs, and only those missing.
#
#   scripts/install-deps.sh run     # build and run (the default)
#   scripts/install-deps.sh test    # also the test desktop, test and benchmark libraries
#   scripts/install-deps.sh bench   # test's, and the peers the benchmarks are measured against
#   scripts/install-deps.sh package # run's, and what building the .deb takes
#   scripts/install-deps.sh fuzz    # test's, and clang with its libFuzzer
#
# Silent when everything is present, so it needs neither root nor sudo then.
set -euo pipefail

RUN_PACKAGES=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins
  libsecret-1-dev libglib2.0-dev
  libx11-dev libxtst-dev libxi-dev libxcb1-dev libxkbcommon-dev
  # the owner of the selected text, and the accessibility tree that tells where it is
  libxres-dev libatspi2.0-dev
  # the bundled SVG icons, and the windows on a Wayland session
  qt6-svg-dev qt6-wayland
  # keys and clipboard on wlroots compositors: the Wayland client library and wayland-scanner
  libwayland-dev libwayland-bin
  # lupdate and lrelease with their CMake functions (in qt6-tools-dev) for the translations, and
  # Qt's own catalogues for its standard dialogs
  qt6-l10n-tools qt6-tools-dev qt6-translations-l10n
)
TEST_PACKAGES=(
  clang-format
  libgtest-dev libgmock-dev libbenchmark-dev
  # the test desktop: private bus, keyring, X server, window manager, real applications
  dbus dbus-x11 gnome-keyring libsecret-tools
  xvfb xauth x11-utils x11-xkb-utils xdotool xclip openbox
  mousepad zenity lxterminal xterm
  # a headless Wayland compositor with its clipboard tools, and a GTK 4 editor to try there
  sway wl-clipboard gnome-text-editor
  # the office suite the in-place rewrite is tried in (large, slow to start), and its GTK 3
  # face, through which it shows its text on the accessibility bus
  libreoffice-writer libreoffice-gtk3
  # a tray host, and the accessibility bus the screen-reader tests walk
  trayer at-spi2-core python3-pyatspi
  # fonts so the widgets and editors render under Xvfb
  fonts-dejavu-core
  # the desktop entry, AppStream data and URL handler checks
  desktop-file-utils appstream xdg-utils dpkg-dev
  # the manual pages' lint (groff -ww, lexgrog)
  groff-base man-db
  # the shells whose completion files are parsed by the shells themselves
  zsh fish
  # the hotkey doors of Wayland desktops: GNOME's custom-shortcut schema with gsettings, KDE's
  # global shortcut service
  gnome-settings-daemon-common libglib2.0-bin libkf5globalaccel-bin
)
# dpkg-shlibdeps finds the .deb's library dependencies; CPack asks `file` which files are ELF.
PACKAGE_PACKAGES=(dpkg-dev file)
# clang and its runtime libraries, libFuzzer among them.
FUZZ_PACKAGES=(clang libclang-rt-14-dev)
# The tools users know, run beside Tessarine in the same benchmark.
BENCH_PACKAGES=(git dwdiff wdiff curl)

case "${1:-run}" in
  run) packages=("${RUN_PACKAGES[@]}") ;;
  test) packages=("${RUN_PACKAGES[@]}" "${TEST_PACKAGES[@]}") ;;
  bench) packages=("${RUN_PACKAGES[@]}" "${TEST_PACKAGES[@]}" "${BENCH_PACKAGES[@]}") ;;
  package) packages=("${RUN_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}") ;;
  fuzz) packages=("${RUN_PACKAGES[@]}" "${TEST_PACKAGES[@]}" "${FUZZ_PACKAGES[@]}") ;;
  *)
    echo "usage: $0 [run|test|bench|package|fuzz]" >&2
    exit 2
    ;;
esac

# A package counts as present when dpkg's status database says "installed", which is what apt
# itself goes by. Names dpkg does not know at all are simply absent from the answer.
declare -A installed=()
while read -r name state; do
  [ "$state" = installed ] && installed[${name%%:*}]=1
done < <(dpkg-query -W -f='${Package} ${db:Status-Status}\n' "${packages[@]}" 2>/dev/null || true)

missing=()
for p in "${packages[@]}"; do
  [ -n "${installed[$p]:-}" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  SUDO=()
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
  "${SUDO[@]}" apt-get update -qq || {
    echo "install-deps: apt-get update failed" >&2
    exit 1
  }
fi
if ! "${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"; then
  echo "install-deps: apt-get install failed for: ${missing[*]}" >&2
  exit 1
fi
echo "install-deps: done"
