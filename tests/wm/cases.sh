#!/usr/bin/env bash
# The explorer on a virtual X server under openbox, driven by real X input.
# Usage: cases.sh CASE KORVANTA DESKTOP-SUMMARY SAMPLE-MACRO-FOLDER KORVANTA-RENDER SCREEN-MATCHES
#                 CUT-DOCUMENT
set -euo pipefail
CASE=$1 KORVANTA=$2 SUMMARY=$3 MACROS=$4 RENDER=${5:-} SCREEN_MATCHES=${6:-} CUT_DOCUMENT=${7:-}
source "$(dirname "$0")/session.sh"

desktop_file() { echo "$XDG_DATA_HOME/korvanta/Korvanta.dsk"; }

# Checks Desktop (unchecked on a first start) and exits with Escape, saving the desktop.
exit_saving_desktop() {
  focus "$DIALOG"
  click_control 338 157
  focus "$DIALOG"
  press Escape
  wait_until 10 explorer_ended || fail "Escape did not end the program"
  [ -f "$(desktop_file)" ] || fail "no desktop was saved"
}

# Every render window's title and client rectangle, in a fixed order.
render_windows() {
  local id
  for id in $(xdotool search --onlyvisible --name "^Nimbrel's" | sort -n); do
    [ "$id" = "$DIALOG" ] && continue
    echo "$(xdotool getwindowname "$id") | $(client_of "$id")"
  done | sort
}

case_desktop_round_trip() {
  start_session 1280x1024
  start_explorer
  click_control 338 19  # Render
  wait_until 30 window_of "renderer ready" >/dev/null || fail "Render opened no picture"
  local render
  render=$(window_of "renderer ready")
  xdotool windowsize "$render" 260 180
  xdotool windowmove "$render" 300 150
  xdotool windowmove "$DIALOG" 600 500
  sleep 0.5
  local before dialog_before
  before=$(render_windows)
  dialog_before=$(client_of "$DIALOG")
  echo "saved: $before / dialog $dialog_before"
  exit_saving_desktop
  for round in 1 2; do
    start_explorer
    wait_until 10 window_of "renderer ready" >/dev/null || fail "round $round: the finished picture is not 'renderer ready': $(render_windows)"
    sleep 1
    local after
    after=$(render_windows)
    echo "round $round: $after / dialog $(client_of "$DIALOG")"
    [ "$after" = "$before" ] || fail "round $round: render window came back as '$after', was '$before'"
    [ "$(client_of "$DIALOG")" = "$dialog_before" ] || fail "round $round: control window moved"
    focus "$DIALOG"
    press Escape
    wait_until 10 explorer_ended || fail "round $round: no exit"
  done
}

# Saved on a large screen, restored on a small one: every window wholly on it.
case_desktop_smaller_screen() {
  start_session 1920x1080
  start_explorer
  click_control 338 19
  wait_until 30 window_of "renderer ready" >/dev/null || fail "Render opened no picture"
  local render
  render=$(window_of "renderer ready")
  xdotool windowsize "$render" 1100 800
  move_frame_to "$render" 700 200
  move_frame_to "$DIALOG" 1300 700
  echo "saved on 1920x1080: render $(frame_of "$render"), control window $(frame_of "$DIALOG")"
  exit_saving_desktop
  start_session 1024x768
  start_explorer
  local restored="^Nimbrel's( renderer ready)?\$"
  wait_until 10 window_of "$restored" >/dev/null || fail "no picture restored"
  sleep 1
  render=$(window_of "$restored")
  local id
  for id in "$render" "$DIALOG"; do
    echo "on 1024x768: $(xdotool getwindowname "$id"): $(frame_of "$id")"
    inside_screen $(frame_of "$id") 1024 768 || fail "$(xdotool getwindowname "$id") is not wholly on the screen"
  done
}

# The guide's first training card, chosen with the keyboard in the guide, and the other two
# samples from the command line, with the control window wherever openbox puts it.
check_sample() {
  local n=$1 summary
  summary=$("$SUMMARY" "$(desktop_file)")
  echo "sample $n: $summary"
  local windows
  windows=$(grep -c '^window' <<<"$summary" || true)
  case $n in
    1) [ "$windows" = 1 ] && grep -q '^window 0 formula=0 area=-2,2,-2,2 .* size=400x400' <<<"$summary" ||
         fail "sample 1 did not render the scene" ;;
    2) [ "$windows" = 2 ] || fail "sample 2 left $windows windows"
       awk '/^window 1/{split($4,a,"[=,]"); exit !(a[1] == "area" && a[2] > -2 && a[3] < 2 && a[4] > -2 && a[5] < 2 && a[3] - a[2] < 2)}' <<<"$summary" ||
         fail "sample 2 did not zoom" ;;
    3) [ "$windows" = 2 ] || fail "sample 3 left $windows windows"
       awk '/^window 1/{split($5,c,"[=,]"); exit !($3 == "formula=2" && c[1] == "c" && (c[2] != 0 || c[3] != 0))}' <<<"$summary" ||
         fail "sample 3 did not take C from a point" ;;
  esac
}

wait_for_playback() {
  sleep $(( $(macro_seconds "$1") + 3 ))
}

case_training_cards() {
  start_session 1280x1024
  start_explorer
  click_control 338 37  # Help...
  wait_until 10 window_of "^Korvanta Help\$" >/dev/null || fail "no help window"
  local help
  help=$(window_of "^Korvanta Help\$")
  sleep 0.5
  # The page has the keys: Tab goes to its first link, the card.
  focus "$help"
  press Tab Return
  wait_for_playback "$MACROS/Sample1.frm"
  check_sample_after_exit 1
  for n in 2 3; do
    rm -f "$(desktop_file)"
    start_explorer "$MACROS/Sample$n.frm"
    wait_for_playback "$MACROS/Sample$n.frm"
    check_sample_after_exit "$n"
  done
}

check_sample_after_exit() {
  exit_saving_desktop
  check_sample "$1"
}

# Ctrl+Pause (which X11 delivers as Break), Ctrl+Break, three Escapes and the window
# manager's close each end a playback that would otherwise hold the user off for weeks.
case_playback_ways_out() {
  start_session 1280x1024
  write_endless_macro "$WM_TMP/endless.frm"
  for way in ctrl+Pause ctrl+Break escapes close; do
    start_explorer "$WM_TMP/endless.frm"
    focus "$DIALOG"
    press Escape
    sleep 0.5
    explorer_running || fail "$way: an Escape reached the program while it played"
    case $way in
      escapes) press Escape Escape ;;  # the second and third in a row
      close) press alt+F4 ;;
      *) press "$way" ;;
    esac
    sleep 0.5
    explorer_running || fail "$way: the program ended instead of the playback"
    if [ $way = close ]; then press alt+F4; else press Escape; fi
    wait_until 10 explorer_ended || fail "$way did not end the playback"
    echo "$way: ended the playback"
  done
}

inside_screen() {
  local x=$1 y=$2 w=$3 h=$4 sw=$5 sh=$6
  [ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + w)) -le "$sw" ] && [ $((y + h)) -le "$sh" ]
}

case_help_on_screen() {
  local screen width height
  for screen in 1600x1200 1280x1024 1024x768; do
    width=${screen%x*} height=${screen#*x}
    start_session "$screen"
    help_on_screen_of "$width" "$height"
  done
}

help_on_screen_of() {
  local width=$1 height=$2
  for place in top-left centre bottom-right; do
    rm -rf "$XDG_DATA_HOME/korvanta"
    start_explorer
    [ $place = top-left ] && move_frame_to "$DIALOG" 0 0
    [ $place = bottom-right ] && move_frame_to "$DIALOG" $((width - 560)) $((height - 335))
    click_control 338 37
    wait_until 10 window_of "^Korvanta Help\$" >/dev/null || fail "no help window"
    sleep 1
    local help hx hy hw hh dx dy dw dh
    help=$(window_of "^Korvanta Help\$")
    read -r hx hy hw hh < <(frame_of "$help")
    read -r dx dy dw dh < <(frame_of "$DIALOG")
    echo "${width}x$height, $place: help $hx $hy $hw $hh, control window $dx $dy $dw $dh"
    inside_screen "$hx" "$hy" "$hw" "$hh" "$width" "$height" || fail "$place: the guide runs off the screen"
    if [ $place = top-left ]; then
      [ "$hx" -ge $((dx + dw)) ] || [ $((hy)) -ge $((dy + dh)) ] ||
        fail "$place: the guide lies under the control window"
    fi
    [ -n "$(xprop -id "$help" _NET_WM_ICON | grep -v 'not found')" ] || fail "the guide has no icon"
    focus "$DIALOG"
    press Escape
    wait_until 10 explorer_ended || fail "no exit"
  done
}

case_help_without_display() {
  local out
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$KORVANTA" --help) ||
    fail "--help without a display exited $?"
  grep -q -- "--version" <<<"$out" || fail "--help printed no options"
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$KORVANTA" --version) ||
    fail "--version without a display exited $?"
  grep -q '[0-9]' <<<"$out" || fail "--version printed no version"
}

# The render window that is ready shows on the screen, pixel for pixel, the picture
# korvanta-render made of the same parameters: the X server's pixels of its client area.
check_screen() {
  local what=$1 picture=$2 window
  wait_until 60 window_of "renderer ready" >/dev/null || fail "$what: no picture became ready"
  window=$(window_of "renderer ready")
  sleep 0.5  # the last repaint reaches the server
  local said
  said=$("$SCREEN_MATCHES" "$window" "$picture" "$WM_TMP/shot.png") ||
    fail "$what: the screen does not show the picture: $said"
  echo "$what: $said"
}

close_explorer() {
  focus "$DIALOG"
  press Escape
  wait_until 10 explorer_ended || fail "no exit"
}

# The control window out of the way of pictures that open at the screen's top-left corner.
explorer_aside() {
  start_explorer "$@"
  move_frame_to "$DIALOG" 1340 560
}

render_from_fields() {
  local what=$1 picture=$2
  explorer_aside "$picture"  # the PNG's parameters fill the fields
  click_control 338 19
  check_screen "$what" "$picture"
  close_explorer
}

case_screen_shows_picture() {
  start_session 1920x1200
  export KORVANTA_SEQUENTIAL=${1:-}
  local dir=$WM_TMP/pictures
  mkdir -p "$dir"
  "$RENDER" -q -o "$dir/start.png"
  "$RENDER" -q --size=640x480 --no-aspect -o "$dir/640.png"
  "$RENDER" -q --size=1200x1000 --area=-2.4,2.4,-2,2 -c "Blue Lagoon" -n 5000 -o "$dir/1200.png"
  printf 'Re: -1.759817130804847813610825010561798238243999999999999999999800\nIm: -0.012593310799749865383746631843264858450340000000000000000000\nZoom: 1e14\nIterations: 4036\n' >"$dir/1e14.kfr"
  "$RENDER" -q --location="$dir/1e14.kfr" --size=320x180 -o "$dir/deep.fra" -o "$dir/deep.png"
  "$CUT_DOCUMENT" "$dir/deep.fra" 77 "$dir/half.fra"

  explorer_aside
  click_control 338 19
  check_screen "start-up picture" "$dir/start.png"
  close_explorer
  render_from_fields "640 x 480" "$dir/640.png"
  render_from_fields "1200 x 1000" "$dir/1200.png"
  render_from_fields "deep picture" "$dir/deep.png"

  explorer_aside "$dir/deep.fra"
  check_screen "korvanta-render's document" "$dir/deep.png"
  close_explorer
  explorer_aside "$dir/half.fra"
  check_screen "resumed document" "$dir/deep.png"
  exit_saving_desktop
  start_explorer
  check_screen "restored desktop" "$dir/deep.png"
  close_explorer
}

# The explorer's own thread alone, pixel by pixel.
case_screen_shows_picture_one_worker() {
  case_screen_shows_picture 1
}

# Where a window stands among the window manager's clients, counted from the bottom.
stacking_place() {
  local ids
  ids=$(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/,//g')
  local i=0 id
  for id in $ids; do
    [ $((id)) -eq $(($1)) ] && { echo $i; return; }
    i=$((i + 1))
  done
  echo -1
}

# Save as from a render window, with On Top set (as on a first start): the dialog opens
# above the control window, not under it.
case_dialogs_above_control_window() {
  start_session 1280x1024
  start_explorer
  move_frame_to "$DIALOG" 100 100  # over most of the picture that opens at the top-left corner
  click_control 338 19
  wait_until 30 window_of "renderer ready" >/dev/null || fail "Render opened no picture"
  local render dialog
  render=$(window_of "renderer ready")
  xdotool mousemove --window "$render" 20 20 sleep 0.2 click 3
  sleep 0.5
  press Down Return
  wait_until 10 window_of "^Save As" >/dev/null || fail "no Save As dialog"
  dialog=$(window_of "^Save As")
  sleep 0.5
  local above below
  above=$(stacking_place "$dialog") below=$(stacking_place "$DIALOG")
  echo "stacking: Save As at $above, control window at $below"
  [ "$above" -gt "$below" ] || fail "the Save As dialog opened under the control window"
  press Escape
  wait_until 5 sh -c "! xdotool search --onlyvisible --name '^Save As' >/dev/null" || fail "Escape left the dialog open"
  close_explorer
}

"case_${CASE//-/_}"
echo "$CASE: passed"
