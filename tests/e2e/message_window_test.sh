#!/usr/bin/env bash
# The message window of a message instance, seen from outside under Wine.
#
#   message_window_test.sh shown-and-ok | keys | text-cut | screenshot | snooze
#
# The message command line goes to wine as separate words: wine quotes a single argument
# that holds a blank, while the resident instance hands the line to the shell unquoted.
set -euo pipefail

case_name=${1:?which case}
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_setup "message_window.$case_name"

readonly caption=鳴刻メッセージ
readonly text_id=$IDC_MESSAGE_TEXT
readonly ok_id=$IDOK
readonly ws_popup_caption=$((0x80C00000))
readonly ws_ex_appwindow=$((0x00040000))
readonly es_center_readonly=$((0x0801))

# Starts a message instance and waits for its window; sets window, window_pid, wine_pid.
open_message_window() {
  local line=$1 words
  read -r -a words <<<"$line"
  e2e_start chimeday "$CHIMEDAY_EXE" "${words[@]}"
  wine_pid=$E2E_LAST_PID
  e2e_probe wait --class '#32770' --title "$caption" --visible --timeout 60000 ||
    e2e_fail "no message window for the line [$line]"
  window=$(e2e_value hwnd)
  window_pid=$(e2e_value pid)
}

expect_closed() {
  local how=$1
  e2e_probe wait-gone --hwnd "$window" --timeout 5000 ||
    e2e_fail "the message window is still there 5 s after $how"
  e2e_probe wait-exit --pid "$window_pid" --timeout 5000 ||
    e2e_fail "the message instance still runs 5 s after $how"
  e2e_wait_exit "$wine_pid" 10 || e2e_fail "wine still runs 10 s after $how"
}

case_shown_and_ok() {
  open_message_window "05,こんにちは 世界"
  e2e_assert_eq "$caption" "$(e2e_value caption)" "caption"
  e2e_assert_eq "#32770" "$(e2e_value class)" "class"
  e2e_assert_eq 1 "$(e2e_value visible)" "visible"

  e2e_probe screen || e2e_fail "no screen size"
  local screen_width screen_height
  screen_width=$(e2e_value screen_width)
  screen_height=$(e2e_value screen_height)

  e2e_probe info --hwnd "$window" || e2e_fail "the window went away"
  e2e_assert_eq 389x96 "$(e2e_value width)x$(e2e_value height)" "window size"
  e2e_assert_eq "$((screen_width / 2 - 145)),$((screen_height / 2 - 48))" \
    "$(e2e_value x),$(e2e_value y)" "window position on a ${screen_width}x$screen_height screen"
  e2e_assert_eq 0 "$(e2e_value sysmenu)" "WS_SYSMENU (no close box)"
  e2e_assert_eq "$ws_popup_caption" "$(($(e2e_value style) & ws_popup_caption))" \
    "WS_POPUP | WS_CAPTION in style $(e2e_value style)"
  e2e_assert_eq "$ws_ex_appwindow" "$(($(e2e_value exstyle) & ws_ex_appwindow))" \
    "WS_EX_APPWINDOW in exstyle $(e2e_value exstyle)"
  e2e_assert_eq 0x00000000 "$(e2e_value owner)" "owner (a taskbar button of its own)"

  e2e_probe control --hwnd "$window" --id "$text_id" || e2e_fail "no control $text_id"
  e2e_assert_eq "こんにちは 世界" "$(e2e_value text)" "text of control $text_id"
  e2e_assert_eq "$es_center_readonly" "$(($(e2e_value style) & es_center_readonly))" \
    "ES_CENTER | ES_READONLY in style $(e2e_value style)"

  e2e_probe control --hwnd "$window" --id "$ok_id" || e2e_fail "no OK button"
  e2e_assert_eq "OK,1,1" "$(e2e_value text),$(e2e_value enabled),$(e2e_value visible)" \
    "OK button text, enabled, visible"

  e2e_probe click --hwnd "$window" --id "$ok_id" || e2e_fail "cannot click OK"
  expect_closed "OK"
}

# "00": the window never closes by itself, so only the key can have closed it.
case_keys() {
  local key
  for key in ESCAPE RETURN; do
    open_message_window "00,key $key"
    e2e_probe key --hwnd "$window" --key "$key" || e2e_fail "cannot post $key"
    expect_closed "$key"
  done
}

# The first three characters go whatever they are, a double-byte one as a whole.
case_text_cut() {
  local line expected
  while IFS='|' read -r line expected; do
    open_message_window "$line"
    e2e_probe text --hwnd "$window" --id "$text_id" || e2e_fail "no control $text_id"
    e2e_assert_eq "$expected" "$(e2e_value text)" "text shown for the line [$line]"
    e2e_probe click --hwnd "$window" --id "$ok_id" || e2e_fail "cannot click OK"
    expect_closed "OK"
  done <<'EOF'
5,hello|ello
0あいう|う
05あいう|いう
03,a,b|a,b
05,|
EOF
}

# スヌーズ hides the window and brings it back a snooze later (the line's "a": one minute), in
# the same process, with its text; OK then closes it.
case_snooze() {
  open_message_window "01a起きて 朝です"
  e2e_probe control --hwnd "$window" --id "$IDC_SNOOZE" || e2e_fail "no スヌーズ button"
  e2e_assert_eq "スヌーズ,1,1" "$(e2e_value text),$(e2e_value enabled),$(e2e_value visible)" \
    "スヌーズ button text, enabled, visible"
  e2e_probe info --hwnd "$window" || e2e_fail "the window went away"
  e2e_assert_eq 389x96 "$(e2e_value width)x$(e2e_value height)" "window size with スヌーズ"
  e2e_expect_whole_layout "$window" "the message window"
  e2e_window_screenshot "$CHIMEDAY_BUILD_DIR/screenshots/message-window-snooze.png" "$window"
  e2e_probe click --hwnd "$window" --id "$IDC_SNOOZE" || e2e_fail "cannot click スヌーズ"
  local snoozed=$SECONDS
  e2e_probe wait-gone --hwnd "$window" --visible --timeout 5000 ||
    e2e_fail "the message window is still shown after スヌーズ"
  e2e_probe wait --hwnd "$window" --visible --timeout 90000 ||
    e2e_fail "the message window did not come back within 90 s"
  local after=$((SECONDS - snoozed))
  ((after >= 57 && after <= 65)) || e2e_fail "the window came back after $after s, not 60"
  e2e_assert_eq "$window_pid" "$(e2e_value pid)" "the process of the window that came back"
  e2e_probe text --hwnd "$window" --id "$text_id" || e2e_fail "no control $text_id"
  e2e_assert_eq "起きて 朝です" "$(e2e_value text)" "text after the snooze"
  e2e_probe click --hwnd "$window" --id "$ok_id" || e2e_fail "cannot click OK"
  expect_closed "OK after the snooze"
}

# Inside a Wine desktop with a taskbar, so that the picture looks like a desktop.
case_screenshot() {
  local shot="$CHIMEDAY_BUILD_DIR/screenshots/message-window.png"
  e2e_require_tool import
  e2e_require_tool identify
  e2e_start desktop explorer /desktop=chimeday,1024x768 "$(e2e_windows_path "$CHIMEDAY_EXE")" \
    "03,あれから３分です！"
  wine_pid=$E2E_LAST_PID
  e2e_probe wait --desktop chimeday --class '#32770' --title "$caption" --visible \
    --timeout 60000 || e2e_fail "no message window in the Wine desktop"
  window=$(e2e_value hwnd)
  window_pid=$(e2e_value pid)
  e2e_probe text --desktop chimeday --hwnd "$window" --id "$text_id" || e2e_fail "no text"
  e2e_assert_eq "あれから３分です！" "$(e2e_value text)" "text in the Wine desktop"
  # Let the taskbar catch up with the new window before the picture.
  sleep 1
  E2E_PROBE_DESKTOP=chimeday e2e_screenshot "$shot" "$window"
  e2e_assert_eq "1024x768" "$(identify -format '%wx%h' "$shot")" "screenshot size"
  e2e_keep_desktop
  e2e_probe click --desktop chimeday --hwnd "$window" --id "$ok_id" || e2e_fail "cannot click OK"
  e2e_probe wait-gone --desktop chimeday --hwnd "$window" --timeout 5000 ||
    e2e_fail "the message window is still there 5 s after OK"
  e2e_probe wait-exit --pid "$window_pid" --timeout 5000 ||
    e2e_fail "the message instance still runs 5 s after OK"
}

case "$case_name" in
  shown-and-ok) case_shown_and_ok ;;
  keys) case_keys ;;
  text-cut) case_text_cut ;;
  screenshot) case_screenshot ;;
  snooze) case_snooze ;;
  *) e2e_fail "unknown case $case_name" ;;
esac
e2e_finish "message_window.$case_name"
