#!/usr/bin/env bash
# Drives the drop-down harness with xdotool on a virtual display: opens the popup with its button,
# closes it with Escape, opens it with Alt+Down, closes it with the footer's OK button, opens it
# again and closes it by a click on its form, and prints what the harness reported.
# Run from the repository: bash tests/manual/drive_dropdown.sh [build-dir]
set -euo pipefail
build=${1:-build}
exe="$build/tests/dropdown_harness"
[ -x "$exe" ] || { echo "build it first: TARGETS=dropdown_harness bash scripts/build.sh $build"; exit 1; }
out=$(mktemp)
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  "$0" > "$1" & pid=$!
  wait_for() { for _ in $(seq 50); do xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 && return 0; sleep 0.1; done; return 1; }
  wait_gone() { for _ in $(seq 50); do xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0; sleep 0.1; done; return 1; }
  wait_for DropDownHarness
  win=$(xdotool search --onlyvisible --name DropDownHarness | head -1)
  xdotool windowactivate --sync "$win" 2>/dev/null || xdotool windowfocus --sync "$win"
  # The drop-down button: the right end of the edit at (20, 20) 200 x 21.
  xdotool mousemove --window "$win" 210 30 click 1
  wait_for DropDownPopup && echo "popup opened by the button"
  xdotool key Escape
  wait_gone DropDownPopup && echo "popup closed by Escape"
  sleep 0.4
  xdotool mousemove --window "$win" 60 30 click 1
  xdotool key alt+Down
  wait_for DropDownPopup && echo "popup opened by Alt+Down"
  pop=$(xdotool search --onlyvisible --name DropDownPopup | head -1)
  eval "$(xdotool getwindowgeometry --shell "$pop")"
  echo "popup at $X,$Y size ${WIDTH}x${HEIGHT}"
  # The footer OK button: left end of the footer strip.
  xdotool mousemove --window "$pop" 12 $((HEIGHT - 11)) click 1
  wait_gone DropDownPopup && echo "popup closed by OK"
  sleep 0.4
  xdotool mousemove --window "$win" 210 30 click 1
  wait_for DropDownPopup && echo "popup opened by the button again"
  xdotool mousemove --window "$win" 300 150 click 1
  wait_gone DropDownPopup && echo "popup closed by a click on its form"
  kill $pid 2>/dev/null || true
' "$exe" "$out"
echo "--- harness reported:"
cat "$out"
rm -f "$out"
