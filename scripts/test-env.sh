#!/usr/bin/env bash
# Runs a command inside a throwaway desktop: a temporary HOME and XDG folders, a private D-Bus
# session with an unlocked gnome-keyring, a virtual X server and a window manager. Nothing of the
# user's own settings, keyring, clipboard or display is touched, and everything started here is
# ended before the script returns.
#
#   scripts/test-env.sh ctest --test-dir build-test
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)

# Services the private bus started on demand (a portal, its document store) outlive their
# activation helper; every process that still carries this run's marker is ended.
run_pids() {
  local env pid
  for env in /proc/[0-9]*/environ; do
    pid=${env#/proc/}
    pid=${pid%/environ}
    [ "$pid" = "$$" ] || [ "$pid" = "$BASHPID" ] && continue
    grep -qzxF "TS_TESTENV_ROOT=$1" "$env" 2>/dev/null && echo "$pid"
  done
  return 0
}

# They write their state as they exit, so the folder is removed only once they are gone.
end_leftovers() {
  local pids
  pids=$(run_pids "$1")
  [ -n "$pids" ] || return 0
  kill $pids 2>/dev/null || true
  for _ in $(seq 1 100); do
    [ -n "$(run_pids "$1")" ] || return 0
    sleep 0.05
  done
  kill -9 $(run_pids "$1") 2>/dev/null || true
}

unmount_under() {
  local mounts
  mounts=$(awk -v root="$1/" 'index($2, root) == 1 { print $2 }' /proc/mounts 2>/dev/null || true)
  for mount in $mounts; do
    fusermount3 -u -z "$mount" 2>/dev/null || fusermount -u -z "$mount" 2>/dev/null ||
      umount -l "$mount" 2>/dev/null || true
  done
}

if [ -z "${TS_TESTENV_INNER:-}" ]; then
  root=$(mktemp -d "${TMPDIR:-/tmp}/tessarine-test.XXXXXX")
  mkdir -p "$root"/{home,config,data,cache,state,runtime}
  chmod 700 "$root/runtime"
  export HOME="$root/home" XDG_CONFIG_HOME="$root/config" XDG_DATA_HOME="$root/data"
  export XDG_CACHE_HOME="$root/cache" XDG_STATE_HOME="$root/state" XDG_RUNTIME_DIR="$root/runtime"
  export NO_AT_BRIDGE=1 TS_TESTENV_ROOT="$root" TS_TESTENV_INNER=1
  export GSETTINGS_BACKEND=memory
  # The bus must not know a display, or gnome-keyring may open a prompt and a store call hangs.
  unset DISPLAY WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS XAUTHORITY SSH_AUTH_SOCK
  unset GNOME_KEYRING_CONTROL SESSION_MANAGER XDG_SESSION_TYPE QT_QPA_PLATFORM
  rc=0
  # In the background so that Ctrl+C or a kill lands here, and everything the run started is
  # still ended below (it all carries the marker).
  dbus-run-session -- "$0" "$@" <&0 &
  trap 'interrupted=1' INT TERM
  wait $! || rc=$?
  [ -z "${interrupted:-}" ] || rc=130
  # A desktop portal woken on the private bus mounts its document store (FUSE) in the runtime
  # folder; what is still mounted there is unmounted, and a folder that cannot be removed is
  # reported, never turned into a failed run.
  unmount_under "$root"
  end_leftovers "$root"
  rm -rf "$root" 2>/dev/null || echo "test-env: could not remove $root" >&2
  exit "$rc"
fi

pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  unmount_under "$TS_TESTENV_ROOT"
}
trap cleanup EXIT

fail() { echo "test-env: $*" >&2; exit 1; }


# 1. Keyring: create and unlock the "login" collection, then wait until it owns the name.
echo -n throwaway | gnome-keyring-daemon --unlock --components=secrets >/dev/null 2>&1 ||
  fail "gnome-keyring-daemon did not start"
for _ in $(seq 1 1500); do
  if dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner string:org.freedesktop.secrets 2>/dev/null |
    grep -q "boolean true"; then
    keyring_ready=1
    break
  fi
  sleep 0.02
done
[ -n "${keyring_ready:-}" ] || fail "the Secret Service did not appear on the private bus"

# 2. X server on a free display.
displayfile="$TS_TESTENV_ROOT/display"
: >"$displayfile"
Xvfb -displayfd 7 -screen 0 1280x800x24 -nolisten tcp 7>"$displayfile" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 1 1500); do
  [ -s "$displayfile" ] && break
  sleep 0.02
done
[ -s "$displayfile" ] || fail "Xvfb did not start"
export DISPLAY=":$(tr -d '[:space:]' <"$displayfile")"
# The display number can be known a moment before the server takes connections.
for _ in $(seq 1 1500); do
  xprop -root -len 0 _NET_WM_NAME >/dev/null 2>&1 && break
  sleep 0.02
done

# 3. Window manager, for EWMH (active window, activation by process id). Right after a build on a
# loaded machine openbox can take several seconds; if it dies, its output tells why.
wmlog="$TS_TESTENV_ROOT/openbox.log"
for attempt in 1 2 3; do
  openbox --sm-disable >"$wmlog" 2>&1 &
  wm_pid=$!
  pids+=($wm_pid)
  for _ in $(seq 1 1500); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && wm_ready=1 && break
    kill -0 "$wm_pid" 2>/dev/null || break
    sleep 0.02
  done
  [ -n "${wm_ready:-}" ] && break
  kill "$wm_pid" 2>/dev/null || true
  echo "test-env: openbox attempt $attempt failed: $(tail -n 3 "$wmlog" | tr '\n' ' ')" >&2
done
[ -n "${wm_ready:-}" ] || fail "openbox did not start"

# 4. The accessibility bus, so tests can read the windows as a screen reader does. Only Qt
# programs started with QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 join it.
if [ -x /usr/libexec/at-spi-bus-launcher ]; then
  /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
  pids+=($!)
  for _ in $(seq 1 150); do
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
      org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null |
      grep -q "boolean true" && break
    sleep 0.02
  done
fi

# Sanitizer settings for the test build; leaks are checked in our own code only.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0:detect_stack_use_after_return=0}"
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$here/lsan.supp:print_suppressions=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

"$@"
