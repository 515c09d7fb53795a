# SPDX-License-Identifier: GPL-3.0-or-later
# Desktop tests: the real program on a real X server (Xvfb) with a window manager (openbox),
# driven by the keyboard and the mouse (xdotool) and judged as a person would judge it: the
# windows mapped, their place, size and title-bar buttons, what has the focus, the files on disk.
#
# A scenario is a bash script tests/desktop/<name>.test.sh that sources this file; CMake runs
# each one as a ctest test labelled "desktop" (ctest -L desktop), with QUADERNA_BIN (the folder of
# the built program) and DESK_OUT (a folder for its screenshots) set. Run one by hand with
#   QUADERNA_BIN=build/bin bash tests/desktop/login.test.sh
# Every step fails the scenario with a message and a screenshot (DESK_OUT/failure.png); the
# program's output is kept in DESK_OUT/program.log. Everything started is stopped at the end.
#
# Starting
#   desk_start [WxH]            Xvfb with one screen (default 1366x768), then openbox; a fresh
#                               data folder $DESK_DATA with the first-access password, a fresh
#                               $HOME and $XDG_RUNTIME_DIR under $DESK_TMP.
#   desk_app [ARGS...]          starts build/bin/quaderna --data-dir $DESK_DATA ARGS (scale with
#                               QT_SCALE_FACTOR=2 desk_app); its pid is $DESK_APP_PID.
#   desk_login [PASSWORD]       types the password (default QUADERNA) into the login window and
#                               Enter; waits for the launcher; its window id is $DESK_WIN.
#   desk_app_alive / desk_app_exited [SECONDS]   the program still runs / has ended (status in
#                               $DESK_APP_STATUS).
# Windows (TITLE is an extended regular expression on the window's title, e.g. "Archivio Libri$")
#   desk_wait TITLE [SECONDS]   waits until a window with that title is mapped (default 20 s);
#                               sets DESK_WIN to its id and prints it.
#   desk_wait_gone TITLE [S]    waits until no window with that title is mapped.
#   desk_windows                prints "id<TAB>title" of every mapped window the program shows.
#   desk_geometry WIN           sets DESK_X DESK_Y DESK_W DESK_H (the inside of the window, on the
#                               screen) and DESK_FL DESK_FR DESK_FT DESK_FB (the frame openbox
#                               draws around it: left, right, top, bottom).
#   desk_workarea               sets DESK_AX DESK_AY DESK_AW DESK_AH, the screen's available area.
#   desk_fits WIN               fails unless the window, frame included, lies inside that area.
#   desk_actions WIN            prints the window manager's allowed actions, one a line, short
#                               names: CLOSE MINIMIZE MAXIMIZE_HORZ MOVE RESIZE ...
#   desk_buttons WIN            prints the title-bar buttons openbox draws for the window, from
#                               those actions: "close", "minimize", "maximize", one a line.
#   desk_state WIN              prints the window's _NET_WM_STATE, short names (MAXIMIZED_VERT...).
# Keyboard and mouse
#   desk_activate WIN           raises the window and gives it the keyboard.
#   desk_type TEXT              types text into the window that has the keyboard.
#   desk_key KEY...             presses keys by their X names: Return Tab shift+Tab alt+F4 space.
#   desk_click WIN X Y [BUTTON] clicks at X,Y inside the window (default the left button).
#   desk_control WINDOW CONTROL [S]  waits until the program shows the control (object names:
#                               TfrmAvvio imgLibri) and sets DESK_CX DESK_CY DESK_CW DESK_CH, its
#                               place and size on the screen (the program writes them into
#                               $QUADERNA_CONTROLS_FILE a moment after a window shows or moves).
#   desk_click_control WINDOW CONTROL   clicks the middle of that control.
#   desk_wait_form WINDOW [S]   waits until the program shows that window (object name, e.g.
#                               TfrmLibri) and the window manager has mapped it; DESK_WIN is its id.
#   desk_wait_form_gone WINDOW [S]   waits until the program no longer shows it.
#   desk_focus                  prints "Window/control", the object names of the window and of
#                               the control that has the keyboard in the program (the program
#                               writes them into $QUADERNA_FOCUS_FILE at every change).
#   desk_wait_focus WANT [S]    waits until desk_focus prints WANT (a regular expression).
# Judging
#   desk_fail MESSAGE           fails now: the message, a screenshot, the end.
#   desk_check COND MESSAGE     `[[ COND ]]` or desk_fail MESSAGE, e.g.
#                               desk_check "$DESK_W -ge 800" "the window is too narrow"
#   desk_shot NAME              a screenshot of the whole screen into DESK_OUT/NAME.png.
#   desk_pass                   ends the scenario as passed (also implied at the end of the script).

# The DESK_ variables are read by the scenarios.
# shellcheck disable=SC2034
set -uo pipefail

DESK_BIN=${QUADERNA_BIN:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../../build/bin" 2>/dev/null && pwd)}
DESK_NAME=$(basename "${0%.test.sh}")
DESK_OUT=${DESK_OUT:-${TMPDIR:-/tmp}/quaderna-desktop/$DESK_NAME}
DESK_TMP=""
DESK_DATA=""
DESK_XVFB_PID=""
DESK_WM_PID=""
DESK_APP_PID=""
DESK_APP_STATUS=""
DESK_WIN=""
DESK_SCREEN=""

desk_log() { printf '[%s %3ds] %s\n' "$DESK_NAME" "$SECONDS" "$*" >&2; }

desk_shot() {
  [ -n "${DISPLAY:-}" ] && command -v import >/dev/null || return 0
  mkdir -p "$DESK_OUT"
  import -window root "$DESK_OUT/$1.png" 2>/dev/null && desk_log "screenshot: $DESK_OUT/$1.png"
}

desk_fail() {
  desk_log "FAILED: $*"
  if [ -n "${DISPLAY:-}" ]; then
    desk_log "windows on screen:"
    desk_windows 2>/dev/null | sed 's/^/    /' >&2
    desk_log "focus: $(desk_focus 2>/dev/null)"
  fi
  desk_shot failure
  if [ -f "$DESK_OUT/program.log" ] && [ -s "$DESK_OUT/program.log" ]; then
    desk_log "program output (last lines):"
    tail -n 20 "$DESK_OUT/program.log" | sed 's/^/    /' >&2
  fi
  exit 1
}

desk_check() {
  local cond=$1
  shift
  eval "[[ $cond ]]" || desk_fail "$*"
}

desk_pass() {
  desk_log "passed"
  exit 0
}

desk_stop() {
  local pid i
  for pid in "$DESK_APP_PID" "$DESK_WM_PID" "$DESK_XVFB_PID"; do
    [ -n "$pid" ] || continue
    kill "$pid" 2>/dev/null
    for i in $(seq 50); do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  [ -n "$DESK_TMP" ] && rm -rf "$DESK_TMP"
}
trap desk_stop EXIT

desk_need() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null ||
      { desk_log "FAILED: $tool is missing (install the test tools with scripts/deps.sh test)"; exit 1; }
  done
}

desk_start() {
  DESK_SCREEN=${1:-1366x768}
  desk_need Xvfb openbox xdotool xprop xwininfo
  [ -x "$DESK_BIN/quaderna" ] || desk_fail "no program at $DESK_BIN/quaderna (build it first)"
  mkdir -p "$DESK_OUT"
  rm -f "$DESK_OUT"/*.png "$DESK_OUT/program.log"
  DESK_TMP=$(mktemp -d "${TMPDIR:-/tmp}/quaderna-desk.XXXXXX")
  DESK_DATA=$DESK_TMP/data
  export HOME=$DESK_TMP/home XDG_RUNTIME_DIR=$DESK_TMP/run XDG_CONFIG_HOME=$DESK_TMP/home/.config
  mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$DESK_DATA"
  chmod 700 "$XDG_RUNTIME_DIR"
  "$DESK_BIN/quaderna-setup" "$DESK_DATA" >/dev/null || desk_fail "quaderna-setup could not prepare $DESK_DATA"
  # The program on the real X server, with no desktop theme of its own.
  export QT_QPA_PLATFORM=xcb
  unset QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE WAYLAND_DISPLAY
  export QUADERNA_FOCUS_FILE=$DESK_TMP/focus QUADERNA_CONTROLS_FILE=$DESK_TMP/controls
  # Xvfb picks a free display and writes its number on the descriptor given.
  local fifo=$DESK_TMP/display
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 "${DESK_SCREEN}x24" -nolisten tcp -noreset 3>"$fifo" 2>"$DESK_TMP/xvfb.log" &
  DESK_XVFB_PID=$!
  local number
  read -r -t 20 number <"$fifo" || desk_fail "Xvfb did not start: $(cat "$DESK_TMP/xvfb.log")"
  export DISPLAY=:$number
  openbox --sm-disable >"$DESK_TMP/openbox.log" 2>&1 &
  DESK_WM_PID=$!
  # openbox is ready when it has claimed the screen (_NET_SUPPORTING_WM_CHECK on the root).
  local i
  for i in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
  done
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' || desk_fail "openbox did not start"
  desk_log "screen $DESK_SCREEN on $DISPLAY"
}

desk_app() {
  "$DESK_BIN/quaderna" --data-dir "$DESK_DATA" "$@" >>"$DESK_OUT/program.log" 2>&1 &
  DESK_APP_PID=$!
  DESK_APP_STATUS=""
}

desk_app_alive() {
  kill -0 "$DESK_APP_PID" 2>/dev/null || desk_fail "the program has ended"
}

desk_app_exited() {
  local i
  for i in $(seq $((${1:-10} * 10))); do
    if ! kill -0 "$DESK_APP_PID" 2>/dev/null; then
      wait "$DESK_APP_PID"
      DESK_APP_STATUS=$?
      DESK_APP_PID=""
      return 0
    fi
    sleep 0.1
  done
  desk_fail "the program is still running"
}

desk_title_of() { xdotool getwindowname "$1" 2>/dev/null; }

# The program's mapped top-level windows (openbox's client list, viewable ones).
desk_windows() {
  local w
  for w in $(xprop -root _NET_CLIENT_LIST 2>/dev/null | sed -n 's/.*# //p' | tr -d ','); do
    xwininfo -id "$w" 2>/dev/null | grep -q 'Map State: IsViewable' || continue
    printf '%d\t%s\n' "$w" "$(desk_title_of "$w")"
  done
}

desk_find() {
  desk_windows | awk -F'\t' -v re="$1" '$2 ~ re { print $1; exit }'
}

desk_wait() {
  local title=$1 seconds=${2:-20} i w
  for i in $(seq $((seconds * 10))); do
    w=$(desk_find "$title")
    if [ -n "$w" ]; then
      DESK_WIN=$w
      echo "$w"
      return 0
    fi
    sleep 0.1
  done
  desk_fail "no window titled /$title/ within ${seconds}s"
}

desk_wait_gone() {
  local title=$1 seconds=${2:-20} i
  for i in $(seq $((seconds * 10))); do
    [ -z "$(desk_find "$title")" ] && return 0
    sleep 0.1
  done
  desk_fail "the window titled /$title/ is still on screen after ${seconds}s"
}

desk_geometry() {
  local info extents
  info=$(xwininfo -id "$1" 2>/dev/null) || desk_fail "window $1 is gone"
  DESK_X=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
  DESK_Y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
  DESK_W=$(sed -n 's/^ *Width: *//p' <<<"$info")
  DESK_H=$(sed -n 's/^ *Height: *//p' <<<"$info")
  extents=$(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= *//p' | tr -d ' ')
  IFS=, read -r DESK_FL DESK_FR DESK_FT DESK_FB <<<"${extents:-0,0,0,0}"
}

desk_workarea() {
  local area
  area=$(xprop -root _NET_WORKAREA 2>/dev/null | sed -n 's/.*= *//p' | tr -d ' ')
  IFS=, read -r DESK_AX DESK_AY DESK_AW DESK_AH _ <<<"$area"
  [ -n "$DESK_AW" ] || desk_fail "the window manager gives no work area"
}

desk_fits() {
  desk_geometry "$1"
  desk_workarea
  local left=$((DESK_X - DESK_FL)) top=$((DESK_Y - DESK_FT))
  local right=$((DESK_X + DESK_W + DESK_FR)) bottom=$((DESK_Y + DESK_H + DESK_FB))
  if ((left < DESK_AX || top < DESK_AY || right > DESK_AX + DESK_AW || bottom > DESK_AY + DESK_AH)); then
    desk_fail "\"$(desk_title_of "$1")\" (${left},${top} to ${right},${bottom} with its frame) does not fit" \
      "the screen's area (${DESK_AX},${DESK_AY} ${DESK_AW}x${DESK_AH})"
  fi
}

desk_actions() {
  xprop -id "$1" _NET_WM_ALLOWED_ACTIONS 2>/dev/null | sed -n 's/.*= *//p' | tr ',' '\n' |
    sed 's/^ *//; s/^_NET_WM_ACTION_//; s/^_OB_WM_ACTION_//' | grep -v '^$'
}

desk_buttons() {
  local actions
  actions=$(desk_actions "$1")
  grep -qx CLOSE <<<"$actions" && echo close
  grep -qx MINIMIZE <<<"$actions" && echo minimize
  grep -qx 'MAXIMIZE_HORZ\|MAXIMIZE_VERT' <<<"$actions" && echo maximize
  return 0
}

desk_state() {
  xprop -id "$1" _NET_WM_STATE 2>/dev/null | sed -n 's/.*= *//p' | tr ',' '\n' |
    sed 's/^ *//; s/^_NET_WM_STATE_//' | grep -v '^$'
  return 0
}

desk_activate() {
  xdotool windowactivate --sync "$1" >/dev/null 2>&1 || xdotool windowfocus --sync "$1" >/dev/null 2>&1
  local i
  for i in $(seq 50); do
    [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ] && return 0
    sleep 0.1
  done
  desk_fail "window \"$(desk_title_of "$1")\" does not take the keyboard"
}

desk_type() { xdotool type --delay 30 -- "$1"; }

desk_key() { xdotool key --delay 60 -- "$@"; }

desk_click() {
  xdotool mousemove --window "$1" "$2" "$3" sleep 0.1 click "${4:-1}"
}

desk_control() {
  local window=$1 control=$2 seconds=${3:-10} i line
  for i in $(seq $((seconds * 10))); do
    line=$(awk -F'\t' -v w="$window" -v c="$control" '$1 == w && $2 == c { print $3; exit }' \
      "$QUADERNA_CONTROLS_FILE" 2>/dev/null)
    if [ -n "$line" ]; then
      read -r DESK_CX DESK_CY DESK_CW DESK_CH <<<"$line"
      return 0
    fi
    sleep 0.1
  done
  desk_fail "no control $control of $window on screen within ${seconds}s"
}

desk_form_id() {
  awk -F'\t' -v w="$1" '$1 == w && $2 == "." { print $4; exit }' "$QUADERNA_CONTROLS_FILE" 2>/dev/null
}

desk_wait_form() {
  local window=$1 seconds=${2:-20} i id
  for i in $(seq $((seconds * 10))); do
    id=$(desk_form_id "$window")
    if [ -n "$id" ] && xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable'; then
      DESK_WIN=$id
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  desk_fail "the program shows no window $window within ${seconds}s"
}

desk_wait_form_gone() {
  local window=$1 seconds=${2:-20} i
  for i in $(seq $((seconds * 10))); do
    [ -z "$(desk_form_id "$window")" ] && return 0
    sleep 0.1
  done
  desk_fail "the window $window is still on screen after ${seconds}s"
}

desk_click_control() {
  desk_control "$1" "$2"
  xdotool mousemove $((DESK_CX + DESK_CW / 2)) $((DESK_CY + DESK_CH / 2)) sleep 0.1 click 1
}

desk_focus() { cat "$QUADERNA_FOCUS_FILE" 2>/dev/null; }

desk_wait_focus() {
  local want=$1 seconds=${2:-10} i
  for i in $(seq $((seconds * 10))); do
    [[ "$(desk_focus)" =~ ^($want)$ ]] && return 0
    sleep 0.1
  done
  desk_fail "the focus is on \"$(desk_focus)\", not on /$want/"
}

desk_login() {
  desk_wait ' Quaderna 3.0 - Autenticazione$' >/dev/null
  desk_activate "$DESK_WIN"
  desk_wait_focus 'TfrmPassword/txtPassword'
  desk_type "${1:-QUADERNA}"
  desk_key Return
  desk_wait '^ Quaderna 3.0$' >/dev/null
}
