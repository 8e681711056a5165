# Sourced by the end-to-end tests: a virtual display, the Wine prefix, the probe, checks.
#
# The test gets from CTest: CHIMEDAY_EXE, PROBE_EXE, CD_DRIVER_DLL, SOUND_DRIVER_DLL,
# CHIMEDAY_SOURCE_DIR, CHIMEDAY_BUILD_DIR, and CHIMEDAY_WINE_ARCH, which picks the Wine of the build (scripts/lib/wine-env.sh).
# Exit codes: 0 passed, 1 failed, 77 skipped (Wine or Xvfb missing outside CI).
# shellcheck shell=bash

E2E_DIR=
E2E_PIDS=()
# When set, every probe looks inside this Wine desktop.
E2E_PROBE_DESKTOP=
# The Wine desktop process of the last start in one.
E2E_DESKTOP_PID=
E2E_FAILURES=0
E2E_XVFB_PID=
E2E_STARTED=$SECONDS

# shellcheck source=scripts/lib/wine-env.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/wine-env.sh"
# shellcheck source=scripts/lib/virtual-display.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/virtual-display.sh"

# A command that fails where nothing expects it (not under if, || or &&) ends the test with
# its name and line, instead of a bare exit status. -E hands the trap to functions and to
# command substitutions, whose failures set -e alone would ignore.
e2e_on_error() {
  local status=$1 command=$2 line=$3
  trap - ERR
  echo "FAIL: '$command' exited with $status at ${BASH_SOURCE[1]##*/}:$line" \
    "(in ${FUNCNAME[*]:1})" >&2
  ((BASH_SUBSHELL)) || e2e_show_logs
  exit "$status"
}
set -E
trap 'e2e_on_error $? "$BASH_COMMAND" "$LINENO"' ERR

# Fails the test outright, with the probe's last output and the program logs for context.
e2e_fail() {
  echo "FAIL: $*" >&2
  # Once, by the test itself, not by each command substitution that fails.
  ((BASH_SUBSHELL)) || e2e_show_logs
  exit 1
}

e2e_show_logs() {
  local log
  [ -n "$E2E_DIR" ] || return 0
  for log in "$E2E_DIR"/*.log "${E2E_PROBE_OUT:-}"; do
    [ "$log" = "$E2E_DIR/xvfb.log" ] && continue
    [ -s "$log" ] || continue
    echo "--- ${log#"$E2E_DIR"/}" >&2
    tail -n 20 "$log" >&2
  done
  # A start that hangs shows here: what of this test still runs.
  echo "--- processes" >&2
  pgrep -a -f -- "\\\\${CHIMEDAY_BUILD_DIR##*/}\\\\e2e\\\\${E2E_DIR##*/}\\\\" >&2 || true
}

# A missing tool skips the test, except under CI where it must be there.
e2e_require_tool() {
  command -v "$1" >/dev/null 2>&1 && return 0
  if [ "${CI:-}" = true ]; then
    echo "FAIL: $1 is not installed; the end-to-end tests need it under CI (scripts/bootstrap)" >&2
    exit 1
  fi
  echo "SKIP: $1 is not installed (scripts/bootstrap installs it)"
  exit 77
}

e2e_cleanup() {
  local status=$?
  local pid
  set +e
  trap - ERR
  if [ -n "${WINEPREFIX:-}" ]; then
    wineserver -k >/dev/null 2>&1
    wineserver -w >/dev/null 2>&1
  fi
  for pid in "${E2E_PIDS[@]}"; do
    kill -9 "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  if [ -n "$E2E_XVFB_PID" ]; then
    kill "$E2E_XVFB_PID" 2>/dev/null
    wait "$E2E_XVFB_PID" 2>/dev/null
  fi
  # A passed case's prefix tells nothing; a failed one's stays to be looked into.
  [ "$status" -ne 0 ] || [ -z "${WINEPREFIX:-}" ] || rm -rf "$WINEPREFIX"
  exit "$status"
}

# Xvfb picks a free display itself and writes its number when it is ready.
e2e_start_xvfb() {
  local started=0
  start_virtual_display "$E2E_DIR" 2>"$E2E_DIR/display.err" || started=$?
  E2E_XVFB_PID=$VIRTUAL_DISPLAY_PID
  if [ "$started" -ne 0 ]; then
    cat "$E2E_DIR/xvfb.log" >&2
    e2e_fail "$(cat "$E2E_DIR/display.err")"
  fi
}

# Sets up everything a test needs; NAME names the test's working folder.
e2e_setup() {
  local name=$1 var
  for var in CHIMEDAY_EXE PROBE_EXE CD_DRIVER_DLL SOUND_DRIVER_DLL CHIMEDAY_SOURCE_DIR \
    CHIMEDAY_BUILD_DIR; do
    [ -n "${!var:-}" ] || { echo "FAIL: $var is not set (run through ctest)" >&2; exit 1; }
  done
  e2e_require_tool "$WINE"
  e2e_require_tool "$WINESERVER"
  e2e_require_tool Xvfb
  [ -f "$CHIMEDAY_EXE" ] || { echo "FAIL: $CHIMEDAY_EXE is not built" >&2; exit 1; }
  [ -f "$PROBE_EXE" ] || { echo "FAIL: $PROBE_EXE is not built" >&2; exit 1; }

  E2E_DIR="$CHIMEDAY_BUILD_DIR/e2e/$name"
  # A server left by an aborted run of this case would outlive its display and its prefix.
  if [ -d "$E2E_DIR/prefix" ]; then
    WINEPREFIX="$E2E_DIR/prefix" wineserver -k >/dev/null 2>&1 || true
  fi
  rm -rf "$E2E_DIR"
  mkdir -p "$E2E_DIR"
  E2E_PROBE_OUT="$E2E_DIR/probe.out"

  # Wine's own errors stay in the logs, for a start that fails without a word of ours.
  export WINEDEBUG=fixme-all WINEDLLOVERRIDES="mscoree,mshtml="
  # Wine turns the Unix arguments into UTF-16 by the locale's character set.
  export LC_ALL=C.UTF-8
  # The build's template, at the DPI a test sets in E2E_DPI before the set-up: made once by
  # the e2e.prefix fixtures, and quick to check here.
  local template="$CHIMEDAY_BUILD_DIR/wineprefix${E2E_DPI:+-${E2E_DPI}dpi}"
  bash "$CHIMEDAY_SOURCE_DIR/scripts/wine-prefix" "$template" ${E2E_DPI:+"$E2E_DPI"} ||
    e2e_fail "no Wine prefix"
  trap e2e_cleanup EXIT
  # A signal ends the test through exit, so that the cleanup runs.
  trap 'exit 129' HUP
  trap 'exit 130' INT
  trap 'exit 143' TERM
  # The case's own prefix, so its own wineserver, registry and desktops: cases run side by side.
  export WINEPREFIX="$E2E_DIR/prefix"
  e2e_copy_prefix "$template" "$WINEPREFIX"
  e2e_install_mci_drivers
  e2e_start_xvfb
  # Output to /dev/null: a server holding a pipe open would keep readers waiting.
  wineserver -p </dev/null >/dev/null 2>&1
}

# Copies the prefix TEMPLATE to PREFIX. A whole copy is over a gigabyte, most of it Windows
# binaries that nothing writes once the prefix is made: those are hard links to the template's;
# every other file (the registry, the .ini files Wine rewrites in place) is a copy of its own.
e2e_copy_prefix() {
  local template=$1 prefix=$2
  cp -al "$template" "$prefix" || e2e_fail "cannot link $template to $prefix"
  (cd "$template" && find . -type f ! \( -iname '*.dll' -o -iname '*.exe' -o -iname '*.drv' \
    -o -iname '*.sys' -o -iname '*.nls' -o -iname '*.ocx' -o -iname '*.cpl' -o -iname '*.acm' \
    -o -iname '*.tlb' -o -iname '*.ax' -o -iname '*.vxd' -o -iname '*.com' \) \
    -exec cp -p --parents --remove-destination -t "$prefix" {} +) ||
    e2e_fail "cannot copy $template to $prefix"
}

# Wine's MCI takes the driver of a device type from the prefix's system.ini: ours stand there,
# for cdaudio a drive with no disc unless the test sets CHIMEDAY_CD_TRACKS (see cd_driver.cpp),
# for waveaudio a device that plays every file there is (see wave_driver.cpp).
e2e_install_mci_drivers() {
  local windows="$WINEPREFIX/drive_c/windows" type dll source
  for type in cdaudio waveaudio; do
    case $type in
      cdaudio) dll=chimecda.dll source=$CD_DRIVER_DLL ;;
      waveaudio) dll=chimewav.dll source=$SOUND_DRIVER_DLL ;;
    esac
    # Not through a hard link that a template's older copy may be (e2e_copy_prefix).
    cp --remove-destination "$source" "$windows/system32/$dll" ||
      e2e_fail "cannot install the $type driver"
    grep -q "^$type=" "$windows/system.ini" || e2e_fail "no $type line in the prefix's system.ini"
    sed -i "s/^$type=[^\r]*/$type=$dll/" "$windows/system.ini"
  done
}

# Starts a Windows program in the background: e2e_start LOGNAME PROGRAM [ARG...].
# Its Linux pid is left in E2E_LAST_PID.
e2e_start() {
  local log="$E2E_DIR/$1.log"
  shift
  # A program that fails leaves its status in its log, for e2e_show_logs.
  { wine "$@" || echo "(exited with $?)"; } </dev/null >"$log" 2>&1 &
  E2E_LAST_PID=$!
  E2E_PIDS+=("$E2E_LAST_PID")
}

# The Windows path of a Unix path: on the prefix's drive C: when it lies there, elsewhere on
# Wine's drive Z:.
e2e_windows_path() {
  local path=$1
  if [[ $path == "$WINEPREFIX/drive_c/"* ]]; then
    path=${path#"$WINEPREFIX/drive_c/"}
    printf 'C:\\%s' "${path//\//\\}"
  else
    printf 'Z:%s' "${path//\//\\}"
  fi
}

# Runs the probe; its key=value output is then read with e2e_value. Returns its exit code.
e2e_probe() {
  rm -f "$E2E_PROBE_OUT"
  local status=0 desktop=()
  # The clock and the end of a process need no window, and a desktop whose last program has just
  # ended cannot be entered: under load it can be gone before the probe has started.
  case $1 in
    clock | wait-exit) ;;
    *) [ -z "$E2E_PROBE_DESKTOP" ] || desktop=(--desktop "$E2E_PROBE_DESKTOP") ;;
  esac
  wine "$PROBE_EXE" --out "$(e2e_windows_path "$E2E_PROBE_OUT")" "$@" "${desktop[@]}" \
    </dev/null >>"$E2E_DIR/probe.log" 2>&1 || status=$?
  [ -f "$E2E_PROBE_OUT" ] || e2e_fail "the probe wrote nothing for: $*"
  return "$status"
}

# The value of KEY in the probe's last output, with its escapes undone.
e2e_value() {
  local line
  while IFS= read -r line; do
    if [[ $line == "$1="* ]]; then
      printf '%b' "${line#*=}"
      return 0
    fi
  done <"$E2E_PROBE_OUT"
  e2e_fail "the probe reported no '$1'"
}

# Records a mismatch and goes on, so that one run shows every wrong value.
e2e_assert_eq() {
  local expected=$1 actual=$2 what=$3
  if [ "$expected" != "$actual" ]; then
    printf 'FAIL: %s\n  expected: [%s]\n  actual:   [%s]\n' "$what" "$expected" "$actual" >&2
    # Texts that differ in an invisible or look-alike character are told apart by their bytes.
    printf '  expected bytes: %s\n  actual bytes:   %s\n' \
      "$(printf '%s' "$expected" | od -An -tx1 | tr -s ' \n' ' ')" \
      "$(printf '%s' "$actual" | od -An -tx1 | tr -s ' \n' ' ')" >&2
    E2E_FAILURES=$((E2E_FAILURES + 1))
  fi
}

# Waits until a background process started by e2e_start has ended, and reaps it.
e2e_wait_exit() {
  local pid=$1 timeout_s=$2 deadline state
  deadline=$((SECONDS + timeout_s))
  while ((SECONDS < deadline)); do
    # The state follows the parenthesised command name, which may hold blanks.
    state=$(sed 's/.*) //; s/ .*//' "/proc/$pid/stat" 2>/dev/null) || state=
    if [ -z "$state" ] || [ "$state" = Z ]; then
      wait "$pid" 2>/dev/null || true
      return 0
    fi
    sleep 0.1
  done
  return 1
}

# Sleeps until the epoch second UNTIL. Every caller means "not before": when a slow machine
# is past it already, it returns at once instead of handing sleep a negative number.
e2e_sleep_until() {
  local left=$(($1 - $(date +%s)))
  if ((left > 0)); then sleep "$left"; fi
}

# Waits up to 5 s for WINDOW to come to the foreground; a failure names the one that did.
e2e_expect_foreground() {
  local window=$1 what=$2
  e2e_probe foreground --hwnd "$window" --timeout 5000 || true
  e2e_assert_eq "$window" "$(e2e_value hwnd)" "$what"
}

# Takes a picture of the whole screen; with WINDOW, that window is made active first, so that
# its title bar is drawn as the user sees the window in front.
e2e_screenshot() {
  local file=$1 window=${2:-}
  mkdir -p "$(dirname "$file")"
  if [ -n "$window" ]; then
    e2e_probe foreground --set --hwnd "$window" --timeout 5000 ||
      e2e_fail "cannot make $window the active window for $file"
  fi
  import -window root "$file" || e2e_fail "no screenshot taken"
  echo "screenshot: $file"
}

# Takes a picture of WINDOW alone, made active first: the screen cut to its frame, so that no
# window behind it shows at its edges.
e2e_window_screenshot() {
  local file=$1 window=$2
  e2e_screenshot "$file" "$window"
  e2e_probe info --hwnd "$window" || e2e_fail "$window went away before its picture was cut"
  convert "$file" -crop "$(e2e_value width)x$(e2e_value height)+$(e2e_value x)+$(e2e_value y)" \
    +repage "$file" || e2e_fail "cannot cut $file to its window"
}

e2e_finish() {
  local name=$1
  if [ "$E2E_FAILURES" -ne 0 ]; then
    e2e_show_logs
    echo "FAIL: $name: $E2E_FAILURES check(s) failed" >&2
    exit 1
  fi
  echo "PASS: $name ($((SECONDS - E2E_STARTED)) s)"
}

# Records a failure unless WINDOW's visible controls lie inside it and none overlaps another.
e2e_expect_whole_layout() {
  local window=$1 what=$2
  e2e_probe layout --hwnd "$window" || e2e_fail "cannot read the layout of $what"
  e2e_assert_eq 0 "$(e2e_value outside)" "controls of $what outside it: $(e2e_value outside_ids)"
  e2e_assert_eq 0 "$(e2e_value overlaps)" "overlapping controls of $what: $(e2e_value overlap_ids)"
}

# Records a failure when two files differ, showing where (code page 932 shown as UTF-8).
e2e_assert_same_file() {
  local expected=$1 actual=$2 what=$3
  if [ ! -f "$actual" ]; then
    echo "FAIL: $what: there is no $actual" >&2
    E2E_FAILURES=$((E2E_FAILURES + 1))
  elif ! cmp -s "$expected" "$actual"; then
    echo "FAIL: $what: $(cmp "$expected" "$actual" 2>&1 || true)" >&2
    echo "  (< expected, > actual; <CR> is a carriage return)" >&2
    # Into a file: a head reading the pipe would stop diff and its writers halfway.
    diff <(iconv -c -f CP932 -t UTF-8 "$expected" | sed 's/\r/<CR>/g') \
      <(iconv -c -f CP932 -t UTF-8 "$actual" | sed 's/\r/<CR>/g') >"$E2E_DIR/profile.diff" || true
    head -n 40 "$E2E_DIR/profile.diff" >&2
    E2E_FAILURES=$((E2E_FAILURES + 1))
  fi
}

# The value of KEY in [SECTION] of a profile (code page 932) as UTF-8, or "<absent>". A CR
# alone ends a line too. awk reads to the end: a reader that stopped early would end the
# writers with SIGPIPE, a failure under pipefail.
e2e_ini_value() {
  local file=$1 section=$2 key=$3
  iconv -f CP932 -t UTF-8 "$file" | tr '\r' '\n' | awk -v header="[$section]" -v key="$key" '
    /^\[/ { inside = ($0 == header); next }
    inside && !found && index($0, key "=") == 1 { print substr($0, length(key) + 2); found = 1 }
    END { if (!found) print "<absent>" }'
}

# UTF-8 text with LF line ends on stdin, the profile's code page 932 with CRLF on stdout.
e2e_profile_text() {
  sed 's/$/\r/' | iconv -f UTF-8 -t CP932
}

# The program's ids by the names resources/resource.h gives them, from the file that CMake wrote
# and CTest names.
[ -f "${CHIMEDAY_RESOURCE_IDS:-}" ] ||
  { echo "FAIL: CHIMEDAY_RESOURCE_IDS names no file of ids (run through ctest)" >&2; exit 1; }
# shellcheck source=/dev/null
source "$CHIMEDAY_RESOURCE_IDS"
# Windows' own numbers that the tests press and send.
# shellcheck disable=SC2034 # for the test scripts
readonly IDOK=1 IDCANCEL=2 IDRETRY=4 IDYES=6 IDNO=7 \
  WM_NULL=0 WM_TIMECHANGE=0x1e WM_LBUTTONDOWN=513 WM_RBUTTONDOWN=516 WM_POWERBROADCAST=0x218 \
  WM_RBUTTONUP=517 WM_CONTEXTMENU=0x7b NIN_KEYSELECT=0x401

# Waits for a box of the resident program, captioned "鳴刻エラー" with an icon, and checks its
# text and its buttons by id (Wine words them in its own language): e2e_expect_box TEXT IDS
# WHAT [probe options], IDS such as "4 2" for retry and cancel. More probe options (--pid)
# narrow the search. Sets E2E_BOX to the box and E2E_BOX_PID to its process.
e2e_expect_box() {
  local text=$1 ids=$2 what=$3 shown
  shift 3
  e2e_probe box --title 鳴刻エラー --visible --timeout 60000 "$@" ||
    e2e_fail "no error box for $what"
  # shellcheck disable=SC2034 # for the test scripts
  E2E_BOX=$(e2e_value hwnd) E2E_BOX_PID=$(e2e_value pid)
  shown=$(e2e_value text)
  # A box shows a line break written as CR LF or as LF alike.
  e2e_assert_eq "$text" "${shown//$'\r'/}" "text of the box for $what"
  e2e_assert_eq "$ids 1" "$(e2e_value button_ids) $(e2e_value icon)" \
    "buttons ($(e2e_value buttons)) and icon of the box for $what"
}

# The same for a box with OK alone.
e2e_expect_error_box() {
  local text=$1 what=$2
  shift 2
  e2e_expect_box "$text" "$IDOK" "$what" "$@"
}

# Presses button ID of WINDOW (a dialog or a box) and waits until the window has gone.
e2e_press() {
  local window=$1 id=$2 what=$3
  e2e_probe click --hwnd "$window" --id "$id" || e2e_fail "cannot press button $id of $what"
  e2e_probe wait-gone --hwnd "$window" --timeout 5000 ||
    e2e_fail "$what is still there after button $id"
}

# Writes FILE, a profile of the given option values and the slot sections on stdin (UTF-8,
# one key a line), in the program's code page with CRLF.
e2e_write_profile() {
  local file=$1 array_stock=$2 no_error=$3
  mkdir -p "$(dirname "$file")"
  {
    printf '[OPTION]\nArrayStock=%s\nNoError=%s\n' "$array_stock" "$no_error"
    cat
  } | e2e_profile_text >"$file"
}

# Puts the local clock of the Windows programs started from now on SECOND seconds into its
# minute, without waiting: TZ with an offset in seconds, which the C library honours. A
# reservation for the next minute then comes due 60 - SECOND seconds later.
e2e_align_clock() {
  local second=$1 offset
  offset=$(((second - $(date -u +%s) % 60 + 60) % 60))
  TZ=$(printf 'UTC-00:00:%02d' "$offset")
  export TZ
}

# Puts the local clock of the Windows programs started from now on at HH:MM:SS today, in the
# same way: a case that needs its minutes away from midnight, or named ones, chooses them.
e2e_set_local_time() {
  local offset sign=-
  offset=$(((10#$1 * 3600 + 10#$2 * 60 + 10#$3 - $(date -u +%s) % 86400 + 86400) % 86400))
  if ((offset > 43200)); then
    offset=$((86400 - offset))
    sign=+
  fi
  TZ=$(printf 'UTC%s%02d:%02d:%02d' "$sign" $((offset / 3600)) $((offset / 60 % 60)) \
    $((offset % 60)))
  export TZ
}

# Starts a Windows program inside the Wine desktop "chimeday", which has a taskbar with a
# notification area, and makes the probe look there from now on. Sets E2E_DESKTOP_PID to the
# desktop's process, which ends about a second after the last program in it.
e2e_start_in_desktop() {
  local log=$1 program=$2
  shift 2
  E2E_PROBE_DESKTOP=chimeday
  e2e_start "$log" explorer /desktop=chimeday,1024x768 "$(e2e_windows_path "$program")" "$@"
  E2E_DESKTOP_PID=$E2E_LAST_PID
}

# Starts Notepad in the Wine desktop "chimeday" and waits for its window: the desktop, which
# ends about a second after its last program, then outlives the program under test, and a
# probe started after that program's end can still enter it, however slowly it starts.
e2e_keep_desktop() {
  e2e_start keeper explorer /desktop=chimeday,1024x768 notepad
  e2e_probe wait --desktop chimeday --class Notepad --timeout 60000 ||
    e2e_fail "no Notepad to keep the Wine desktop"
}

# Waits until the desktop of the last start has gone after its program: a start meanwhile
# would join the desktop that is shutting down, and a probe there can hang.
e2e_wait_desktop_gone() {
  e2e_wait_exit "$E2E_DESKTOP_PID" 10 || e2e_fail "the Wine desktop stays 10 s after its program"
}

# Starts the resident program from FOLDER/chimeday.exe (copied there when missing), so that
# its profile is FOLDER/chimeday.ini, and waits for its hidden frame. Sets E2E_FRAME (the
# frame's handle) and E2E_FRAME_PID (the Windows process id).
e2e_start_resident() {
  local folder=$1
  mkdir -p "$folder"
  [ -f "$folder/chimeday.exe" ] || cp "$CHIMEDAY_EXE" "$folder/chimeday.exe"
  e2e_start_in_desktop resident "$folder/chimeday.exe"
  e2e_probe wait --class ChimedayClass --timeout 60000 ||
    e2e_fail "the resident program's frame did not appear within 60 s"
  E2E_FRAME=$(e2e_value hwnd)
  E2E_FRAME_PID=$(e2e_value pid)
}

# Waits until the resident program has ended, after HOW.
e2e_wait_resident_exit() {
  local how=$1
  e2e_probe wait-exit --pid "$E2E_FRAME_PID" --timeout 10000 ||
    e2e_fail "the resident program still runs 10 s after $how"
}

# Closes the resident program as its exit item does, with WM_CLOSE to the frame.
e2e_close_resident() {
  e2e_probe close --hwnd "$E2E_FRAME" || e2e_fail "cannot post WM_CLOSE to the frame"
  e2e_wait_resident_exit "WM_CLOSE"
}
