# Sourced: starts Xvfb on a display it picks itself (a guessed number may be another user's)
# and waits until it accepts clients.
# shellcheck shell=bash

# start_virtual_display DIR: sets DISPLAY and VIRTUAL_DISPLAY_PID, Xvfb's output in DIR/xvfb.log.
# Answers 1 with a reason on stderr when Xvfb ends or gives no display within 10 s.
start_virtual_display() {
  local dir=$1 display_file="$1/display" i
  : >"$display_file"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" \
    </dev/null >"$dir/xvfb.log" 2>&1 &
  VIRTUAL_DISPLAY_PID=$!
  for ((i = 0; i < 100; i++)); do
    if [ -s "$display_file" ]; then
      DISPLAY=":$(head -n 1 "$display_file")"
      export DISPLAY
      return 0
    fi
    if ! kill -0 "$VIRTUAL_DISPLAY_PID" 2>/dev/null; then
      echo "Xvfb did not start" >&2
      return 1
    fi
    sleep 0.1
  done
  echo "Xvfb gave no display within 10 s" >&2
  return 1
}
