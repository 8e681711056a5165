#!/usr/bin/env bash
# The resident program under Wine: its profile beside the executable, its hidden frame and
# tray icon, the reservations it fires and the boxes it shows.
#
#   resident_test.sh first-run | kept-lines | quick-reservation | frame | message-due |
#                    file-error | about-late | file-no-error | cd-drives | cd-play | cd-stop |
#                    sound-play | sound-stop | sound-snooze | tray-menu | tray-menu-full |
#                    tray-keys | repeat-due | timer
set -euo pipefail

case_name=${1:?which case}
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_setup "resident.$case_name"

readonly program_folder="$E2E_DIR/program"
readonly ini="$program_folder/chimeday.ini"
# The executable's folder as the program writes it, with its closing backslash.
program_dir="$(e2e_windows_path "$program_folder")\\"
readonly program_dir

slot_section() {
  local n=$1 month=$2 day=$3 hour=$4 minute=$5 action=$6 drive=$7 erace=$8 message=$9
  printf '[DATA%d]\r\nMonth=%s\r\nDay=%s\r\nWeek=0\r\nHour=%s\r\nMinute=%s\r\nAction=%s\r\n' \
    "$n" "$month" "$day" "$hour" "$minute" "$action"
  printf 'Drive=%s\r\nTrack=1\r\nTime=0\r\nErace=%s\r\nMessage=%s\r\nFileName=%sreadme.txt\r\n' \
    "$drive" "$erace" "$message" "$program_dir"
  printf 'Command=\r\n'
}

empty_slot() { slot_section "$1" 13 0 0 0 0 0 0 hello; }

# The whole file that a run from no file writes, up to slot LAST.
first_run_profile() {
  local last=${1:-31} n
  printf '[OPTION]\r\nArrayStock=32\r\nNoError=1\r\n'
  for ((n = 0; n <= last; n++)); do empty_slot "$n"; done
}

case_first_run() {
  e2e_start_resident "$program_folder"
  [ ! -e "$ini" ] || e2e_fail "the profile exists before the program has closed"
  e2e_close_resident
  first_run_profile >"$E2E_DIR/expected.ini"
  e2e_assert_same_file "$E2E_DIR/expected.ini" "$ini" "profile written by a first run"
  [ ! -e "$ini.tmp" ] || e2e_fail "chimeday.ini.tmp was left behind"

  # Whatever the first run wrote is read back whole: a second run writes the same bytes. A
  # save killed halfway left its temporary file, which the start removes.
  printf '[OPTION]\r\nArrayStock=3' >"$ini.tmp"
  e2e_start_resident "$program_folder"
  local i
  for ((i = 0; i < 50; i++)); do
    [ -e "$ini.tmp" ] || break
    sleep 0.1
  done
  [ ! -e "$ini.tmp" ] || e2e_fail "a leftover chimeday.ini.tmp is still there 5 s after the start"
  e2e_close_resident
  e2e_assert_same_file "$E2E_DIR/expected.ini" "$ini" "profile after a second run"
  [ ! -e "$ini.tmp" ] || e2e_fail "chimeday.ini.tmp was left behind by the second run"
}

# Two slots, sections for 32: the program rewrites its two and leaves every other byte.
case_kept_lines() {
  local long_message="xx" cut_message n held_frame
  for ((n = 0; n < 17; n++)); do long_message+="時刻"; done
  # 70 bytes; cut to 61 the last character would be split, so 60 remain.
  cut_message="xx"
  for ((n = 0; n < 14; n++)); do cut_message+="時刻"; done
  cut_message+="時"

  mkdir -p "$program_folder"
  {
    e2e_profile_text <<'EOF'
; edited by hand
[OPTION]
ArrayStock=2
Colour=blue
NoError=1
[DATA0]
Month=4
EOF
    e2e_profile_text <<EOF
[DATA1]
Month = 2
Day=031
Hour=8
Minute=30
Action=3
Message=$long_message
Note=keep me
Week=0
Drive=0
Track=1
Time=5
Erace=0
FileName=C:\\メモ\\a.txt
Command=

EOF
    printf '[WINDOW]\r\nLeft=10\nTop=20\r\n'
    for ((n = 2; n < 32; n++)); do
      printf '[DATA%d]\r\nMonth=%d\r\nDay=%d\r\nHour=25\r\n' "$n" $((n % 12 + 1)) "$n"
      printf 'Message=%s\r\n' "予約$n" | iconv -f UTF-8 -t CP932
    done
    printf '[DATA05]\r\nMonth=1'
  } >"$ini"
  cp "$ini" "$E2E_DIR/original.ini"

  # Held by another program past the start's ten seconds of retries: a box in front, with a
  # taskbar button of its own, while the icon is gone. キャンセル ends the run without a word
  # to the file.
  hold_profile released
  cp "$CHIMEDAY_EXE" "$program_folder/chimeday.exe"
  e2e_start_in_desktop resident "$program_folder/chimeday.exe"
  expect_held_profile_box
  e2e_press "$E2E_BOX" "$IDCANCEL" "the box of a held profile"
  e2e_probe wait-exit --pid "$E2E_BOX_PID" --timeout 10000 ||
    e2e_fail "the resident program still runs after キャンセル in the box of a held profile"
  e2e_assert_same_file "$E2E_DIR/original.ini" "$ini" "profile after a start that could not read it"
  [ ! -e "$ini.tmp" ] || e2e_fail "chimeday.ini.tmp was left by a start that could not read"
  release_hold
  end_hold
  e2e_wait_desktop_gone

  # 再試行 once the other program has let go: the run goes on as usual, icon and all.
  hold_profile released
  e2e_start_in_desktop resident "$program_folder/chimeday.exe"
  expect_held_profile_box
  release_hold
  end_hold
  e2e_press "$E2E_BOX" "$IDRETRY" "the box of a held profile"
  e2e_probe tray-icon --hwnd "$held_frame" --timeout 10000 || e2e_fail "cannot ask the shell"
  e2e_assert_eq 1 "$(e2e_value present)" "tray icon after 再試行 with the profile let go"
  E2E_FRAME=$held_frame E2E_FRAME_PID=$E2E_BOX_PID
  e2e_close_resident
  cp "$E2E_DIR/original.ini" "$ini"
  e2e_wait_desktop_gone

  # Held for a few seconds only: the retries read it, and the run goes on with no box.
  hold_profile 3000
  e2e_start_resident "$program_folder"
  e2e_probe tray-icon --hwnd "$E2E_FRAME" --timeout 15000 || e2e_fail "cannot ask the shell"
  e2e_assert_eq 1 "$(e2e_value present)" "tray icon after a start with the profile held 3 s"
  e2e_probe windows --title 鳴刻エラー || e2e_fail "cannot list windows"
  e2e_assert_eq 0 "$(e2e_value matches)" "boxes of a start with the profile held 3 s"
  e2e_close_resident
  end_hold
  e2e_wait_desktop_gone

  # The two slot sections lie together, between [OPTION] and [WINDOW].
  local slots='/^\[DATA0\]/,/^\[WINDOW\]/'
  LC_ALL=C sed "$slots{/^\\[WINDOW\\]/!d}" "$E2E_DIR/original.ini" >"$E2E_DIR/expected-rest.ini"
  LC_ALL=C sed "$slots{/^\\[WINDOW\\]/!d}" "$ini" >"$E2E_DIR/actual-rest.ini"
  e2e_assert_same_file "$E2E_DIR/expected-rest.ini" "$E2E_DIR/actual-rest.ini" \
    "every line outside [DATA0] and [DATA1]"

  {
    printf '[DATA0]\r\nMonth=4\r\nDay=0\r\nWeek=0\r\nHour=0\r\nMinute=0\r\nAction=0\r\nDrive=0\r\n'
    printf 'Track=1\r\nTime=0\r\nErace=0\r\nMessage=hello\r\nFileName=%sreadme.txt\r\n' \
      "$program_dir"
    printf 'Command=\r\n'
    # An unchanged value keeps its spelling; "031" becomes 31; the message is cut.
    e2e_profile_text <<EOF
[DATA1]
Month = 2
Day=31
Hour=8
Minute=30
Action=3
Message=$cut_message
Note=keep me
Week=0
Drive=0
Track=1
Time=5
Erace=0
FileName=C:\\メモ\\a.txt
Command=

EOF
  } >"$E2E_DIR/expected-slots.ini"
  LC_ALL=C sed -n "$slots{/^\\[WINDOW\\]/!p}" "$ini" >"$E2E_DIR/actual-slots.ini"
  e2e_assert_same_file "$E2E_DIR/expected-slots.ini" "$E2E_DIR/actual-slots.ini" \
    "[DATA0] and [DATA1] as rewritten"

  # Saved as UTF-8 without a mark, as Notepad saves it, with a comment that code page 932
  # cannot hold: it stays UTF-8, the comment unchanged, the message cut as above.
  {
    printf '; ☃ 鳴刻\n[OPTION]\nArrayStock=1\nNoError=1\n[DATA0]\nMonth=4\n'
    printf 'Message=%s\nFileName=C:\\メモ\\a.txt\n' "$long_message"
  } | sed 's/$/\r/' >"$ini"
  e2e_start_resident "$program_folder"
  e2e_close_resident
  {
    printf '; ☃ 鳴刻\n[OPTION]\nArrayStock=1\nNoError=1\n[DATA0]\nMonth=4\n'
    printf 'Message=%s\nFileName=C:\\メモ\\a.txt\n' "$cut_message"
    printf 'Day=0\nWeek=0\nHour=0\nMinute=0\nAction=0\nDrive=0\nTrack=1\nTime=0\nErace=0\n'
    printf 'Command=\n'
  } | sed 's/$/\r/' >"$E2E_DIR/expected-utf8.ini"
  e2e_assert_same_file "$E2E_DIR/expected-utf8.ini" "$ini" "a UTF-8 profile as rewritten"
}

# Holds the profile open without sharing from now until MS ms after the next start has taken
# its single-instance mutex, which it does just before reading the profile, or with "released"
# until release_hold after that; sets hold_pid.
hold_profile() {
  local ms=$1 i until=()
  rm -f "$E2E_DIR/hold.out"
  if [ "$ms" = released ]; then
    : >"$E2E_DIR/hold.keep"
    until=(--while "$(e2e_windows_path "$E2E_DIR/hold.keep")")
    ms=0
  fi
  e2e_start hold "$PROBE_EXE" --out "$(e2e_windows_path "$E2E_DIR/hold.out")" hold \
    --file "$(e2e_windows_path "$ini")" --ms "$ms" --mutex TAVORENKA_Chimeday "${until[@]}"
  hold_pid=$E2E_LAST_PID
  for ((i = 0; i < 200; i++)); do
    if grep -qx held=1 "$E2E_DIR/hold.out" 2>/dev/null; then return 0; fi
    kill -0 "$hold_pid" 2>/dev/null || break
    sleep 0.1
  done
  e2e_fail "the probe did not get hold of the profile"
}

# Waits for the box of a start that could not read its held profile and checks it: 再試行 and
# キャンセル, no owner (so a taskbar button), topmost and in front, and no icon meanwhile,
# which a click could open the settings by. Sets held_frame to the frame behind the box.
expect_held_profile_box() {
  e2e_expect_box "$(printf '設定ファイルを読み込めませんでした。\n%s' "$(e2e_windows_path "$ini")")" \
    "$IDRETRY $IDCANCEL" "a profile held open"
  e2e_assert_eq 0x00000000 "$(e2e_value owner)" "owner of the box of a held profile"
  e2e_assert_eq "8 0" "$(($(e2e_value exstyle) & 0x8)) $(($(e2e_value exstyle) & 0x80))" \
    "topmost and tool-window bits of the box of a held profile"
  e2e_expect_foreground "$E2E_BOX" "foreground with the box of a held profile"
  e2e_probe wait --class ChimedayClass --pid "$E2E_BOX_PID" --timeout 0 ||
    e2e_fail "no frame behind the box of a held profile"
  held_frame=$(e2e_value hwnd)
  e2e_probe tray-icon --hwnd "$held_frame" || e2e_fail "cannot ask the shell"
  e2e_assert_eq 0 "$(e2e_value present)" "tray icon while the box of a held profile is open"
}

release_hold() { rm -f "$E2E_DIR/hold.keep"; }

# Waits for the hold to end; it must have overlapped the start it was meant for.
end_hold() {
  e2e_wait_exit "$hold_pid" 70 || e2e_fail "the probe still holds the profile"
  grep -qx mutex_seen=1 "$E2E_DIR/hold.out" || e2e_fail "the hold never saw the program start"
}

case_quick_reservation() {
  local before after n when
  e2e_start_resident "$program_folder"
  e2e_probe clock --ahead 210 || e2e_fail "no clock"
  before="$(e2e_value month) $(e2e_value day) $(e2e_value hour) $(e2e_value minute)"
  # Twice: the last empty slot, then the one before it.
  e2e_probe command --hwnd "$E2E_FRAME" --id "$ID_QUICK_RESERVATION" ||
    e2e_fail "cannot post the command"
  e2e_probe command --hwnd "$E2E_FRAME" --id "$ID_QUICK_RESERVATION" ||
    e2e_fail "cannot post the command"
  e2e_close_resident
  e2e_probe clock --ahead 210 || e2e_fail "no clock"
  after="$(e2e_value month) $(e2e_value day) $(e2e_value hour) $(e2e_value minute)"

  first_run_profile 29 >"$E2E_DIR/expected.ini"
  for n in 30 31; do
    when="$(e2e_ini_value "$ini" "DATA$n" Month) $(e2e_ini_value "$ini" "DATA$n" Day)"
    when+=" $(e2e_ini_value "$ini" "DATA$n" Hour) $(e2e_ini_value "$ini" "DATA$n" Minute)"
    if [ "$when" != "$before" ]; then
      e2e_assert_eq "$after" "$when" "DATA$n month, day, hour and minute: 210 s after the command"
    fi
    # shellcheck disable=SC2086 # the four numbers of $when
    slot_section "$n" $when 3 1 1 "あれから３分です！" | iconv -f UTF-8 -t CP932 >>"$E2E_DIR/expected.ini"
  done
  e2e_assert_same_file "$E2E_DIR/expected.ini" "$ini" "profile after two quick reservations"
}

readonly error_caption=鳴刻エラー
readonly about_caption=chimedayのﾊﾞｰｼﾞｮﾝ情報
readonly message_caption=鳴刻メッセージ
readonly settings_caption=鳴刻設定
readonly screenshots="$CHIMEDAY_BUILD_DIR/screenshots"
readonly broadcast_query_deny=$((0x424D5144))

write_profile() { e2e_write_profile "$ini" "$@"; }

# Sets due_month, due_day, due_hour and due_minute, the local time a minute on, and
# due_start, the epoch second at which that local minute begins.
next_minute() {
  e2e_probe clock --ahead 60 || e2e_fail "no clock"
  due_month=$(e2e_value month)
  due_day=$(e2e_value day)
  due_hour=$(e2e_value hour)
  due_minute=$(e2e_value minute)
  due_start=$(($(e2e_value epoch) - $(e2e_value second)))
}

# A slot due at the next minute: due_slot N ACTION [KEY=VALUE...]
due_slot() {
  local n=$1 action=$2
  shift 2
  printf '[DATA%d]\nMonth=%s\nDay=%s\nHour=%s\nMinute=%s\nAction=%s\n' \
    "$n" "$due_month" "$due_day" "$due_hour" "$due_minute" "$action"
  printf '%s\n' "$@"
}

# Sleeps until SECONDS into the due minute on the program's clock; 62 is past its end.
wait_into_due_minute() { e2e_sleep_until $((due_start + $1)); }

# Waits for an error box of the running resident program and checks it; leaves box set.
expect_error_box() {
  e2e_expect_error_box "$1" "$2" --pid "$E2E_FRAME_PID"
  box=$E2E_BOX
}

dismiss_box() { e2e_press "$1" "$IDOK" "$2"; }

# A click on the tray icon as the shell reports it to the frame.
click_tray_icon() {
  local button=$1
  e2e_probe message --hwnd "$E2E_FRAME" --msg "$WM_TRAYNOTIFY" --lparam "$button" ||
    e2e_fail "cannot post the tray notification"
}

# Opens the tray menu with a right click; sets menu to its window.
open_tray_menu() {
  click_tray_icon "$WM_RBUTTONDOWN"
  e2e_probe wait --class '#32768' --visible --timeout 5000 || e2e_fail "no tray menu"
  menu=$(e2e_value hwnd)
}

# Closes the tray menu with Escape. Under load a menu opened by a posted click has been seen to
# close itself before the key arrived; only that the menu goes matters to its callers.
close_tray_menu() {
  e2e_probe key --hwnd "$menu" --key ESCAPE || true
  e2e_probe wait-gone --class '#32768' --visible --timeout 5000 || e2e_fail "the menu stays open"
}

# Presses KEYS in the open tray menu, which they close by choosing an item, as a user without a
# mouse would. A menu that closed itself before its keys arrived, as close_tray_menu tells, is
# opened again.
press_in_menu() {
  local key attempt
  for attempt in 1 2 3; do
    ((attempt == 1)) || open_tray_menu
    for key in "$@"; do
      e2e_probe key --hwnd "$menu" --key "$key" || continue 2
    done
    e2e_probe wait-gone --class '#32768' --visible --timeout 5000 || e2e_fail "the menu stays open"
    return 0
  done
  e2e_fail "the menu closed itself three times before $* could be pressed"
}

# Chooses the menu's Nth item (separators not counted) with the arrow keys.
choose_item() {
  local keys=() key
  for ((key = 0; key < $1; key++)); do keys+=(DOWN); done
  press_in_menu "${keys[@]}" RETURN
}

choose_second_item() { choose_item 2; }

# Types KEYS into the control of DIALOG that has the keyboard focus, as a user would.
type_into_focus() {
  local dialog=$1 key focus
  shift
  e2e_probe info --hwnd "$dialog" || e2e_fail "the dialog went away before its keys"
  focus=$(e2e_value focus_id)
  [ "$focus" != 0 ] || e2e_fail "no control of the dialog has the focus"
  for key in "$@"; do
    e2e_probe key --hwnd "$dialog" --id "$focus" --key "$key" || e2e_fail "cannot type $key"
  done
}

case_frame() {
  e2e_start_resident "$program_folder"
  e2e_probe info --hwnd "$E2E_FRAME" || e2e_fail "the frame went away"
  e2e_assert_eq chimeday.exe "$(e2e_value caption)" "frame title"
  e2e_assert_eq 0 "$(e2e_value visible)" "frame visible"
  e2e_probe tray-icon --hwnd "$E2E_FRAME" --timeout 10000 || e2e_fail "cannot ask the shell"
  e2e_assert_eq 1 "$(e2e_value present)" "tray icon held by the shell"

  local event
  # A request to suspend, and a resume notification.
  for event in 0 18; do
    e2e_probe message --hwnd "$E2E_FRAME" --msg "$WM_POWERBROADCAST" --wparam "$event" --send ||
      e2e_fail "the frame did not answer WM_POWERBROADCAST $event"
    e2e_assert_eq "$broadcast_query_deny" "$(e2e_value result)" "answer to power event $event"
  done

  # The shell starting again (Explorer after a crash) forgets every icon and says so.
  e2e_probe tray-icon --hwnd "$E2E_FRAME" --delete || e2e_fail "cannot ask the shell"
  e2e_assert_eq 1 "$(e2e_value deleted)" "tray icon removed behind the program's back"
  e2e_assert_eq 0 "$(e2e_value present)" "tray icon after its removal"
  e2e_probe message --hwnd "$E2E_FRAME" --msg TaskbarCreated --send ||
    e2e_fail "the frame did not answer TaskbarCreated"
  e2e_probe tray-icon --hwnd "$E2E_FRAME" || e2e_fail "cannot ask the shell"
  e2e_assert_eq 1 "$(e2e_value present)" "tray icon after TaskbarCreated"

  # A clock change: the frame checks the table at once and goes on.
  e2e_probe message --hwnd "$E2E_FRAME" --msg "$WM_TIMECHANGE" --send ||
    e2e_fail "the frame did not answer WM_TIMECHANGE"

  e2e_start_in_desktop second "$program_folder/chimeday.exe"
  e2e_expect_error_box 二重起動はできません "the second start"
  local second_pid=$E2E_BOX_PID
  [ "$second_pid" != "$E2E_FRAME_PID" ] || e2e_fail "the first instance showed the box"
  dismiss_box "$E2E_BOX" "the second start's box"
  e2e_probe wait-exit --pid "$second_pid" --timeout 10000 ||
    e2e_fail "the second instance still runs after its box"
  e2e_probe info --hwnd "$E2E_FRAME" || e2e_fail "the first instance went away"
  e2e_probe tray-icon --hwnd "$E2E_FRAME" || e2e_fail "cannot ask the shell"
  e2e_assert_eq 1 "$(e2e_value present)" "first instance's tray icon after the second start"

  e2e_keep_desktop
  e2e_close_resident
  e2e_probe tray-icon --hwnd "$E2E_FRAME" || e2e_fail "cannot ask the shell"
  e2e_assert_eq 0 "$(e2e_value present)" "tray icon after close"
}

# Two message reservations for the same minute: the first fires, the second waits for the
# same minute of another day.
case_message_due() {
  e2e_align_clock 50
  next_minute
  {
    due_slot 0 3 Erace=1 Time=0 "Message=時間です 1"
    due_slot 1 3 Erace=1 Time=0 "Message=時間です 2"
  } | write_profile 2 0
  e2e_start_resident "$program_folder"
  e2e_probe wait --title "$message_caption" --visible --timeout 40000 ||
    e2e_fail "no message window within the due minute"
  local window
  window=$(e2e_value hwnd)
  e2e_probe clock || e2e_fail "no clock"
  e2e_assert_eq "$due_hour:$due_minute" "$(e2e_value hour):$(e2e_value minute)" \
    "minute in which the message appeared"
  e2e_probe text --hwnd "$window" --id "$IDC_MESSAGE_TEXT" || e2e_fail "no message text"
  e2e_assert_eq "時間です 1" "$(e2e_value text)" "message shown"

  wait_into_due_minute 62
  e2e_probe windows --title "$message_caption" || e2e_fail "cannot list windows"
  e2e_assert_eq 1 "$(e2e_value matches)" "message windows after the due minute"
  e2e_close_resident
  e2e_assert_eq 13 "$(e2e_ini_value "$ini" DATA0 Month)" "DATA0 erased after firing"
  e2e_assert_eq "$due_month" "$(e2e_ini_value "$ini" DATA1 Month)" "DATA1 kept"

  # Closed, the program leaves when it last looked at the clock beside its profile. Started
  # again with that moved ten minutes back, it finds DATA1's minute passed while it was not
  # running: a balloon tells of it, and it does not run, though it would a minute late had the
  # program been running. Told as missed, the one-off is gone.
  local record="$program_folder/chimeday.lastcheck" last_check
  [ -f "$record" ] || e2e_fail "no record of the last check after closing"
  last_check=$(tr -d '\r\n' <"$record")
  ((last_check >= due_start + 61 && last_check <= $(date +%s))) ||
    e2e_fail "the last check $last_check is not the close's (the due minute began at $due_start)"
  printf '%s\r\n' $((due_start - 600)) >"$record"
  e2e_start_resident "$program_folder"
  e2e_probe wait --class tooltips_class32 --visible --timeout 10000 ||
    e2e_fail "no balloon for the reservation missed while the program was not running"
  [ ! -e "$record" ] || e2e_fail "the start left the record of the last check in place"
  e2e_close_resident
  e2e_assert_eq 13 "$(e2e_ini_value "$ini" DATA1 Month)" "DATA1 after the start that told of it"

  # A record that no run could have written tells nothing, is removed, and the run goes on.
  local hostile i
  for hostile in -600 99999999999999999999 'last week'; do
    e2e_wait_desktop_gone
    printf '%s\r\n' "$hostile" >"$record"
    e2e_start_resident "$program_folder"
    for ((i = 0; i < 100; i++)); do
      [ -e "$record" ] || break
      sleep 0.1
    done
    [ ! -e "$record" ] || e2e_fail "the start left the record '$hostile' in place"
    # The balloon would come with the record's removal; three seconds tell that it did not.
    if e2e_probe wait --class tooltips_class32 --visible --timeout 3000; then
      e2e_fail "a balloon after a start with the record '$hostile'"
    fi
    e2e_close_resident
  done
}

# Repeats within the day, on a clock put at 09:59:35: every five minutes from 10:00 up to 10:05
# rings at both and at no minute between; one whose end, 09:56, left out its step of 10:02 does
# not ring then.
case_repeat_due() {
  e2e_set_local_time 9 59 35
  local start i
  start=$(date +%s)
  {
    printf '[DATA0]\nMonth=0\nDay=0\nWeek=0\nHour=10\nMinute=0\nAction=3\nTime=0\n'
    printf 'Message=繰り返し 一\nRepeatMinutes=5\nRepeatUntil=1005\n'
    printf '[DATA1]\nMonth=0\nDay=0\nWeek=0\nHour=9\nMinute=52\nAction=3\nTime=0\n'
    printf 'Message=繰り返し 二\nRepeatMinutes=5\nRepeatUntil=956\n'
  } | write_profile 2 0
  e2e_start_resident "$program_folder"
  e2e_probe wait --title "$message_caption" --visible --timeout 60000 ||
    e2e_fail "no message at 10:00"
  e2e_probe clock || e2e_fail "no clock"
  e2e_assert_eq 10:0 "$(e2e_value hour):$(e2e_value minute)" "minute of the first message"

  e2e_sleep_until $((start + 25 + 5 * 60 + 20))
  e2e_probe windows --title "$message_caption" || e2e_fail "cannot list windows"
  e2e_assert_eq 2 "$(e2e_value matches)" "message windows at 10:05:20"
  local -a windows=("$(e2e_value window0_hwnd)" "$(e2e_value window1_hwnd)")
  for i in 0 1; do
    e2e_probe text --hwnd "${windows[$i]}" --id "$IDC_MESSAGE_TEXT" || e2e_fail "no message text"
    e2e_assert_eq "繰り返し 一" "$(e2e_value text)" "message window $i"
  done
  e2e_close_resident
  e2e_assert_eq 0 "$(e2e_ini_value "$ini" DATA0 Month)" "DATA0 kept"
  e2e_assert_eq 1005 "$(e2e_ini_value "$ini" DATA0 RepeatUntil)" "DATA0's end kept"
}

# A file reservation whose file is missing; NO_ERROR is the option. With LATE_MESSAGE, a
# message reservation of that text follows it, due a minute after it.
file_reservation_run() {
  local no_error=$1 late_message=${2:-} slots=1 late_slot=
  e2e_align_clock 50
  next_minute
  if [ -n "$late_message" ]; then
    e2e_probe clock --ahead 120 || e2e_fail "no clock"
    late_slot=$(printf '[DATA1]\nMonth=%s\nDay=%s\nHour=%s\nMinute=%s\nAction=3\nErace=1\nTime=0\nMessage=%s' \
      "$(e2e_value month)" "$(e2e_value day)" "$(e2e_value hour)" "$(e2e_value minute)" \
      "$late_message")
    slots=2
  fi
  {
    due_slot 0 2 Erace=1 'FileName=C:\no such folder\nothing.exe'
    [ -z "$late_slot" ] || printf '%s\n' "$late_slot"
  } | write_profile "$slots" "$no_error"
  e2e_start_resident "$program_folder"
}

case_file_error() {
  file_reservation_run 0 遅れた予約
  expect_error_box 指定されたファイルの実行に失敗しました "a missing file"
  e2e_screenshot "$screenshots/error-box.png" "$box"

  # The box stays open across the message's minute and past it: the message is not lost, it
  # runs late as soon as the box has closed, and is erased then.
  wait_into_due_minute 125
  e2e_probe windows --title "$message_caption" || e2e_fail "cannot list windows"
  e2e_assert_eq 0 "$(e2e_value matches)" "message windows while the error box is open"
  dismiss_box "$box" "the error box"
  e2e_probe wait --title "$message_caption" --visible --timeout 40000 ||
    e2e_fail "no late message within 40 s of the box closing"
  e2e_probe text --hwnd "$(e2e_value hwnd)" --id "$IDC_MESSAGE_TEXT" || e2e_fail "no message text"
  e2e_assert_eq 遅れた予約 "$(e2e_value text)" "late message shown"
  e2e_close_resident
  e2e_assert_eq 13 "$(e2e_ini_value "$ini" DATA1 Month)" "DATA1 erased after its late run"
}

# The version box open from before a message's minute until well after it: the message is not
# lost, it runs late once the box has closed, and is erased then. The box is asked for while
# the start still waits for its held profile, so that it opens before the first tick.
case_about_late() {
  # 45 s before the minute for the hold, the start and the box, on a loaded machine too.
  e2e_align_clock 15
  next_minute
  due_slot 0 3 Erace=1 Time=0 "Message=箱の後の予約" | write_profile 1 0
  hold_profile 5000
  e2e_start_resident "$program_folder"
  e2e_probe command --hwnd "$E2E_FRAME" --id "$ID_APP_ABOUT" ||
    e2e_fail "cannot post the version command"
  kill -0 "$hold_pid" 2>/dev/null || e2e_fail "the profile was let go before the version command"
  e2e_probe box --title "$about_caption" --pid "$E2E_FRAME_PID" --visible --timeout 15000 ||
    e2e_fail "no version box"
  local about
  about=$(e2e_value hwnd)
  (($(date +%s) < due_start)) || e2e_fail "the version box opened only after the message's minute"
  end_hold

  wait_into_due_minute 100
  e2e_probe windows --title "$message_caption" || e2e_fail "cannot list windows"
  e2e_assert_eq 0 "$(e2e_value matches)" "message windows while the version box is open"
  dismiss_box "$about" "the version box"
  e2e_probe wait --title "$message_caption" --visible --timeout 40000 ||
    e2e_fail "no late message within 40 s of the version box closing"
  e2e_probe text --hwnd "$(e2e_value hwnd)" --id "$IDC_MESSAGE_TEXT" || e2e_fail "no message text"
  e2e_assert_eq 箱の後の予約 "$(e2e_value text)" "late message shown"
  e2e_close_resident
  e2e_assert_eq 13 "$(e2e_ini_value "$ini" DATA0 Month)" "DATA0 erased after its late run"
}

case_file_no_error() {
  file_reservation_run 1
  # A box would have come up by then; the erased slot below shows the reservation ran.
  wait_into_due_minute 5
  e2e_probe windows --title "$error_caption" || e2e_fail "cannot list windows"
  e2e_assert_eq 0 "$(e2e_value matches)" "error boxes with NoError 1"
  e2e_close_resident
  # Erased: the reservation did come due.
  e2e_assert_eq 13 "$(e2e_ini_value "$ini" DATA0 Month)" "DATA0 after its minute"
}

readonly cd_log="$E2E_DIR/cd.log" sound_log="$E2E_DIR/sound.log"
# The log of the driver that the program started next plays on.
driver_log=

# The CD driver (cd_driver.cpp) in the drive D: of the program started next: a disc of TRACKS
# tracks of 2 s each (0: no disc), the query FAILING fails ("" for none).
insert_disc() {
  local tracks=$1 failing=${2:-}
  export CHIMEDAY_CD_TRACKS=$tracks CHIMEDAY_CD_TRACK_MS=2000 CHIMEDAY_CD_FAIL=$failing
  CHIMEDAY_CD_LOG=$(e2e_windows_path "$cd_log")
  export CHIMEDAY_CD_LOG
  rm -f "$cd_log"
  driver_log=$cd_log
}

# The waveform audio driver (wave_driver.cpp) for the program started next: every file that
# exists sounds for 2 s.
prepare_sound() {
  export CHIMEDAY_SOUND_MS=2000
  CHIMEDAY_SOUND_LOG=$(e2e_windows_path "$sound_log")
  export CHIMEDAY_SOUND_LOG
  rm -f "$sound_log"
  driver_log=$sound_log
}

# What the driver was asked, as one line with " | " between the commands. Wine hands a
# driver the device's name, or the file's, in lower case.
driver_log_text() {
  [ -f "$driver_log" ] || return 0
  local line text=
  while IFS= read -r line; do text+="${text:+ | }$line"; done <"$driver_log"
  printf '%s' "$text"
}

# What the driver was asked after the last play command. A track can end by itself while the
# program stops it, here as on a real drive: its end's notification then comes before or after
# the stop, in place of the stop's, and is told as the stop's.
driver_log_after_last_play() {
  local text
  text=$(driver_log_text)
  text=${text##*" notify | "}
  case $text in
    "notify successful | stop | close" | "stop | notify successful | close" | \
      "stop | close | notify successful")
      text="stop | notify aborted | close"
      ;;
  esac
  printf '%s' "$text"
}

# Waits until the driver's log holds LINE at least COUNT times.
wait_driver_log() {
  local line=$1 count=$2 timeout_s=$3 deadline
  deadline=$((SECONDS + timeout_s))
  while ((SECONDS < deadline)); do
    [ -f "$driver_log" ] && (($(grep -cxF -- "$line" "$driver_log" || true) >= count)) && return 0
    sleep 0.1
  done
  e2e_fail "the driver was not asked '$line' $count time(s) within $timeout_s s; it saw: $(driver_log_text)"
}

# A screenshot of the notification area, as raw pixels, for telling the icons apart.
tray_pixels() {
  import -window root -crop 48x24+976+744 rgb:- | md5sum | cut -d' ' -f1
}

# The idle icon's pixels, once the shell holds the frame's icon and they have held still for
# half a second: the shell paints an icon a moment after it takes it.
settled_tray_pixels() {
  e2e_probe tray-icon --hwnd "$E2E_FRAME" --timeout 10000 || e2e_fail "cannot ask the shell"
  [ "$(e2e_value present)" = 1 ] || e2e_fail "the tray icon did not appear within 10 s"
  local seen last='' deadline=$((SECONDS + 10))
  seen=$(tray_pixels)
  while [ "$seen" != "$last" ] && ((SECONDS < deadline)); do
    last=$seen
    sleep 0.5
    seen=$(tray_pixels)
  done
  printf '%s' "$seen"
}

# Waits up to 5 s for the tray to show (is) or to show other than (not) PIXELS: the program
# changes its icon after it has told the device, and the shell paints it after that.
expect_tray() {
  local how=$1 pixels=$2 what=$3 seen deadline=$((SECONDS + 5))
  while :; do
    seen=$(tray_pixels)
    case $how in
      is) [ "$seen" != "$pixels" ] || return 0 ;;
      not) [ "$seen" = "$pixels" ] || return 0 ;;
    esac
    ((SECONDS < deadline)) || break
    sleep 0.2
  done
  if [ "$how" = is ]; then
    e2e_assert_eq "$pixels" "$seen" "$what, within 5 s"
  else
    e2e_fail "$what: the tray still shows $pixels after 5 s"
  fi
}

# C: is a hard disk; D: is the prefix's CD-ROM drive: with no disc the track count fails, and
# a disc whose position query fails fails there. Each failure leaves the device closed.
case_cd_drives() {
  local drive text log
  for drive in 3 4 4p; do
    e2e_align_clock 50
    next_minute
    case $drive in
      3)
        insert_disc 0
        text=指定されたCDドライブが使用できません
        log=
        ;;
      4)
        insert_disc 0
        text=CDのトラック数取得に失敗しました
        log="open d: | status number of tracks -> no disc | stop | close"
        ;;
      4p)
        insert_disc 4 position
        text=指定曲の開始位置取得に失敗しました
        log="open d: | status number of tracks -> 4 | set time format milliseconds"
        log+=" | status position track 1 -> fails | stop | close"
        ;;
    esac
    due_slot 0 1 Drive="${drive%p}" Track=1 Time=0 Erace=1 | write_profile 1 0
    e2e_start_resident "$program_folder"
    expect_error_box "$text" "a CD on drive $drive"
    e2e_assert_eq "$log" "$(driver_log_text)" "what the CD driver saw for drive $drive"
    dismiss_box "$box" "the CD error box"
    e2e_close_resident
    e2e_wait_desktop_gone
  done
}

# Track 3 of a 4-track disc in D:, for a minute: played from its start to the next track's
# start with a notification, played again after each success notification, and stopped when
# its minute is over. The icon shows the disc meanwhile.
case_cd_play() {
  insert_disc 4
  # Time for the idle icon to be seen settled before the play.
  e2e_align_clock 40
  next_minute
  due_slot 0 1 Drive=4 Track=3 Time=1 Erace=0 | write_profile 1 0
  e2e_start_resident "$program_folder"
  local idle
  idle=$(settled_tray_pixels)
  wait_driver_log "play from 6000 to 8000 notify" 1 40
  local played=$SECONDS
  e2e_assert_eq "open d: | status number of tracks -> 4 | set time format milliseconds | status position track 3 -> 6000 | status length track 3 -> 2000 | play from 6000 to 8000 notify" \
    "$(driver_log_text)" "what the CD driver saw for the reservation"
  expect_tray not "$idle" "the tray icon while the CD plays"
  e2e_screenshot "$screenshots/cd-playing.png"

  wait_driver_log "notify successful" 2 10
  wait_driver_log "play from 6000 to 8000 notify" 3 10
  e2e_probe windows --title "$error_caption" || e2e_fail "cannot list windows"
  e2e_assert_eq 0 "$(e2e_value matches)" "error boxes while the CD plays"

  # The 59th tick of the countdown's one-second timer stops it.
  wait_driver_log close 1 75
  local stopped_after=$((SECONDS - played)) plays
  ((stopped_after >= 55 && stopped_after <= 62)) ||
    e2e_fail "the CD stopped $stopped_after s after it started, not after about 59 s"
  plays=$(grep -c '^play ' "$cd_log")
  e2e_assert_eq "stop | notify aborted | close" "$(driver_log_after_last_play)" \
    "what the CD driver was asked after its last play"
  expect_tray is "$idle" "the tray icon after the CD stopped"
  # Longer than a track: nothing starts it again.
  sleep 3
  e2e_assert_eq "$plays" "$(grep -c '^play ' "$cd_log")" "plays after the stop"
  e2e_close_resident
}

# With no time limit, the CD plays on until a click on the icon stops it (the menu then
# opens as after any click); another start plays until the program is closed.
case_cd_stop() {
  local how
  for how in click close; do
    insert_disc 4
    e2e_align_clock 50
    next_minute
    due_slot 0 1 Drive=4 Track=2 Time=0 Erace=0 | write_profile 1 0
    e2e_start_resident "$program_folder"
    wait_driver_log "play from 4000 to 6000 notify" 1 40
    wait_driver_log "play from 4000 to 6000 notify" 2 10
    if [ "$how" = click ]; then
      open_tray_menu
      wait_driver_log close 1 10
      close_tray_menu
      e2e_close_resident
    else
      e2e_close_resident
    fi
    e2e_assert_eq "stop | notify aborted | close" "$(driver_log_after_last_play)" \
      "what the CD driver was asked after its last play, with a $how"
    e2e_assert_eq 1 "$(grep -c '^close$' "$cd_log")" "closes of the device after a $how"
    e2e_wait_desktop_gone
  done
}

# A sound file whose name holds a blank and Japanese, as the profile names it in code page 932;
# sets sound to its Windows path.
make_sound_file() {
  local folder="$program_folder/音"
  mkdir -p "$folder"
  : >"$folder/朝 の鐘.wav"
  sound=$(e2e_windows_path "$folder/朝 の鐘.wav")
}

# A sound for a minute: opened by its path as waveaudio, played from its start with a
# notification, played again after each end, and stopped when its minute is over. The icon
# shows the CD's meanwhile.
case_sound_play() {
  local sound
  make_sound_file
  prepare_sound
  # Time for the idle icon to be seen settled before the play.
  e2e_align_clock 40
  next_minute
  due_slot 0 4 "FileName=$sound" Time=1 Erace=0 | write_profile 1 0
  e2e_start_resident "$program_folder"
  local idle
  idle=$(settled_tray_pixels)
  wait_driver_log "play from 0 notify" 1 40
  local played=$SECONDS
  e2e_assert_eq "open ${sound,,} | play from 0 notify" "$(driver_log_text)" \
    "what the sound driver saw for the reservation"
  expect_tray not "$idle" "the tray icon while the sound plays"

  wait_driver_log "notify successful" 2 10
  wait_driver_log "play from 0 notify" 3 10
  e2e_probe windows --title "$error_caption" || e2e_fail "cannot list windows"
  e2e_assert_eq 0 "$(e2e_value matches)" "error boxes while the sound plays"

  # The 59th tick of the countdown's one-second timer stops it, as it stops a CD.
  wait_driver_log close 1 75
  local stopped_after=$((SECONDS - played)) plays
  ((stopped_after >= 55 && stopped_after <= 62)) ||
    e2e_fail "the sound stopped $stopped_after s after it started, not after about 59 s"
  plays=$(grep -c '^play ' "$sound_log")
  e2e_assert_eq "stop | notify aborted | close" "$(driver_log_after_last_play)" \
    "what the sound driver was asked after its last play"
  expect_tray is "$idle" "the tray icon after the sound stopped"
  sleep 3
  e2e_assert_eq "$plays" "$(grep -c '^play ' "$sound_log")" "plays after the stop"
  e2e_close_resident
}

# With no time limit, the sound plays on until a click on the icon stops it (the menu then
# opens as after any click). A file that is not there is told in a box that names it, and so is
# a name with a quote, which never reaches the driver: sent as it is, its words after the quote
# are taken as the command's, and the file before it plays.
case_sound_stop() {
  local sound file how log
  make_sound_file
  for how in click missing quote; do
    prepare_sound
    e2e_align_clock 50
    next_minute
    case $how in
      click) file=$sound ;;
      missing) file="${sound%.wav}がない.wav" ;;
      quote) file="$sound\" type waveaudio alias other" ;;
    esac
    due_slot 0 4 "FileName=$file" Time=0 Erace=0 | write_profile 1 0
    e2e_start_resident "$program_folder"
    if [ "$how" = click ]; then
      wait_driver_log "play from 0 notify" 2 40
      open_tray_menu
      wait_driver_log close 1 10
      close_tray_menu
      e2e_close_resident
      e2e_assert_eq "stop | notify aborted | close" "$(driver_log_after_last_play)" \
        "what the sound driver was asked after its last play, with a click"
      e2e_assert_eq 1 "$(grep -c '^close$' "$sound_log")" "closes of the device after a click"
    else
      expect_error_box "$(printf '指定されたサウンドファイルを開けませんでした\n%s' "$file")" \
        "a sound file, $how"
      # The driver logs an open before the program can show its box.
      log="open ${file,,} -> no such file"
      [ "$how" = missing ] || log=
      e2e_assert_eq "$log" "$(driver_log_text)" "what the sound driver saw for a file, $how"
      dismiss_box "$box" "the sound error box"
      e2e_close_resident
    fi
    e2e_wait_desktop_gone
  done
}

# A sound stopped by a click comes back a snooze later (one minute, from the profile) when the
# menu's first item is chosen; a click that stops nothing opens the menu as ever, 設定 first.
case_sound_snooze() {
  local sound
  make_sound_file
  prepare_sound
  e2e_align_clock 50
  next_minute
  { echo SnoozeMinutes=1; due_slot 0 4 "FileName=$sound" Time=0 Erace=0; } | write_profile 1 0
  e2e_start_resident "$program_folder"
  wait_driver_log "play from 0 notify" 1 40
  open_tray_menu
  wait_driver_log close 1 10
  e2e_screenshot "$screenshots/tray-menu-snooze.png"
  choose_item 1
  local snoozed=$SECONDS plays
  plays=$(grep -c '^play ' "$sound_log")
  wait_driver_log "open ${sound,,}" 2 90
  local after=$((SECONDS - snoozed))
  ((after >= 57 && after <= 65)) || e2e_fail "the snooze played $after s after it was chosen, not 60"
  wait_driver_log "play from 0 notify" $((plays + 1)) 10

  open_tray_menu
  wait_driver_log close 2 10
  close_tray_menu
  open_tray_menu
  choose_item 1
  e2e_probe wait --title "$settings_caption" --visible --timeout 10000 ||
    e2e_fail "the first item of a menu whose click stopped nothing is not 設定"
  e2e_press "$(e2e_value hwnd)" "$IDCANCEL" "the settings dialog"
  e2e_assert_eq 2 "$(grep -c '^open ' "$sound_log")" "opens of the sound: the reservation's and the snooze's"
  e2e_close_resident
}

# One slot empty: the menu's second item is the quick reservation.
case_tray_menu() {
  e2e_start_resident "$program_folder"
  open_tray_menu
  e2e_screenshot "$screenshots/tray-menu.png"
  choose_second_item

  # The pointer resting on the icon shows its tip (its text is the tooltip's own, out of the
  # probe's reach: the picture shows it). Wine's taskbar has the one icon at its right end.
  e2e_probe screen || e2e_fail "no screen size"
  e2e_probe point --x $(($(e2e_value screen_width) - 11)) --y $(($(e2e_value screen_height) - 10)) \
    --class tooltips_class32 --visible --timeout 20000 || e2e_fail "no tip on the icon"
  e2e_screenshot "$screenshots/tray-tip.png"
  e2e_close_resident
  e2e_assert_eq "あれから３分です！" "$(e2e_ini_value "$ini" DATA31 Message)" \
    "DATA31 after the menu's second item"
  e2e_assert_eq 13 "$(e2e_ini_value "$ini" DATA30 Month)" "DATA30 after the menu's second item"
}

# The keyboard alone: Enter on the icon and the menu key open the menu, whose access keys choose
# the settings and the exit; the menu event that ends a right click opens no second menu.
case_tray_keys() {
  e2e_start_resident "$program_folder"
  # Version 4: the event in the low word, the icon's id (0) in the high one.
  click_tray_icon "$NIN_KEYSELECT"
  e2e_probe wait --class '#32768' --visible --timeout 5000 || e2e_fail "no menu after Enter"
  menu=$(e2e_value hwnd)
  e2e_window_screenshot "$screenshots/tray-menu-keys.png" "$menu"
  close_tray_menu

  click_tray_icon "$WM_CONTEXTMENU"
  e2e_probe wait --class '#32768' --visible --timeout 5000 || e2e_fail "no menu after the menu key"
  menu=$(e2e_value hwnd)
  e2e_probe key --hwnd "$menu" --key 0x53 || e2e_fail "cannot press S"
  e2e_probe wait --title 鳴刻設定 --visible --timeout 10000 || e2e_fail "S opened no settings"
  e2e_press "$(e2e_value hwnd)" "$IDCANCEL" "the settings dialog"

  open_tray_menu
  close_tray_menu
  click_tray_icon "$WM_RBUTTONUP"
  click_tray_icon "$WM_CONTEXTMENU"
  # Sent: it returns once the frame has handled what was posted before it.
  e2e_probe message --hwnd "$E2E_FRAME" --msg "$WM_NULL" --send || e2e_fail "the frame is stuck"
  e2e_probe windows --class '#32768' --visible || e2e_fail "cannot list windows"
  e2e_assert_eq 0 "$(e2e_value matches)" "menus open after the end of a right click"

  click_tray_icon "$NIN_KEYSELECT"
  e2e_probe wait --class '#32768' --visible --timeout 5000 || e2e_fail "no menu after Enter"
  e2e_probe key --hwnd "$(e2e_value hwnd)" --key 0x58 || e2e_fail "cannot press X"
  e2e_wait_resident_exit "X in the menu"
}

# Every slot used: the second item is the version box, which a click on the icon brings
# forward without a menu.
case_tray_menu_full() {
  printf '[DATA0]\nMonth=1\n[DATA1]\nMonth=0\nAction=0\n' | write_profile 2 0
  e2e_start_resident "$program_folder"
  open_tray_menu
  choose_second_item
  e2e_probe box --title "$about_caption" --pid "$E2E_FRAME_PID" --visible --timeout 5000 ||
    e2e_fail "no version box"
  local about message
  about=$(e2e_value hwnd)
  # Owned by the hidden frame: no taskbar button of its own.
  e2e_assert_eq "$E2E_FRAME" "$(e2e_value owner)" "owner of the version box"
  e2e_assert_eq "鳴刻 Version 1.00" "$(e2e_value text)" "version box text"
  local width height
  width=$(e2e_value width)
  height=$(e2e_value height)
  e2e_assert_eq "$(((1024 - width) / 2)),$(((768 - height) / 2))" \
    "$(e2e_value x),$(e2e_value y)" "version box centred on the 1024x768 desktop"
  e2e_screenshot "$screenshots/version-box.png"

  # Another window takes the foreground; the click on the icon takes it back.
  e2e_start_in_desktop message "$CHIMEDAY_EXE" "00,前に出る窓"
  e2e_probe wait --title "$message_caption" --visible --timeout 60000 || e2e_fail "no message window"
  message=$(e2e_value hwnd)
  e2e_expect_foreground "$message" "foreground before the click"
  # Sent, so that the menu check below comes after the click was handled; a menu opened by
  # the click would hold the probe until it times out.
  e2e_probe message --hwnd "$E2E_FRAME" --msg "$WM_TRAYNOTIFY" --lparam "$WM_LBUTTONDOWN" \
    --send || e2e_fail "the frame did not return from the click with the version box open"
  e2e_expect_foreground "$about" "foreground after the click"
  e2e_probe windows --class '#32768' --visible || e2e_fail "cannot list windows"
  e2e_assert_eq 0 "$(e2e_value matches)" "menus open after the click"

  dismiss_box "$about" "the version box"
  e2e_close_resident
}

# The timer with the keyboard alone: the menu's access key, the minutes typed over those the
# dialog opens with, Enter. Minutes it cannot take are refused with a box over the dialog, which
# stays. The message comes at the minute nearest the time typed, and its slot erases itself.
case_timer() {
  e2e_start_resident "$program_folder"
  open_tray_menu
  press_in_menu T
  e2e_probe wait --title タイマー --pid "$E2E_FRAME_PID" --visible --timeout 10000 ||
    e2e_fail "no timer dialog after the menu's access key"
  local dialog
  dialog=$(e2e_value hwnd)
  e2e_assert_eq "$E2E_FRAME $IDC_TIMER_MINUTES" "$(e2e_value owner) $(e2e_value focus_id)" \
    "owner of the timer dialog and its field with the focus"
  e2e_probe text --hwnd "$dialog" --id "$IDC_TIMER_MINUTES" || e2e_fail "no minutes"
  local minutes
  minutes=$(e2e_value text)
  e2e_probe text --hwnd "$dialog" --id "$IDC_TIMER_MESSAGE" || e2e_fail "no message"
  e2e_assert_eq "25 タイマーの時間です" "$minutes $(e2e_value text)" "what the timer dialog opens with"
  e2e_expect_whole_layout "$dialog" "the timer dialog"
  e2e_window_screenshot "$screenshots/timer.png" "$dialog"

  # More than a day. After the box the minutes are selected again: a 1 typed then replaces them,
  # where behind them it would find the field full.
  type_into_focus "$dialog" 2 0 0 0 RETURN
  e2e_probe box --title タイマー --owner "$dialog" --visible --timeout 10000 ||
    e2e_fail "no box for 2000 minutes"
  local box
  box=$(e2e_value hwnd)
  e2e_assert_eq "時間は1から1440までの分数を半角数字で入力してください。 $IDOK 1" \
    "$(e2e_value text) $(e2e_value button_ids) $(e2e_value icon)" "the box for 2000 minutes"
  e2e_press "$box" "$IDOK" "the box for 2000 minutes"
  e2e_probe info --hwnd "$dialog" || e2e_fail "the timer dialog went with the box"
  e2e_assert_eq "$IDC_TIMER_MINUTES" "$(e2e_value focus_id)" "focus after the box"

  # Early in a minute, so that one minute on is one clock minute on, at least half a minute away.
  e2e_probe clock || e2e_fail "no clock"
  (($(e2e_value second) <= 20)) || e2e_sleep_until $(($(e2e_value epoch) - $(e2e_value second) + 62))
  e2e_probe clock --ahead 90 || e2e_fail "no clock"
  local set_at due_first
  set_at=$(($(e2e_value epoch) - 90))
  due_first="$(e2e_value hour):$(e2e_value minute)"
  type_into_focus "$dialog" 1 RETURN
  e2e_probe wait-gone --hwnd "$dialog" --timeout 10000 || e2e_fail "the timer dialog stays after 1"
  e2e_probe clock --ahead 90 || e2e_fail "no clock"
  local due_last
  due_last="$(e2e_value hour):$(e2e_value minute)"

  # The pointer resting on the icon shows the timer's tip (the picture shows its text).
  e2e_probe screen || e2e_fail "no screen size"
  e2e_probe point --x $(($(e2e_value screen_width) - 11)) --y $(($(e2e_value screen_height) - 10)) \
    --class tooltips_class32 --visible --timeout 10000 || e2e_fail "no tip on the icon"
  e2e_screenshot "$screenshots/timer-tip.png"

  e2e_probe wait --title "$message_caption" --visible --timeout 120000 ||
    e2e_fail "no message window within two minutes of the timer"
  local window shown_at
  window=$(e2e_value hwnd)
  e2e_probe clock || e2e_fail "no clock"
  shown_at="$(e2e_value hour):$(e2e_value minute)"
  [ "$shown_at" = "$due_last" ] || e2e_assert_eq "$due_first" "$shown_at" \
    "minute of the timer's message (set between $due_first and $due_last)"
  (($(e2e_value epoch) - set_at >= 30)) ||
    e2e_fail "the timer's message came $(($(e2e_value epoch) - set_at)) s after it was set"
  e2e_probe text --hwnd "$window" --id "$IDC_MESSAGE_TEXT" || e2e_fail "no message text"
  e2e_assert_eq タイマーの時間です "$(e2e_value text)" "the timer's message"
  e2e_press "$window" "$IDOK" "the timer's message"
  e2e_close_resident
  e2e_assert_eq "13 タイマーの時間です 13" "$(e2e_ini_value "$ini" DATA31 Month) \
$(e2e_ini_value "$ini" DATA31 Message) $(e2e_ini_value "$ini" DATA30 Month)" \
    "the last slot, erased once gone off, and the one before it"
}

case "$case_name" in
  first-run) case_first_run ;;
  kept-lines) case_kept_lines ;;
  quick-reservation) case_quick_reservation ;;
  frame) case_frame ;;
  message-due) case_message_due ;;
  file-error) case_file_error ;;
  about-late) case_about_late ;;
  file-no-error) case_file_no_error ;;
  cd-drives) case_cd_drives ;;
  cd-play) case_cd_play ;;
  cd-stop) case_cd_stop ;;
  sound-play) case_sound_play ;;
  sound-stop) case_sound_stop ;;
  tray-menu) case_tray_menu ;;
  sound-snooze) case_sound_snooze ;;
  tray-menu-full) case_tray_menu_full ;;
  tray-keys) case_tray_keys ;;
  repeat-due) case_repeat_due ;;
  timer) case_timer ;;
  *) e2e_fail "unknown case $case_name" ;;
esac
e2e_finish "resident.$case_name"
