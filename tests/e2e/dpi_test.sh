#!/usr/bin/env bash
# The program on a screen at 150 % (144 DPI), in a Wine prefix of its own: the message window
# scales its own pixel sizes, and every window's controls stay inside it without overlapping.
# And at 96 DPI, windows told that their monitor's DPI changed, as when they are taken to
# another monitor, which Wine cannot do itself.
#
#   dpi_test.sh high-dpi | dpi-change
set -euo pipefail

case_name=${1:?which case}
if [ "$case_name" = high-dpi ]; then E2E_DPI=144; fi
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_setup "dpi.$case_name"

readonly program_folder="$E2E_DIR/program"
readonly screenshots="$CHIMEDAY_BUILD_DIR/screenshots"
readonly message_caption=鳴刻メッセージ
readonly settings_caption=鳴刻設定
readonly editor_caption=予約内容
readonly new_button=$IDC_NEW_RESERVATION

# Starts the resident program on a profile of one reservation and opens its settings; the
# probe's last output is the settings dialog's.
open_settings() {
  printf '[DATA0]\nMonth=0\nDay=15\nHour=7\nMinute=5\nAction=3\nMessage=お昼です\n' |
    e2e_write_profile "$program_folder/chimeday.ini" 32 1
  e2e_start_resident "$program_folder"
  e2e_probe command --hwnd "$E2E_FRAME" --id "$ID_SETTINGS" ||
    e2e_fail "cannot post the settings command"
  e2e_probe wait --title "$settings_caption" --visible --timeout 10000 || e2e_fail "no settings"
}

case_high_dpi() {
  e2e_start message "$CHIMEDAY_EXE" "05,高い解像度でも全部見えます"
  e2e_probe wait --class '#32770' --title "$message_caption" --visible --timeout 20000 ||
    e2e_fail "no message window"
  local message
  message=$(e2e_value hwnd)
  e2e_probe screen || e2e_fail "no screen size"
  local screen_width screen_height
  screen_width=$(e2e_value screen_width)
  screen_height=$(e2e_value screen_height)
  e2e_probe info --hwnd "$message" || e2e_fail "the message window went away"
  e2e_assert_eq 584x144 "$(e2e_value width)x$(e2e_value height)" "message window size at 144 DPI"
  e2e_assert_eq "$((screen_width / 2 - 218)),$((screen_height / 2 - 72))" \
    "$(e2e_value x),$(e2e_value y)" "message window position at 144 DPI"
  e2e_expect_whole_layout "$message" "the message window"
  e2e_screenshot "$screenshots/message-window-144dpi.png"
  e2e_press "$message" "$IDOK" "the message window"

  open_settings
  local settings
  settings=$(e2e_value hwnd)
  e2e_expect_whole_layout "$settings" "the settings dialog"
  e2e_screenshot "$screenshots/settings-144dpi.png"

  e2e_probe click --hwnd "$settings" --id "$IDC_DAYS_OFF" || e2e_fail "cannot press 休日..."
  e2e_probe wait --title 休日 --visible --timeout 10000 || e2e_fail "no days-off dialog"
  local days_off
  days_off=$(e2e_value hwnd)
  e2e_expect_whole_layout "$days_off" "the days-off dialog"
  e2e_window_screenshot "$screenshots/days-off-144dpi.png" "$days_off"
  e2e_press "$days_off" "$IDCANCEL" "the days-off dialog"

  e2e_probe click --hwnd "$settings" --id "$new_button" || e2e_fail "cannot press New"
  e2e_probe wait --title "$editor_caption" --visible --timeout 10000 || e2e_fail "no editor"
  local editor
  editor=$(e2e_value hwnd)
  e2e_expect_whole_layout "$editor" "the reservation editor"
  # The tallest window: a part beyond the screen's edge, its caption or its OK, is out of reach.
  e2e_probe info --hwnd "$editor" || e2e_fail "the editor went away"
  e2e_assert_eq "0 0" "$(($(e2e_value y) < 0)) $(($(e2e_value y) + $(e2e_value height) > screen_height))" \
    "the reservation editor (y $(e2e_value y), height $(e2e_value height)) above and below the screen"
  e2e_screenshot "$screenshots/editor-144dpi.png"
  e2e_press "$editor" "$IDCANCEL" "the reservation editor"
  e2e_press "$settings" "$IDCANCEL" "the settings dialog"

  local timer
  open_timer_dialog
  e2e_expect_whole_layout "$timer" "the timer dialog"
  e2e_window_screenshot "$screenshots/timer-144dpi.png" "$timer"
  e2e_press "$timer" "$IDCANCEL" "the timer dialog"
  e2e_close_resident
}

# Opens the timer dialog by the frame's command; sets timer, and leaves its size to e2e_value.
open_timer_dialog() {
  e2e_probe command --hwnd "$E2E_FRAME" --id "$ID_TIMER_RESERVATION" ||
    e2e_fail "cannot post the timer command"
  e2e_probe wait --title タイマー --visible --timeout 10000 || e2e_fail "no timer dialog"
  timer=$(e2e_value hwnd)
}

# Tells WINDOW that its DPI is DPI with the rectangle X Y WIDTH HEIGHT, then checks that it
# took that rectangle, that CONTROL's width followed within the pixel that the rounding of its
# two edges may take, and that its controls still lie inside and apart.
expect_dpi_change() {
  local window=$1 control=$2 dpi=$3 x=$4 y=$5 width=$6 height=$7 what=$8 control_before
  e2e_probe control --hwnd "$window" --id "$control" || e2e_fail "no control $control in $what"
  control_before=$(e2e_value width)
  e2e_probe dpi-changed --hwnd "$window" --dpi "$dpi" --x "$x" --y "$y" --width "$width" \
    --height "$height" || e2e_fail "$what did not take WM_DPICHANGED"
  e2e_probe info --hwnd "$window" || e2e_fail "$what went away"
  e2e_assert_eq "$x,$y ${width}x$height" \
    "$(e2e_value x),$(e2e_value y) $(e2e_value width)x$(e2e_value height)" "$what at $dpi DPI"
  e2e_probe control --hwnd "$window" --id "$control" || e2e_fail "no control $control in $what"
  local error
  error=$(($(e2e_value width) * last_dpi - control_before * dpi))
  e2e_assert_eq 1 "$((error * error <= last_dpi * last_dpi))" \
    "width of control $control of $what, $control_before at $last_dpi DPI: $(e2e_value width) at $dpi"
  e2e_expect_whole_layout "$window" "$what at $dpi DPI"
  last_dpi=$dpi
}

case_dpi_change() {
  local last_dpi=96
  e2e_start message "$CHIMEDAY_EXE" "05,別の画面へ移ります"
  e2e_probe wait --class '#32770' --title "$message_caption" --visible --timeout 20000 ||
    e2e_fail "no message window"
  local message
  message=$(e2e_value hwnd)
  e2e_probe info --hwnd "$message" || e2e_fail "the message window went away"
  e2e_assert_eq 389x96 "$(e2e_value width)x$(e2e_value height)" "message window size at 96 DPI"
  expect_dpi_change "$message" "$IDOK" 144 100 120 584 144 "the message window"
  e2e_window_screenshot "$screenshots/message-window-dpi-changed.png" "$message"
  e2e_press "$message" "$IDOK" "the message window"

  open_settings
  local settings x y width height
  settings=$(e2e_value hwnd)
  x=$(e2e_value x) y=$(e2e_value y) width=$(e2e_value width) height=$(e2e_value height)
  last_dpi=96
  expect_dpi_change "$settings" "$IDOK" 144 0 0 $((width * 3 / 2)) $((height * 3 / 2)) \
    "the settings dialog"
  e2e_window_screenshot "$screenshots/settings-dpi-changed.png" "$settings"
  # Back on the first monitor it is as it was.
  expect_dpi_change "$settings" "$IDOK" 96 "$x" "$y" "$width" "$height" "the settings dialog"

  e2e_probe click --hwnd "$settings" --id "$new_button" || e2e_fail "cannot press New"
  e2e_probe wait --title "$editor_caption" --visible --timeout 10000 || e2e_fail "no editor"
  local editor
  editor=$(e2e_value hwnd)
  expect_dpi_change "$editor" "$IDOK" 144 0 0 $(($(e2e_value width) * 3 / 2)) \
    $(($(e2e_value height) * 3 / 2)) "the reservation editor"
  e2e_window_screenshot "$screenshots/editor-dpi-changed.png" "$editor"
  e2e_press "$editor" "$IDCANCEL" "the reservation editor"
  e2e_press "$settings" "$IDCANCEL" "the settings dialog"

  local timer
  open_timer_dialog
  last_dpi=96
  expect_dpi_change "$timer" "$IDC_TIMER_MESSAGE" 144 0 0 $(($(e2e_value width) * 3 / 2)) \
    $(($(e2e_value height) * 3 / 2)) "the timer dialog"
  e2e_window_screenshot "$screenshots/timer-dpi-changed.png" "$timer"
  e2e_press "$timer" "$IDCANCEL" "the timer dialog"

  # The hidden frame loads the icon's image again at the new size; the icon stays.
  e2e_probe message --hwnd "$E2E_FRAME" --msg 0x2e0 --wparam 0x900090 --send ||
    e2e_fail "the frame did not take WM_DPICHANGED"
  e2e_probe tray-icon --hwnd "$E2E_FRAME" --timeout 10000 || e2e_fail "cannot ask the shell"
  e2e_assert_eq 1 "$(e2e_value present)" "tray icon after the frame's DPI changed"
  e2e_close_resident
}

case $case_name in
  high-dpi) case_high_dpi ;;
  dpi-change) case_dpi_change ;;
  *) e2e_fail "unknown case $case_name" ;;
esac
e2e_finish "dpi.$case_name"
