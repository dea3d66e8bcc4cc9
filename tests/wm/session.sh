# Helpers for tests that run the explorer on a virtual X server under a real window manager
# (openbox) with real X input (XTEST, through xdotool). Sourced by cases.sh.

WM_TMP=$(mktemp -d /tmp/korvanta-wm-XXXXXX)
WM_PIDS=()

wm_cleanup() {
  local pid
  for pid in "${WM_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${WM_PIDS[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$WM_TMP"
}
trap wm_cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }

# Polls a command until it succeeds; false after `seconds`.
wait_until() {
  local seconds=$1; shift
  local end=$((SECONDS + seconds))
  until "$@" 2>/dev/null; do
    [ $SECONDS -lt $end ] || return 1
    sleep 0.1
  done
}

# Starts a virtual screen of SIZE (e.g. 1280x1024) with openbox on it; sets DISPLAY and a
# fresh home for the explorer's data.
start_session() {
  local size=${1:-1280x1024}
  rm -f "$WM_TMP/display"
  Xvfb -displayfd 7 -screen 0 "${size}x24" -nolisten tcp 7>"$WM_TMP/display" 2>"$WM_TMP/xvfb.log" &
  WM_PIDS+=($!)
  wait_until 10 test -s "$WM_TMP/display" || fail "Xvfb did not start: $(cat "$WM_TMP/xvfb.log")"
  export DISPLAY=":$(head -n1 "$WM_TMP/display")"
  openbox --sm-disable >"$WM_TMP/openbox.log" 2>&1 &
  WM_PIDS+=($!)
  wait_until 10 wm_ready || fail "openbox did not start: $(cat "$WM_TMP/openbox.log")"
  export XDG_DATA_HOME="$WM_TMP/data" XDG_CONFIG_HOME="$WM_TMP/config" XDG_CACHE_HOME="$WM_TMP/cache"
  export XDG_RUNTIME_DIR="$WM_TMP/runtime"
  mkdir -p "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
  unset QT_QPA_PLATFORM WAYLAND_DISPLAY
  export KORVANTA_SEQUENTIAL=
}

# Starts the explorer with ARGS and waits for the control window; sets KORVANTA_PID, DIALOG.
start_explorer() {
  "$KORVANTA" "$@" >>"$WM_TMP/korvanta.log" 2>&1 &
  KORVANTA_PID=$!
  WM_PIDS+=($KORVANTA_PID)
  wait_until 20 window_of "^Nimbrel's Fractal Renderer\$" >/dev/null || fail "no control window"
  DIALOG=$(window_of "^Nimbrel's Fractal Renderer\$")
  sleep 0.5  # the window manager's placement, the command-line file
}

explorer_running() { kill -0 "$KORVANTA_PID" 2>/dev/null; }
explorer_ended() { ! explorer_running; }

# The first shown window whose title matches REGEX.
window_of() {
  local id
  id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1)
  [ -n "$id" ] && echo "$id"
}
count_windows() { xdotool search --onlyvisible --name "$1" 2>/dev/null | wc -l; }

# "X Y W H" of a window's client area on the screen.
client_of() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
                           /^  Width/{w=$2} /^  Height/{h=$2} END{print x, y, w, h}'
}

# "X Y W H" of a window with the window manager's frame around it.
frame_of() {
  local x y w h l r t b
  read -r x y w h < <(client_of "$1")
  read -r l r t b < <(xprop -id "$1" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
  echo $((x - l)) $((y - t)) $((w + l + r)) $((h + t + b))
}

# Moves a window so that its frame's top-left corner stands at X Y.
move_frame_to() {
  local x y
  xdotool windowmove "$1" "$2" "$3"
  sleep 0.3
  read -r x y _ < <(frame_of "$1")
  xdotool windowmove "$1" $((2 * $2 - x)) $((2 * $3 - y))
  sleep 0.3
}

# A control of the control window by its place in dialog units (x, y of its centre): the
# explorer lays them out with fixed base units below the menu bar.
dialog_point() {
  local w h
  read -r _ _ w h < <(client_of "$DIALOG")
  local menu=$((h - 181 * 13 / 8))
  echo $(($1 * 6 / 4)) $(($2 * 13 / 8 + menu))
}

click_control() {
  local x y
  read -r x y < <(dialog_point "$1" "$2")
  xdotool mousemove --window "$DIALOG" "$x" "$y" sleep 0.2 click 1
  sleep 0.3
}

focus() { xdotool windowactivate --sync "$1" >/dev/null 2>&1 || true; sleep 0.2; }

press() { xdotool key --delay 80 "$@"; sleep 0.3; }

# A macro file's playing time in seconds, rounded up: the last event's time, halved.
macro_seconds() {
  local size last
  size=$(stat -c %s "$1")
  [ "$size" -ge 44 ] || { echo 0; return; }
  last=$(od -An -tu4 -j $((24 + (size - 24) / 20 * 20 - 8)) -N4 "$1" | tr -d ' ')
  echo $(((last / 2 + 999) / 1000))
}

# A macro of one mouse move due 0xFFFFFFF0 ms after the start: weeks of playing.
write_endless_macro() {
  { head -c 24 /dev/zero; printf '\x00\x02\x00\x00'; head -c 8 /dev/zero
    printf '\xf0\xff\xff\xff'; head -c 4 /dev/zero; } >"$1"
}
