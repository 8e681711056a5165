#!/usr/bin/env bash
# The settings dialog and the reservation editor of the resident program under Wine, opened
# through the frame's settings command and checked through the probe, the profile and the
# registry.
#
#   settings_test.sh rows | new | sound | change-delete | cd-question | options | busy | days-off
set -euo pipefail

case_name=${1:?which case}
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_setup "settings.$case_name"

# Where a user would unpack it, so that the editor's default path in the pictures is a user's.
# Wine spells its own folder of users in lower case and names a file as it stands on disk.
readonly program_folder="$WINEPREFIX/drive_c/Users/taro/chimeday"
rm -rf "$program_folder"
readonly ini="$program_folder/chimeday.ini"
readonly screenshots="$CHIMEDAY_BUILD_DIR/screenshots"
readonly settings_caption=鳴刻設定
readonly editor_caption=予約内容
# Arithmetic, so that shellcheck knows these for numbers.
readonly list=$((IDC_RESERVATION_LIST)) new_button=$((IDC_NEW_RESERVATION))
readonly change_button=$((IDC_CHANGE_RESERVATION)) delete_button=$((IDC_DELETE_RESERVATION))
readonly no_error_box=$((IDC_NO_ERROR)) autostart_box=$((IDC_AUTOSTART)) wake_box=$((IDC_WAKE))
readonly monthly=$((IDC_MONTHLY)) daily=$((IDC_DAILY)) weekly=$((IDC_WEEKLY))
readonly full_date=$((IDC_FULL_DATE)) erase_box=$((IDC_ERASE))
readonly month_combo=$((IDC_MONTH)) day_combo=$((IDC_DAY))
readonly hour_combo=$((IDC_HOUR)) minute_combo=$((IDC_MINUTE))
readonly action_cd=$((IDC_ACTION_CD)) action_file=$((IDC_ACTION_FILE))
readonly action_message=$((IDC_ACTION_MESSAGE)) action_off=$((IDC_ACTION_OFF))
readonly file_edit=$((IDC_FILE_NAME)) browse_button=$((IDC_BROWSE))
readonly drive_combo=$((IDC_DRIVE)) message_edit=$((IDC_MESSAGE_TEXT))
readonly duration_combo=$((IDC_DURATION)) delete_question=$((IDC_DELETE_QUESTION))
readonly action_sound=$((IDC_ACTION_SOUND)) sound_edit=$((IDC_SOUND_FILE))
readonly sound_browse=$((IDC_SOUND_BROWSE))
readonly holiday_box=$((IDC_SKIP_HOLIDAY)) repeat_box=$((IDC_REPEAT))
readonly repeat_interval=$((IDC_REPEAT_INTERVAL)) until_hour=$((IDC_REPEAT_UNTIL_HOUR))
readonly until_minute=$((IDC_REPEAT_UNTIL_MINUTE)) sunday=$((IDC_SUNDAY))
readonly days_off_button=$((IDC_DAYS_OFF)) days_off_list=$((IDC_DAY_OFF_LIST))
readonly day_off_year=$((IDC_DAY_OFF_YEAR)) day_off_month=$((IDC_DAY_OFF_MONTH))
readonly day_off_day=$((IDC_DAY_OFF_DAY)) add_day_off=$((IDC_ADD_DAY_OFF))
readonly delete_day_off=$((IDC_DELETE_DAY_OFF))
# The file name's box of Windows' own file dialog.
readonly file_dialog_name=1148
readonly lvm_setselectionmark=$((0x1043)) wm_char=$((0x102))
readonly run_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
readonly user_run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'

# Opens the settings through the frame's command; sets settings to the dialog's window.
open_settings() {
  e2e_probe command --hwnd "$E2E_FRAME" --id "$ID_SETTINGS" ||
    e2e_fail "cannot post the settings command"
  e2e_probe wait --title "$settings_caption" --visible --timeout 10000 || e2e_fail "no settings"
  settings=$(e2e_value hwnd)
}

# Presses a settings button that opens the editor; sets editor to the editor's window.
open_editor() {
  local button=$1
  e2e_probe click --hwnd "$settings" --id "$button" || e2e_fail "cannot press $button"
  e2e_probe wait --title "$editor_caption" --visible --timeout 10000 ||
    e2e_fail "no editor after button $button"
  editor=$(e2e_value hwnd)
}

# Waits until the thread of WINDOW has done what came before: it answers a sent message
# only from a message loop. A dialog's caller goes on after the dialog has gone (the settings
# refill the list after the editor, the frame writes the profile after the settings), so
# that the window is gone says nothing of that work yet.
settle() {
  e2e_probe message --hwnd "$1" --msg "$WM_NULL" --send || e2e_fail "$2 does not answer"
}

# Reads the settings list, once the settings have refilled it; its rows are then read with
# row R C.
read_list() {
  settle "$settings" "the settings dialog"
  e2e_probe list --hwnd "$settings" --id "$list" || e2e_fail "cannot read the list"
}

# Presses OK in the settings and waits until the frame has written the profile.
press_settings_ok() {
  e2e_press "$settings" "$IDOK" "the settings dialog"
  settle "$E2E_FRAME" "the frame"
}
row() { e2e_value "row$1_$2"; }

# KEY (enabled, checked, visible) of each control, a blank between them.
control_values() {
  local key=$1 window=$2 id values=()
  shift 2
  for id in "$@"; do
    e2e_probe control --hwnd "$window" --id "$id" || e2e_fail "no control $id"
    values+=("$(e2e_value "$key")")
  done
  echo "${values[*]}"
}
enabled_states() { control_values enabled "$@"; }
checked_states() { control_values checked "$@"; }

combo_selection() {
  e2e_probe control --hwnd "$1" --id "$2" || e2e_fail "no combo box $2"
  e2e_value selection
}

# Waits for a yes/no question of the editor and answers it; ANSWER is IDYES or IDNO.
answer_question() {
  local caption=$1 text=$2 answer=$3 box
  e2e_probe box --title "$caption" --visible --timeout 5000 || e2e_fail "no question $caption"
  box=$(e2e_value hwnd)
  e2e_assert_eq "$text" "$(e2e_value text)" "text of the question $caption"
  # Yes and No, in the words of the system's language.
  e2e_assert_eq 2 "$(e2e_value buttons | awk -F'|' '{ print NF }')" \
    "buttons of the question $caption: $(e2e_value buttons)"
  e2e_press "$box" "$answer" "the question $caption"
}

# What ends the line that starts with TEXT in FILE: CR, CRLF, LF, nothing, or <absent>.
line_end() {
  local text rest
  text=$(LC_ALL=C tr '\r\n' '\1\2' <"$1")
  [[ $text == *"$2"* ]] || { echo "<absent>"; return 0; }
  rest=${text#*"$2"}
  case $rest in
    $'\1\2'*) echo CRLF ;;
    $'\1'*) echo CR ;;
    $'\2'*) echo LF ;;
    *) echo nothing ;;
  esac
}

# The first profile has its lines ended by CR alone, as old Mac editors write.
case_rows() {
  e2e_write_profile "$ini" 6 1 <<'EOF_PROFILE'
[DATA0]
Month=4
Day=1
Hour=7
Minute=0
Action=1
Drive=5
Track=1
Time=1
Erace=1
[DATA1]
Month=0
Day=9
Week=2
Hour=8
Minute=30
Action=2
FileName=C:\予定\a.bat
Command=open
[DATA2]
Month=13
[DATA3]
Month=0
Day=0
Hour=12
Minute=0
Action=3
Message=お昼です
Time=1
[DATA4]
Month=0
Day=15
Hour=18
Minute=30
Action=0
[WINDOW]
Left=10
Top=20
EOF_PROFILE
  tr -d '\n' <"$ini" >"$E2E_DIR/cr.ini"
  mv "$E2E_DIR/cr.ini" "$ini"
  e2e_start_resident "$program_folder"
  open_settings
  e2e_probe info --hwnd "$settings" || e2e_fail "the settings dialog went away"
  # Owned by the hidden frame: no taskbar button of its own.
  e2e_assert_eq "$E2E_FRAME" "$(e2e_value owner)" "owner of the settings dialog"
  read_list
  e2e_assert_eq 4 "$(e2e_value rows)" "rows for four reservations around an empty slot"
  e2e_assert_eq "04月01日07時00分から1分間|CD再生|Eドライブ トラック01|する" \
    "$(row 0 0)|$(row 0 1)|$(row 0 2)|$(row 0 3)" "row 0: a full-date CD reservation"
  e2e_assert_eq "毎週月曜日08時30分から任意|ファイル実行|C:\\予定\\a.bat /open|しない" \
    "$(row 1 0)|$(row 1 1)|$(row 1 2)|$(row 1 3)" "row 1: a weekly file with a verb"
  e2e_assert_eq "毎日12時00分から1分間|メッセージ表示|お昼です|しない" \
    "$(row 2 0)|$(row 2 1)|$(row 2 2)|$(row 2 3)" "row 2: a daily message"
  e2e_assert_eq "毎月15日18時30分から任意|OFF||しない" \
    "$(row 3 0)|$(row 3 1)|$(row 3 2)|$(row 3 3)" "row 3: a monthly OFF reservation"
  e2e_assert_eq "0 0" "$(e2e_value selection_mark) $(e2e_value selected)" "selected row"
  e2e_assert_eq "1 1 1" "$(enabled_states "$settings" $new_button $change_button $delete_button)" \
    "New, Change and Delete with four of six slots used"
  e2e_screenshot "$screenshots/settings.png" "$settings"
  # Typing 毎 selects the next row whose first cell begins with it.
  e2e_probe message --hwnd "$settings" --id "$list" --msg "$wm_char" --wparam $((0x6BCE)) \
    --lparam 1 --send || e2e_fail "cannot type into the list"
  read_list
  e2e_assert_eq "1 1" "$(e2e_value selection_mark) $(e2e_value selected)" "row selected by typing"
  e2e_press "$settings" "$IDCANCEL" "the settings dialog"
  e2e_close_resident
  e2e_assert_eq "CR CR" "$(line_end "$ini" Left=10) $(line_end "$ini" Top=20)" \
    "line ends of [WINDOW], which the program does not own, after the close"

  # One slot, used: nothing is free for New. The profile is read-only: OK says it cannot be
  # saved, NoError 1 notwithstanding, and neither OK nor the close replaces it.
  printf '[DATA0]\nMonth=1\n' | e2e_write_profile "$ini" 1 1
  chmod a-w "$ini"
  cp "$ini" "$E2E_DIR/read-only.ini"
  e2e_start_resident "$program_folder"
  open_settings
  e2e_assert_eq "0 1 1" "$(enabled_states "$settings" $new_button $change_button $delete_button)" \
    "New, Change and Delete with every slot used"
  e2e_probe click --hwnd "$settings" --id "$IDOK" || e2e_fail "cannot press OK in the settings"
  e2e_expect_error_box "$(printf '設定を保存できませんでした。\n%s' "$(e2e_windows_path "$ini")")" \
    "OK with a read-only profile" --pid "$E2E_FRAME_PID"
  e2e_press "$E2E_BOX" "$IDOK" "the box of a failed save"
  e2e_probe wait-gone --hwnd "$settings" --timeout 5000 || e2e_fail "the settings stay after OK"
  e2e_close_resident
  e2e_assert_same_file "$E2E_DIR/read-only.ini" "$ini" "read-only profile after OK and close"
  [ ! -e "$ini.tmp" ] || e2e_fail "chimeday.ini.tmp was left beside a read-only profile"

  rm -f "$ini"
  e2e_start_resident "$program_folder"
  open_settings
  read_list
  e2e_assert_eq "0 -1 " "$(e2e_value rows) $(e2e_value selection_mark) $(e2e_value selected)" \
    "rows and selection of an empty table"
  e2e_assert_eq "1 0 0" "$(enabled_states "$settings" $new_button $change_button $delete_button)" \
    "New, Change and Delete with an empty table"
  e2e_press "$settings" "$IDCANCEL" "the settings dialog"
  e2e_close_resident
}

case_new() {
  e2e_start_resident "$program_folder"
  open_settings
  open_editor $new_button
  e2e_probe info --hwnd "$editor" || e2e_fail "the editor went away"
  e2e_assert_eq "$settings" "$(e2e_value owner)" "owner of the editor"
  e2e_probe clock || e2e_fail "no clock"
  local month day
  month=$(e2e_value month)
  day=$(e2e_value day)
  e2e_assert_eq "0 0 0 1" "$(checked_states "$editor" $monthly $daily $weekly $full_date)" \
    "schedule mode of a new reservation"
  e2e_assert_eq "1 0 0 1" "$(checked_states "$editor" $action_cd $action_message $action_off \
    $erase_box)" "CD, message, OFF and erase of a new reservation"
  e2e_assert_eq "$((month - 1)) $((day - 1))" \
    "$(combo_selection "$editor" $month_combo) $(combo_selection "$editor" $day_combo)" \
    "month and day of a new reservation: today"
  e2e_window_screenshot "$screenshots/editor-full-date.png" "$editor"

  local mode
  for mode in monthly weekly daily; do
    e2e_probe click --hwnd "$editor" --id "${!mode}" --send || e2e_fail "cannot choose $mode"
    # Painting follows the click with nothing to wait for.
    sleep 0.3
    e2e_screenshot "$screenshots/editor-$mode.png"
  done
  e2e_probe control --hwnd "$editor" --id $month_combo || e2e_fail "no month combo"
  e2e_assert_eq 0 "$(e2e_value visible)" "month combo in the daily mode"

  # A file named outside code page 932, chosen with 参照 or dropped, is taken by its short
  # name. One that has none is refused with a box: under Wine every file there is has one,
  # so the file is gone.
  local files="$E2E_DIR/files" chosen dropped short_name file_dialog
  mkdir -p "$files"
  : >"$files/Zoë ✓.txt"
  : >"$files/Zoë ✓ 参照.txt"
  chosen=$(e2e_windows_path "$files/Zoë ✓ 参照.txt")
  dropped=$(e2e_windows_path "$files/Zoë ✓.txt")
  e2e_probe click --hwnd "$editor" --id $action_file --send || e2e_fail "cannot choose the file"
  e2e_probe click --hwnd "$editor" --id $browse_button || e2e_fail "cannot press 参照"
  e2e_probe wait --title 実行ファイル参照 --visible --timeout 10000 || e2e_fail "no file dialog"
  file_dialog=$(e2e_value hwnd)
  e2e_probe set-text --hwnd "$file_dialog" --id $file_dialog_name --text "$chosen" ||
    e2e_fail "cannot type the file's name"
  e2e_press "$file_dialog" "$IDOK" "the file dialog"
  e2e_probe path --file "$chosen" || e2e_fail "cannot ask for a short name"
  short_name=$(e2e_value short)
  [[ $short_name == *'~'* ]] || e2e_fail "Wine gave '$short_name' as the short name of $chosen"
  e2e_probe text --hwnd "$editor" --id $file_edit || e2e_fail "no file name"
  e2e_assert_eq "$short_name" "$(e2e_value text)" "a file named outside code page 932 by 参照"

  e2e_probe path --file "$dropped" || e2e_fail "cannot ask for a short name"
  short_name=$(e2e_value short)
  [[ $short_name == *'~'* ]] || e2e_fail "Wine gave '$short_name' as the short name of $dropped"
  e2e_probe drop --hwnd "$editor" --id $file_edit --file "$dropped" --send ||
    e2e_fail "cannot drop a file on the editor"
  e2e_probe text --hwnd "$editor" --id $file_edit || e2e_fail "no file name"
  e2e_assert_eq "$short_name" "$(e2e_value text)" "a dropped file named outside code page 932"
  e2e_probe drop --hwnd "$editor" --id $file_edit --file "$(e2e_windows_path "$files/Zoë gone ✓.txt")" ||
    e2e_fail "cannot drop a file on the editor"
  e2e_expect_error_box "$(printf 'このファイルの名前は使用できません。\n%s' \
    "$(e2e_windows_path "$files/Zo? gone ?.txt")")" "a dropped file without a usable name"
  e2e_assert_eq "$editor" "$(e2e_value owner)" "owner of the box of a name that cannot be used"
  e2e_press "$E2E_BOX" "$IDOK" "the box of a name that cannot be used"
  e2e_probe text --hwnd "$editor" --id $file_edit || e2e_fail "no file name"
  e2e_assert_eq "$short_name" "$(e2e_value text)" "file name after a name that cannot be used"
  e2e_probe click --hwnd "$editor" --id $action_message || e2e_fail "cannot choose the message"
  e2e_probe select --hwnd "$editor" --id $hour_combo --index 7 || e2e_fail "no hour"
  e2e_probe select --hwnd "$editor" --id $minute_combo --index 0 || e2e_fail "no minute"
  e2e_probe select --hwnd "$editor" --id $duration_combo --index 5 || e2e_fail "no duration"
  e2e_probe set-text --hwnd "$editor" --id $message_edit --text "朝の会議です" ||
    e2e_fail "cannot type the message"
  e2e_press "$editor" "$IDOK" "the editor"

  read_list
  e2e_assert_eq "毎日07時00分から10分間|メッセージ表示|朝の会議です|しない" \
    "$(row 0 0)|$(row 0 1)|$(row 0 2)|$(row 0 3)" "the new row"
  press_settings_ok
  # Written at OK, before the program closes.
  e2e_assert_eq 朝の会議です "$(e2e_ini_value "$ini" DATA0 Message)" "message in the profile at OK"
  e2e_close_resident
  local key values=()
  for key in Month Day Week Hour Minute Action Time Erace Message; do
    values+=("$key=$(e2e_ini_value "$ini" DATA0 "$key")")
  done
  e2e_assert_eq "Month=0 Day=0 Week=0 Hour=7 Minute=0 Action=3 Time=5 Erace=0 Message=朝の会議です" \
    "${values[*]}" "DATA0 after close"
  e2e_assert_eq "$short_name" "$(e2e_ini_value "$ini" DATA0 FileName)" \
    "stored name of a file named outside code page 932"
}

# The sound action at 96 DPI: its own field and 参照, which are enabled with its radio alone,
# a file chosen there and one dropped on it, and the row and the profile it gives; on several
# weekdays, not on holidays, repeated within the day.
case_sound() {
  # In the program's folder, as the README's picture of the editor shows them.
  local files="$program_folder/サウンド" chosen dropped file_dialog
  mkdir -p "$files"
  : >"$files/朝の鐘.wav"
  : >"$files/目覚まし.mp3"
  chosen=$(e2e_windows_path "$files/朝の鐘.wav")
  dropped=$(e2e_windows_path "$files/目覚まし.mp3")
  e2e_start_resident "$program_folder"
  open_settings
  open_editor $new_button
  e2e_expect_whole_layout "$editor" "the reservation editor"
  e2e_assert_eq "0 0 0 1" "$(enabled_states "$editor" $sound_edit $sound_browse $file_edit \
    $duration_combo)" "the sound's field, its 参照, the file's field and the duration with the CD"
  e2e_probe click --hwnd "$editor" --id $action_sound --send || e2e_fail "cannot choose the sound"
  e2e_assert_eq "1 0 0 1 1 0 1" "$(checked_states "$editor" $action_sound $action_cd \
    $action_off) $(enabled_states "$editor" $sound_edit $sound_browse $file_edit \
    $duration_combo)" "the action radios, then the fields, with the sound chosen"

  e2e_probe click --hwnd "$editor" --id $sound_browse || e2e_fail "cannot press the sound's 参照"
  e2e_probe wait --title サウンドファイル参照 --visible --timeout 10000 ||
    e2e_fail "no file dialog for the sound"
  file_dialog=$(e2e_value hwnd)
  e2e_probe set-text --hwnd "$file_dialog" --id $file_dialog_name --text "$chosen" ||
    e2e_fail "cannot type the sound's name"
  e2e_press "$file_dialog" "$IDOK" "the sound's file dialog"
  e2e_probe text --hwnd "$editor" --id $sound_edit || e2e_fail "no sound file"
  e2e_assert_eq "$chosen" "$(e2e_value text)" "the sound chosen with 参照"
  e2e_probe drop --hwnd "$editor" --id $sound_edit --file "$dropped" --send ||
    e2e_fail "cannot drop a file on the sound's field"
  e2e_probe text --hwnd "$editor" --id $sound_edit || e2e_fail "no sound file"
  e2e_assert_eq "$dropped" "$(e2e_value text)" "the sound dropped on its field"
  e2e_probe select --hwnd "$editor" --id $duration_combo --index 1 || e2e_fail "no duration"
  e2e_screenshot "$screenshots/editor-sound.png" "$editor"

  # A full date has no day to repeat within; the times follow the repeat's box.
  e2e_assert_eq "1 0 0 0 0" "$(enabled_states "$editor" $holiday_box $repeat_box \
    $repeat_interval $until_hour $until_minute)" "holiday, repeat and its times on a full date"
  e2e_probe click --hwnd "$editor" --id $weekly --send || e2e_fail "cannot choose weekly"
  e2e_assert_eq "1 0 0 0" "$(enabled_states "$editor" $repeat_box $repeat_interval $until_hour \
    $until_minute)" "repeat and its times, weekly"
  local box
  # Saturday off, 月・水・金 on: check boxes, not one day of a group.
  for box in $((sunday + 6)) $((sunday + 1)) $((sunday + 3)) $((sunday + 5)) $holiday_box \
    $repeat_box; do
    e2e_probe click --hwnd "$editor" --id "$box" --send || e2e_fail "cannot click $box"
  done
  e2e_assert_eq "0 1 0 1 0 1 0 1 1" "$(checked_states "$editor" $sunday $((sunday + 1)) \
    $((sunday + 2)) $((sunday + 3)) $((sunday + 4)) $((sunday + 5)) $((sunday + 6)) \
    $holiday_box $repeat_box)" "the weekdays, holiday and repeat boxes after the clicks"
  e2e_assert_eq "1 1 1" "$(enabled_states "$editor" $repeat_interval $until_hour $until_minute)" \
    "the repeat's times once it is checked"
  # Every hour from 07:00, first to 06:00: refused, and the editor stays.
  local combo index
  for combo in "$hour_combo 7" "$minute_combo 0" "$repeat_interval 5" "$until_hour 6" \
    "$until_minute 0"; do
    read -r combo index <<<"$combo"
    e2e_probe select --hwnd "$editor" --id "$combo" --index "$index" || e2e_fail "no combo $combo"
  done
  e2e_probe click --hwnd "$editor" --id "$IDOK" || e2e_fail "cannot press OK in the editor"
  e2e_expect_error_box 繰り返しの終了時刻を開始時刻以降にしてください。 \
    "a repeat ending before its start" --pid "$E2E_FRAME_PID"
  e2e_assert_eq "$editor" "$(e2e_value owner)" "owner of the box of a repeat ending too early"
  e2e_press "$E2E_BOX" "$IDOK" "the box of a repeat ending too early"
  e2e_probe info --hwnd "$editor" || e2e_fail "the editor closed after a repeat ending too early"
  e2e_probe select --hwnd "$editor" --id $until_hour --index 18 || e2e_fail "no end hour"
  e2e_expect_whole_layout "$editor" "the reservation editor, weekly with a repeat"
  e2e_window_screenshot "$screenshots/editor-weekly.png" "$editor"
  e2e_press "$editor" "$IDOK" "the editor"

  read_list
  e2e_assert_eq "毎週月・水・金曜日07時00分から1分間、18時00分まで1時間ごと（祝日除く）|サウンド再生|$dropped" \
    "$(row 0 0)|$(row 0 1)|$(row 0 2)" "the sound's row"
  press_settings_ok
  local key values=()
  for key in Month Week Weekdays SkipHoliday RepeatMinutes RepeatUntil Hour Minute; do
    values+=("$key=$(e2e_ini_value "$ini" DATA0 "$key")")
  done
  e2e_assert_eq "Month=0 Week=2 Weekdays=42 SkipHoliday=1 RepeatMinutes=60 RepeatUntil=1800 Hour=7 Minute=0" \
    "${values[*]}" "DATA0's schedule in the profile at OK"
  e2e_close_resident
  values=()
  for key in Action FileName Time; do values+=("$key=$(e2e_ini_value "$ini" DATA0 "$key")"); done
  e2e_assert_eq "Action=4 FileName=$dropped Time=1" "${values[*]}" "DATA0 of the sound after close"
}

case_change_delete() {
  printf '[DATA%d]\nMonth=%d\nDay=1\nAction=3\nMessage=%s\n' 0 1 一 1 2 二 2 3 三 |
    e2e_write_profile "$ini" 5 1
  cp "$ini" "$E2E_DIR/original.ini"
  e2e_start_resident "$program_folder"
  open_settings
  e2e_probe message --hwnd "$settings" --id $list --msg $lvm_setselectionmark --lparam 1 --send ||
    e2e_fail "cannot mark row 1"
  open_editor $change_button
  e2e_probe click --hwnd "$editor" --id $action_off || e2e_fail "cannot choose OFF"
  e2e_probe click --hwnd "$editor" --id "$IDOK" || e2e_fail "cannot press OK in the editor"
  answer_question "確認 - OFF" この予約を削除しますか？ "$IDYES"
  e2e_probe wait-gone --hwnd "$editor" --timeout 5000 || e2e_fail "the editor stays after Yes"
  read_list
  e2e_assert_eq "2 一 三 1 1" \
    "$(e2e_value rows) $(row 0 2) $(row 1 2) $(e2e_value selection_mark) $(e2e_value selected)" \
    "rows, mark and selection after the change to OFF"

  open_editor $delete_button
  e2e_probe control --hwnd "$editor" --id $delete_question || e2e_fail "no question text"
  e2e_assert_eq "1 この予約を削除しますか？" "$(e2e_value visible) $(e2e_value text)" \
    "the question of delete-confirm mode"
  e2e_assert_eq "0 0 0 0 1 1" \
    "$(enabled_states "$editor" $monthly $full_date $hour_combo $message_edit \
      "$IDOK" "$IDCANCEL")" \
    "inputs, OK and Cancel in delete-confirm mode"
  e2e_screenshot "$screenshots/delete-confirm.png"
  e2e_press "$editor" "$IDOK" "the editor"
  read_list
  e2e_assert_eq "1 一 0 0" \
    "$(e2e_value rows) $(row 0 2) $(e2e_value selection_mark) $(e2e_value selected)" \
    "rows, mark and selection after the deletion"

  # The NoError box changed too, and is dropped with the rest.
  e2e_probe click --hwnd "$settings" --id $no_error_box || e2e_fail "cannot click NoError"
  e2e_press "$settings" "$IDCANCEL" "the settings dialog"
  e2e_close_resident
  e2e_assert_eq 1 "$(e2e_ini_value "$ini" OPTION NoError)" "NoError after Cancel"
  local n
  for n in 0 1 2; do
    e2e_assert_eq "$(e2e_ini_value "$E2E_DIR/original.ini" "DATA$n" Message)" \
      "$(e2e_ini_value "$ini" "DATA$n" Message)" "DATA$n after Cancel"
  done
}

case_cd_question() {
  e2e_start_resident "$program_folder"
  open_settings
  open_editor $new_button
  # C: is a hard disk in the prefix.
  e2e_probe select --hwnd "$editor" --id $drive_combo --index 2 || e2e_fail "no drive"
  local before after
  before="$(checked_states "$editor" $full_date $action_cd $erase_box)"
  before+=" $(combo_selection "$editor" $month_combo) $(combo_selection "$editor" $drive_combo)"
  e2e_probe click --hwnd "$editor" --id "$IDOK" || e2e_fail "cannot press OK in the editor"
  answer_question "確認 - CDを再生" \
    "$(printf '現在選択されているドライブはCDドライブではありません。\n予約しますか？')" "$IDNO"
  e2e_probe info --hwnd "$editor" || e2e_fail "the editor closed after No"
  after="$(checked_states "$editor" $full_date $action_cd $erase_box)"
  after+=" $(combo_selection "$editor" $month_combo) $(combo_selection "$editor" $drive_combo)"
  e2e_assert_eq "$before" "$after" "the editor's values after No"
  e2e_press "$editor" "$IDCANCEL" "the editor"
  read_list
  e2e_assert_eq 0 "$(e2e_value rows)" "rows after the editor's Cancel"
  e2e_press "$settings" "$IDCANCEL" "the settings dialog"
  e2e_close_resident
}

# The Run value's data under KEY (the machine's by default), or nothing when there is none
# (reg fails then). Through a file: a wine command's output in a pipe may be held open by the
# processes it starts.
run_value() {
  wine reg query "${1:-$run_key}" /v Chimeday </dev/null >"$E2E_DIR/reg.out" 2>/dev/null || true
  tr -d '\r' <"$E2E_DIR/reg.out" | awk '$1 == "Chimeday" { print $3 }'
}

case_options() {
  wine reg delete "$run_key" /v Chimeday /f >/dev/null 2>&1 || true
  wine reg delete "$user_run_key" /v Chimeday /f >/dev/null 2>&1 || true
  e2e_start_resident "$program_folder"
  open_settings
  e2e_assert_eq "1 0" "$(checked_states "$settings" $no_error_box $autostart_box)" \
    "the two boxes of a first run"
  e2e_probe click --hwnd "$settings" --id $no_error_box || e2e_fail "cannot click NoError"
  e2e_probe click --hwnd "$settings" --id $autostart_box || e2e_fail "cannot click autostart"
  press_settings_ok
  e2e_assert_eq 0 "$(e2e_ini_value "$ini" OPTION NoError)" "NoError in the profile at OK"
  e2e_assert_eq "$(e2e_windows_path "$program_folder/chimeday.exe")" "$(run_value)" \
    "the Run value after OK"

  open_settings
  e2e_assert_eq "0 1" "$(checked_states "$settings" $no_error_box $autostart_box)" \
    "the two boxes when opened again"
  e2e_probe click --hwnd "$settings" --id $autostart_box || e2e_fail "cannot click autostart"
  e2e_press "$settings" "$IDOK" "the settings dialog"
  e2e_assert_eq "" "$(run_value)" "the Run value after unchecking"

  # A value a standard user's OK left under the user's key: an OK that can write the machine's
  # key moves it there, or two copies would start at every sign-in.
  wine reg add "$user_run_key" /v Chimeday /t REG_SZ /d 'C:\old\chimeday.exe' /f >/dev/null 2>&1 ||
    e2e_fail "cannot write the user's Run value"
  open_settings
  e2e_assert_eq 1 "$(checked_states "$settings" $autostart_box)" "autostart from the user's key"
  e2e_press "$settings" "$IDOK" "the settings dialog"
  e2e_assert_eq "$(e2e_windows_path "$program_folder/chimeday.exe")|" \
    "$(run_value)|$(run_value "$user_run_key")" "the machine's and the user's Run value after OK"
  e2e_close_resident
  e2e_assert_eq "<absent>" "$(e2e_ini_value "$ini" OPTION WakeUp)" \
    "WakeUp in the profile of a user who never turned waking on"
  case_options_wake
}

# The wake timers of the resident program: KEY of the probe's report on them.
wake_timers() {
  e2e_probe timers --pid "$E2E_FRAME_PID" || e2e_fail "cannot read the program's timers"
  e2e_value "$1"
}

# Waits up to 10 s for the program to hold COUNT wake timers: the frame is found while its start
# still goes on, and the timer is set at the end of it.
wait_wake_timers() {
  local deadline=$((SECONDS + 10))
  until [ "$(wake_timers timers)" = "$1" ] || ((SECONDS >= deadline)); do sleep 0.2; done
}

# Wine sets a waitable timer but will not wake for it (ERROR_TIMER_RESUME_IGNORED), and the
# probe reads the timer's due time: what the program asked is seen, a wake itself is not.
case_options_wake() {
  e2e_probe clock --ahead 600 || e2e_fail "no clock"
  local due_start=$(($(e2e_value epoch) - $(e2e_value second)))
  # One reservation every day at that minute, and before it the [OPTION] lines given.
  local daily_slot
  daily_slot=$(printf '[DATA0]\nMonth=0\nDay=0\nHour=%s\nMinute=%s\nAction=0' \
    "$(e2e_value hour)" "$(e2e_value minute)")
  echo "$daily_slot" | e2e_write_profile "$ini" 4 1
  e2e_start_resident "$program_folder"
  # Once the settings open, the start that sets the timer is over.
  open_settings
  e2e_assert_eq 0 "$(wake_timers timers)" "wake timers while waking is off"
  e2e_expect_whole_layout "$settings" "the settings dialog"
  e2e_assert_eq 0 "$(checked_states "$settings" $wake_box)" "the wake box of an old profile"
  e2e_probe click --hwnd "$settings" --id $wake_box || e2e_fail "cannot click the wake box"
  e2e_screenshot "$screenshots/settings-wake.png" "$settings"
  e2e_probe click --hwnd "$settings" --id "$IDOK" || e2e_fail "cannot press OK in the settings"
  e2e_expect_error_box "$(printf '%s\n%s' \
    予約時刻にスリープから復帰するためのタイマーを設定できませんでした。 \
    電源オプションの「スリープ解除タイマーの許可」を有効にしてください。)" \
    "waking turned on where the system will not wake" --pid "$E2E_FRAME_PID"
  e2e_press "$E2E_BOX" "$IDOK" "the box of a wake the system will not do"
  settle "$E2E_FRAME" "the frame"
  e2e_assert_eq 1 "$(e2e_ini_value "$ini" OPTION WakeUp)" "WakeUp in the profile at OK"
  e2e_assert_eq "1 $((due_start - 60))" "$(wake_timers timers) $(wake_timers timer0_due)" \
    "the wake timer a minute before the daily reservation"

  # A quick reservation comes sooner: the same timer moves to it, and nothing is told again.
  local asked
  asked=$(date +%s)
  e2e_probe command --hwnd "$E2E_FRAME" --id "$ID_QUICK_RESERVATION" --send ||
    e2e_fail "the frame did not answer the quick reservation"
  local answered
  answered=$(date +%s)
  e2e_assert_eq 1 "$(wake_timers timers)" "wake timers after a quick reservation"
  # The frame took the command between asked and answered, however slowly the probe started.
  local ahead=$(($(wake_timers timer0_due) + 60 - asked)) probe_s=$((answered - asked))
  ((ahead >= 150 && ahead - probe_s <= 212)) ||
    e2e_fail "the wake timer is $ahead s before a quick reservation's minute, asked over $probe_s s, not 151 to 210"
  e2e_probe windows --title 鳴刻エラー || e2e_fail "cannot list windows"
  e2e_assert_eq 0 "$(e2e_value matches)" "boxes after the quick reservation"

  open_settings
  e2e_assert_eq 1 "$(checked_states "$settings" $wake_box)" "the wake box when opened again"
  e2e_probe click --hwnd "$settings" --id $wake_box || e2e_fail "cannot click the wake box"
  press_settings_ok
  e2e_assert_eq "0 0" "$(e2e_ini_value "$ini" OPTION WakeUp) $(wake_timers timers)" \
    "WakeUp in the profile and the wake timers after turning waking off"
  e2e_close_resident

  # A start with waking on sets the timer and tells nothing: only turning it on does.
  printf 'WakeUp=1\n%s\n' "$daily_slot" | e2e_write_profile "$ini" 4 1
  e2e_start_resident "$program_folder"
  wait_wake_timers 1
  e2e_assert_eq "1 $((due_start - 60))" "$(wake_timers timers) $(wake_timers timer0_due)" \
    "the wake timer after a start with waking on"
  e2e_probe windows --title 鳴刻エラー || e2e_fail "cannot list windows"
  e2e_assert_eq 0 "$(e2e_value matches)" "boxes after a start with waking on"
  e2e_close_resident
}

# Open across two reservations' minutes: nothing runs meanwhile. At OK the one left as it was
# runs late, and the one added for a minute already past waits for its next time.
case_busy() {
  # 40 s before the minute for the start, the settings and the editor, on a loaded machine too.
  e2e_align_clock 20
  e2e_probe clock --ahead 60 || e2e_fail "no clock"
  local due_start=$(($(e2e_value epoch) - $(e2e_value second)))
  printf '[DATA0]\nMonth=%s\nDay=%s\nHour=%s\nMinute=%s\nAction=3\nErace=1\nMessage=遅れて来る\n' \
    "$(e2e_value month)" "$(e2e_value day)" "$(e2e_value hour)" "$(e2e_value minute)" |
    e2e_write_profile "$ini" 2 0
  e2e_probe clock --ahead 120 || e2e_fail "no clock"
  local added_hour added_minute
  added_hour=$(e2e_value hour)
  added_minute=$(e2e_value minute)
  e2e_start_resident "$program_folder"
  open_settings
  # The clicks are sent, so that the menu check below comes after both were handled; a menu
  # opened by a click would hold the probe until it times out.
  e2e_probe message --hwnd "$E2E_FRAME" --msg "$WM_TRAYNOTIFY" --lparam "$WM_LBUTTONDOWN" --send ||
    e2e_fail "the frame did not return from a click with the settings open"
  e2e_expect_foreground "$settings" "foreground after a click on the icon"
  open_editor $new_button
  e2e_probe message --hwnd "$E2E_FRAME" --msg "$WM_TRAYNOTIFY" --lparam "$WM_RBUTTONDOWN" --send ||
    e2e_fail "the frame did not return from a click with the editor open"
  e2e_expect_foreground "$settings" "foreground after a click with the editor open"
  e2e_probe windows --class '#32768' --visible || e2e_fail "cannot list windows"
  e2e_assert_eq 0 "$(e2e_value matches)" "menus after clicks while the settings are open"
  (($(date +%s) < due_start)) ||
    e2e_fail "the editor was open only after the reservation came due; nothing was proven"
  e2e_sleep_until $((due_start + 5))
  e2e_probe windows --title 鳴刻メッセージ || e2e_fail "cannot list windows"
  e2e_assert_eq 0 "$(e2e_value matches)" "message windows of a reservation due meanwhile"

  # Added for the next minute, which passes before OK: a file that is not there, whose box
  # would say that it ran.
  e2e_probe click --hwnd "$editor" --id $daily --send || e2e_fail "cannot choose daily"
  e2e_probe click --hwnd "$editor" --id $action_file --send || e2e_fail "cannot choose the file"
  e2e_probe set-text --hwnd "$editor" --id $file_edit --text 'C:\no such folder\来ない.exe' ||
    e2e_fail "cannot type the file's name"
  e2e_probe select --hwnd "$editor" --id $hour_combo --index $((10#$added_hour)) ||
    e2e_fail "no hour"
  e2e_probe select --hwnd "$editor" --id $minute_combo --index $((10#$added_minute)) ||
    e2e_fail "no minute"
  e2e_press "$editor" "$IDOK" "the editor"
  e2e_sleep_until $((due_start + 122))
  press_settings_ok
  e2e_probe wait --title 鳴刻メッセージ --visible --timeout 40000 ||
    e2e_fail "the reservation left as it was did not run late at OK"
  e2e_probe text --hwnd "$(e2e_value hwnd)" --id "$IDC_MESSAGE_TEXT" || e2e_fail "no message text"
  e2e_assert_eq 遅れて来る "$(e2e_value text)" "late message at OK"
  settle "$E2E_FRAME" "the frame"
  e2e_probe windows --title 鳴刻エラー || e2e_fail "cannot list windows"
  e2e_assert_eq 0 "$(e2e_value matches)" "boxes of the file added for a minute already past"
  e2e_close_resident
  e2e_assert_eq 13 "$(e2e_ini_value "$ini" DATA0 Month)" "DATA0 erased after its late run"
  e2e_assert_eq "$((10#$added_hour)):$((10#$added_minute))" \
    "$(e2e_ini_value "$ini" DATA1 Hour):$(e2e_ini_value "$ini" DATA1 Minute)" \
    "the added reservation kept for its next time"
}

# Opens the days-off dialog from the settings; sets days_off to its window.
open_days_off() {
  e2e_probe click --hwnd "$settings" --id $days_off_button || e2e_fail "cannot press 休日..."
  e2e_probe wait --title 休日 --visible --timeout 10000 || e2e_fail "no days-off dialog"
  days_off=$(e2e_value hwnd)
}

# Picks YEAR_INDEX (0 every year), MONTH and DAY in the days-off dialog and presses 追加.
add_day_off() {
  e2e_probe select --hwnd "$days_off" --id $day_off_year --index "$1" || e2e_fail "no year"
  e2e_probe select --hwnd "$days_off" --id $day_off_month --index $(($2 - 1)) || e2e_fail "no month"
  e2e_probe select --hwnd "$days_off" --id $day_off_day --index $(($3 - 1)) || e2e_fail "no day"
  e2e_probe click --hwnd "$days_off" --id $add_day_off || e2e_fail "cannot press 追加"
}

# The days-off list's rows between bars, once the dialog has done what came before.
day_off_rows() {
  settle "$days_off" "the days-off dialog"
  e2e_probe list --hwnd "$days_off" --id $days_off_list || e2e_fail "cannot read the days off"
  local r rows=()
  for ((r = 0; r < $(e2e_value rows); r++)); do rows+=("$(row "$r" 0)"); done
  (IFS='|' && echo "${rows[*]}")
}

# Days off added and deleted in their dialog reach the profile at the settings' OK, and come
# back from it at the next start.
case_days_off() {
  printf '[DATA0]\nMonth=0\nDay=15\nHour=7\nMinute=5\nAction=3\nMessage=お昼です\n' |
    e2e_write_profile "$ini" 4 1
  e2e_probe clock || e2e_fail "no clock"
  local next_year=$(($(e2e_value year) + 1))
  e2e_start_resident "$program_folder"
  open_settings
  e2e_expect_whole_layout "$settings" "the settings dialog"
  open_days_off
  e2e_expect_whole_layout "$days_off" "the days-off dialog"
  e2e_assert_eq "0 0" "$(enabled_states "$days_off" $delete_day_off) $(combo_selection \
    "$days_off" $day_off_year)" "削除 of an empty list, and every year picked"
  add_day_off 0 12 29
  add_day_off 2 5 6
  add_day_off 0 1 2
  e2e_assert_eq "毎年 01月02日|毎年 12月29日|${next_year}年05月06日 0" \
    "$(day_off_rows) $(e2e_value selection_mark)" \
    "the days off in order, the one added last marked"
  e2e_window_screenshot "$screenshots/days-off.png" "$days_off"
  e2e_probe message --hwnd "$days_off" --id $days_off_list --msg $lvm_setselectionmark \
    --lparam 1 --send || e2e_fail "cannot mark row 1"
  e2e_probe click --hwnd "$days_off" --id $delete_day_off || e2e_fail "cannot press 削除"
  e2e_assert_eq "毎年 01月02日|${next_year}年05月06日 1" \
    "$(day_off_rows) $(e2e_value selection_mark)" "the days off after 削除"
  e2e_press "$days_off" "$IDOK" "the days-off dialog"
  press_settings_ok
  e2e_assert_eq "01/02 $next_year/05/06 <absent>" \
    "$(e2e_ini_value "$ini" HOLIDAY Date1) $(e2e_ini_value "$ini" HOLIDAY Date2) \
$(e2e_ini_value "$ini" HOLIDAY Date3)" "[HOLIDAY] at the settings' OK"
  e2e_close_resident

  e2e_start_resident "$program_folder"
  open_settings
  open_days_off
  e2e_assert_eq "毎年 01月02日|${next_year}年05月06日" "$(day_off_rows)" \
    "the days off read from the profile"
  e2e_probe click --hwnd "$days_off" --id $delete_day_off || e2e_fail "cannot press 削除"
  e2e_press "$days_off" "$IDCANCEL" "the days-off dialog"
  press_settings_ok
  e2e_assert_eq "01/02 $next_year/05/06" \
    "$(e2e_ini_value "$ini" HOLIDAY Date1) $(e2e_ini_value "$ini" HOLIDAY Date2)" \
    "[HOLIDAY] after a 削除 that was cancelled"
  e2e_close_resident
}

case "$case_name" in
  rows) case_rows ;;
  new) case_new ;;
  sound) case_sound ;;
  change-delete) case_change_delete ;;
  cd-question) case_cd_question ;;
  options) case_options ;;
  busy) case_busy ;;
  days-off) case_days_off ;;
  *) e2e_fail "unknown case $case_name" ;;
esac
e2e_finish "settings.$case_name"
